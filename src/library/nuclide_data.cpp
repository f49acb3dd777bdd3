// The nuclide data window's texts and the overlay bars.
#include "library/nuclide_data.h"

namespace mca {

std::string markedEnergy(const GammaLine& line) {
    if (line.primary && line.secondary) return line.energy + "³";
    if (line.primary) return line.energy + "¹";
    if (line.secondary) return line.energy + "²";
    return line.energy;
}

NuclideDataView nuclideDataView(const NuclideLibrary& library, std::string_view name) {
    NuclideDataView view;
    const auto info = library.nuclide(name);
    if (!info) return view;
    view.name = info->name;
    view.halfLifeLine = "T½: " + info->halfLife + " " + info->halfLifeUnit;
    for (const GammaLine& line : library.enabledGammaLines(name)) {
        view.rows.push_back({markedEnergy(line), line.yield, line.comments});
    }
    return view;
}

std::vector<IsotopeLineBar> isotopeLineBars(const NuclideLibrary& library, std::string_view name) {
    std::vector<IsotopeLineBar> bars;
    for (const GammaLine& line : library.enabledGammaLines(name)) {
        const auto energy = line.energyKeV();
        const auto yield = line.yieldPercent();
        if (energy && yield) bars.push_back({*energy, *yield, markedEnergy(line)});
    }
    return bars;
}

}  // namespace mca
