// The main window over the whole application, against the simulated instrument in virtual time:
// start-up offline and online, the acquisition buttons and their indicator texts, a preset ending
// an acquisition, saving and loading through the menus, and the close questions.
#include "window/main_window.h"
#include "window/view_front_end.h"

#include "chart/chart_area.h"
#include "chart/spectrum_chart.h"
#include "dialogs/energy_cal_window.h"
#include "peaks/peak_panel.h"

#include "app/application.h"
#include "calibration/detector_record.h"
#include "qtsupport/qt_test_application.h"
#include "sim/simulated_port.h"
#include "support/listening_ports.h"
#include "support/simulated_setup.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

#include <filesystem>

namespace mca {
namespace {

// The menu item reached by its captions, ampersands ignored.
QAction* menuItem(QMainWindow& window, const QStringList& path) {
    auto plain = [](QString s) { return s.remove(QLatin1Char('&')); };
    QList<QAction*> actions = window.menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& caption : path) {
        found = nullptr;
        for (QAction* a : actions) {
            if (plain(a->text()) == plain(caption)) found = a;
        }
        if (!found) return nullptr;
        if (found->menu()) actions = found->menu()->actions();
    }
    return found;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        t.writeAppFile("Library/TREL.lib",
                       "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
                       "Cs-137,11,30.090,years,Cesium,0,0\r\n"
                       "Cs-137,1,\"\",661.657,84.99,1,1\r\n");
        t.writeAppFile("CalFiles/212345Dets.dat", testing::simulatedDetectorsFile());
        simPorts.place(3, testing::simulatedCs137Instrument());
        front.setWindow(&window);
        window.resize(1400, 900);   // room for the whole tool bar
    }
    ~MainWindowTest() override { front.setWindow(nullptr); }

    bool startOnline() {
        t.op.answers = {Answer::Yes};
        const bool running = app.start({});
        window.setStarted();
        window.refreshView();
        window.show();
        return running;
    }

