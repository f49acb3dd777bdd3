// High voltage: sending it with its ramp, the enable and disable menu item, the not-to-exceed
// voltage, and the detector change's switch-off.
#include "device/hardware_control.h"

#include "core/number_text.h"

#include <algorithm>

namespace mca {

namespace {

std::size_t slot(int n) { return static_cast<std::size_t>(n - 1); }

}  // namespace

double HardwareControl::transmitHighVoltage(int n, double volts) {
    InstrumentSession& s = m_w.session(n);
    const double v = std::clamp(volts, 0.0, highVoltageLimit(s));
    sendHighVoltage(linkTo(n), v, s.hvFullScale);
    m_ramp.run(n, v);
    s.settings.highVoltage = v;
    // Zero is "off", not a working voltage: what Enable restores stays the last one that was.
    if (v > 0) {
        s.hvApplied = v;
        if (m_panel.instrument() == n) m_panel.clearTypedRestoreVoltage();
    }
    return v;
}

void HardwareControl::showHighVoltageStatus(int n, double volts) {
    const bool on = volts > 0;
    m_hvOn[slot(n)] = on;
    ScreenState& screen = m_w.screen;
    screen.hvStatus = on ? "On" : "Off";
    screen.hvText = on ? formatFull(volts) + " V" : "0 V";
    screen.hvMenuCaption = on ? "Disable High &Voltage" : "Enable High &Voltage";
}

double HardwareControl::restoreVoltage(int n) const {
    if (m_panel.instrument() == n && m_panel.typedRestoreVoltage()) return *m_panel.typedRestoreVoltage();
    return m_w.session(n).hvApplied;
}

bool HardwareControl::highVoltageOn(int n) const { return m_hvOn.at(slot(n)); }

bool HardwareControl::disableHighVoltage() {
    const int n = addressedInstrument(m_w.state, m_w.sessions);
    // Switching off is never refused for want of a detector record.
    return runFramed(n, Frame{.settle = true, .needsRecord = false}, [&] {
        m_panel.setPending(SetButton::HighVoltage, false);
        transmitHighVoltage(n, 0.0);
        showOnPanel(n, SetButton::HighVoltage);
        showHighVoltageStatus(n, 0.0);
        m_hvOffByMenu[slot(n)] = true;
    });
}

bool HardwareControl::enableHighVoltage() {
    const int n = addressedInstrument(m_w.state, m_w.sessions);
    const double volts = restoreVoltage(n);
    return runFramed(n, Frame{.settle = true, .needsRecord = false}, [&] {
        m_panel.setPending(SetButton::HighVoltage, false);
        const double sent = transmitHighVoltage(n, volts);
        showOnPanel(n, SetButton::HighVoltage);
        showHighVoltageStatus(n, sent);
        m_hvOffByMenu[slot(n)] = false;
    });
}

bool HardwareControl::setNotToExceed() {
    if (!m_panel.notToExceedEditable()) return false;
    return setNotToExceed(m_panel.values().notToExceedVoltage);
}

bool HardwareControl::setNotToExceed(double volts) {
    const int n = addressedInstrument(m_w.state, m_w.sessions);
    if (m_busy || m_w.state.offline || !m_databases.loaded(n)) return false;
    InstrumentSession& s = m_w.session(n);
    const double v = std::clamp(volts, 0.0, static_cast<double>(s.hvFullScale));
    SelectedRecord(m_databases, n)[field::kNotToExceed] = formatFull(v);
    s.settings.notToExceedVoltage = v;
    if (m_panel.instrument() == n) {
        m_panel.editNotToExceed(v);
        m_panel.setHvLimit(highVoltageLimit(s));
    }
    return true;
}

void HardwareControl::setInstrumentHighVoltage(int n, double volts) {
    if (!linked(n)) return;
    try {
        transmitHighVoltage(n, volts);
        showOnPanel(n, SetButton::HighVoltage);
        m_hvOn[slot(n)] = m_w.session(n).settings.highVoltage > 0;
    } catch (const SerialPortError& e) {
        reportPortFailure(e);
    }
}

bool HardwareControl::sendDetectorHighVoltage(int n) {
    return runFramed(n, Frame{.settle = true, .needsRecord = false}, [&] {
        const double sent = transmitHighVoltage(n, m_w.session(n).settings.highVoltage);
        showOnPanel(n, SetButton::HighVoltage);
        showHighVoltageStatus(n, sent);
        m_hvOffByMenu[slot(n)] = false;
    });
}

void HardwareControl::switchHighVoltageOff(int n) {
    InstrumentSession& s = m_w.session(n);
    if (m_panel.instrument() == n) {
        HardwareSettings off = m_panel.values();
        off.highVoltage = 0.0;
        m_panel.showSent(SetButton::HighVoltage, off);
    }
    if (!linked(n)) return;
    try {
        const Link link = linkTo(n);
        sendPrepareHighVoltageOff(link);
        sendHighVoltage(link, 0.0, s.hvFullScale);
        s.settings.highVoltage = 0.0;
        m_hvOn[slot(n)] = false;
    } catch (const SerialPortError& e) {
        reportPortFailure(e);
    }
}

void HardwareControl::rampHighVoltageDown(int n) { m_ramp.run(n, 0.0); }

void HardwareControl::writeBackWorkingHighVoltage(int n) {
    if (!m_hvOffByMenu.at(slot(n)) || !m_databases.loaded(n)) return;
    const double working = restoreVoltage(n);
    if (working > 0) SelectedRecord(m_databases, n)[field::kHighVoltage] = formatFull(working);
}

}  // namespace mca
