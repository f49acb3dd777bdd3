// The resolution mode, the ADC smoothing and the ADC corrections switch.
#include "device/hardware_control.h"

namespace mca {

namespace {

constexpr int kModeCount = 5;
constexpr int kAfterModeMs = 500;
constexpr int kMaxSmoothing = 4;

}  // namespace

int adcSmoothingFor(ResolutionMode mode) {
    switch (mode) {
    case ResolutionMode::Channels4096:
    case ResolutionMode::Channels2048: return 4;
    case ResolutionMode::Channels1024: return 3;
    case ResolutionMode::Channels512: return 2;
    case ResolutionMode::Channels256: return 1;
    }
    return kMaxSmoothing;
}

int modeAddressedInstrument(const AppState& state) {
    for (int n = 1; n <= kInstrumentCount; ++n) {
        if (state.hardwareTarget == n || static_cast<int>(state.view.chooser) == n) return n;
    }
    return 1;
}

ChartXAxis HardwareControl::xAxis(int n) const { return m_xAxis.at(static_cast<std::size_t>(n - 1)); }

bool HardwareControl::setMode(int m) {
    if (m < 1 || m > kModeCount) return false;
    return setModeOf(modeAddressedInstrument(m_w.state), static_cast<ResolutionMode>(m - 1));
}

bool HardwareControl::setModeOf(int n, ResolutionMode mode) {
    const Frame frame{.needsRecord = false, .restart = false};
    return runFramed(n, frame, [&] {
        const Link link = linkTo(n);
        const int channels = channelsOf(mode);
        link.port.purge();
        sendResolutionMode(link, mode);
        m_xAxis[static_cast<std::size_t>(n - 1)] = ChartXAxis{-1, channels - 2};
        m_boldModeButton = static_cast<int>(mode) + 1;
        m_w.session(n).settings.mode = mode;
        m_w.state.channelCount = channels;
        m_w.platform.waiter.pause(kAfterModeMs);
        sendAdcSmoothing(link, m_adcCorrections ? adcSmoothingFor(mode) : 0);
    });
}

bool HardwareControl::setAdcSmoothing(int digit) {
    if (digit < 0 || digit > kMaxSmoothing) return false;
    const int n = modeAddressedInstrument(m_w.state);
    if (!usable(n, Frame{.needsRecord = false})) return false;
    try {
        sendAdcSmoothing(linkTo(n), digit);
    } catch (const SerialPortError& e) {
        reportPortFailure(e);
    }
    return true;
}

bool HardwareControl::setAdcCorrections(bool on) {
    m_adcCorrections = on;
    const int n = modeAddressedInstrument(m_w.state);
    return setAdcSmoothing(on ? adcSmoothingFor(m_w.session(n).settings.mode) : 0);
}

}  // namespace mca