    template <typename T>
    T* child(const char* name) {
        T* widget = window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString label(const char* name) { return child<QLabel>(name)->text(); }
    void click(const char* name) { child<QPushButton>(name)->click(); }
    void trigger(const QStringList& path) {
        QAction* a = menuItem(window, path);
        ASSERT_NE(a, nullptr) << path.join(QStringLiteral(" > ")).toStdString();
        a->trigger();
    }

    QApplication& qt = qtTestApplication();   // before any widget
    testing::TestWorkstation t;
    sim::SimulatedPortProvider simPorts{t.clock};
    testing::ListeningPorts ports{simPorts};
    FrontEnd dialogs;
    ViewFrontEnd front{dialogs};
    Application app{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app(), front};
    MainWindow window{app};
};

TEST_F(MainWindowTest, AnOfflineStartShowsTheOfflineCaptionAndDisablesAcquisition) {
    ASSERT_TRUE(app.start({"-Offline"}));
    window.refreshView();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TREL MCA (Offline)"));
    EXPECT_FALSE(child<QPushButton>("btnStart")->isEnabled());
    EXPECT_EQ(label("stConnection"), QStringLiteral("Offline"));
    EXPECT_EQ(label("stHvStatus"), QStringLiteral("Off"));
    EXPECT_TRUE(ports.written(3).empty());
}

TEST_F(MainWindowTest, AnOnlineStartAsksForTheHighVoltageAndSendsTheDetectorSettings) {
    ASSERT_TRUE(startOnline());
    EXPECT_EQ(t.op.questions().at(0), "Model 415 # 212345 Found on COM 3.\rEnable High Voltage to 800 volts?");
    const std::string& sent = ports.written(3);
    const std::size_t input = sent.find("I1");
    ASSERT_NE(input, std::string::npos);
    EXPECT_NE(sent.find("S3", input), std::string::npos);
    EXPECT_NE(sent.find("C2", input), std::string::npos);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TREL MCA"));
    EXPECT_EQ(label("lblIndicator"), QStringLiteral("Spectrum Clear"));
    EXPECT_EQ(label("stHvStatus"), QStringLiteral("On"));
    EXPECT_TRUE(label("stSerial").contains(QStringLiteral("212345")));
    EXPECT_TRUE(child<QPushButton>("btnStart")->isEnabled());
}

TEST_F(MainWindowTest, StartStopAndClearShowTheirIndicatorTexts) {
    ASSERT_TRUE(startOnline());
    click("btnStart");
    EXPECT_EQ(label("lblIndicator"), QStringLiteral("Acquiring"));
    t.clock.advance(3000);
    EXPECT_EQ(child<QLineEdit>("edtElapsedTime")->text(), QStringLiteral("3"));
    EXPECT_FALSE(child<QLabel>("lblSpectrumNotSaved")->isHidden());
    click("btnStop");
    EXPECT_EQ(label("lblIndicator"), QStringLiteral("Acquisition Stopped"));
    EXPECT_GT(app.workstation().session(1).spectrum.totalCounts, 0);
    click("btnClear");
    EXPECT_EQ(label("lblIndicator"), QStringLiteral("Spectrum Clear"));
    EXPECT_EQ(app.workstation().session(1).spectrum.totalCounts, 0);
    EXPECT_TRUE(child<QLabel>("lblSpectrumNotSaved")->isHidden());
}

TEST_F(MainWindowTest, ARealTimePresetEndsTheAcquisition) {
    ASSERT_TRUE(startOnline());
    Workstation& w = app.workstation();
    w.state.presetRealTime = 4;
    w.state.presetRealTimeOn = true;
    click("btnStart");
    t.clock.advance(6000);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_EQ(label("lblIndicator"), QStringLiteral("Acquisition Stopped"));
    EXPECT_EQ(child<QLineEdit>("edtElapsedTime")->text(), QStringLiteral("4"));
}

TEST_F(MainWindowTest, ASpectrumSavedThroughTheMenuLoadsBackThroughTheMenu) {
    ASSERT_TRUE(startOnline());
    click("btnStart");
    t.clock.advance(3000);
    click("btnStop");
    const auto counts = app.workstation().session(1).spectrum.totalCounts;
    const std::filesystem::path file = t.app() / "Spectra" / "menu.usf";
    t.op.fileChoices = {file.string()};
    trigger({QStringLiteral("File"), QStringLiteral("Save Spectrum as File...")});
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(child<QLabel>("lblSpectrumNotSaved")->isHidden());

    click("btnClear");
    t.op.fileChoices = {file.string()};
    trigger({QStringLiteral("File"), QStringLiteral("Load Spectrum to Live...")});
    EXPECT_EQ(app.workstation().session(1).spectrum.totalCounts, counts);
    EXPECT_EQ(app.workstation().screen.indicator, "Spectrum Loaded");
}

TEST_F(MainWindowTest, ClosingAsksAboutTheUnsavedSpectrumAndThenToClose) {
    ASSERT_TRUE(startOnline());
    click("btnStart");
    t.clock.advance(2000);
    window.show();
    t.op.answers = {Answer::No, Answer::No};   // don't save; don't close after all
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    const auto asked = t.op.questions();
    ASSERT_GE(asked.size(), 3u);
    EXPECT_EQ(asked[1], "Current spectrum has not been saved.  Save now?");
    EXPECT_EQ(asked[2], "Are you sure you want to close TREL?");

    t.op.answers = {Answer::No, Answer::Yes};
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(window.closed());
    EXPECT_FALSE(app.workstation().state.acquiring);
    EXPECT_TRUE(std::filesystem::exists(t.app() / "mca.ini"));
}

TEST_F(MainWindowTest, AxisAndSmoothingCommandsReachTheCharts) {
    ASSERT_TRUE(startOnline());
    click("btnStart");
    t.clock.advance(3000);
    click("btnStop");
    SpectrumChart& chart = *window.charts().chart(1);

    trigger({QStringLiteral("Display"), QStringLiteral("Logarithmic Y Axis")});
    EXPECT_TRUE(chart.leftAxisLogarithmic());
    EXPECT_DOUBLE_EQ(chart.leftRange().lower, 0.1);
    trigger({QStringLiteral("Display"), QStringLiteral("Linear Y Axis")});
    EXPECT_FALSE(chart.leftAxisLogarithmic());

    const QVector<QPointF> raw = chart.layerPoints(ChartLayer::Main);
    trigger({QStringLiteral("Display"), QStringLiteral("Smoothing"), QStringLiteral("8")});
    EXPECT_EQ(app.workstation().settings.smoothFactor, 8);
    const QVector<QPointF> smoothed = chart.layerPoints(ChartLayer::Main);
    ASSERT_EQ(raw.size(), smoothed.size());
    EXPECT_NE(raw, smoothed);

    // The demo detector has no energy calibration: the energy axis stays unavailable.
    QAction* keV = menuItem(window, {QStringLiteral("Display"), QStringLiteral("Show X Axis as Energy (keV)")});
    ASSERT_NE(keV, nullptr);
    EXPECT_FALSE(keV->isEnabled());
    EXPECT_EQ(chart.bottomAxisTitle(), QStringLiteral("Channel"));
}

TEST_F(MainWindowTest, ADoubleClickOnTheChartFillsTheEnergyCalRowAndTheFitGivesTheKeVAxis) {
    ASSERT_TRUE(startOnline());
    trigger({QStringLiteral("Calibrate"), QStringLiteral("Energy Calibrate...")});
    auto* cal = window.findChild<gui::EnergyCalWindow*>();
    ASSERT_NE(cal, nullptr);
    ASSERT_TRUE(cal->isOpen());
    emit window.charts().chartDoubleClicked(1, 94.4);
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("channelEdit1"))->text(), QStringLiteral("94"));
    // The second row (661.7 keV) from a double-click too, then the fit.
    QMetaObject::invokeMethod(window.findChild<QObject*>(QStringLiteral("pointSelector2")), "click");
    emit window.charts().chartDoubleClicked(1, 1889.6);
    cal->calibrate();
    EXPECT_NE(app.workstation().state.energyCalibration, EnergyCalibrationKind::None);
    trigger({QStringLiteral("Display"), QStringLiteral("Show X Axis as Energy (keV)")});
    EXPECT_EQ(window.charts().chart(1)->bottomAxisTitle(), QStringLiteral("Energy (keV)"));
}

