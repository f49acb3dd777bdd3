// The peak panel's commands: each calls the core's peak functions in the order the analysis
// needs (search or edit, then identification) and then redraws the list and the charts.
#include "peak_panel.h"

#include "peak_chart_overlay.h"
#include "peak_chart_sources.h"
#include "peak_panel_inputs.h"
#include "stepped_spin_box.h"

#include "analysis/peak_identification.h"
#include "analysis/peak_labels.h"
#include "analysis/peak_reanalysis.h"
#include "analysis/peak_search.h"
#include "app/application.h"
#include "chart/chart_area.h"
#include "chart/spectrum_chart.h"
#include "core/number_text.h"
#include "report/report_viewer.h"
#include "roi/peak_report.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace mca::gui {

namespace {

constexpr const char* kNoCalibration = "Energy Calibration must be performed before using Peak Search and Identify.";

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PeakPanel::PeakPanel(Application& app, ChartArea& charts, QWidget* parent)
    : QWidget(parent),
      m_app(app),
      m_charts(charts),
      m_state(std::make_unique<PeakAnalysis>()),
      m_overlay(std::make_unique<PeakChartOverlay>(charts.chart(1)->plot())) {
    setObjectName("pnlPeakBased");
    m_sources = std::make_unique<PeakChartSources>(*m_state, [this] { return shadingView(); });
    m_search = peakSearchSettingsFrom(app.workstation().settings);
    m_id = identificationSettingsFrom(app.workstation().settings);
    m_search.idWindow = m_id.window;
    m_presenter = [this](const ReportBuilder& report) {
        gui::showReport(report, m_app.workstation().op(), m_app.workstation().folders, window());
    };

    auto* column = new QVBoxLayout(this);
    column->addWidget(buildSearchBox());
    column->addWidget(buildEditBox());
    column->addWidget(buildIdentificationBox());
    column->addWidget(buildDisplayBox());
    column->addStretch();
    m_peakNumber->installEventFilter(this);
    showSettings();
    connectControls();

    connect(&m_charts, &ChartArea::xAxisModeChanged, this, [this] {
        ReanalysePeaks(*m_state, input(), m_search);
        identify();
        refreshAll();
    });
    connect(&m_charts, &ChartArea::fullScreenChanged, this, [this](bool on) {
        m_overlayHidden = on;
        refreshOverlay();
    });
    refreshAll();
}

PeakPanel::~PeakPanel() = default;

PeakAnalysisInput PeakPanel::input() const {
    DetectorRecord& record = mca1DetectorRecord(m_app, m_spareRecord);
    return peakAnalysisInput(m_app, record, m_sources->backgroundRate(1));
}

void PeakPanel::identify() {
    m_search.idWindow = m_id.window;
    IdentifyPeaks(*m_state, input(), m_id, m_app.library().searchTable());
}

void PeakPanel::findPeaks() {
    Workstation& w = m_app.workstation();
    if (!energyCalibrationDone(m_app)) {
        w.op().message(kNoCalibration, std::string(w.state.edition.windowCaption));
        return;
    }
    readFieldsIntoSettings();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    const PeakAnalysisInput in = input();
    FindPeaks(*m_state, in, m_search);
    const std::vector<std::string> skipped = IdentifyPeaks(*m_state, in, m_id, m_app.library().searchTable());
    refreshAll();
    if (!skipped.empty()) {
        std::string names;
        for (const std::string& n : skipped) names += (names.empty() ? "" : ", ") + n;
        w.op().message("Not used for identification (a primary or secondary energy is missing): " + names,
                       std::string(w.state.edition.windowCaption), MessageKind::Warning);
    }
}

void PeakPanel::clearPeaks() {
    ClearPeaks(*m_state);
    refreshAll();
}

void PeakPanel::chartDoubleClicked(double axisX) {
    if (isHidden() || !m_search.allowAddPeak) return;
    const PeakAnalysisInput in = input();
    const double channel = m_charts.xAxisMode() == XAxisMode::Channels
                               ? axisX
                               : KeVToChannel(in.calibration, axisX, in.channelCount);
    m_search.idWindow = m_id.window;
    const std::optional<std::string> error = AddPeakAt(*m_state, in, m_search, channel);
    LabelPeaks(m_state->peaks, m_app.library().searchTable());
    refreshAll();
    if (error) m_app.workstation().op().message(*error);
}

void PeakPanel::killPeak() {
    const PeakAnalysisInput in = input();
    const std::optional<std::string> error = KillPeak(*m_state, in, m_search);
    if (error) {
        m_app.workstation().op().message(*error);
        return;
    }
    identify();
    refreshAll();
}

void PeakPanel::movePeak(PeakMove move) {
    if (!m_search.allowPeakEdit || m_state->peaks.empty()) return;
    MovePeak(*m_state, input(), m_search, move);
    identify();
    refreshAll();
}

void PeakPanel::selectPeak(int number) {
    mca::selectPeak(*m_state, number);
    refreshEditFields();
    refreshCharts();
}

void PeakPanel::showReport() {
    if (!m_state->listCommandsEnabled) return;
    const DetectorRecord& record = mca1DetectorRecord(m_app, m_spareRecord);
    m_presenter(PeakReport(m_state->peaks, m_app.library().searchTable(), peakReportInputs(m_app, record, m_id)));
}

void PeakPanel::applyDefaults() {
    applyPeakPanelDefaults(m_search);
    m_id.window.keVSpread = m_search.idWindow.keVSpread;
    m_id.window.percentSpread = m_search.idWindow.percentSpread;
    showSettings();
    storeSettings();
}

void PeakPanel::setRule(IdWindowRule rule) {
    m_id.window.rule = rule;
    storeSettings();
    identify();
    refreshAll();
}

void PeakPanel::setFwhmMult(double value) {
    mca::setFwhmMult(m_id, value);
    showSettings();
    storeSettings();
    identify();
    refreshAll();
}

void PeakPanel::readFieldsIntoSettings() {
    m_search.sensitivity = m_sensitivity->value();
    m_search.minSignificance = m_significance->value();
    m_search.lowCutoffChannel = m_lowCutoff->value();
    m_id.window.keVSpread = m_keVSpread->value();
    m_id.window.percentSpread = m_percentSpread->value();
    m_search.idWindow = m_id.window;
    storeSettings();
}

void PeakPanel::storeSettings() {
    Settings& stored = m_app.workstation().settings;
    storePeakSearchSettings(m_search, stored);
    storeIdentificationSettings(m_id, stored);
}

void PeakPanel::showSettings() {
    const QSignalBlocker a(m_sensitivity), b(m_significance), c(m_lowCutoff), d(m_keVSpread), e(m_percentSpread),
        f(m_fwhmMult);
    m_sensitivity->setValue(m_search.sensitivity);
    m_significance->setValue(m_search.minSignificance);
    m_lowCutoff->setValue(m_search.lowCutoffChannel);
    m_keVSpread->setValue(m_id.window.keVSpread);
    m_percentSpread->setValue(m_id.window.percentSpread);
    m_fwhmMult->setValue(m_id.fwhmMult);
    m_ruleKeV->setChecked(m_id.window.rule == IdWindowRule::KeV);
    m_rulePercent->setChecked(m_id.window.rule == IdWindowRule::Percent);
    m_ruleArea->setChecked(m_id.window.rule == IdWindowRule::Area);
    m_ruleFwhm->setChecked(m_id.window.rule == IdWindowRule::Fwhm);
}

void PeakPanel::refreshAll() {
    m_clear->setEnabled(m_state->listCommandsEnabled);
    m_report->setEnabled(m_state->listCommandsEnabled);
    refreshList();
    refreshEditFields();
    refreshOverlay();
    refreshCharts();
}

void PeakPanel::refreshList() {
    static const QStringList kTitles{"#",       "centroid keV", "isotope",  "centroid chn", "chn start",
                                     "chn end", "Net Cnts",     "Net cpm",  "sig"};
    const QSignalBlocker block(m_table);
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(kTitles.size()));
    m_table->setHorizontalHeaderLabels(kTitles);
    m_table->setRowCount(static_cast<int>(m_state->peaks.size()));
    int row = 0;
    for (const FoundPeak& p : m_state->peaks) {
        const QString cells[] = {QString::number(p.number),
                                 qs(formatFull(p.centroidKeV.value_or(0))),
                                 qs(labelAsLine(p.label)),
                                 qs(formatFull(centroidOf(p))),
                                 QString::number(p.leftChannel),
                                 QString::number(p.rightChannel),
                                 qs(formatFull(p.netCounts)),
                                 qs(formatFull(p.netCpm)),
                                 qs(formatGeneral(p.significance, kPeakEnergyDigits))};
        for (int col = 0; col < static_cast<int>(std::size(cells)); ++col) {
            m_table->setItem(row, col, new QTableWidgetItem(cells[col]));
        }
        ++row;
    }
    if (!m_state->peaks.empty()) m_table->selectRow(m_state->selectedPeak - 1);
}

