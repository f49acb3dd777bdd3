// A .spe spectrum as a spectrum-file grid, and its load.
#include "spectrumio/spe_file_loader.h"

#include "core/date_time.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "spectrumio/spe_channels.h"
#include "spectrumio/spectrum_file_layout.h"

#include <vector>

namespace mca {

namespace {

using namespace usf;

void setValue(Grid& g, int row, std::string text) { g.setCell(row, kValueColumn, std::move(text)); }

// Calibration points on the fitted channels: 10 % and 90 % of the range, and the middle for a
// quadratic. A point whose text reads "0" would be taken as empty, so it is left out.
void writeCalibrationPoints(Grid& g, const EnergyPolynomial& c, int channelCount) {
    const bool quadratic = c.a2 != 0;
    std::vector<int> channels{channelCount / 10, channelCount * 9 / 10};
    if (quadratic) channels.insert(channels.begin() + 1, channelCount / 2);
    int row = kFirstPoint;
    for (const int ch : channels) {
        const std::string keV = formatFull(c.a0 + c.a1 * ch + c.a2 * ch * ch);
        if (keV == "0") continue;
        g.setCell(row, kLabelColumn, std::to_string(ch));
        g.setCell(row, kValueColumn, keV);
        ++row;
    }
    setValue(g, kCalibrationOrder, quadratic ? "quadratic" : "linear");
}

void writeTimes(Grid& g, const SpeSpectrum& spe) {
    const double counting = spe.liveSeconds > 0 ? spe.liveSeconds : spe.realSeconds;
    setValue(g, kCountingTime, formatFull(counting));
    const auto start = parseDateTimeText(spe.measuredDate);
    if (!start) {
        setValue(g, kStarted, spe.measuredDate);
        return;
    }
    setValue(g, kStarted, formatDateTimeText(*start));
    setValue(g, kStopped, formatDateTimeText(addMilliseconds(*start, roundHalfEven(spe.realSeconds * 1000.0))));
}

}  // namespace

Grid speSpectrumGrid(const SpeSpectrum& spe, const std::string& sampleUnits) {
    const FittedChannels fitted = fitChannels(spe);
    Grid g(fitted.channelCount, kColumns);
    for (int ch = 0; ch < fitted.channelCount; ++ch) {
        g.setCell(ch, kCountsColumn, formatFull(fitted.counts[static_cast<std::size_t>(ch)]));
    }
    setValue(g, kDetector, speDetectorDescription(spe));
    writeTimes(g, spe);
    setValue(g, kSampleDescription, spe.specId);
    setValue(g, kSampleQuantity, "0");
    setValue(g, kSampleUnitsRow, sampleUnits);
    setValue(g, kChannels, std::to_string(fitted.channelCount));
    if (fitted.calibration) writeCalibrationPoints(g, *fitted.calibration, fitted.channelCount);
    return g;
}

bool LoadSpeFile(SpectrumLoadTarget& target, const std::filesystem::path& path) {
    Grid grid;
    try {
        grid = speSpectrumGrid(readSpeFile(path), target.workstation.settings.sampleUnits);
    } catch (const FileError& e) {
        target.workstation.op().message(e.what(), {}, MessageKind::Error);
        return false;
    }
    return loadSpectrumGrid(target, grid, path.string());
}

}  // namespace mca
