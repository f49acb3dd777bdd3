// The chart widget over QCustomPlot. Graph data are rewritten in place when the point count stays
// the same, so the once-a-second refresh allocates nothing per point.
#include "spectrum_chart.h"

#include "chart_status_bar.h"

#include <qcustomplot.h>

#include <QMouseEvent>
#include <QRubberBand>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace mca {
namespace {

constexpr int kMinimumBoxPixels = 4;

// The MeV mode keeps keV positions; its labels are the MeV texts of the display layer.
class MevTicker : public QCPAxisTicker {
protected:
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        return QString::fromStdString(bottomAxisLabel(XAxisMode::MeV, tick));
    }
};

template <typename Points>
void writePoints(QCPGraph* graph, const Points& points) {
    auto stored = graph->data();
    if (stored->size() == points.count) {
        std::size_t i = 0;
        for (auto it = stored->begin(); it != stored->end(); ++it, ++i) {
            it->key = points.x[i];
            it->value = points.y[i];
        }
        return;
    }
    stored->clear();
    for (std::size_t i = 0; i < static_cast<std::size_t>(points.count); ++i) {
        stored->add(QCPGraphData(points.x[i], points.y[i]));
    }
}

QPen pen(const QColor& colour) { return QPen(colour, 1); }

}  // namespace

SpectrumChart::SpectrumChart(int chart, QWidget* parent) : QWidget(parent), m_chart(chart) {
    setObjectName(QStringLiteral("chart%1").arg(chart));
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("chart%1Plot").arg(chart));
    m_plot->setNotAntialiasedElements(QCP::aeAll);
    m_plot->setMouseTracking(true);
    m_plot->installEventFilter(this);
    m_status = new ChartStatusBar(chart, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_plot, 1);
    layout->addWidget(m_status, 0);
    m_band = new QRubberBand(QRubberBand::Rectangle, m_plot);

    m_plot->plotLayout()->insertRow(0);
    m_plot->plotLayout()->addElement(0, 0, new QCPTextElement(m_plot, QStringLiteral("MCA %1").arg(chart)));
    m_plot->yAxis->setLabel(QStringLiteral("counts"));
    m_plot->yAxis2->setVisible(false);
    m_plot->xAxis->grid()->setSubGridVisible(false);
    m_plot->yAxis->grid()->setSubGridVisible(false);
    m_plot->xAxis->grid()->setZeroLinePen(Qt::NoPen);
    m_plot->yAxis->grid()->setZeroLinePen(Qt::NoPen);
    createGraphs();
    setBottomAxis(XAxisMode::Channels);
    setColours(chartColours(Settings{}, chart));

    connect(m_plot, &QCustomPlot::mousePress, this, &SpectrumChart::onPress);
    connect(m_plot, &QCustomPlot::mouseMove, this, &SpectrumChart::onMove);
    connect(m_plot, &QCustomPlot::mouseRelease, this, &SpectrumChart::onRelease);
    connect(m_plot, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* event) {
        if (const auto x = axisXAt(event->pos())) emit doubleClicked(*x);
    });
}

SpectrumChart::~SpectrumChart() = default;

void SpectrumChart::createGraphs() {
    // Creation order is drawing order: the shadings must lie over the trace they recolour.
    for (int i = 0; i < kChartLayerCount; ++i) {
        const auto layer = static_cast<ChartLayer>(i);
        QCPAxis* value = layer == ChartLayer::RightPlaceholder ? m_plot->yAxis2 : m_plot->yAxis;
        QCPGraph* g = m_plot->addGraph(m_plot->xAxis, value);
        g->setAdaptiveSampling(true);
        if (layer == ChartLayer::LeftPlaceholder || layer == ChartLayer::RightPlaceholder) {
            g->setLineStyle(QCPGraph::lsNone);
            g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDot));
        }
        if (layer == ChartLayer::Markers) g->setLineStyle(QCPGraph::lsImpulse);
    }
}

QCPGraph* SpectrumChart::graph(ChartLayer layer) const { return m_plot->graph(static_cast<int>(layer)); }

void SpectrumChart::setTitle(const QString& title) {
    if (auto* text = qobject_cast<QCPTextElement*>(m_plot->plotLayout()->element(0, 0))) text->setText(title);
}

QString SpectrumChart::title() const {
    auto* text = qobject_cast<QCPTextElement*>(m_plot->plotLayout()->element(0, 0));
    return text ? text->text() : QString();
}

