// The "Done!" window of a preset end: it tells the operator that a preset was reached and beeps
// once a second until "&Acknowledged!" is pressed. It is not modal, so the end of the acquisition
// (saving, the field-station analysis, a waiting script) goes on while it rings.
#pragma once

#include "core/operator.h"
#include "core/scheduler.h"

#include <QDialog>

#include <optional>

namespace mca::gui {

inline constexpr const char* kPresetReachedText = "Either the Time or the Total Counts preset has been reached!";
inline constexpr int kDoneBeepIntervalMs = 1000;

class DoneWindow : public QDialog {
    Q_OBJECT
public:
    // Beeps through `op` on a timer of `scheduler`.
    DoneWindow(Operator& op, Scheduler& scheduler, QWidget* parent = nullptr);
    ~DoneWindow() override;

    bool ringing() const { return m_timer.has_value(); }

public slots:
    // Shows the window and beeps now and every second after; a window already ringing is only
    // raised.
    void ring();
    // "&Acknowledged!": the beeping stops and the window closes.
    void acknowledge();

protected:
    // Closing the window in any way acknowledges it.
    void done(int result) override;

private:
    void stopRinging();

    Operator& m_op;
    Scheduler& m_scheduler;
    std::optional<TimerId> m_timer;
};

}  // namespace mca::gui
