// The "Gain Stabilization Setup" window: the five stabilization parameters (OK stores them into
// the settings), "Show" to mark the target channel on the chart, and the running state of the
// background stabilization: evaluations, adjustments, the fine-gain range reached since Clear and,
// when asked for, its message log.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QDialog>

#include "core/workstation.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace mca {
class GainStabilization;
struct GainStabilizationSetup;
}  // namespace mca

namespace mca::gui {

class GainStabilizationWindow : public QDialog {
    Q_OBJECT

public:
    // `w` and `stabilization` must outlive the window.
    GainStabilizationWindow(Workstation& w, const GainStabilization& stabilization, QWidget* parent = nullptr);

    // Reads the parameters from the settings again, as when the window opens.
    void load();
    // The running state and the message log; the main window calls it after each tick.
    void refresh();
    // What the fields hold now.
    GainStabilizationSetup setup() const;

signals:
    // "Show": the chart marks this channel.
    void showTargetChannel(int channel);
    // OK stored the parameters.
    void setupStored();

public slots:
    // OK.
    void accept() override;

private:
    Workstation& m_w;
    const GainStabilization& m_stabilization;
    QSpinBox* m_targetChannel = nullptr;
    QSpinBox* m_plusMinus = nullptr;
    QSpinBox* m_targetSum = nullptr;
    QSpinBox* m_imbalance = nullptr;
    QCheckBox* m_applied = nullptr;
    QCheckBox* m_showMessages = nullptr;
    QLabel* m_counts = nullptr;
    QLabel* m_range = nullptr;
    QListWidget* m_messages = nullptr;
};

}  // namespace mca::gui
