// What the peak panel draws into chart 1 (fit curves, derivative, weighted spectrum, labels) and
// the keys of its fields (peak number and the edge fields step and move).
#include "peak_panel.h"

#include "peak_chart_overlay.h"

#include "analysis/peak_labels.h"
#include "analysis/peak_search.h"
#include "app/application.h"
#include "chart/chart_area.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <functional>

namespace mca::gui {

namespace {

// A whole plot array (channels 0 .. 4094) as one run, every point drawn.
CurveSegments fullRun(const PeakArray& values, int count, const std::function<double(int)>& xOf) {
    std::vector<CurvePoint> run;
    run.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) run.push_back({xOf(k), values[static_cast<std::size_t>(k)]});
    return {run};
}

CurveSegments plotRun(const std::vector<double>& values, const std::function<double(int)>& xOf) {
    std::vector<CurvePoint> run;
    run.reserve(values.size());
    for (std::size_t k = 0; k < values.size(); ++k) run.push_back({xOf(static_cast<int>(k)), values[k]});
    return {run};
}

constexpr int kPlottedChannels = 4095;   // channels 0 .. 4094, as the main trace

}  // namespace

double PeakPanel::axisX(int channel) const {
    if (m_charts.xAxisMode() == XAxisMode::Channels) return channel;
    return ChannelToKeV(m_app.energyCalibration(), channel);
}

PeakOverlayContent PeakPanel::overlayContent() const {
    PeakOverlayContent content;
    if (m_overlayHidden || m_state->peaks.empty()) return content;
    const auto xOf = [this](int channel) { return axisX(channel); };
    if (m_search.showGaussFit) content.gaussFit = gaussFitPlot(m_state->fitCurves, xOf);
    if (m_search.show2ndDerivative) {
        content.smoothed = fullRun(m_state->smoothedSpectrum, kPlottedChannels, xOf);
        content.secondDerivative = plotRun(secondDerivativePlot(*m_state), xOf);
    }
    if (m_search.showExpanded) content.weighted = fullRun(m_state->weighted, kPlottedChannels, xOf);
    if (m_showLabels->isChecked()) {
        const auto& counts = m_app.workstation().session(1).spectrum.counts;
        for (const FoundPeak& p : m_state->peaks) {
            if (!p.centroidChannel) continue;
            const auto channel = static_cast<std::size_t>(std::clamp(static_cast<int>(*p.centroidChannel), 0,
                                                                     static_cast<int>(counts.size()) - 1));
            QStringList lines;
            for (const std::string& entry : labelEntries(p.label)) lines << QString::fromStdString(entry);
            content.labels.push_back({axisX(static_cast<int>(channel)), counts[channel], lines.join('\n')});
        }
    }
    return content;
}

void PeakPanel::refreshOverlay() { m_overlay->show(overlayContent()); }

// Keys of the edit fields: Up or Right +1, Down or Left -1, Page Up +10, Page Down -10.
std::optional<PeakMove> PeakPanel::keyMove(QObject* field, int key) const {
    struct Moves {
        QObject* field;
        PeakMove up, upUp, down, downDown;
    };
    const Moves table[] = {
        {m_centroidKeV, PeakMove::CentroidUp, PeakMove::CentroidUpUp, PeakMove::CentroidDown, PeakMove::CentroidDownDown},
        {m_leftKeV, PeakMove::LeftEdgeUp, PeakMove::LeftEdgeUpUp, PeakMove::LeftEdgeDown, PeakMove::LeftEdgeDownDown},
        {m_rightKeV, PeakMove::RightEdgeUp, PeakMove::RightEdgeUpUp, PeakMove::RightEdgeDown,
         PeakMove::RightEdgeDownDown}};
    for (const Moves& m : table) {
        if (m.field != field) continue;
        switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Right: return m.up;
        case Qt::Key_Down:
        case Qt::Key_Left: return m.down;
        case Qt::Key_PageUp: return m.upUp;
        case Qt::Key_PageDown: return m.downDown;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

bool PeakPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == m_peakNumber) {
        // Up and Right select the next peak, Down and Left the previous one.
        if (key == Qt::Key_Right || key == Qt::Key_Up) {
            selectNextPeak(*m_state);
        } else if (key == Qt::Key_Left || key == Qt::Key_Down) {
            selectPreviousPeak(*m_state);
        } else {
            return false;
        }
        refreshEditFields();
        refreshList();
        refreshCharts();
        return true;
    }
    if (const std::optional<PeakMove> move = keyMove(watched, key)) {
        movePeak(*move);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace mca::gui
