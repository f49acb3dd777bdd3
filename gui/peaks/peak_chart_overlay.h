// The peak analysis drawn into chart 1 over the spectrum: the Gauss fit curves (baseline, sum plus
// baseline, four alternating peak curves), the smoothed spectrum with the second derivative on the
// right axis, the weighted ("expanded") spectrum, and the peak labels. The overlay owns its graphs
// and text items and removes them again; the chart's own layers are never touched.
#pragma once

#include <QString>
#include <QStringList>

#ifndef Q_MOC_RUN
#include "analysis/peak_reanalysis.h"

#include <array>
#include <optional>
#include <vector>
#endif

#include <QPointer>

class QCustomPlot;
class QCPGraph;
class QCPItemText;

namespace mca::gui {

enum class OverlayCurve {
    Baseline, SumPlusBaseline, Peak1, Peak2, Peak3, Peak4, Smoothed, SecondDerivative, Weighted
};
inline constexpr int kOverlayCurveCount = 9;

struct PeakLabelMark {
    double x = 0;        // axis position of the centroid
    double height = 0;   // counts at the centroid: the label sits above it
    QString text;        // one label entry per line
};

struct PeakOverlayContent {
    std::optional<GaussFitPlot> gaussFit;   // "Show Gauss Fit"
    CurveSegments smoothed;                 // "2nd deriv line": SmoothedSpectrum ...
    CurveSegments secondDerivative;         // ... and SecondDerivative x -10, right axis
    CurveSegments weighted;                 // "Show Expanded"
    std::vector<PeakLabelMark> labels;      // "Show Peak Labels"
};

class PeakChartOverlay {
public:
    // `plot` is chart 1's plot; it may be destroyed first (the overlay then does nothing).
    explicit PeakChartOverlay(QCustomPlot* plot);
    ~PeakChartOverlay();
    PeakChartOverlay(const PeakChartOverlay&) = delete;
    PeakChartOverlay& operator=(const PeakChartOverlay&) = delete;

    // Replaces everything drawn with `content` and replots.
    void show(const PeakOverlayContent& content);
    // Removes every curve and label from view and replots.
    void clear() { show({}); }

    // What is drawn, for tests: data points of a curve (gaps not counted) and the label texts.
    int pointCount(OverlayCurve curve) const;
    QStringList labelTexts() const;

private:
    void createGraphs();
    void setCurve(OverlayCurve curve, const CurveSegments& segments);
    void setLabels(const std::vector<PeakLabelMark>& labels);

    QPointer<QCustomPlot> m_plot;
    std::array<QCPGraph*, kOverlayCurveCount> m_graphs{};
    std::array<int, kOverlayCurveCount> m_points{};
    std::vector<QCPItemText*> m_labels;
};

}  // namespace mca::gui
