// The main window's frame: central area, tool bar, status bar, the mirror of the core's screen
// state, and the close sequence.
#include "main_window.h"
#include "main_window_fine_tune_hooks.h"
#include "window_chart_sources.h"

#include "chart/chart_area.h"
#include "dialogs/energy_cal_window.h"
#include "dialogs/detector_status_window.h"
#include "panels/fine_tune_window.h"
#include "panels/gain_stabilization_window.h"
#include "panels/hardware_panel.h"
#include "panels/hv_ramp_window.h"
#include "panels/preset_panel.h"
#include "panels/sample_panel.h"
#include "peaks/peak_chart_sources.h"
#include "peaks/peak_panel.h"

#include "app/application.h"
#include "core/errors.h"
#include "device/fine_tune.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>

namespace mca {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

constexpr int kSidePanelWidth = 400;

}  // namespace

MainWindow::MainWindow(Application& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
    setObjectName(QStringLiteral("frmMain"));
    buildCentral();
    buildToolBar();
    buildStatusBar();
    buildMenus();
    connect(m_charts, &ChartArea::chartDoubleClicked, this, &MainWindow::chartDoubleClicked);
    connect(m_hardwarePanel, &gui::HardwarePanel::commandFinished, this, &MainWindow::refreshView);
    // The ramp window shows itself while the high voltage moves.
    new gui::HvRampWindow(m_app.ramp(), this);
    applyScreenState();
}

void MainWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(2, 2, 2, 2);

    auto* side = new QWidget(central);
    side->setObjectName(QStringLiteral("pnlSide"));
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    m_hardwarePanel = new gui::HardwarePanel(m_app, side);
    m_presetPanel = new gui::PresetPanel(m_app.workstation(), side);
    m_samplePanel = new gui::SamplePanel(m_app, side);
    column->addWidget(m_presetPanel);
    column->addWidget(m_hardwarePanel);
    column->addWidget(m_samplePanel);
    column->addStretch(1);
    auto* scroll = new QScrollArea(central);
    scroll->setWidget(side);
    scroll->setWidgetResizable(true);
    scroll->setFixedWidth(kSidePanelWidth);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sidePanel = scroll;

    m_charts = new ChartArea(m_app, central);
    m_peakPanel = new gui::PeakPanel(m_app, *m_charts, side);
    m_peakPanel->setObjectName(QStringLiteral("pnlPeaks"));
    m_peakPanel->hide();
    column->insertWidget(0, m_peakPanel);
    m_chartSources = std::make_unique<WindowChartSources>(m_app.workstation());
    m_peakPanel->chartSources().setBase(m_chartSources.get());
    m_charts->setSources(m_peakPanel->chartSources());
    row->addWidget(scroll);
    row->addWidget(m_charts, 1);
    setCentralWidget(central);
}

void MainWindow::buildToolBar() {
    auto* bar = addToolBar(QStringLiteral("Acquisition"));
    bar->setObjectName(QStringLiteral("tbMain"));
    bar->setMovable(false);
    struct Button {
        const char* caption;
        const char* name;
        std::function<void()> command;
    };
    AcquisitionEngine& engine = m_app.engine();
    const Button buttons[] = {
        {"&Start", "btnStart", [&engine] { engine.startAcquisition(); }},
        {"S&top", "btnStop", [&engine] { engine.stopAcquisition(); }},
        {"&Clear", "btnClear", [&engine] { engine.clearSpectrum(); }},
        {"Clear && &Restart", "btnClearRestart", [&engine] { engine.clearAndRestart(); }},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), bar);
        button->setObjectName(QString::fromUtf8(b.name));
        connect(button, &QPushButton::clicked, this, [this, command = b.command] { runCommand(command); });
        bar->addWidget(button);
        m_acquisitionButtons.push_back(button);
    }
    bar->addSeparator();
    buildStatusStrip(bar);
}

