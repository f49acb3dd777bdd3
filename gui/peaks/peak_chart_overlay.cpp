// Peak overlay graphs and labels on chart 1's plot. The only file of the panel that reads the
// plotting library's header (it is slow to compile).
#include "peak_chart_overlay.h"

#include <qcustomplot.h>

#include <cmath>
#include <limits>

namespace mca::gui {

namespace {

// Colours of the analysis traces, readable on the default black background.
const std::array<QColor, kOverlayCurveCount> kCurveColours{
    QColor(255, 255, 0),     // baseline
    QColor(0, 255, 255),     // sum plus baseline
    QColor(255, 96, 96),     // peak curves, alternating
    QColor(255, 160, 0),
    QColor(96, 160, 255),
    QColor(200, 96, 255),
    QColor(160, 160, 160),   // smoothed spectrum
    QColor(80, 120, 255),    // second derivative
    QColor(200, 200, 0),     // weighted spectrum
};

std::size_t index(OverlayCurve curve) { return static_cast<std::size_t>(curve); }

}  // namespace

PeakChartOverlay::PeakChartOverlay(QCustomPlot* plot) : m_plot(plot) {}

PeakChartOverlay::~PeakChartOverlay() {
    if (!m_plot) return;
    for (QCPItemText* label : m_labels) m_plot->removeItem(label);
    for (QCPGraph* g : m_graphs) {
        if (g) m_plot->removeGraph(g);
    }
}

void PeakChartOverlay::createGraphs() {
    for (int i = 0; i < kOverlayCurveCount; ++i) {
        const bool right = static_cast<OverlayCurve>(i) == OverlayCurve::SecondDerivative;
        QCPGraph* g = m_plot->addGraph(m_plot->xAxis, right ? m_plot->yAxis2 : m_plot->yAxis);
        g->setPen(QPen(kCurveColours[static_cast<std::size_t>(i)]));
        g->setLineStyle(QCPGraph::lsLine);
        g->setSelectable(QCP::stNone);
        m_graphs[static_cast<std::size_t>(i)] = g;
    }
}

void PeakChartOverlay::show(const PeakOverlayContent& content) {
    if (!m_plot) return;
    if (!m_graphs[0]) createGraphs();
    const CurveSegments none;
    const GaussFitPlot* fit = content.gaussFit ? &*content.gaussFit : nullptr;
    setCurve(OverlayCurve::Baseline, fit ? fit->baseline : none);
    setCurve(OverlayCurve::SumPlusBaseline, fit ? fit->sumPlusBaseline : none);
    for (int i = 0; i < 4; ++i) {
        setCurve(static_cast<OverlayCurve>(static_cast<int>(OverlayCurve::Peak1) + i),
                 fit ? fit->peaks[static_cast<std::size_t>(i)] : none);
    }
    setCurve(OverlayCurve::Smoothed, content.smoothed);
    setCurve(OverlayCurve::SecondDerivative, content.secondDerivative);
    setCurve(OverlayCurve::Weighted, content.weighted);
    setLabels(content.labels);
    // The derivative sits on the hidden right axis: widen it now, as the next refresh would.
    bool found = false;
    const QCPRange derivative = m_graphs[static_cast<std::size_t>(OverlayCurve::SecondDerivative)]->getValueRange(found);
    if (found) {
        QCPRange range = m_plot->yAxis2->range();
        range.expand(derivative);
        m_plot->yAxis2->setRange(range);
    }
    m_plot->replot();
}

// The runs of a curve as one graph: a NaN value between runs leaves the gap.
void PeakChartOverlay::setCurve(OverlayCurve curve, const CurveSegments& segments) {
    QVector<double> keys;
    QVector<double> values;
    int points = 0;
    for (const auto& run : segments) {
        if (run.empty()) continue;
        if (!keys.isEmpty()) {
            keys.push_back((keys.back() + run.front().x) / 2);
            values.push_back(std::numeric_limits<double>::quiet_NaN());
        }
        for (const CurvePoint& p : run) {
            keys.push_back(p.x);
            values.push_back(p.y);
            ++points;
        }
    }
    m_graphs[index(curve)]->setData(keys, values, true);
    m_points[index(curve)] = points;
}

void PeakChartOverlay::setLabels(const std::vector<PeakLabelMark>& labels) {
    for (QCPItemText* label : m_labels) m_plot->removeItem(label);
    m_labels.clear();
    for (const PeakLabelMark& mark : labels) {
        auto* text = new QCPItemText(m_plot);
        text->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        text->position->setType(QCPItemPosition::ptPlotCoords);
        text->position->setCoords(mark.x, mark.height);
        text->setText(mark.text);
        text->setColor(kCurveColours[index(OverlayCurve::Baseline)]);
        text->setClipToAxisRect(true);
        text->setSelectable(false);
        m_labels.push_back(text);
    }
}

int PeakChartOverlay::pointCount(OverlayCurve curve) const { return m_points[index(curve)]; }

QStringList PeakChartOverlay::labelTexts() const {
    QStringList texts;
    for (const QCPItemText* label : m_labels) texts << label->text();
    return texts;
}

}  // namespace mca::gui
