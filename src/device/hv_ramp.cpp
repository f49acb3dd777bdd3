// The high-voltage ramp wait.
#include "device/hv_ramp.h"

#include "core/number_text.h"

#include <stdexcept>
#include <utility>

namespace mca {

namespace {

constexpr int kSecondMs = 1000;
// The countdown is watched in short slices so that a timer firing a little late in the real event
// loop costs at most one slice.
constexpr int kWatchSliceMs = 50;
// Twice the countdown: a scheduler that never fires must not hold the caller for ever.
constexpr int kMaxWatchSlices = 2 * kHvRampSeconds * kSecondMs / kWatchSliceMs;

std::size_t slot(int instrument) {
    if (instrument < 1 || instrument > kInstrumentCount) {
        throw std::out_of_range("No instrument MCA " + std::to_string(instrument));
    }
    return static_cast<std::size_t>(instrument - 1);
}

}  // namespace

std::string hvRampMessage(double previousVolts, double newVolts) {
    const char* direction = newVolts < previousVolts ? "V down to " : "V to ";
    return "Changing high voltage from " + formatGeneral(previousVolts, 4) + direction + formatFull(newVolts) +
           "V. This will take approximately " + std::to_string(kHvRampSeconds) + " seconds to complete.";
}

std::string hvRampCountdown(int progress) { return std::to_string(kHvRampSeconds - progress) + " seconds to go"; }

HvRamp::~HvRamp() {
    if (m_timer) m_scheduler.stopTimer(*m_timer);
}

double HvRamp::previousVoltage(int instrument) const { return m_previous[slot(instrument)]; }

void HvRamp::setPreviousVoltage(int instrument, double volts) { m_previous[slot(instrument)] = volts; }

void HvRamp::run(int instrument, double newVolts) {
    const std::size_t n = slot(instrument);
    // A ramp is modal; a second one asked for while it shows must not take over its timer.
    if (m_window.open) {
        m_previous[n] = newVolts;
        return;
    }
    m_window = HvRampWindow{true, hvRampMessage(m_previous[n], newVolts), 0, {}, false};
    notify();
    m_timer = m_scheduler.startTimer(kSecondMs, [this] { onSecond(); });
    waitForCountdown();
    m_waiter.pause(kSecondMs);
    m_window.countdown = kHvRampComplete;
    notify();
    m_waiter.pause(kSecondMs);
    m_window.open = false;
    m_window.done = true;
    notify();
    m_previous[n] = newVolts;
}

void HvRamp::onSecond() {
    if (m_window.progress >= kHvRampSeconds) return;
    ++m_window.progress;
    m_window.countdown = hvRampCountdown(m_window.progress);
    if (m_window.progress == kHvRampSeconds && m_timer) {
        m_scheduler.stopTimer(*m_timer);
        m_timer.reset();
    }
    notify();
}

void HvRamp::waitForCountdown() {
    for (int slice = 0; slice < kMaxWatchSlices && m_window.progress < kHvRampSeconds; ++slice) {
        m_waiter.pause(kWatchSliceMs);
    }
    if (m_timer) {
        m_scheduler.stopTimer(*m_timer);
        m_timer.reset();
    }
}

void HvRamp::notify() {
    if (m_observer) m_observer(m_window);
}

}  // namespace mca
