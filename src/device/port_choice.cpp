// The COM-port dialog.
#include "device/port_choice.h"

#include "core/errors.h"
#include "core/settings_store.h"

#include <algorithm>

namespace mca {

namespace {

constexpr std::size_t kPrefixLength = 3;   // "COM"

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

void storeChoice(Workstation& w, PortPurpose purpose, const std::string& name) {
    if (purpose == PortPurpose::MetStation) w.settings.lastMetStationPort = name;
    try {
        writeSetting(w, portSettingKey(w.state, purpose), name);
    } catch (const FileError& e) {
        w.op().message(e.what(), {}, MessageKind::Warning);
    }
}

}  // namespace

std::string_view portSettingKey(const AppState& state, PortPurpose purpose) {
    if (purpose == PortPurpose::MetStation) return "LastMetStationPortNum";
    return state.hardwareTarget == 1 ? "LastExplicitPortNum" : "LastExplicitPortNum2";
}

std::string_view defaultPortName(PortPurpose purpose) {
    return purpose == PortPurpose::MetStation ? "COM1" : "COM3";
}

std::optional<int> comNumberOfName(std::string_view name) {
    if (name.size() <= kPrefixLength) return std::nullopt;
    const std::string_view digits = name.substr(kPrefixLength);
    if (digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int number = 0;
    for (const char c : digits) number = number * 10 + (c - '0');
    if (number < 1) return std::nullopt;
    return number;
}

std::string portListingPrompt(const std::vector<PortListing>& ports) {
    if (ports.empty()) return "No serial ports were found on this computer. Port name:";
    std::string prompt = "Serial ports on this computer:\n";
    for (const PortListing& p : ports) {
        prompt += "COM" + std::to_string(p.comNumber) + "  " + p.device;
        if (!p.description.empty()) prompt += "  " + p.description;
        prompt += "\n";
    }
    return prompt + "Port name:";
}

std::optional<int> choosePort(Workstation& w, PortPurpose purpose) {
    const std::string preselected =
        readSetting(w, portSettingKey(w.state, purpose), defaultPortName(purpose));
    const auto answer =
        w.op().inputText(kSelectComPortTitle, portListingPrompt(w.platform.ports.listPorts()), preselected);
    if (!answer) return std::nullopt;
    const std::string name = trimmed(*answer);
    const auto number = comNumberOfName(name);
    if (!number) {
        w.op().message("\"" + name + "\" is not the name of a COM port, such as COM3.", kSelectComPortTitle,
                       MessageKind::Warning);
        return std::nullopt;
    }
    storeChoice(w, purpose, "COM" + std::to_string(*number));
    return number;
}

}  // namespace mca
