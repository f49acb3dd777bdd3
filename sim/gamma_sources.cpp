// Gamma lines of the check sources. Energies and yields are the IAEA recommended decay data
// (DDEP evaluations) used for our default nuclide library; lines under 1 % are left out except
// where they sit inside a stronger peak. Na-22's annihilation line counts both photons.
#include "sim/gamma_sources.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

namespace mca::sim {

namespace {

constexpr std::array<GammaLine, 2> kAm241{{{26.3446, 0.024}, {59.5409, 0.3578}}};
constexpr std::array<GammaLine, 7> kBa133{{{53.1622, 0.0214},
                                           {79.6142, 0.0265},
                                           {80.9979, 0.329},
                                           {276.3989, 0.0716},
                                           {302.8508, 0.1834},
                                           {356.0129, 0.6205},
                                           {383.8485, 0.0894}}};
constexpr std::array<GammaLine, 2> kCo57{{{122.06065, 0.8551}, {136.47356, 0.1071}}};
constexpr std::array<GammaLine, 2> kCo60{{{1173.228, 0.9985}, {1332.492, 0.999826}}};
constexpr std::array<GammaLine, 1> kCs137{{{661.657, 0.8499}}};
constexpr std::array<GammaLine, 14> kEu152{{{121.7817, 0.2841},
                                            {244.6974, 0.0755},
                                            {344.2785, 0.2658},
                                            {411.1165, 0.02237},
                                            {443.965, 0.03125},
                                            {778.9045, 0.1296},
                                            {867.38, 0.04241},
                                            {964.072, 0.1462},
                                            {1085.837, 0.1013},
                                            {1089.737, 0.01731},
                                            {1112.076, 0.134},
                                            {1212.948, 0.01415},
                                            {1299.142, 0.01632},
                                            {1408.013, 0.2085}}};
constexpr std::array<GammaLine, 1> kK40{{{1460.822, 0.1066}}};
constexpr std::array<GammaLine, 1> kMn54{{{834.838, 0.999746}}};
constexpr std::array<GammaLine, 2> kNa22{{{511.0, 1.798}, {1274.537, 0.9994}}};

// Sorted by name.
constexpr std::array<GammaSource, 9> kSources{{{"am241", kAm241},
                                               {"ba133", kBa133},
                                               {"co57", kCo57},
                                               {"co60", kCo60},
                                               {"cs137", kCs137},
                                               {"eu152", kEu152},
                                               {"k40", kK40},
                                               {"mn54", kMn54},
                                               {"na22", kNa22}}};

std::string canonicalName(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c == '-' || c == ' ') continue;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

const GammaSource* findSource(std::string_view name) {
    const std::string wanted = canonicalName(name);
    const auto it = std::find_if(kSources.begin(), kSources.end(), [&](const GammaSource& s) { return s.name == wanted; });
    return it == kSources.end() ? nullptr : &*it;
}

std::vector<std::string> knownSourceNames() {
    std::vector<std::string> out;
    for (const auto& s : kSources) out.emplace_back(s.name);
    return out;
}

std::vector<std::string> parseSourceList(std::string_view text) {
    std::vector<std::string> out;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const GammaSource* source = findSource(item);
        if (!source) throw std::invalid_argument("unknown source \"" + std::string(item) + "\"");
        out.emplace_back(source->name);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return out;
}

std::vector<GammaLine> linesOf(const std::vector<std::string>& sourceNames) {
    std::vector<GammaLine> out;
    for (const auto& name : sourceNames) {
        const GammaSource* source = findSource(name);
        if (!source) throw std::invalid_argument("unknown source \"" + name + "\"");
        out.insert(out.end(), source->lines.begin(), source->lines.end());
    }
    return out;
}

}  // namespace mca::sim