void SpectrumChart::setColours(const ChartColours& colours) {
    m_colours = colours;
    applyColours();
}

void SpectrumChart::applyColours() {
    const ChartColours& c = m_colours;
    m_plot->setBackground(QBrush(c.background));
    const std::pair<ChartLayer, QColor> layers[] = {
        {ChartLayer::LeftPlaceholder, c.background}, {ChartLayer::RightPlaceholder, c.background},
        {ChartLayer::Static, c.staticTrace},         {ChartLayer::Main, c.mainTrace},
        {ChartLayer::Roi, c.roi},                    {ChartLayer::SelectedRoi, c.selectedRoi},
        {ChartLayer::FoundPeaks, c.foundPeaks},      {ChartLayer::SelectedPeak, c.selectedPeak},
        {ChartLayer::Markers, c.foundPeaks}};
    for (const auto& [layer, colour] : layers) {
        QCPGraph* g = graph(layer);
        g->setPen(pen(colour));
        QCPScatterStyle scatter = g->scatterStyle();
        scatter.setPen(pen(colour));
        scatter.setBrush(colour);
        g->setScatterStyle(scatter);
    }
    for (QCPAxis* axis : {m_plot->xAxis, m_plot->yAxis}) {
        axis->setBasePen(pen(c.labels));
        axis->setTickPen(pen(c.labels));
        axis->setSubTickPen(pen(c.labels));
        axis->setTickLabelColor(c.labels);
        axis->setLabelColor(c.labels);
        axis->grid()->setPen(QPen(c.grid, 1, Qt::DotLine));
    }
    if (auto* text = qobject_cast<QCPTextElement*>(m_plot->plotLayout()->element(0, 0))) text->setTextColor(c.labels);
}

void SpectrumChart::setAxesShown(bool axes, bool grid) {
    for (QCPAxis* axis : {m_plot->xAxis, m_plot->yAxis}) {
        axis->setVisible(axes);
        axis->grid()->setVisible(axes && grid);
    }
}

bool SpectrumChart::axesShown() const { return m_plot->xAxis->visible(); }
bool SpectrumChart::gridShown() const { return m_plot->xAxis->grid()->visible(); }

void SpectrumChart::applyStyle(QCPGraph* g, TraceStyle style) {
    QCPScatterStyle scatter = g->scatterStyle();
    scatter.setShape(style == TraceStyle::Pixels ? QCPScatterStyle::ssDisc : QCPScatterStyle::ssNone);
    scatter.setSize(2);
    g->setScatterStyle(scatter);
    g->setLineStyle(style == TraceStyle::Line   ? QCPGraph::lsLine
                    : style == TraceStyle::Bars ? QCPGraph::lsImpulse
                                                : QCPGraph::lsNone);
}

void SpectrumChart::setMainTrace(const TracePoints& points, TraceStyle style) {
    writePoints(graph(ChartLayer::Main), points);
    // The shadings take the trace's style, so a recoloured span looks like the trace it covers.
    for (ChartLayer layer : {ChartLayer::Main, ChartLayer::Roi, ChartLayer::SelectedRoi, ChartLayer::FoundPeaks,
                             ChartLayer::SelectedPeak}) {
        applyStyle(graph(layer), style);
    }
}

void SpectrumChart::setStaticTrace(const TracePoints& points, TraceStyle style) {
    applyStyle(graph(ChartLayer::Static), style);
    writePoints(graph(ChartLayer::Static), points);
}

void SpectrumChart::clearStaticTrace() { graph(ChartLayer::Static)->data()->clear(); }

// The main trace's points of each span, the spans kept apart by a gap (a NaN value).
void SpectrumChart::shadeSpans(ChartLayer layer, std::span<const ChannelSpan> spans) {
    const auto trace = graph(ChartLayer::Main)->data();
    auto shade = graph(layer)->data();
    shade->clear();
    const int count = trace->size();
    for (const ChannelSpan& span : spans) {
        for (int i = std::max(span.first, 0); i <= std::min(span.last, count - 1); ++i) shade->add(*trace->at(i));
        if (!shade->isEmpty()) {
            shade->add(QCPGraphData((shade->constEnd() - 1)->key, std::numeric_limits<double>::quiet_NaN()));
        }
    }
}

void SpectrumChart::setRoiShading(std::span<const ChannelSpan> rois, std::optional<ChannelSpan> selected) {
    shadeSpans(ChartLayer::Roi, rois);
    shadeSpans(ChartLayer::SelectedRoi, selected ? std::span<const ChannelSpan>(&*selected, 1)
                                                 : std::span<const ChannelSpan>());
}

