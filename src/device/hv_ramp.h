// The "High Voltage Ramp" wait that follows every high-voltage command: the supply needs time to
// settle, so the caller is held for four counted seconds, "COMPLETE!" and one more second. The
// window only mirrors the state kept here; time runs through Scheduler and Waiter, so tests pass
// through the six seconds in virtual time.
#pragma once

#include "core/instrument_session.h"
#include "core/scheduler.h"
#include "core/waiter.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace mca {

inline constexpr int kHvRampSeconds = 4;
inline constexpr const char* kHvRampComplete = "COMPLETE!";

// "Changing high voltage from <previous>V to <new>V. This will take approximately 4 seconds to
// complete."; "V down to " when the new voltage is below the previous one. The previous voltage is
// written with four significant digits, the new one as the HV field shows it.
std::string hvRampMessage(double previousVolts, double newVolts);

// The countdown line after `progress` (1..4) seconds: "3 seconds to go" ... "0 seconds to go".
std::string hvRampCountdown(int progress);

// What the window shows.
struct HvRampWindow {
    bool open = false;
    std::string message;
    int progress = 0;          // 0..kHvRampSeconds, the progress bar
    std::string countdown;     // empty, "n seconds to go", or "COMPLETE!"
    bool done = false;         // the last ramp closed itself
};

class HvRamp {
public:
    HvRamp(Scheduler& scheduler, Waiter& waiter) : m_scheduler(scheduler), m_waiter(waiter) {}
    ~HvRamp();
    HvRamp(const HvRamp&) = delete;
    HvRamp& operator=(const HvRamp&) = delete;

    // Shows the window for instrument n (1..4) going to `newVolts`, returns when it has closed
    // itself (about six seconds), then records `newVolts` as the instrument's previous HV.
    // Throws std::out_of_range for any other instrument number.
    void run(int instrument, double newVolts);

    // The voltage of instrument n's last completed HV command; 0 at start.
    double previousVoltage(int instrument) const;
    // A detector change sets MCA 1's back to 0.
    void setPreviousVoltage(int instrument, double volts);

    const HvRampWindow& window() const { return m_window; }
    // Called after every change of the window's state (shown, each second, complete, closed).
    void setObserver(std::function<void(const HvRampWindow&)> observer) { m_observer = std::move(observer); }

private:
    void onSecond();
    void waitForCountdown();
    void notify();

    Scheduler& m_scheduler;
    Waiter& m_waiter;
    HvRampWindow m_window;
    std::optional<TimerId> m_timer;
    std::array<double, kInstrumentCount> m_previous{};
    std::function<void(const HvRampWindow&)> m_observer;
};

}  // namespace mca
