// The peak panel ("Peak-Based"): peak search with its thresholds, the found-peak list, selecting
// and editing peaks, "&Kill Peak", adding a peak by double-clicking chart 1, the identification
// rule, the analysis overlays on chart 1 and the peak report. Every number comes from the core's
// peak functions; the panel only calls them in order and shows what they leave.
#pragma once

#include <QWidget>

#ifndef Q_MOC_RUN
#include "analysis/identification_settings.h"
#include "analysis/peak_analysis_state.h"
#include "analysis/peak_editing.h"
#include "analysis/peak_search_settings.h"
#include "calibration/detector_record.h"
#include "display/peak_overlay.h"
#include "roi/report_builder.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#endif

class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QToolButton;

namespace mca {

class Application;
class ChartArea;
class ChartSources;

namespace gui {

class PeakChartOverlay;
class PeakChartSources;
class SteppedSpinBox;
struct PeakOverlayContent;

class PeakPanel : public QWidget {
    Q_OBJECT
public:
    // Shows a finished report; the default opens the report viewer over the panel's window.
    using ReportPresenter = std::function<void(const ReportBuilder& report)>;

    // `app` and `charts` must outlive the panel. The panel's sources are not installed in the
    // charts: the main window sets them (chartSources()), passing its own sources as their base.
    PeakPanel(Application& app, ChartArea& charts, QWidget* parent = nullptr);
    ~PeakPanel() override;

    // The found peaks and their shading for ChartArea::setSources.
    PeakChartSources& chartSources() { return *m_sources; }
    void setReportPresenter(ReportPresenter presenter) { m_presenter = std::move(presenter); }

    const PeakAnalysis& analysis() const { return *m_state; }
    const PeakSearchSettings& searchSettings() const { return m_search; }
    const IdentificationSettings& identificationSettings() const { return m_id; }
    const PeakChartOverlay& overlay() const { return *m_overlay; }

public slots:
    // "Find &Peaks" (and Enter in Sensitivity): the search, then identification.
    void findPeaks();
    // "C&lear Peaks", and what the main window calls when the spectrum is cleared.
    void clearPeaks();
    void spectrumCleared() { clearPeaks(); }
    // A double-click on chart 1 at bottom-axis position x: adds a peak there when the panel is
    // shown and "&Double Click Adds Peak" is checked.
    void chartDoubleClicked(double axisX);
    void killPeak();
    void movePeak(mca::PeakMove move);
    void selectPeak(int number);
    void showReport();
    void applyDefaults();
    // Redraws the list, the edit fields, the overlays and the charts' shading and markers.
    void refreshAll();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (peak_panel_layout.cpp)
    QGroupBox* buildSearchBox();
    QGroupBox* buildEditBox();
    QGroupBox* buildIdentificationBox();
    QGroupBox* buildDisplayBox();
    QToolButton* moveButton(PeakMove move, const QString& arrow, QWidget* parent);
    void connectControls();

    // Behaviour (peak_panel.cpp)
    PeakAnalysisInput input() const;
    void identify();
    void storeSettings();
    void readFieldsIntoSettings();
    void setRule(IdWindowRule rule);
    void setFwhmMult(double value);
    void afterListChange();
    void showSettings();
    void refreshList();
    void refreshEditFields();
    void refreshOverlay();
    void refreshCharts();
    PeakShadingView shadingView() const;
    PeakOverlayContent overlayContent() const;
    double axisX(int channel) const;
    std::optional<PeakMove> keyMove(QObject* field, int key) const;

    Application& m_app;
    ChartArea& m_charts;
    std::unique_ptr<PeakAnalysis> m_state;
    std::unique_ptr<PeakChartSources> m_sources;
    std::unique_ptr<PeakChartOverlay> m_overlay;
    PeakSearchSettings m_search;
    IdentificationSettings m_id;
    mutable DetectorRecord m_spareRecord;   // MCA 1 without a detector table
    ReportPresenter m_presenter;
    bool m_overlayHidden = false;   // full screen clears the analysis traces

    SteppedSpinBox* m_sensitivity = nullptr;
    SteppedSpinBox* m_significance = nullptr;
    QSpinBox* m_lowCutoff = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_report = nullptr;
    QPushButton* m_defaults = nullptr;
    QTableWidget* m_table = nullptr;
    QSpinBox* m_peakNumber = nullptr;
    QLineEdit* m_centroidKeV = nullptr;
    QLineEdit* m_centroidChannel = nullptr;
    QLineEdit* m_leftKeV = nullptr;
    QLineEdit* m_leftChannel = nullptr;
    QLineEdit* m_rightKeV = nullptr;
    QLineEdit* m_rightChannel = nullptr;
    std::array<QToolButton*, 12> m_moves{};
    QPushButton* m_kill = nullptr;
    QCheckBox* m_allowEdit = nullptr;
    QCheckBox* m_allowAdd = nullptr;
    QCheckBox* m_showFit = nullptr;
    QCheckBox* m_show2nd = nullptr;
    QCheckBox* m_showExpanded = nullptr;
    QCheckBox* m_showLabels = nullptr;
    QRadioButton* m_ruleKeV = nullptr;
    QRadioButton* m_rulePercent = nullptr;
    QRadioButton* m_ruleArea = nullptr;
    QRadioButton* m_ruleFwhm = nullptr;
    QDoubleSpinBox* m_keVSpread = nullptr;
    QDoubleSpinBox* m_percentSpread = nullptr;
    QDoubleSpinBox* m_fwhmMult = nullptr;
};

}  // namespace gui
}  // namespace mca
