// The spectrum area: layout, refresh and read-out of the four charts.
#include "chart_area.h"

#include "app/application.h"
#include "chart_colours.h"
#include "chart_layout.h"
#include "spectrum_chart.h"
#include "display/left_axis.h"
#include "display/peak_overlay.h"
#include "display/roi_shading.h"

#include <QVBoxLayout>

#include <algorithm>
#include <cstddef>

namespace mca {
namespace {

std::size_t slot(int k) { return static_cast<std::size_t>(k - 1); }

}  // namespace

ChartArea::ChartArea(Application& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_pictures(app.workstation()) {
    setObjectName(QStringLiteral("chartArea"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int k = 1; k <= kChartCount; ++k) {
        auto* c = new SpectrumChart(k, this);
        m_charts[slot(k)] = c;
        m_traces[slot(k)] = std::make_unique<ChartTrace>();
        layout->addWidget(c, 1);
        connect(c, &SpectrumChart::cursorMoved, this, [this, k](double x) { cursorMoved(k, x); });
        connect(c, &SpectrumChart::cursorLeft, this, [this, k] { cursorMoved(k, std::nullopt); });
        connect(c, &SpectrumChart::doubleClicked, this, [this, k](double x) { emit chartDoubleClicked(k, x); });
        connect(c, &SpectrumChart::undoZoomRequested, this, &ChartArea::undoZoom);
    }
    applyColours();
    applyAxes();
    applyScale();
    const XAxisMode mode = xAxisMode();
    for (SpectrumChart* c : m_charts) {
        c->setBottomAxis(mode);
        c->setBottomRange(bottomAxisRange(mode, m_app.energyCalibration(), workstation().state.channelCount));
    }
    updateLayout();
}

ChartArea::~ChartArea() = default;

Workstation& ChartArea::workstation() const { return m_app.workstation(); }
Settings& ChartArea::settings() const { return m_app.workstation().settings; }

void ChartArea::setSources(ChartSources& sources) { m_sources = &sources; }

SpectrumChart* ChartArea::chart(int k) const { return k >= 1 && k <= kChartCount ? m_charts[slot(k)] : nullptr; }

bool ChartArea::chartShown(int k) const { return k >= 1 && k <= kChartCount && mca::chartShown(workstation(), k); }

bool ChartArea::energyAxisAvailable() const { return mca::energyAxisAvailable(m_app.energyCalibration()); }

XAxisMode ChartArea::xAxisMode() const {
    return effectiveXAxisMode(requestedXAxisMode(workstation()), m_app.energyCalibration());
}

void ChartArea::setDialogRunner(ChartPictures::DialogRunner runner) { m_pictures.setDialogRunner(std::move(runner)); }

// ---- refreshes

void ChartArea::refreshChart(int k) {
    if (!chartShown(k)) return;
    const Workstation& w = workstation();
    const Settings& s = w.settings;
    SpectrumChart& c = *m_charts[slot(k)];
    ChartTrace& trace = *m_traces[slot(k)];
    buildChartTrace(w, m_app.energyCalibration(), *m_sources, k, xAxisMode(), trace);
    c.setMainTrace(trace.points, k == 1 ? s.mainTraceStyle : TraceStyle::Line);
    c.setRoiShading(roiShading(m_sources->roiSlots(), s.showRois), selectedRoiShading(m_sources->selectedRoiView()));
    if (k == peakChart()) c.setPeakShading(currentPeakShading());
    const AxisPlaceholders placeholders = axisPlaceholders(s.quickGrow);
    c.setPlaceholders(placeholders);
    c.setAutomaticLeftRange(leftAxisRange(s.yAxis, s.quickGrow, trace.points), {0.0, placeholders.right.y});
    if (k != staticChart(w)) {
        c.clearStaticTrace();   // the split view moved it to the other chart
    } else if (!w.state.acquiring) {
        drawStatic(c);
    }
    c.setTitle(chartTitle(k));
    showOverall(k);
    c.replot();
}

// "MCA k: alias" as the instrument's open sequence names it; chart 1 takes the window's title.
QString ChartArea::chartTitle(int k) const {
    const Workstation& w = workstation();
    if (k == 1 && !w.screen.chart1Title.empty()) return QString::fromStdString(w.screen.chart1Title);
    const std::string& alias = w.session(k).alias;
    if (alias.empty()) return QStringLiteral("MCA %1").arg(k);
    return QStringLiteral("MCA %1: %2").arg(k).arg(QString::fromStdString(alias));
}

void ChartArea::refreshAll() {
    for (int k = 1; k <= kChartCount; ++k) refreshChart(k);
}

int ChartArea::peakChart() const { return chartOfInstrument(workstation(), m_sources->analysedInstrument()); }

PeakShading ChartArea::currentPeakShading() const {
    PeakShadingView view = m_sources->peakShadingView();
    view.persist = settings().persist;
    return peakShading(m_sources->foundPeaks(), view);
}

void ChartArea::refreshPeakShading() {
    SpectrumChart& c = *m_charts[slot(peakChart())];
    c.setPeakShading(currentPeakShading());
    c.replot();
}

void ChartArea::refreshPeakMarkers() {
    for (SpectrumChart* c : m_charts) c->setPeakMarkers({});
    if (!m_fullScreen) {
        const int k = peakChart();
        const auto bars =
            peakMarkerBars(m_sources->foundPeaks(), m_traces[slot(k)]->drawn, xAxisMode(), m_app.energyCalibration());
        m_charts[slot(k)]->setPeakMarkers(bars);
    }
    replotAll();
}

void ChartArea::drawStatic(SpectrumChart& c) {
    const auto points = m_sources->staticShown()
                            ? staticTrace(workstation(), m_app.energyCalibration(), *m_sources, xAxisMode())
                            : std::nullopt;
    if (points) {
        c.setStaticTrace(*points, settings().staticTraceStyle);
    } else {
        c.clearStaticTrace();
    }
}

void ChartArea::refreshStatic() {
    const int k = staticChart(workstation());
    for (int other = 1; other <= 2; ++other) {
        if (other != k) m_charts[slot(other)]->clearStaticTrace();
    }
    drawStatic(*m_charts[slot(k)]);
    replotAll();
}

void ChartArea::showOverall(int k) {
    const int instrument = chartInstruments(workstation(), k).front();
    const InstrumentStatusTexts& texts = workstation().screen.instrumentStatus[slot(instrument)];
    m_charts[slot(k)]->showOverall(QString::fromStdString(texts.counts), QString::fromStdString(texts.rate));
}

void ChartArea::replotAll() {
    for (int k = 1; k <= kChartCount; ++k) {
        if (chartShown(k)) m_charts[slot(k)]->replot();
    }
}

void ChartArea::updateLayout() {
    for (int k = 1; k <= kChartCount; ++k) m_charts[slot(k)]->setVisible(chartShown(k));
    refreshAll();
}

void ChartArea::setFullScreen(bool on) {
    m_fullScreen = on;
    emit fullScreenChanged(on);
    refreshPeakMarkers();
    refreshPeakShading();
}

// ---- read-out

void ChartArea::cursorMoved(int k, std::optional<double> axisX) {
    m_cursorX[slot(k)] = axisX;
    const ChartTrace& trace = *m_traces[slot(k)];
    const CursorContext context =
        cursorContext(workstation(), m_app.energyCalibration(), *m_sources, k, xAxisMode(), trace);
    m_readouts[slot(k)] = cursorReadout(context, trace.counts, axisX);
    m_charts[slot(k)]->showReadout(m_readouts[slot(k)]);
}

void ChartArea::readoutAt(int k, QPoint pixel) {
    if (SpectrumChart* c = chart(k)) cursorMoved(k, c->axisXAt(pixel));
}

void ChartArea::tickReadout() {
    const ChartTrace& trace = *m_traces[0];
    const CursorContext context =
        cursorContext(workstation(), m_app.energyCalibration(), *m_sources, 1, xAxisMode(), trace);
    const std::optional<double> x = m_cursorX[0];
    const std::optional<double> channel = x ? cursorChannel(context, *x) : std::nullopt;
    m_readouts[0] = mca::tickReadout(context, trace.counts, trace.drawn, channel, m_readouts[0]);
    m_charts[0]->showReadout(m_readouts[0]);
    showOverall(1);
}

// ---- axes

void ChartArea::setXAxisMode(XAxisMode mode) {
    Workstation& w = workstation();
    if (mode != XAxisMode::Channels && !energyAxisAvailable()) return;
    w.screen.xAxisInEnergy = mode != XAxisMode::Channels;
    w.settings.xAxisAsEnergy = w.screen.xAxisInEnergy;
    if (mode != XAxisMode::Channels) {
        w.settings.useKeV = mode == XAxisMode::KeV;
        w.settings.xAxisAsEnergyMeV = mode == XAxisMode::MeV;
    }
    const AxisRange range = bottomAxisRange(mode, m_app.energyCalibration(), w.state.channelCount);
    for (SpectrumChart* c : m_charts) {
        c->leaveZoom();
        c->setBottomAxis(mode);
        c->setBottomRange(range);
    }
    refreshAll();
    refreshPeakMarkers();
    emit xAxisModeChanged();
}

void ChartArea::showXAxisAsChannels() { setXAxisMode(XAxisMode::Channels); }
void ChartArea::showXAxisAsKeV() { setXAxisMode(XAxisMode::KeV); }
void ChartArea::showXAxisAsMeV() { setXAxisMode(XAxisMode::MeV); }

void ChartArea::applyScale() {
    for (SpectrumChart* c : m_charts) c->setLeftScale(settings().yAxis);
}

void ChartArea::setLinearYAxis() {
    settings().yAxis = YAxisScale::Linear;
    applyScale();
    refreshAll();
}

void ChartArea::setLogarithmicYAxis() {
    undoZoom();
    settings().yAxis = YAxisScale::Logarithmic;
    applyScale();
    refreshAll();
}

void ChartArea::undoZoom() {
    const AxisRange range =
        unzoomedBottomAxisRange(xAxisMode(), m_app.energyCalibration(), workstation().state.channelCount);
    for (SpectrumChart* c : m_charts) {
        c->leaveZoom();
        c->setBottomRange(range);
    }
    refreshAll();
}

void ChartArea::applyAxes() {
    for (SpectrumChart* c : m_charts) c->setAxesShown(settings().displayChecked, settings().showGridChecked);
}

void ChartArea::setAxesDisplayed(bool on) {
    settings().displayChecked = on;
    applyAxes();
    replotAll();
}

void ChartArea::toggleAxesDisplay() { setAxesDisplayed(!settings().displayChecked); }

void ChartArea::showGridAndAxisLabels() {
    settings().showGridChecked = true;
    settings().showAxisLabels = false;
    applyAxes();
    replotAll();
}

void ChartArea::showJustAxisLabels() {
    settings().showGridChecked = false;
    settings().showAxisLabels = true;
    applyAxes();
    replotAll();
}

void ChartArea::setQuickGrow(bool on) {
    settings().quickGrow = on;
    refreshAll();
}

// ---- traces

void ChartArea::setSmoothFactor(int factor) {
    const bool offered = std::find(kSmoothFactors.begin(), kSmoothFactors.end(), factor) != kSmoothFactors.end();
    settings().smoothFactor = offered ? factor : 1;
    refreshAll();
    refreshStatic();
}

void ChartArea::setBackgroundSubtracted(bool on) {
    m_sources->setBackgroundSubtracted(on);
    if (!workstation().state.acquiring) refreshAll();
}

void ChartArea::setShowRois(bool on) {
    settings().showRois = on;
    refreshAll();
}

void ChartArea::setShowStatic(bool on) {
    m_sources->setStaticShown(on);
    refreshStatic();
}

void ChartArea::setPersist(bool on) {
    settings().persist = on;
    refreshPeakShading();
}

void ChartArea::setMainTraceStyle(TraceStyle style) {
    settings().mainTraceStyle = style;
    refreshChart(1);
}

void ChartArea::setStaticTraceStyle(TraceStyle style) {
    settings().staticTraceStyle = style;
    refreshStatic();
}

// ---- colours

void ChartArea::applyColours() {
    for (int k = 1; k <= kChartCount; ++k) {
        m_charts[slot(k)]->setColours(k == 1 && m_monochrome ? blackOnWhite() : chartColours(settings(), k));
    }
}

void ChartArea::afterColourChange() {
    applyColours();
    if (workstation().state.acquiring) {
        replotAll();   // the next tick redraws the traces
    } else {
        refreshAll();
    }
}

void ChartArea::chooseColour(ColourRef Settings::*colour) {
    const std::optional<ColourRef> chosen = workstation().op().chooseColour(settings().*colour);
    if (!chosen) return;
    settings().*colour = *chosen;
    afterColourChange();
}

void ChartArea::chooseMainSpectrumColour() { chooseColour(&Settings::mainSpectrumColor); }
void ChartArea::chooseStaticSpectrumColour() { chooseColour(&Settings::secondarySpectrumColor); }
void ChartArea::chooseBackgroundColour() { chooseColour(&Settings::backgroundColor); }
void ChartArea::chooseRoiColour() { chooseColour(&Settings::roiColor); }
void ChartArea::chooseSelectedRoiColour() { chooseColour(&Settings::selectedRoiColor); }
void ChartArea::chooseGridColour() { chooseColour(&Settings::gridColor); }
void ChartArea::chooseLabelColour() { chooseColour(&Settings::chartLabelColor); }

void ChartArea::chooseFoundPeaksColour() {
    chooseColour(&Settings::foundPeaksColor);
    refreshPeakShading();
}

void ChartArea::chooseIsotopeLinesColour() {
    const ColourRef before = settings().isotopeLinesColor;
    chooseColour(&Settings::isotopeLinesColor);
    if (settings().isotopeLinesColor != before) emit isotopeLinesColourChanged();
}

void ChartArea::resetColours() {
    const Settings defaults;
    for (ColourRef Settings::*colour :
         {&Settings::mainSpectrumColor, &Settings::secondarySpectrumColor, &Settings::backgroundColor,
          &Settings::roiColor, &Settings::selectedRoiColor, &Settings::isotopeLinesColor, &Settings::foundPeaksColor,
          &Settings::gridColor, &Settings::chartLabelColor}) {
        settings().*colour = defaults.*colour;
    }
    afterColourChange();
    emit isotopeLinesColourChanged();
}

// ---- pictures

void ChartArea::captureSpectrumToClipboard() { m_pictures.captureChart(*m_charts[0]); }
void ChartArea::saveSpectrumAsGraphic() { m_pictures.saveChart(*m_charts[0]); }

void ChartArea::captureScreenToClipboard(QWidget* window) {
    if (window) m_pictures.captureWindow(*window);
}

void ChartArea::saveScreenAsGraphic(QWidget* window) {
    if (window) m_pictures.saveWindow(*window);
}

QString ChartArea::previewTitle() const {
    const char* edition = "TREL";
    switch (workstation().state.edition.kind) {
        case EditionKind::Vora: edition = "VORA-II"; break;
        case EditionKind::Oska: edition = "OSKA"; break;
        case EditionKind::Trel: break;
    }
    return QString::fromLatin1(edition) + QStringLiteral(" Print Spectrum Preview");
}

void ChartArea::printPreviewColour() { m_pictures.preview(*m_charts[0], previewTitle(), window()); }

void ChartArea::printPreviewBlackAndWhite() {
    m_monochrome = true;
    applyColours();
    refreshAll();
    // Colours come back whatever the preview does.
    struct Restore {
        ChartArea& area;
        ~Restore() {
            area.m_monochrome = false;
            area.applyColours();
            area.refreshAll();
        }
    } restore{*this};
    m_pictures.preview(*m_charts[0], previewTitle(), window());
}

void ChartArea::printerSetup() { m_pictures.printerSetup(window()); }

}  // namespace mca
