// The boundary for unattended runs.
#include "core/quiet_platform.h"

#include <ostream>

namespace mca {

void QuietPlatform::message(const std::string& text, const std::string&, MessageKind) {
    m_messages.push_back(text);
    if (m_echo) *m_echo << text << "\n";
}

Answer QuietPlatform::question(const std::string& text, const std::string&, const Buttons& buttons) {
    m_messages.push_back(text);
    if (m_echo) *m_echo << text << "\n";
    return buttons.empty() ? Answer::Cancel : buttons.back();
}

std::unique_ptr<SerialPort> QuietPlatform::open(int comNumber, int) {
    throw SerialPortError("COM" + std::to_string(comNumber) + " is not available");
}

}  // namespace mca
