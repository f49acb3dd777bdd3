// The spectrum area of the main window: the four charts in their layout, their refresh from the
// core's state, the cursor read-out, and the display commands of the View and Colors menus. The
// commands change the settings in the core and redraw; the numbers come from the display layer.
#pragma once

// moc cannot parse the C++20 library headers these bring in; it needs only the names.
#ifndef Q_MOC_RUN
#include "chart_pictures.h"
#include "chart_sources.h"
#include "chart_trace.h"
#include "core/settings.h"
#include "display/chart_axes.h"

#include <array>
#include <memory>
#include <optional>
#endif

#include <QWidget>

namespace mca {

class Application;
class SpectrumChart;

class ChartArea : public QWidget {
    Q_OBJECT
public:
    explicit ChartArea(Application& app, QWidget* parent = nullptr);
    ~ChartArea() override;

    // The data of later subsystems; the area keeps a default that has none. `sources` must
    // outlive the area or be replaced first.
    void setSources(ChartSources& sources);
    ChartSources& sources() const { return *m_sources; }

    // Chart k, 1..4 (null for any other number).
    SpectrumChart* chart(int k) const;
    bool chartShown(int k) const;
    // The energy axis modes need an energy calibration.
    bool energyAxisAvailable() const;
    XAxisMode xAxisMode() const;
    bool fullScreen() const { return m_fullScreen; }

    // Test hook: runs the print preview and printer setup dialogs (default: exec()).
    void setDialogRunner(ChartPictures::DialogRunner runner);

public slots:
    // Refreshes
    void refreshChart(int k);
    void refreshAll();
    void refreshPeakShading();
    void refreshPeakMarkers();
    void refreshStatic();
    void tickReadout();
    void updateLayout();
    void setFullScreen(bool on);
    // The read-out for a mouse position in chart k's plot (pixels of the plot widget).
    void readoutAt(int k, QPoint pixel);

    // Axes
    void showXAxisAsChannels();
    void showXAxisAsKeV();
    void showXAxisAsMeV();
    void setLinearYAxis();
    void setLogarithmicYAxis();
    void undoZoom();
    void setAxesDisplayed(bool on);
    void toggleAxesDisplay();
    void showGridAndAxisLabels();
    void showJustAxisLabels();
    void setQuickGrow(bool on);

    // Traces
    void setSmoothFactor(int factor);
    void setBackgroundSubtracted(bool on);
    void setShowRois(bool on);
    void setShowStatic(bool on);
    void setPersist(bool on);
    void setMainTraceStyle(mca::TraceStyle style);
    void setStaticTraceStyle(mca::TraceStyle style);

    // Colours: each asks the operator, preset to the current colour.
    void chooseMainSpectrumColour();
    void chooseStaticSpectrumColour();
    void chooseBackgroundColour();
    void chooseRoiColour();
    void chooseSelectedRoiColour();
    void chooseFoundPeaksColour();
    void chooseIsotopeLinesColour();
    void chooseGridColour();
    void chooseLabelColour();
    void resetColours();

    // Pictures and printing (chart 1, or the given window)
    void captureSpectrumToClipboard();
    void saveSpectrumAsGraphic();
    void captureScreenToClipboard(QWidget* window);
    void saveScreenAsGraphic(QWidget* window);
    void printPreviewColour();
    void printPreviewBlackAndWhite();
    void printerSetup();

signals:
    // A double-click on chart k's plot area at bottom-axis position x (channels, keV by mode).
    void chartDoubleClicked(int chart, double axisX);
    // The axis mode changed: the nuclide lines and analysis traces follow.
    void xAxisModeChanged();
    void isotopeLinesColourChanged();
    // Full screen: the fit and derivative traces of the analysis windows are cleared.
    void fullScreenChanged(bool on);

private:
    Workstation& workstation() const;
    Settings& settings() const;
    void setXAxisMode(XAxisMode mode);
    void applyColours();
    void applyAxes();
    void applyScale();
    void replotAll();
    void drawStatic(SpectrumChart& chart);
    void showOverall(int k);
    void cursorMoved(int k, std::optional<double> axisX);
    void chooseColour(ColourRef Settings::*colour);
    void afterColourChange();
    int peakChart() const;
    PeakShading currentPeakShading() const;
    QString previewTitle() const;
    QString chartTitle(int k) const;

    Application& m_app;
    ChartSources m_defaultSources;
    ChartSources* m_sources = &m_defaultSources;
    std::array<SpectrumChart*, 4> m_charts{};
    std::array<std::unique_ptr<ChartTrace>, 4> m_traces;
    std::array<std::optional<double>, 4> m_cursorX;   // x under the mouse, while over the plot
    std::array<CursorReadout, 4> m_readouts;
    ChartPictures m_pictures;
    bool m_monochrome = false;   // chart 1 black on white for the B+W preview
    bool m_fullScreen = false;
};

}  // namespace mca
