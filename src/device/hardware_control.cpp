// The Set operations and the frame they share.
#include "device/hardware_control.h"

#include "device/busy_scope.h"

#include "core/number_text.h"

#include <algorithm>
#include <stdexcept>

namespace mca {

namespace {

constexpr int kSettleAfterStopMs = 100;
constexpr int kLowThresholdLimit = 100;
constexpr int kOffsetAboveThreshold = 100;
// Each Set button at most once, and the fine gain once more after a coarse gain.
constexpr int kMaxChainedEdits = static_cast<int>(kPendingOrder.size()) + 1;

int recordColumn(SetButton button) {
    switch (button) {
    case SetButton::HighVoltage: return field::kHighVoltage;
    case SetButton::Threshold: return field::kThreshold;
    case SetButton::Input: return field::kInput;
    case SetButton::CoarseGain: return field::kCoarseGain;
    case SetButton::FineGain: return field::kFineGain;
    case SetButton::ShapingTime: return field::kShapingTime;
    }
    throw std::logic_error("unknown Set button");
}

std::string columnText(SetButton button, const HardwareSettings& s) {
    switch (button) {
    case SetButton::HighVoltage: return formatFull(s.highVoltage);
    case SetButton::Threshold: return std::to_string(s.threshold);
    case SetButton::Input: return std::to_string(s.inputIndex);
    case SetButton::CoarseGain: return std::to_string(s.coarseGainIndex);
    case SetButton::FineGain: return std::to_string(s.fineGain);
    case SetButton::ShapingTime: return std::to_string(s.shapingIndex);
    }
    throw std::logic_error("unknown Set button");
}

}  // namespace

int offsetForThreshold(int threshold) {
    const int offset = threshold <= kLowThresholdLimit ? 2 * threshold : threshold + kOffsetAboveThreshold;
    return std::clamp(offset, 0, kMaxOffsetSetting);
}

HardwareControl::HardwareControl(Workstation& workstation, AcquisitionEngine& engine, DetectorDatabases& databases,
                                 HvRamp& ramp)
    : m_w(workstation), m_engine(engine), m_databases(databases), m_ramp(ramp) {}

void HardwareControl::showInstrument(int n) {
    const InstrumentSession& s = m_w.session(n);
    m_panel.load(n, s.settings, highVoltageLimit(s));
}

bool HardwareControl::linked(int n) const {
    const InstrumentSession& s = m_w.session(n);
    return !m_w.state.offline && s.open && s.port;
}

bool HardwareControl::usable(int n, const Frame& frame) const {
    return !m_busy && linked(n) && (!frame.needsRecord || m_databases.loaded(n));
}

Link HardwareControl::linkTo(int n) { return Link{*m_w.session(n).port, m_w.platform.waiter, m_w.state.networkMode}; }

void HardwareControl::reportPortFailure(const SerialPortError& error) {
    m_w.op().message(error.what(), std::string(m_w.state.edition.windowCaption), MessageKind::Error);
}

bool HardwareControl::runFramed(int n, const Frame& frame, const std::function<void()>& body) {
    if (!usable(n, frame)) return false;
    BusyScope busy(m_busy);
    const bool wasAcquiring = m_w.state.acquiring;
    if (wasAcquiring) {
        m_engine.stopAcquisition();
        m_w.platform.waiter.pause(frame.settle ? kSettleAfterStopMs : 0);
    }
    bool sent = true;
    try {
        body();
    } catch (const SerialPortError& e) {
        reportPortFailure(e);
        sent = false;
    }
    if (wasAcquiring && frame.restart) m_engine.startAcquisition();
    return sent;
}

bool HardwareControl::setFromPanel(SetButton button) {
    const int n = addressedInstrument(m_w.state, m_w.sessions);
    const bool settle = button == SetButton::HighVoltage || button == SetButton::Input;
    return runFramed(n, Frame{.settle = settle}, [&] {
        sendEdit(n, button);
        sendPendingEdits(n);
    });
}

void HardwareControl::sendPendingEdits(int n) {
    for (int i = 0; i < kMaxChainedEdits; ++i) {
        const auto next = m_panel.firstPending();
        if (!next) return;
        sendEdit(n, *next);
    }
}

void HardwareControl::sendEdit(int n, SetButton button) {
    const HardwareSettings edited = m_panel.values();
    // Disabled before anything goes out, so the sequence cannot be started again from its pauses.
    m_panel.setPending(button, false);
    transmit(n, button, edited);
    writeRecord(n, button);
    showOnPanel(n, button);
    if (button == SetButton::HighVoltage) {
        const double volts = m_w.session(n).settings.highVoltage;
        showHighVoltageStatus(n, volts);
        m_hvOffByMenu[static_cast<std::size_t>(n - 1)] = false;
    }
    if (button == SetButton::CoarseGain) m_panel.setPending(SetButton::FineGain, true);
}

void HardwareControl::transmit(int n, SetButton button, const HardwareSettings& values) {
    InstrumentSession& s = m_w.session(n);
    HardwareSettings& cached = s.settings;
    const Link link = linkTo(n);
    switch (button) {
    case SetButton::HighVoltage: transmitHighVoltage(n, values.highVoltage); return;
    case SetButton::Threshold: transmitThreshold(n, values.threshold); return;
    case SetButton::Input:
        sendInput(link, values.inputIndex);
        cached.inputIndex = values.inputIndex;
        return;
    case SetButton::CoarseGain:
        sendCoarseGain(link, values.coarseGainIndex);
        cached.coarseGainIndex = values.coarseGainIndex;
        return;
    case SetButton::FineGain:
        sendFineGain(link, values.fineGain);
        cached.fineGain = values.fineGain;
        return;
    case SetButton::ShapingTime:
        sendShapingTime(link, values.shapingIndex);
        cached.shapingIndex = values.shapingIndex;
        return;
    }
}

void HardwareControl::writeRecord(int n, SetButton button) {
    SelectedRecord(m_databases, n)[recordColumn(button)] = columnText(button, m_w.session(n).settings);
}

void HardwareControl::showOnPanel(int n, SetButton button) {
    if (m_panel.instrument() == n) m_panel.showSent(button, m_w.session(n).settings);
}

void HardwareControl::transmitThreshold(int n, int threshold) {
    InstrumentSession& s = m_w.session(n);
    const int t = std::clamp(threshold, 0, kMaxThresholdSetting);
    const int offset = offsetForThreshold(t);
    // The offset floor follows the threshold too, so a later "offset to MinOffset" keeps it.
    m_w.settings.minOffset = offset;
    sendThresholdOffset(linkTo(n), t, offset);
    s.settings.threshold = t;
    s.settings.offset = offset;
}

void HardwareControl::sendOffset(int n, int offset) {
    InstrumentSession& s = m_w.session(n);
    const int o = std::clamp(offset, 0, kMaxOffsetSetting);
    sendThresholdOffset(linkTo(n), s.settings.threshold, o);
    s.settings.offset = o;
    if (m_panel.instrument() == n) m_panel.showOffset(o);
}

bool HardwareControl::setHighVoltage() { return setFromPanel(SetButton::HighVoltage); }
bool HardwareControl::setThreshold() { return setFromPanel(SetButton::Threshold); }
bool HardwareControl::setInput() { return setFromPanel(SetButton::Input); }
bool HardwareControl::setCoarseGain() { return setFromPanel(SetButton::CoarseGain); }
bool HardwareControl::setFineGain() { return setFromPanel(SetButton::FineGain); }
bool HardwareControl::setShapingTime() { return setFromPanel(SetButton::ShapingTime); }

bool HardwareControl::setHighVoltage(double volts) {
    m_panel.editHighVoltage(volts);
    return setHighVoltage();
}

bool HardwareControl::setThreshold(int threshold) {
    m_panel.editThreshold(threshold);
    return setThreshold();
}

bool HardwareControl::setInput(int index) {
    m_panel.chooseInput(index);
    return setInput();
}

bool HardwareControl::setCoarseGain(int index) {
    m_panel.chooseCoarseGain(index);
    return setCoarseGain();
}

bool HardwareControl::setFineGain(int position) {
    m_panel.editFineGain(position);
    return setFineGain();
}

bool HardwareControl::setShapingTime(int index) {
    m_panel.chooseShapingTime(index);
    return setShapingTime();
}

bool HardwareControl::setFineGainOf(int n, int position) {
    return runFramed(n, Frame{}, [&] {
        HardwareSettings values = m_w.session(n).settings;
        values.fineGain = std::clamp(position, 0, kMaxFineGain);
        transmit(n, SetButton::FineGain, values);
        writeRecord(n, SetButton::FineGain);
        showOnPanel(n, SetButton::FineGain);
    });
}

void HardwareControl::showPendingFineGain(int n, int position) {
    if (m_panel.instrument() == n) m_panel.editFineGain(position);
}

bool HardwareControl::setOffset() {
    const int n = addressedInstrument(m_w.state, m_w.sessions);
    return runFramed(n, Frame{}, [&] {
        sendOffset(n, m_w.settings.minOffset);
        sendPendingEdits(n);
    });
}

bool HardwareControl::setOffsetOf(int n, int offset) {
    return runFramed(n, Frame{.needsRecord = false}, [&] { sendOffset(n, offset); });
}

}  // namespace mca