void SpectrumChart::setPeakShading(const PeakShading& shading) {
    shadeSpans(ChartLayer::FoundPeaks, shading.found);
    shadeSpans(ChartLayer::SelectedPeak, shading.selected ? std::span<const ChannelSpan>(&*shading.selected, 1)
                                                          : std::span<const ChannelSpan>());
}

void SpectrumChart::setPeakMarkers(std::span<const MarkerBar> bars) {
    QVector<QCPGraphData> points;
    points.reserve(static_cast<int>(bars.size()));
    for (const MarkerBar& bar : bars) points.append(QCPGraphData(bar.x, bar.height));
    graph(ChartLayer::Markers)->data()->set(points, false);
}

void SpectrumChart::setPlaceholders(const AxisPlaceholders& p) {
    graph(ChartLayer::LeftPlaceholder)->setData({p.left.x}, {p.left.y}, true);
    graph(ChartLayer::RightPlaceholder)->setData({p.right.x}, {p.right.y}, true);
}

void SpectrumChart::setBottomAxis(XAxisMode mode) {
    m_plot->xAxis->setLabel(QString::fromStdString(mca::bottomAxisTitle(mode)));
    if (mode == XAxisMode::MeV) {
        m_plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new MevTicker));
    } else {
        m_plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    }
}

void SpectrumChart::setBottomRange(AxisRange range) { m_plot->xAxis->setRange(range.lower, range.upper); }

void SpectrumChart::setLeftScale(YAxisScale scale) {
    m_scale = scale;
    const bool log = scale == YAxisScale::Logarithmic;
    m_plot->yAxis->setScaleType(log ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    m_plot->yAxis->setTicker(log ? QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog)
                                 : QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    // A hidden chart keeps this until its next refresh: never a minimum the scale cannot show.
    const double lower = leftAxisMinimum(scale);
    m_plot->yAxis->setRange(lower, std::max(m_plot->yAxis->range().upper, lower));
}

void SpectrumChart::setAutomaticLeftRange(AxisRange left, AxisRange right) {
    if (m_zoomed) return;
    m_plot->yAxis->setRange(left.lower, left.upper);
    // The right axis is automatic as well: it reaches its placeholder and takes in whatever else
    // is drawn on it (the peak search's second derivative dips below zero).
    QCPRange range(right.lower, right.upper);
    for (QCPAbstractPlottable* p : m_plot->yAxis2->plottables()) {
        bool found = false;
        const QCPRange values = p->getValueRange(found);
        if (found && p->visible()) range.expand(values);
    }
    m_plot->yAxis2->setRange(range);
}

AxisRange SpectrumChart::rightRange() const { return {m_plot->yAxis2->range().lower, m_plot->yAxis2->range().upper}; }

AxisRange SpectrumChart::bottomRange() const { return {m_plot->xAxis->range().lower, m_plot->xAxis->range().upper}; }
AxisRange SpectrumChart::leftRange() const { return {m_plot->yAxis->range().lower, m_plot->yAxis->range().upper}; }

void SpectrumChart::zoomTo(AxisRange bottom, AxisRange left) {
    m_zoomed = true;
    m_plot->xAxis->setRange(bottom.lower, bottom.upper);
    const double lower = scrolledLeftAxisMinimum(m_scale, left.lower);
    m_plot->yAxis->setRange(lower, std::max(left.upper, lower));
}

void SpectrumChart::replot() { m_plot->replot(); }

std::optional<double> SpectrumChart::axisXAt(QPoint pixel) const {
    if (!m_plot->axisRect()->rect().contains(pixel)) return std::nullopt;
    return m_plot->xAxis->pixelToCoord(pixel.x());
}

void SpectrumChart::showReadout(const CursorReadout& readout) { m_status->showReadout(readout); }
void SpectrumChart::showOverall(const QString& totalCounts, const QString& rate) {
    m_status->showOverall(totalCounts, rate);
}
QString SpectrumChart::panelText(int panel) const { return m_status->panelText(panel); }

QVector<QPointF> SpectrumChart::layerPoints(ChartLayer layer) const {
    QVector<QPointF> points;
    const auto drawn = graph(layer)->data();
    for (auto it = drawn->constBegin(); it != drawn->constEnd(); ++it) {
        if (!std::isnan(it->value)) points.append(QPointF(it->key, it->value));
    }
    return points;
}

QColor SpectrumChart::layerColour(ChartLayer layer) const { return graph(layer)->pen().color(); }
QString SpectrumChart::bottomAxisTitle() const { return m_plot->xAxis->label(); }
QString SpectrumChart::leftAxisTitle() const { return m_plot->yAxis->label(); }
bool SpectrumChart::leftAxisLogarithmic() const { return m_plot->yAxis->scaleType() == QCPAxis::stLogarithmic; }
QStringList SpectrumChart::bottomTickLabels() const { return QStringList(m_plot->xAxis->tickVectorLabels()); }

QImage SpectrumChart::image() const { return m_plot->toPixmap().toImage(); }

QSize SpectrumChart::plotSize() const { return m_plot->size(); }

bool SpectrumChart::savePdf(const QString& path) const { return m_plot->savePdf(path); }

bool SpectrumChart::paintOn(QPaintDevice& device) const {
    QCPPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const int width = std::max(m_plot->width(), 1);
    const int height = std::max(m_plot->height(), 1);
    const double scale = std::min(double(device.width()) / width, double(device.height()) / height);
    painter.scale(scale, scale);
    m_plot->toPainter(&painter, width, height);
    return painter.end();
}

bool SpectrumChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_plot && event->type() == QEvent::Leave) emit cursorLeft();
    return QWidget::eventFilter(watched, event);
}

