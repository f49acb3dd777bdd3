// The serial devices present, from /dev and sysfs.
#include "device/port_scan.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>

namespace mca {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNumberedPatterns[] = {"ttyUSB", "ttyACM", "ttyS"};

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Runs of digits compare by value, everything else by character.
bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t iEnd = i;
            std::size_t jEnd = j;
            while (iEnd < a.size() && isDigit(a[iEnd])) ++iEnd;
            while (jEnd < b.size() && isDigit(b[jEnd])) ++jEnd;
            while (i + 1 < iEnd && a[i] == '0') ++i;
            while (j + 1 < jEnd && b[j] == '0') ++j;
            if (iEnd - i != jEnd - j) return iEnd - i < jEnd - j;
            const int order = a.compare(i, iEnd - i, b, j, jEnd - j);
            if (order != 0) return order < 0;
            i = iEnd;
            j = jEnd;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// The names in `folder` accepted by `keep`, in natural order; an unreadable folder has none.
template <typename Keep>
std::vector<std::string> namesIn(const fs::path& folder, Keep keep) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (keep(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

bool isNumbered(const std::string& name, const std::string& prefix) {
    return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), isDigit);
}

// The 8250 driver registers ttyS0..ttyS31 whether or not a UART answers; "type" 0 is PORT_UNKNOWN.
bool isPhantomUart(const PortScanRoots& roots, const std::string& name) {
    std::ifstream typeFile(roots.sysfs / "class" / "tty" / name / "type");
    int type = -1;
    return typeFile >> type && type == 0;
}

}  // namespace

std::string canonicalDevice(const fs::path& device) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(device, ec);
    return ec ? device.lexically_normal().string() : canonical.string();
}

std::vector<FoundPort> scanSerialDevices(const PortScanRoots& roots) {
    std::vector<FoundPort> found;
    std::set<std::string> seen;
    const auto add = [&](const fs::path& path, const std::string& description) {
        std::error_code ec;
        const fs::path canonical = fs::canonical(path, ec);
        if (ec) return;
        if (seen.insert(canonical.string()).second) found.push_back({canonical.string(), description});
    };

    const fs::path byId = roots.devices / "serial" / "by-id";
    for (const std::string& name : namesIn(byId, [](const std::string&) { return true; })) add(byId / name, name);

    for (const std::string prefix : kNumberedPatterns) {
        const auto keep = [&](const std::string& name) {
            return isNumbered(name, prefix) && !(prefix == "ttyS" && isPhantomUart(roots, name));
        };
        for (const std::string& name : namesIn(roots.devices, keep)) add(roots.devices / name, "");
    }
    return found;
}

}  // namespace mca