void PeakPanel::refreshEditFields() {
    const int count = static_cast<int>(m_state->peaks.size());
    {
        const QSignalBlocker block(m_peakNumber);
        m_peakNumber->setRange(1, std::max(1, count));
        m_peakNumber->setValue(m_state->selectedPeak);
    }
    const std::optional<PeakEditFields> fields = selectedPeakFields(*m_state, input());
    const std::pair<QLineEdit*, std::string> texts[] = {
        {m_centroidKeV, fields ? formatFull(fields->centroidKeV) : ""},
        {m_centroidChannel, fields ? formatFull(fields->centroidChannel) : ""},
        {m_leftKeV, fields ? formatFull(fields->leftKeV) : ""},
        {m_leftChannel, fields ? std::to_string(fields->leftChannel) : ""},
        {m_rightKeV, fields ? formatFull(fields->rightKeV) : ""},
        {m_rightChannel, fields ? std::to_string(fields->rightChannel) : ""}};
    for (const auto& [field, text] : texts) field->setText(qs(text));
    const bool editing = m_search.allowPeakEdit && fields.has_value();
    for (QToolButton* button : m_moves) button->setEnabled(editing);
    m_kill->setEnabled(count > 0);
}

PeakShadingView PeakPanel::shadingView() const {
    PeakShadingView view;
    view.peakPanelShown = !isHidden();
    view.allowEdit = m_search.allowPeakEdit;
    if (view.peakPanelShown && view.allowEdit) {
        const std::optional<PeakEditFields> fields =
            selectedPeakFields(*m_state, input());
        if (fields) {
            view.editedRegion = ChannelSpan{static_cast<int>(fields->leftChannel), static_cast<int>(fields->rightChannel)};
        }
    }
    return view;
}

void PeakPanel::refreshCharts() {
    m_charts.refreshPeakShading();
    m_charts.refreshPeakMarkers();
}

void PeakPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshCharts();
}

void PeakPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    refreshCharts();
}

}  // namespace mca::gui
