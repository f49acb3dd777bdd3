// The Energy Cal tool window over the application: opening over MCA 1's detector, a double-click
// on the chart filling the selected row's channel in either axis mode, typed entries, the fit and
// what it shows and stores, the order choice, and the two ways of closing.
#include "dialogs/energy_cal_window.h"

#include "dialog_test_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace mca {
namespace {

using Strings = std::vector<std::string>;

class EnergyCalWindowTest : public testing::ApplicationFixture {
protected:
    EnergyCalWindowTest() { addDetectors(); }

    QLineEdit* energy(int row) { return testing::child<QLineEdit>(window, QString("energyEdit%1").arg(row)); }
    QLineEdit* channel(int row) { return testing::child<QLineEdit>(window, QString("channelEdit%1").arg(row)); }
    QPushButton* button(const char* name) { return testing::child<QPushButton>(window, name); }
    QString label(const char* name) { return testing::child<QLabel>(window, name)->text(); }
    void choosePoint(int row) {
        QTest::mouseClick(testing::child<QRadioButton>(window, QString("pointSelector%1").arg(row)), Qt::LeftButton);
    }
    bool highlighted(int row) {
        const QColor yellow(Qt::yellow);
        return energy(row)->palette().color(QPalette::Base) == yellow &&
               channel(row)->palette().color(QPalette::Base) == yellow;
    }
    // Cs-137 and K-40 picked off the chart at channels 94 and 1890.
    void pickTwoPoints() {
        window.pickChannel(94.4);
        choosePoint(2);
        window.pickChannel(1889.6);
    }
    DetectorRecord& record() { return SelectedRecord(app.detectors(), 1); }

