// The "High Voltage Ramp" window: the message, a progress bar of four seconds and the countdown
// line, shown while the core's HvRamp holds a high-voltage command, closing itself when the ramp
// is done. It has no button, and the operator cannot close it while it counts. The timing is the
// core's; this window only mirrors HvRamp's state through its observer.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QDialog>

#include "device/hv_ramp.h"

class QLabel;
class QProgressBar;

namespace mca::gui {

class HvRampWindow : public QDialog {
    Q_OBJECT

public:
    // Observes `ramp` (which must outlive the window) until destroyed; one window per ramp.
    explicit HvRampWindow(HvRamp& ramp, QWidget* parent = nullptr);
    ~HvRampWindow() override;

    // Shows the ramp's current state: opens, updates or closes the window.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void mirror(const mca::HvRampWindow& state);

    HvRamp& m_ramp;
    QLabel* m_message = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_countdown = nullptr;
};

}  // namespace mca::gui
