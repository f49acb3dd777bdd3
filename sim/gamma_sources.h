// The check sources the simulated detector can look at: their gamma lines with energies and
// emission probabilities, and the parsing of a source list such as "cs137,k40".
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mca::sim {

struct GammaLine {
    double energyKeV;
    double yield;  // photons per decay
};

struct GammaSource {
    std::string_view name;  // lower case, no hyphen: "cs137"
    std::span<const GammaLine> lines;
};

// The source of that name (case and a hyphen are ignored: "Cs-137" is "cs137"); nullptr when
// unknown.
const GammaSource* findSource(std::string_view name);

// Every known source name, alphabetically.
std::vector<std::string> knownSourceNames();

// Splits a comma-separated list into canonical names; an empty text is no source (background
// only). Throws std::invalid_argument naming the first unknown source.
std::vector<std::string> parseSourceList(std::string_view text);

// The lines of the named sources, all sources at equal activity.
std::vector<GammaLine> linesOf(const std::vector<std::string>& sourceNames);

}  // namespace mca::sim
