// The main window's menus. Captions are the workstation's own; each item calls one core command
// or one chart command.
#include "main_window.h"

#include "chart/chart_area.h"
#include "chart/energy_fit_window.h"
#include "panels/hardware_panel.h"
#include "peaks/peak_panel.h"
#include "peaks/peak_panel_inputs.h"
#include "dialogs/about_window.h"
#include "dialogs/detector_add_window.h"
#include "dialogs/detector_remove_window.h"
#include "dialogs/detector_status_window.h"
#include "dialogs/energy_cal_window.h"

#include "app/application.h"
#include "core/help_commands.h"
#include "device/port_choice.h"
#include "device/port_choice_info.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>

namespace mca {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

void MainWindow::buildMenus() {
    buildFileMenu();
    buildAcquireMenu();
    buildDisplayMenu();
    buildColourMenu();
    buildCalibrateMenu();
    buildAnalyzeMenu();
    buildInstrumentMenu();
    buildHelpMenu();
}

void MainWindow::buildFileMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(menu, QStringLiteral("Load Spectrum to &Live..."), [this] { m_app.loadSpectrumFromMenu(1); });
    const char* others[] = {"Load Spectrum 2..", "Load Spectrum 3...", "Load Spectrum to 4..."};
    for (int n = 2; n <= 4; ++n) {
        m_quadOnly.push_back(addCommand(menu, QString::fromUtf8(others[n - 2]), [this, n] { m_app.loadSpectrumFromMenu(n); }));
    }
    addCommand(menu, QStringLiteral("Save Spectrum as &File..."), [this] { m_app.saveSpectrumAs(); });
    menu->addSeparator();
    ChartArea* charts = m_charts;
    m_advanced.push_back(addCommand(menu, QStringLiteral("Capture Spectrum to &Clipboard"),
                                    [charts] { charts->captureSpectrumToClipboard(); }));
    m_advanced.push_back(addCommand(menu, QStringLiteral("Save Spectrum as &Graphic..."),
                                    [charts] { charts->saveSpectrumAsGraphic(); }));
    m_advanced.push_back(addCommand(menu, QStringLiteral("Capture Screen to Clipboard"),
                                    [this, charts] { charts->captureScreenToClipboard(this); }));
    m_advanced.push_back(addCommand(menu, QStringLiteral("Save Screen as Graphic"),
                                    [this, charts] { charts->saveScreenAsGraphic(this); }));
    menu->addSeparator();
    m_advanced.push_back(addCommand(menu, QStringLiteral("&Print Spectrum Preview (color)..."),
                                    [charts] { charts->printPreviewColour(); }));
    m_advanced.push_back(addCommand(menu, QStringLiteral("P&int Spectrum Preview (B+W)..."),
                                    [charts] { charts->printPreviewBlackAndWhite(); }));
    m_advanced.push_back(addCommand(menu, QStringLiteral("Prin&ter Setup..."), [charts] { charts->printerSetup(); }));
    menu->addSeparator();
    QAction* exit = menu->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::buildAcquireMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Acquire"));
    AcquisitionEngine& engine = m_app.engine();
    m_onlineOnly.push_back(addCommand(menu, QStringLiteral("&Start"), [&engine] { engine.startAcquisition(); }));
    m_onlineOnly.push_back(addCommand(menu, QStringLiteral("S&top"), [&engine] { engine.stopAcquisition(); }));
    m_onlineOnly.push_back(addCommand(menu, QStringLiteral("&Clear"), [&engine] { engine.clearSpectrum(); }));
    m_onlineOnly.push_back(addCommand(menu, QStringLiteral("Clear and &Restart"), [&engine] { engine.clearAndRestart(); }));
    menu->addSeparator();
    m_hvAction = addCommand(menu, QStringLiteral("Disable High &Voltage"), [this] { m_hardwarePanel->toggleHighVoltage(); });
    m_advanced.push_back(m_hvAction);
    m_onlineOnly.push_back(m_hvAction);
    QAction* saveOnEnd = menu->addAction(QStringLiteral("Save Complete Spectrum on End of Acquisition"));
    saveOnEnd->setCheckable(true);
    connect(saveOnEnd, &QAction::toggled, this, [&engine](bool on) { engine.saveOnEnd = on; });
    m_onlineOnly.push_back(saveOnEnd);
}

void MainWindow::buildInstrumentMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&MCA"));
    Workstation& w = m_app.workstation();
    const Edition& edition = w.state.edition;
    m_advanced.push_back(addCommand(menu, text(edition.comPortMenuCaption), [&w] { showPortInfo(w, PortInfoSubject::First); }));
    QAction* second = addCommand(menu, text(edition.secondComPortMenuCaption),
                                 [&w] { showPortInfo(w, PortInfoSubject::Second); });
    m_advanced.push_back(second);
    m_networkHidden.push_back(second);
    QAction* open2 = addCommand(menu, QStringLiteral("Open Second MCA..."), [this] {
        if (m_app.openSecondInstrument() == OpenOutcome::EndRequested) close();
    });
    m_advanced.push_back(open2);
    m_networkHidden.push_back(open2);
    menu->addSeparator();
    for (int n = 1; n <= 4; ++n) {
        m_quadOnly.push_back(addCommand(menu, QStringLiteral("Open MCA #%1...").arg(n), [this, n] { m_app.openInstrument(n); }));
    }
    for (int n = 1; n <= 4; ++n) {
        QAction* alias = addCommand(menu, QStringLiteral("Set Alias for MCA #%1...").arg(n), [this, n] { m_app.setAlias(n); });
        if (n > 1) m_quadOnly.push_back(alias);
    }
    menu->addSeparator();
    m_onlineOnly.push_back(addCommand(menu, QStringLiteral("Fine Tune..."), [this] { showFineTune(); }));
    m_advanced.push_back(addCommand(menu, QStringLiteral("Gain Stabilization..."), [this] { showGainStabilization(); }));
}