void SpectrumChart::onPress(QMouseEvent* event) {
    if (!m_plot->axisRect()->rect().contains(event->pos())) return;
    if (event->button() == Qt::LeftButton) {
        m_boxStart = event->pos();
        m_band->setGeometry(QRect(event->pos(), QSize()));
        m_band->show();
    } else if (event->button() == Qt::RightButton && m_zoomed) {
        m_panStart = event->pos();
        m_panBottom = bottomRange();
        m_panLeft = leftRange();
    }
}

void SpectrumChart::onMove(QMouseEvent* event) {
    if (m_boxStart) m_band->setGeometry(QRect(*m_boxStart, event->pos()).normalized());
    if (m_panStart) pan(event->pos());
    if (const auto x = axisXAt(event->pos())) {
        emit cursorMoved(*x);
    } else {
        emit cursorLeft();
    }
}

void SpectrumChart::onRelease(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) m_panStart.reset();
    if (event->button() != Qt::LeftButton || !m_boxStart) return;
    const QPoint start = *m_boxStart;
    const QPoint end = event->pos();
    m_boxStart.reset();
    m_band->hide();
    if (end.x() < start.x() && end.y() < start.y()) {
        emit undoZoomRequested();
        return;
    }
    const QRect box = QRect(start, end).normalized();
    if (box.width() < kMinimumBoxPixels || box.height() < kMinimumBoxPixels) return;
    zoomTo({m_plot->xAxis->pixelToCoord(box.left()), m_plot->xAxis->pixelToCoord(box.right())},
           {m_plot->yAxis->pixelToCoord(box.bottom()), m_plot->yAxis->pixelToCoord(box.top())});
    replot();
}

// Moves both axes by the mouse's travel since the press; a logarithmic axis moves by ratios and
// never below its floor.
void SpectrumChart::pan(QPoint to) {
    QCPAxis* x = m_plot->xAxis;
    QCPAxis* y = m_plot->yAxis;
    x->setRange(m_panBottom.lower, m_panBottom.upper);
    y->setRange(m_panLeft.lower, m_panLeft.upper);
    const double dx = x->pixelToCoord(m_panStart->x()) - x->pixelToCoord(to.x());
    x->setRange(m_panBottom.lower + dx, m_panBottom.upper + dx);
    double lower = 0;
    double upper = 0;
    if (m_scale == YAxisScale::Logarithmic) {
        const double ratio = y->pixelToCoord(m_panStart->y()) / y->pixelToCoord(to.y());
        lower = m_panLeft.lower * ratio;
        upper = m_panLeft.upper * ratio;
        const double floor = scrolledLeftAxisMinimum(m_scale, lower);
        upper *= floor / lower;
        lower = floor;
    } else {
        const double dy = y->pixelToCoord(m_panStart->y()) - y->pixelToCoord(to.y());
        lower = m_panLeft.lower + dy;
        upper = m_panLeft.upper + dy;
    }
    y->setRange(lower, upper);
    replot();
}

}  // namespace mca
