// The port table: maps the "COM" + n names the operator sees to serial devices. Explicit entries
// come first, then the devices present are numbered into the numbers left free.
#pragma once

#include "core/ini_file.h"
#include "core/serial_port.h"
#include "device/port_scan.h"

#include <map>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

class PortTable {
public:
    // COM numbers run from 1 to this, as on the system the names come from.
    static constexpr int kMaxComNumber = 256;
    static constexpr const char* kSettingsSection = "Ports";
    static constexpr const char* kEnvironmentVariable = "MCA_PORTS";
    static constexpr const char* kConfiguredDescription = "configured";

    PortTable() = default;

    // Sources in order of precedence, an earlier one keeping a number a later one also names:
    //  1. keys COM1..COM256 of the settings section [Ports], e.g. "COM3=/dev/ttyUSB0";
    //  2. `portsVariable`, the value of MCA_PORTS, e.g. "COM3=/dev/pts/4,COM5=/dev/ttyACM0";
    //  3. the devices scanSerialDevices finds under `roots`, numbered from COM1 into the numbers
    //     still free, leaving out devices an explicit entry already names.
    // An entry is skipped when its name is not "COM" + 1..256 (any letter case), or its device is
    // not an absolute path; empty items between commas are ignored. Explicit devices need not exist
    // yet (a pseudo-terminal may appear later); opening tells.
    PortTable(const IniFile& settings, std::string_view portsVariable, const PortScanRoots& roots = {});

    // The table of this machine: MCA_PORTS from the environment and the devices under /dev.
    static PortTable fromEnvironment(const IniFile& settings);
    // The same with the [Ports] section of the settings file at `path`; a file that is missing or
    // cannot be read leaves that part out (the start sequence reports the file itself).
    static PortTable fromSettingsFile(const std::filesystem::path& path);

    std::optional<std::string> deviceFor(int comNumber) const;
    // Every entry in COM-number order; the description is the by-id name of a found device when it
    // has one, "configured" for explicit entries, else empty.
    std::vector<PortListing> listing() const;

private:
    void addExplicit(int comNumber, std::string device);
    void addFound(const std::vector<FoundPort>& found);

    std::map<int, PortListing> m_ports;
};

}  // namespace mca
