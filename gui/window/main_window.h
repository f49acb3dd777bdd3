// The workstation's main window: menus, tool bar, the side panels, the spectrum charts and the
// status bar. It mirrors what the core decides (captions, indicator, status texts, which commands
// are offered) and hands every command to the core; it computes nothing itself.
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QComboBox;
class QCloseEvent;
class QToolBar;

namespace mca {

class Application;
class ChartArea;
class EnergyFitWindow;
class WindowChartSources;
class FineTune;

namespace gui {
class DetectorStatusWindow;
class FineTuneWindow;
class GainStabilizationWindow;
class EnergyCalWindow;
class HardwarePanel;
class PeakPanel;
class PresetPanel;
class SamplePanel;
}  // namespace gui

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Application& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Every open chart redrawn and the window's texts brought up to date: once per acquisition
    // second and after each command.
    void refreshView();
    // The acquisition tick's redraw: the charts only; the texts follow at the tick's end.
    void redrawCharts();
    // Clear: found peaks go with the spectrum; the command that cleared refreshes the rest.
    void spectrumCleared();
    // The end of a tick: the short read-out and the window's texts.
    void refreshTickReadout();
    // Captions, indicator, labels, status panels, enabled and visible commands, from the core.
    void applyScreenState();
    // Maximised, or the size and position the command line gave.
    void applyPlacement();

    ChartArea& charts() { return *m_charts; }

    // Set when the close sequence ran and agreed, so the window may go.
    bool closed() const { return m_closed; }
    // The start sequence has ended; before that a close request is refused, since the close
    // sequence would run in the middle of it.
    void setStarted() { m_started = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A menu item or button that runs `command` at the command boundary: an error the core throws
    // is shown to the operator, and the view is refreshed afterwards.
    QAction* addCommand(QMenu* menu, const QString& caption, std::function<void()> command);
    void runCommand(const std::function<void()>& command);

    void buildCentral();
    void buildToolBar();
    void buildStatusStrip(QToolBar* bar);
    void buildStatusBar();
    void buildMenus();
    void buildFileMenu();
    void buildAcquireMenu();
    void buildDisplayMenu();
    void addScaleAndSmoothingItems(QMenu* menu);
    void addTraceItems(QMenu* menu);
    void addAxesItems(QMenu* menu);
    void buildColourMenu();
    void buildCalibrateMenu();
    void buildInstrumentMenu();
    void buildAnalyzeMenu();
    void buildHelpMenu();
    void showPeakPanel(bool on);
    void applyVisibility();
    void applyStatusTexts();
    void chartDoubleClicked(int chart, double axisX);
    void showEnergyCalWindow();
    void showEnergyFitWindow();
    void showDetectorStatus();
    void addDetector();
    void removeDetector();
    void showFineTune();
    void showGainStabilization();

    Application& m_app;
    ChartArea* m_charts = nullptr;
    std::unique_ptr<WindowChartSources> m_chartSources;
    gui::HardwarePanel* m_hardwarePanel = nullptr;
    gui::PresetPanel* m_presetPanel = nullptr;
    gui::SamplePanel* m_samplePanel = nullptr;
    gui::PeakPanel* m_peakPanel = nullptr;
    QAction* m_peakPanelAction = nullptr;
    gui::EnergyCalWindow* m_energyCal = nullptr;
    EnergyFitWindow* m_energyFit = nullptr;
    gui::DetectorStatusWindow* m_detectorStatus = nullptr;
    gui::GainStabilizationWindow* m_stabilization = nullptr;
    // The fine-tune tool lives as long as the window; its window is made when first opened.
    class FineTuneHooksForWindow;
    std::unique_ptr<FineTuneHooksForWindow> m_fineTuneHooks;
    std::unique_ptr<FineTune> m_fineTune;
    gui::FineTuneWindow* m_fineTuneWindow = nullptr;

    QLabel* m_indicator = nullptr;
    QLabel* m_notSaved = nullptr;
    QLabel* m_fileName = nullptr;
    QLineEdit* m_elapsed = nullptr;
    QComboBox* m_chooser = nullptr;
    QComboBox* m_twoView = nullptr;
    QPushButton* m_runLastScript = nullptr;
    std::vector<QPushButton*> m_acquisitionButtons;
    std::vector<QLabel*> m_statusPanels;
    QWidget* m_sidePanel = nullptr;
    QActionGroup* m_xAxisGroup = nullptr;
    QAction* m_hvAction = nullptr;
    QAction* m_deadTimeAction = nullptr;

    // Commands grouped by what hides or disables them.
    std::vector<QAction*> m_advanced;        // hidden by -Simplified
    std::vector<QAction*> m_quadOnly;        // shown only with -Quad
    std::vector<QAction*> m_networkHidden;   // hidden by -RNMODE
    std::vector<QAction*> m_onlineOnly;      // disabled offline
    std::vector<QAction*> m_energyAxis;      // need an energy calibration

    bool m_closed = false;
    bool m_closing = false;
    bool m_started = false;
};

}  // namespace mca
