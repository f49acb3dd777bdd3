// Finds the serial devices present on the machine, in the stable order the port table numbers them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mca {

// Where the scan looks; tests point both at a temporary folder.
struct PortScanRoots {
    std::filesystem::path devices = "/dev";
    std::filesystem::path sysfs = "/sys";
};

struct FoundPort {
    std::string device;       // the canonical path, e.g. "/dev/ttyUSB0"
    std::string description;  // the serial/by-id name when a link leads to the device, else empty
};

// serial/by-id/* (any name), then ttyUSB<n>, ttyACM<n>, ttyS<n>, names in natural order within each
// group (ttyS2 before ttyS10). A device reached twice (a by-id link and its target) is listed once,
// at its first place. Dangling links are left out, and so are ttyS<n> whose sysfs "type" says the
// driver found no UART there (type 0, which is most of them on a PC); when that cannot be read, the
// device is kept. sysfs is read rather than TIOCGSERIAL because opening a UART raises DTR.
std::vector<FoundPort> scanSerialDevices(const PortScanRoots& roots);

// The canonical form of `device` when it exists, else its lexically normal form; two names for one
// device compare equal.
std::string canonicalDevice(const std::filesystem::path& device);

}  // namespace mca