void MainWindow::buildCalibrateMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Calibrate"));
    addCommand(menu, QStringLiteral("E&nergy Calibrate..."), [this] { showEnergyCalWindow(); });
    addCommand(menu, QStringLiteral("ECal Fit..."), [this] { showEnergyFitWindow(); });
    QMenu* detector = menu->addMenu(QStringLiteral("&Detector..."));
    m_onlineOnly.push_back(detector->menuAction());
    m_advanced.push_back(detector->menuAction());
    addCommand(detector, QStringLiteral("&Add..."), [this] { addDetector(); });
    addCommand(detector, QStringLiteral("&Remove Detector..."), [this] { removeDetector(); });
    addCommand(detector, QStringLiteral("&Select/Change..."), [this] { m_app.changeDetector(); });
    addCommand(detector, QStringLiteral("Detector S&tatus..."), [this] { showDetectorStatus(); });
}

void MainWindow::buildAnalyzeMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("A&nalyze"));
    m_peakPanelAction = menu->addAction(QStringLiteral("Peak-&based Analysis Panel"));
    m_peakPanelAction->setCheckable(true);
    connect(m_peakPanelAction, &QAction::triggered, this, [this](bool on) { runCommand([this, on] { showPeakPanel(on); }); });
}

// The panel opens only over an energy calibration; opening it redraws the peak shading and markers.
void MainWindow::showPeakPanel(bool on) {
    if (on && !gui::energyCalibrationDone(m_app)) {
        m_app.workstation().op().message("Energy Calibration must be performed before using Peak Search and Identify.");
        on = false;
    }
    m_peakPanelAction->setChecked(on);
    m_peakPanel->setVisible(on);
    if (on) m_sidePanel->setVisible(true);
    m_charts->refreshPeakShading();
    m_charts->refreshPeakMarkers();
}

void MainWindow::buildHelpMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Help"));
    Workstation& w = m_app.workstation();
    addCommand(menu, QStringLiteral("Help..."), [&w] { openHelp(w); });
    addCommand(menu, QStringLiteral("&About..."), [this] { gui::showAboutWindow(m_app, this); });
    addCommand(menu, QStringLiteral("&Version Information..."), [&w] { showVersionInformation(w); });
    addCommand(menu, text(w.state.edition.supportMenuCaption),
               [&w] { w.platform.desktop.openWithDefaultProgram("https://example.org/support"); });
}

void MainWindow::showEnergyCalWindow() {
    if (!m_energyCal) {
        m_energyCal = new gui::EnergyCalWindow(m_app, this);
        connect(m_energyCal, &gui::EnergyCalWindow::calibrationChanged, this, [this] {
            if (m_energyFit) m_energyFit->refresh();
            refreshView();
        });
        connect(m_energyCal, &gui::EnergyCalWindow::calibrationApplied, this, &MainWindow::refreshView);
        connect(m_charts, &ChartArea::xAxisModeChanged, m_energyCal,
                [this] { m_energyCal->setAxisShowsEnergy(m_charts->xAxisMode() != XAxisMode::Channels); });
    }
    m_energyCal->setAxisShowsEnergy(m_charts->xAxisMode() != XAxisMode::Channels);
    if (m_energyCal->openWindow()) m_energyCal->raise();
}

void MainWindow::showEnergyFitWindow() {
    if (!m_energyFit) m_energyFit = new EnergyFitWindow(m_app, this);
    m_energyFit->refresh();
    m_energyFit->show();
    m_energyFit->raise();
}

void MainWindow::showDetectorStatus() {
    if (!m_detectorStatus) {
        m_detectorStatus = new gui::DetectorStatusWindow([this] { return gui::applicationStatusInput(m_app); }, this);
    }
    m_detectorStatus->refresh();
    m_detectorStatus->show();
    m_detectorStatus->raise();
}

void MainWindow::addDetector() {
    Workstation& w = m_app.workstation();
    DetectorAddDialog dialog(w, m_app.detectors(), addressedInstrument(w.state, w.sessions));
    gui::DetectorAddWindow window(dialog, this);
    window.exec();
}

void MainWindow::removeDetector() {
    Workstation& w = m_app.workstation();
    DetectorRemoveDialog dialog(w, m_app.detectors(), addressedInstrument(w.state, w.sessions));
    gui::DetectorRemoveWindow window(dialog, this);
    window.exec();
}

}  // namespace mca