// The texts and choices sit on one strip, so each shows and hides by itself.
void MainWindow::buildStatusStrip(QToolBar* bar) {
    auto* strip = new QWidget(bar);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(strip);
    m_indicator = new QLabel(strip);
    m_indicator->setObjectName(QStringLiteral("lblIndicator"));
    m_indicator->setMinimumWidth(150);
    m_indicator->setAlignment(Qt::AlignCenter);
    row->addWidget(m_indicator);
    m_notSaved = new QLabel(QStringLiteral("Spectrum Not Saved!"), strip);
    m_notSaved->setObjectName(QStringLiteral("lblSpectrumNotSaved"));
    m_notSaved->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    row->addWidget(m_notSaved);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Elapsed (s):"), strip));
    m_elapsed = new QLineEdit(strip);
    m_elapsed->setObjectName(QStringLiteral("edtElapsedTime"));
    m_elapsed->setReadOnly(true);
    m_elapsed->setMaximumWidth(90);
    m_elapsed->setAlignment(Qt::AlignRight);
    row->addWidget(m_elapsed);
    row->addSpacing(12);

    m_twoView = new QComboBox(strip);
    m_twoView->setObjectName(QStringLiteral("cboView"));
    m_twoView->addItems({QStringLiteral("MCA #1"), QStringLiteral("MCA #2"), QStringLiteral("Combined"),
                         QStringLiteral("Split")});
    connect(m_twoView, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_app.workstation().state.view.twoInstrumentView = static_cast<TwoInstrumentView>(index);
        m_charts->updateLayout();   // redraws the charts
        applyScreenState();
    });
    row->addWidget(m_twoView);

    m_chooser = new QComboBox(strip);
    m_chooser->setObjectName(QStringLiteral("cboInstrument"));
    m_chooser->addItems({QString(), QStringLiteral("#1"), QStringLiteral("#2"), QStringLiteral("#3"),
                         QStringLiteral("#4")});
    connect(m_chooser, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_app.workstation().state.view.chooser = static_cast<InstrumentChooser>(index);
        refreshView();
    });
    row->addWidget(m_chooser);
    m_runLastScript = new QPushButton(QStringLiteral("Run Last Script"), strip);
    m_runLastScript->setObjectName(QStringLiteral("btnRunLastScript"));
    m_runLastScript->setEnabled(false);   // scripts arrive with the automation subsystem
    row->addWidget(m_runLastScript);

    m_fileName = new QLabel(strip);
    m_fileName->setObjectName(QStringLiteral("lblSpectrumFileName"));
    row->addSpacing(12);
    row->addWidget(m_fileName, 1);
}

void MainWindow::buildStatusBar() {
    // Serial number, HV state, HV, connection, then counts, rate, dead time and battery of MCA 1.
    const char* names[] = {"stSerial", "stHvStatus", "stHv", "stConnection", "stCounts", "stRate", "stDeadTime",
                           "stBattery"};
    for (const char* name : names) {
        auto* label = new QLabel(statusBar());
        label->setObjectName(QString::fromUtf8(name));
        label->setMinimumWidth(70);
        statusBar()->addWidget(label);
        m_statusPanels.push_back(label);
    }
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& caption, std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] { runCommand(command); });
    return action;
}

void MainWindow::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        m_app.workstation().op().message(e.what(), {}, MessageKind::Error);
    }
    refreshView();
}

void MainWindow::refreshView() {
    m_charts->refreshAll();
    applyScreenState();
}

void MainWindow::redrawCharts() { m_charts->refreshAll(); }

void MainWindow::spectrumCleared() { m_peakPanel->spectrumCleared(); }

void MainWindow::refreshTickReadout() {
    m_charts->tickReadout();
    // The tick ends here: a preset may have stopped the acquisition and the rates are new.
    applyScreenState();
}

void MainWindow::applyScreenState() {
    const Workstation& w = m_app.workstation();
    const ScreenState& sc = w.screen;
    setWindowTitle(text(sc.caption));
    m_indicator->setText(text(sc.indicator));
    m_notSaved->setVisible(w.state.spectrumUnsaved);
    m_fileName->setText(text(sc.spectrumFileName));
    m_elapsed->setText(text(sc.elapsedTime.empty() ? "0" : sc.elapsedTime));
    if (m_hvAction) m_hvAction->setText(text(sc.hvMenuCaption.empty() ? "Disable High &Voltage" : sc.hvMenuCaption));
    if (m_deadTimeAction) m_deadTimeAction->setEnabled(sc.deadTimeMenuEnabled && !w.state.offline);
    applyStatusTexts();
    applyVisibility();
    m_hardwarePanel->refresh();
    m_presetPanel->refresh();
    m_samplePanel->refresh();
    if (m_fineTuneWindow && m_fineTuneWindow->isVisible()) m_fineTuneWindow->refresh();
    if (m_stabilization && m_stabilization->isVisible()) m_stabilization->refresh();
}

