// Loading a spectrum file: the common steps and the live path. The offline path is in
// spectrum_file_offline.cpp.
#include "spectrumio/spectrum_file_loader.h"

#include "core/errors.h"
#include "core/hardware_codes.h"
#include "core/number_text.h"
#include "core/settings_store.h"
#include "spectrumio/spectrum_file_layout.h"
#include "spectrumio/spectrum_file_offline.h"
#include "spectrumio/spectrum_file_reader.h"

namespace mca {

namespace {

using namespace usf;

const std::string& value(const Grid& g, int row) { return g.cell(row, kValueColumn); }

bool sameDetector(const Grid& g, const DetectorRecord& r) {
    for (int f = field::kName; f <= field::kCableUnits; ++f) {
        if (value(g, kDetector + f) != r[f]) return false;
    }
    return true;
}

void warnOnDifferentSettings(SpectrumLoadTarget& t, const Grid& g) {
    if (t.workstation.state.quadLayout) return;
    if (value(g, kHighVoltage) != t.panel.highVoltage) t.workstation.op().message(kDifferentHvWarning);
    if (value(g, kCoarseGain) != t.panel.coarseGain) t.workstation.op().message(kDifferentCoarseGainWarning);
    if (value(g, kThreshold) != t.panel.threshold) t.workstation.op().message(kDifferentThresholdWarning);
}

// Channels 1 .. R-1 from column 0; a count that is not a number ends the load with the
// conversion message. Channel 0 stays 0.
bool readLiveCounts(Workstation& w, int n, const Grid& g) {
    Spectrum& s = w.session(n).spectrum;
    for (int ch = 1; ch < w.state.channelCount; ++ch) {
        const std::string& cell = g.cell(ch, kCountsColumn);
        const auto count = parseFloat(cell);
        if (!count) {
            w.op().message("'" + cell + "' is not a valid floating point value", {}, MessageKind::Error);
            return false;
        }
        s.counts[static_cast<std::size_t>(ch)] = *count;
    }
    return true;
}

bool loadLive(SpectrumLoadTarget& t, const Grid& g, const std::string& path) {
    Workstation& w = t.workstation;
    if (!sameDetector(g, t.record)) {
        w.op().message(kDifferentDetectorMessage, {}, MessageKind::Error);
        return false;
    }
    warnOnDifferentSettings(t, g);
    w.screen.elapsedTime = value(g, kCountingTime);
    takeSampleAndTimes(w, g, path);
    if (!readLiveCounts(w, t.instrument, g)) return false;
    showLoadedTotals(t, g);
    return true;
}

void finishLoad(SpectrumLoadTarget& t) {
    Workstation& w = t.workstation;
    if (t.calibration.linearValid) {
        w.screen.xAxisInEnergy = readSetting(w, "XAxisAsEnergy", "1") != "0";
    }
    w.state.spectrumUnsaved = false;
    t.hooks.rederiveBackground(w);
    t.hooks.redrawViews(w);
}

}  // namespace

void showLoadedTotals(SpectrumLoadTarget& t, const Grid& g) {
    Workstation& w = t.workstation;
    Spectrum& s = w.session(t.instrument).spectrum;
    const double total = s.sum(w.state.channelCount);
    s.totalCounts = static_cast<std::int64_t>(total);
    const double seconds = parseFloat(value(g, kCountingTime)).value_or(0.0);
    w.state.realTime = seconds;
    auto& status = w.screen.instrumentStatus[static_cast<std::size_t>(t.instrument - 1)];
    if (seconds > 0) {
        status.counts = formatThousands(roundHalfEven(total)) + " cnts";
        w.screen.indicator = "Spectrum Loaded";
        status.rate = formatFixed(total / seconds * 60.0, 0) + " cpm";
    }
    t.hooks.clearFoundPeaks(w);
}

PanelTexts panelTextsOf(const InstrumentSession& s) {
    const auto coarse = static_cast<std::size_t>(s.settings.coarseGainIndex);
    return {formatFull(s.settings.highVoltage),
            coarse < kCoarseGainTexts.size() ? std::string(kCoarseGainTexts[coarse]) : std::string{},
            std::to_string(s.settings.threshold)};
}

bool loadSpectrumGrid(SpectrumLoadTarget& t, const Grid& g, const std::string& path) {
    Workstation& w = t.workstation;
    t.hooks.clearSpectrum(w, t.instrument);
    w.session(t.instrument).spectrum.clear();
    w.screen.spectrumFileName = path;
    const bool loaded = w.state.offline ? loadOffline(t, g, path) : loadLive(t, g, path);
    if (loaded) finishLoad(t);
    return loaded;
}

bool LoadSpectrumFile(SpectrumLoadTarget& t, const std::filesystem::path& path) {
    Grid grid;
    try {
        grid = readSpectrumFile(path);
    } catch (const FileError& e) {
        t.workstation.op().message(e.what(), {}, MessageKind::Error);
        return false;
    }
    return loadSpectrumGrid(t, grid, path.string());
}

}  // namespace mca