    gui::EnergyCalWindow window{app};
};

TEST_F(EnergyCalWindowTest, OpensWithThePresetEnergiesAndTheFirstRowSelected) {
    QSignalSpy opened(&window, &gui::EnergyCalWindow::opened);
    ASSERT_TRUE(window.openWindow());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Energy Cal");
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(energy(1)->text(), "32.89");
    EXPECT_EQ(energy(2)->text(), "661.7");
    EXPECT_EQ(channel(1)->text(), "");
    EXPECT_TRUE(highlighted(1));
    EXPECT_FALSE(highlighted(2));
    EXPECT_FALSE(button("energyCalButton")->isEnabled());
    EXPECT_EQ(button("cancelButton")->text(), "&Cancel");
    EXPECT_EQ(window.markerPosition(), std::nullopt) << "no channel in the row yet";
}

TEST_F(EnergyCalWindowTest, IsRefusedWhileTheResolutionWindowIsOpen) {
    EXPECT_FALSE(window.openWindow({.resolutionWindowOpen = true}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(t.op.messages(), Strings{"Cannot perform Energy Calibration while Shape Calibration Window is open."});
}

TEST_F(EnergyCalWindowTest, ADoubleClickFillsTheSelectedRowsChannel) {
    ASSERT_TRUE(window.openWindow());
    QSignalSpy marker(&window, &gui::EnergyCalWindow::markerChanged);
    window.pickChannel(94.4);
    EXPECT_EQ(channel(1)->text(), "94");
    EXPECT_EQ(window.markerPosition(), 94.0);
    EXPECT_GE(marker.count(), 1);
    choosePoint(2);
    EXPECT_TRUE(highlighted(2));
    EXPECT_FALSE(highlighted(1));
    window.pickChannel(1889.6);
    EXPECT_EQ(channel(2)->text(), "1890");
    EXPECT_EQ(channel(1)->text(), "94");
    EXPECT_TRUE(button("energyCalButton")->isEnabled());
}

TEST_F(EnergyCalWindowTest, CalibratingShowsTheFitStoresThePointsAndTellsTheCharts) {
    ASSERT_TRUE(window.openWindow());
    QSignalSpy applied(&window, &gui::EnergyCalWindow::calibrationApplied);
    QSignalSpy changed(&window, &gui::EnergyCalWindow::calibrationChanged);
    pickTwoPoints();
    QTest::mouseClick(button("energyCalButton"), Qt::LeftButton);

    EXPECT_EQ(applied.count(), 1);
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(w().state.energyCalibration, EnergyCalibrationKind::Linear);
    EXPECT_EQ(label("linearEquation"), "y = 0.3501x  - 0.02099");
    EXPECT_EQ(label("linearFit"), "Fit = 1");
    EXPECT_EQ(record()[field::kFirstEnergy], "32.89");
    EXPECT_EQ(record()[field::kFirstChannel + 1], "1890");
    EXPECT_EQ(record()[field::kCalibrationOrder], "1");
    EXPECT_FALSE(button("energyCalButton")->isEnabled());
    EXPECT_EQ(button("cancelButton")->text(), "&Close");
    EXPECT_TRUE(std::filesystem::exists(detectorsFile())) << "the database is saved when online";
}

TEST_F(EnergyCalWindowTest, OnAnEnergyAxisTheDoubleClickTakesTheChannelOfThatEnergy) {
    ASSERT_TRUE(window.openWindow());
    pickTwoPoints();
    QTest::mouseClick(button("energyCalButton"), Qt::LeftButton);
    window.setAxisShowsEnergy(true);
    choosePoint(3);
    QTest::keyClicks(energy(3), "1460.8");
    EXPECT_EQ(window.markerPosition(), std::nullopt);
    window.pickChannel(ChannelToKeV(app.energyCalibration(), 4000.0));
    EXPECT_EQ(channel(3)->text(), "4000");
    EXPECT_EQ(window.markerPosition(), 1460.8) << "the marker stands at the row's energy";
    window.setAxisShowsEnergy(false);
    EXPECT_EQ(window.markerPosition(), 4000.0);
}

TEST_F(EnergyCalWindowTest, TypedEntriesSelectTheirRowAndTextOutOfRangeIsNotKept) {
    ASSERT_TRUE(window.openWindow());
    channel(3)->setFocus();
    QTest::keyClicks(channel(3), "4097");
    EXPECT_TRUE(highlighted(3));
    QTest::keyClick(channel(3), Qt::Key_Return);
    EXPECT_EQ(channel(3)->text(), "409") << "4097 is beyond the channel range";
    QTest::keyClicks(energy(4), "12x5");
    EXPECT_EQ(energy(4)->text(), "125") << "letters are not typed";
    channel(5)->setText("0");
    QTest::keyClick(channel(5), Qt::Key_0);
    QTest::keyClick(channel(5), Qt::Key_Return);
    EXPECT_EQ(channel(5)->text(), "") << "a channel of 0 is shown empty";
    EXPECT_TRUE(button("energyCalButton")->isEnabled());
}

TEST_F(EnergyCalWindowTest, TheOrderChoiceTakesEffectAtOnce) {
    ASSERT_TRUE(window.openWindow());
    pickTwoPoints();
    choosePoint(3);
    QTest::keyClicks(energy(3), "1460.8");
    window.pickChannel(3000);
    QTest::mouseClick(button("energyCalButton"), Qt::LeftButton);
    ASSERT_EQ(w().state.energyCalibration, EnergyCalibrationKind::Linear);

    QTest::mouseClick(testing::child<QRadioButton>(window, "useQuadratic"), Qt::LeftButton);
    EXPECT_EQ(w().state.energyCalibration, EnergyCalibrationKind::Quadratic);
    EXPECT_TRUE(label("quadraticEquation").startsWith("y = "));
    QTest::mouseClick(testing::child<QRadioButton>(window, "useLinearFit"), Qt::LeftButton);
    EXPECT_EQ(w().state.energyCalibration, EnergyCalibrationKind::Linear);
}

TEST_F(EnergyCalWindowTest, ClosingByTheFrameAsksAndRestoresThePointsHeldOnOpening) {
    record()[field::kFirstEnergy] = "100";
    record()[field::kFirstChannel] = "200";
    ASSERT_TRUE(window.openWindow());
    QSignalSpy closed(&window, &gui::EnergyCalWindow::closed);
    window.pickChannel(300);
    choosePoint(2);
    QTest::keyClicks(energy(2), "500");
    window.pickChannel(900);
    QTest::mouseClick(button("energyCalButton"), Qt::LeftButton);
    ASSERT_EQ(record()[field::kFirstChannel], "300");

    t.op.answers = {Answer::No};
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(closed.count(), 0);

    t.op.answers = {Answer::Yes};
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(t.op.questions(), Strings(2, "Any changes to the energy calibration will be lost.  Proceed?"));
    EXPECT_EQ(record()[field::kFirstChannel], "200");
    EXPECT_EQ(record()[field::kFirstEnergy + 1], "");
    EXPECT_EQ(window.markerPosition(), std::nullopt);
}

TEST_F(EnergyCalWindowTest, CloseKeepsTheCalibrationAndWritesTheMirrorFile) {
    ASSERT_TRUE(window.openWindow());
    pickTwoPoints();
    QTest::mouseClick(button("energyCalButton"), Qt::LeftButton);
    QSignalSpy closed(&window, &gui::EnergyCalWindow::closed);
    QTest::mouseClick(button("cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(t.op.questions().empty());
    EXPECT_EQ(record()[field::kFirstChannel], "94");
    EXPECT_EQ(w().state.energyCalibration, EnergyCalibrationKind::Linear);
    EXPECT_TRUE(std::filesystem::exists(energyCalMirrorPath(w())));

    ASSERT_TRUE(window.openWindow()) << "it opens again over the stored points";
    EXPECT_EQ(channel(2)->text(), "1890");
    EXPECT_EQ(button("cancelButton")->text(), "&Close") << "the stored points were calibrated on opening";
}

TEST_F(EnergyCalWindowTest, AnotherDetectorChosenMeanwhileClosesTheWindowUntouched) {
    ASSERT_TRUE(window.openWindow());
    QSignalSpy closed(&window, &gui::EnergyCalWindow::closed);
    selectDetectorRecord(w(), app.detectors(), 1, 0);
    window.pickChannel(94);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window.isVisible());
    for (int i = 0; i < 2; ++i) EXPECT_EQ(database().record(i)[field::kFirstChannel], "");

    ASSERT_TRUE(window.openWindow()) << "opening again takes the detector now selected";
    window.pickChannel(94);
    EXPECT_EQ(channel(1)->text(), "94");
}

}  // namespace
}  // namespace mca