void MainWindow::applyStatusTexts() {
    const Workstation& w = m_app.workstation();
    const ScreenState& sc = w.screen;
    const InstrumentSession& s = w.session(1);
    std::string serial = std::string(w.state.edition.statusPrefix) + s.serialNumber + (s.hvNegative ? "N" : "");
    if (w.state.offline) serial.clear();
    const InstrumentStatusTexts& t = sc.instrumentStatus[0];
    const std::string texts[] = {serial, sc.hvStatus, sc.hvText, sc.connectionStatus, t.counts, t.rate, t.deadTime,
                                 t.battery.empty() ? "" : t.battery + " V"};
    for (std::size_t i = 0; i < m_statusPanels.size(); ++i) m_statusPanels[i]->setText(text(texts[i]));
}

void MainWindow::applyVisibility() {
    const Workstation& w = m_app.workstation();
    const ScreenState& sc = w.screen;
    const bool quad = sc.quadControlsVisible;
    for (QAction* a : m_quadOnly) a->setVisible(quad && !sc.networkItemsHidden);
    for (QAction* a : m_advanced) a->setVisible(sc.advancedCommandsVisible);
    for (QAction* a : m_networkHidden) a->setVisible(!sc.networkItemsHidden);
    for (QAction* a : m_onlineOnly) a->setEnabled(!w.state.offline);
    const bool energy = w.state.energyCalibration != EnergyCalibrationKind::None;
    for (QAction* a : m_energyAxis) a->setEnabled(energy);
    const auto xAxisItems = m_xAxisGroup->actions();
    const auto mode = static_cast<qsizetype>(m_charts->xAxisMode());
    if (mode < xAxisItems.size()) xAxisItems[mode]->setChecked(true);
    const bool online = !w.state.offline;
    for (QPushButton* b : m_acquisitionButtons) b->setEnabled(online);
    m_chooser->setVisible(quad);
    // The edition is known only once the start sequence has read the title.
    m_chooser->setItemText(0, text("All " + std::string(w.state.edition.instrumentName) + "s"));
    m_runLastScript->setVisible(quad && !sc.networkItemsHidden);
    m_twoView->setVisible(!quad && w.session(2).open);
    m_elapsed->setStyleSheet(sc.elapsedTimeYellow ? QStringLiteral("background: yellow") : QString());
}

void MainWindow::applyPlacement() {
    const ScreenState& sc = m_app.workstation().screen;
    // -SIZE with only a width still gives a normal window of that width.
    if (sc.size.first || sc.size.second) resize(sc.size.first.value_or(width()), sc.size.second.value_or(height()));
    if (sc.position) move(sc.position->first.value_or(x()), sc.position->second.value_or(y()));
    if (sc.maximised) {
        // Without a window manager (a bare X server) maximising does nothing; take the screen.
        if (QScreen* s = screen()) setGeometry(s->availableGeometry());
        showMaximized();
    } else {
        show();
    }
}

void MainWindow::chartDoubleClicked(int chart, double axisX) {
    if (chart != 1) return;
    // Every receiver whose window is shown takes the position, in the order the operator expects
    // them to act: the Energy Cal window's selected row, then the peak panel; the ROI, resolution
    // and shape receivers join as those windows arrive.
    if (m_energyCal && m_energyCal->isOpen()) m_energyCal->pickChannel(axisX);
    m_peakPanel->chartDoubleClicked(axisX);   // adds a peak when the panel is shown and asks for it
    if (!m_app.workstation().state.acquiring) refreshView();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    if (m_closing || !m_started) {   // a second close while the sequence asks, or start-up still running
        event->ignore();
        return;
    }
    m_closing = true;
    bool agreed = false;
    try {
        agreed = m_app.close();
    } catch (const std::exception& e) {
        m_app.workstation().op().message(e.what(), {}, MessageKind::Error);
    }
    m_closing = false;
    if (!agreed) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
}

}  // namespace mca