// The simulated detector puts one channel on each keV, so two double-clicks calibrate it.
TEST_F(MainWindowTest, ThePeakPanelNeedsACalibrationThenFindsAndLabelsTheCaesiumPeak) {
    ASSERT_TRUE(startOnline());
    click("btnStart");
    t.clock.advance(20000);
    click("btnStop");
    auto* panel = window.findChild<gui::PeakPanel*>(QStringLiteral("pnlPeaks"));
    ASSERT_NE(panel, nullptr);
    trigger({QStringLiteral("Analyze"), QStringLiteral("Peak-based Analysis Panel")});
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(t.op.messages().back(), "Energy Calibration must be performed before using Peak Search and Identify.");

    trigger({QStringLiteral("Calibrate"), QStringLiteral("Energy Calibrate...")});
    auto* cal = window.findChild<gui::EnergyCalWindow*>();
    ASSERT_NE(cal, nullptr);
    emit window.charts().chartDoubleClicked(1, 32.89);
    QMetaObject::invokeMethod(window.findChild<QObject*>(QStringLiteral("pointSelector2")), "click");
    emit window.charts().chartDoubleClicked(1, 661.7);
    cal->calibrate();
    cal->cancel();

    trigger({QStringLiteral("Analyze"), QStringLiteral("Peak-based Analysis Panel")});
    EXPECT_FALSE(panel->isHidden());
    click("btnFindPeaks");
    const auto& peaks = panel->analysis().peaks;
    ASSERT_FALSE(peaks.empty());
    bool labelled = false;
    for (const FoundPeak& p : peaks) {
        if (p.centroidKeV && std::abs(*p.centroidKeV - 661.7) < 10) labelled = p.label.find("Cs-137") != std::string::npos;
    }
    EXPECT_TRUE(labelled);
    EXPECT_FALSE(window.charts().chart(1)->layerPoints(ChartLayer::FoundPeaks).isEmpty());

    click("btnClear");   // the found peaks go with the spectrum
    EXPECT_TRUE(panel->analysis().peaks.empty());
}

TEST_F(MainWindowTest, TheServicePanelsDisplayOffsetShiftsTheUnsmoothedTrace) {
    ASSERT_TRUE(startOnline());
    click("btnStart");
    t.clock.advance(5000);
    click("btnStop");
    child<QSpinBox>("intedtDisplayOffset")->setValue(5);
    EXPECT_EQ(label("lblDisplayOffset"), QStringLiteral("+5 chn"));
    const auto& counts = app.workstation().session(1).spectrum.counts;
    const QVector<QPointF> drawn = window.charts().chart(1)->layerPoints(ChartLayer::Main);
    for (int i : {300, 650, 662}) EXPECT_DOUBLE_EQ(drawn.at(i + 5).y(), counts[static_cast<std::size_t>(i)]) << i;
}

TEST_F(MainWindowTest, TheFourChartLayoutShowsFourChartsAndTheInstrumentChooser) {
    t.op.answers = {Answer::Yes};
    ASSERT_TRUE(app.start({"-Quad"}));
    window.setStarted();
    window.charts().updateLayout();
    window.refreshView();
    window.show();
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(window.charts().chartShown(k)) << k;
    EXPECT_TRUE(child<QComboBox>("cboInstrument")->isVisible());
    EXPECT_EQ(child<QComboBox>("cboInstrument")->itemText(0), QStringLiteral("All Model 415s"));
    QAction* load4 = menuItem(window, {QStringLiteral("File"), QStringLiteral("Load Spectrum to 4...")});
    ASSERT_NE(load4, nullptr);
    EXPECT_TRUE(load4->isVisible());
}

TEST_F(MainWindowTest, TheSimplifiedModeHidesTheAdvancedCommands) {
    ASSERT_TRUE(app.start({"-Offline", "-Simplified"}));
    window.setStarted();
    window.refreshView();
    EXPECT_FALSE(menuItem(window, {QStringLiteral("Colors")})->isVisible());
    EXPECT_FALSE(menuItem(window, {QStringLiteral("File"), QStringLiteral("Save Spectrum as Graphic...")})->isVisible());
    EXPECT_TRUE(menuItem(window, {QStringLiteral("File"), QStringLiteral("Save Spectrum as File...")})->isVisible());
    EXPECT_FALSE(window.charts().chartShown(2));
    EXPECT_FALSE(menuItem(window, {QStringLiteral("File"), QStringLiteral("Load Spectrum to 4...")})->isVisible());
}

}  // namespace
}  // namespace mca
