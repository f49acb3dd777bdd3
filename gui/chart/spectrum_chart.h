// One spectrum chart (chart k shows MCA k): the plot with its traces, shadings, marker bars and
// placeholders, the axes, the zoom box and panning, and the lower status bar. It draws what it is
// given; what to draw comes from the display layer through the ChartArea.
#pragma once

// moc cannot parse the C++20 library headers these bring in; it needs only the names.
#ifndef Q_MOC_RUN
#include "chart_colours.h"
#include "display/chart_axes.h"
#include "display/cursor_readout.h"
#include "display/left_axis.h"
#include "display/peak_overlay.h"
#include "display/trace_points.h"

#include <optional>
#include <span>
#endif

#include <QImage>
#include <QPointF>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QCustomPlot;
class QCPGraph;
class QMouseEvent;
class QPaintDevice;
class QRubberBand;

namespace mca {

class ChartStatusBar;

// The chart's own graphs, in drawing order (later ones are drawn over earlier ones).
enum class ChartLayer {
    LeftPlaceholder, RightPlaceholder, Static, Main, Roi, SelectedRoi, FoundPeaks, SelectedPeak, Markers
};
inline constexpr int kChartLayerCount = 9;

class SpectrumChart : public QWidget {
    Q_OBJECT
public:
    // The chart is named "chart" + k, its plot "chart" + k + "Plot".
    explicit SpectrumChart(int chart, QWidget* parent = nullptr);
    ~SpectrumChart() override;

    int chartNumber() const { return m_chart; }
    // The plot itself, for the analysis overlays other parts draw into the same chart.
    QCustomPlot* plot() const { return m_plot; }

    void setTitle(const QString& title);
    QString title() const;
    void setColours(const ChartColours& colours);
    const ChartColours& colours() const { return m_colours; }
    // Axes visible or not; grid lines only while the axes are visible and `grid` is on.
    void setAxesShown(bool axes, bool grid);

    // Traces and shadings. The shadings recolour spans of the main trace as last drawn.
    void setMainTrace(const TracePoints& points, TraceStyle style);
    void setStaticTrace(const TracePoints& points, TraceStyle style);
    void clearStaticTrace();
    void setRoiShading(std::span<const ChannelSpan> rois, std::optional<ChannelSpan> selected);
    void setPeakShading(const PeakShading& shading);
    void setPeakMarkers(std::span<const MarkerBar> bars);
    void setPlaceholders(const AxisPlaceholders& placeholders);

    // Axes: the bottom axis's title and labels by mode; ranges in axis units.
    void setBottomAxis(XAxisMode mode);
    void setBottomRange(AxisRange range);
    void setLeftScale(YAxisScale scale);
    // The automatic left-axis range; ignored while zoomed.
    void setAutomaticLeftRange(AxisRange left, AxisRange right);
    AxisRange bottomRange() const;
    AxisRange leftRange() const;
    AxisRange rightRange() const;

    // Zoom: a box zooms the chart and allows panning with the right button; undoing is the
    // ChartArea's (every chart returns to its full range).
    bool zoomed() const { return m_zoomed; }
    void zoomTo(AxisRange bottom, AxisRange left);
    void leaveZoom() { m_zoomed = false; }

    void replot();

    // x under a pixel of the plot widget; none outside the plot area.
    std::optional<double> axisXAt(QPoint pixel) const;
    void showReadout(const CursorReadout& readout);
    void showOverall(const QString& totalCounts, const QString& rate);
    QString panelText(int panel) const;

    // What is drawn, for scripts and tests.
    QVector<QPointF> layerPoints(ChartLayer layer) const;
    QColor layerColour(ChartLayer layer) const;
    QColor backgroundColour() const { return m_colours.background; }
    QString bottomAxisTitle() const;
    QString leftAxisTitle() const;
    bool leftAxisLogarithmic() const;
    bool axesShown() const;
    bool gridShown() const;
    // Tick labels of the bottom axis as last drawn (replot first).
    QStringList bottomTickLabels() const;

    // Pictures: the chart as an image, as PDF, or painted on any device (printer, SVG) scaled to fit.
    QImage image() const;
    QSize plotSize() const;
    bool savePdf(const QString& path) const;
    bool paintOn(QPaintDevice& device) const;

signals:
    void cursorMoved(double axisX);   // over the plot area
    void cursorLeft();                // outside the plot area or off the chart
    void doubleClicked(double axisX);
    void undoZoomRequested();         // the zoom box dragged up and left

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCPGraph* graph(ChartLayer layer) const;
    void createGraphs();
    void applyColours();
    void applyStyle(QCPGraph* graph, TraceStyle style);
    void shadeSpans(ChartLayer layer, std::span<const ChannelSpan> spans);
    void onPress(QMouseEvent* event);
    void onMove(QMouseEvent* event);
    void onRelease(QMouseEvent* event);
    void pan(QPoint to);

    int m_chart;
    QCustomPlot* m_plot = nullptr;
    ChartStatusBar* m_status = nullptr;
    QRubberBand* m_band = nullptr;
    ChartColours m_colours;
    YAxisScale m_scale = YAxisScale::Linear;
    bool m_zoomed = false;
    std::optional<QPoint> m_boxStart;
    std::optional<QPoint> m_panStart;
    AxisRange m_panBottom;
    AxisRange m_panLeft;
};

}  // namespace mca
