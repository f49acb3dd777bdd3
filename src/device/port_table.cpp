// Building the port table from settings, MCA_PORTS and the devices present.
#include "device/port_table.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <set>

namespace mca {

namespace {

std::string_view trim(std::string_view s) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// "COM" + 1..kMaxComNumber in any letter case, plain digits after it.
std::optional<int> parseComName(std::string_view name) {
    if (name.size() < 4) return std::nullopt;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return std::nullopt;
    }
    const std::string_view digits = name.substr(3);
    if (digits.front() == '0') return std::nullopt;  // the settings key for 3 is "COM3", never "COM03"
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    if (number < 1 || number > PortTable::kMaxComNumber) return std::nullopt;
    return number;
}

bool isDevicePath(std::string_view device) {
    return !device.empty() && device.front() == '/';
}

struct Entry {
    int comNumber;
    std::string device;
};

// IniFile lists no keys, and only COM1..COM256 can be meant, so each is looked up.
std::vector<Entry> settingsEntries(const IniFile& settings) {
    std::vector<Entry> entries;
    for (int n = 1; n <= PortTable::kMaxComNumber; ++n) {
        const std::string key = "COM" + std::to_string(n);
        const std::optional<std::string> device = settings.value(PortTable::kSettingsSection, key);
        if (device && isDevicePath(*device)) entries.push_back({n, *device});
    }
    return entries;
}

std::vector<Entry> variableEntries(std::string_view text) {
    std::vector<Entry> entries;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);

        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos) continue;
        const std::optional<int> number = parseComName(trim(item.substr(0, eq)));
        const std::string_view device = trim(item.substr(eq + 1));
        if (number && isDevicePath(device)) entries.push_back({*number, std::string(device)});
    }
    return entries;
}

}  // namespace

PortTable::PortTable(const IniFile& settings, std::string_view portsVariable, const PortScanRoots& roots) {
    for (Entry& e : settingsEntries(settings)) addExplicit(e.comNumber, std::move(e.device));
    for (Entry& e : variableEntries(portsVariable)) addExplicit(e.comNumber, std::move(e.device));
    addFound(scanSerialDevices(roots));
}

PortTable PortTable::fromEnvironment(const IniFile& settings) {
    const char* variable = std::getenv(kEnvironmentVariable);
    return PortTable(settings, variable ? variable : "");
}

PortTable PortTable::fromSettingsFile(const std::filesystem::path& path) {
    try {
        return fromEnvironment(IniFile::load(path));
    } catch (const std::exception&) {
        return fromEnvironment(IniFile{});
    }
}

void PortTable::addExplicit(int comNumber, std::string device) {
    m_ports.try_emplace(comNumber, PortListing{comNumber, std::move(device), kConfiguredDescription});
}

void PortTable::addFound(const std::vector<FoundPort>& found) {
    std::set<std::string> named;
    for (const auto& [number, port] : m_ports) named.insert(canonicalDevice(port.device));

    int next = 1;
    for (const FoundPort& port : found) {
        if (named.count(port.device) != 0) continue;
        while (m_ports.count(next) != 0) ++next;
        if (next > kMaxComNumber) return;
        m_ports.emplace(next, PortListing{next, port.device, port.description});
    }
}

std::optional<std::string> PortTable::deviceFor(int comNumber) const {
    const auto it = m_ports.find(comNumber);
    if (it == m_ports.end()) return std::nullopt;
    return it->second.device;
}

std::vector<PortListing> PortTable::listing() const {
    std::vector<PortListing> ports;
    ports.reserve(m_ports.size());
    for (const auto& [number, port] : m_ports) ports.push_back(port);
    return ports;
}

}  // namespace mca
