// "Save Spectrum as File..." and automatic file names.
#include "spectrumio/spectrum_save_command.h"

#include "core/errors.h"

namespace mca {

namespace {

double shownTotal(const Workstation& w) {
    if (!w.state.quadLayout) return w.session(1).spectrum.sum(w.state.channelCount);
    double total = 0;
    for (const InstrumentSession& s : w.sessions) total += s.open ? s.spectrum.sum(w.state.channelCount) : 0.0;
    return total;
}

// Asks for a path and saves instrument n; returns the path saved, or empty.
std::string askAndSave(Workstation& w, const SaveAsActions& actions, int n) {
    FileChoice choice{saveDialogTitle(w, n), w.folders.spectra.string(), {}, kSpectrumSaveFilter, "usf"};
    const auto path = w.op().chooseSaveFile(choice);
    if (!path) return {};
    try {
        actions.save(n, *path);
    } catch (const FileError& e) {
        w.op().message(e.what(), {}, MessageKind::Error);
        return {};
    }
    return *path;
}

}  // namespace

std::string saveDialogTitle(const Workstation& w, int instrument) {
    if (!w.state.quadLayout) return "Save Spectrum";
    const std::string& alias = w.session(instrument).alias;
    std::string title = "Save Spectrum for MCA " + std::to_string(instrument);
    return alias.empty() ? title : title + " (" + alias + ")";
}

std::string loadDialogTitle(int instrument) {
    return instrument == 1 ? "Load Spectrum to Live" : "Load Spectrum" + std::to_string(instrument) + " to Live";
}

void saveSpectrumAsFile(Workstation& w, const SaveAsActions& actions) {
    if (shownTotal(w) == 0.0) {
        w.op().message(kEmptySpectrumMessage, {}, MessageKind::Warning);
        return;
    }
    const bool wasAcquiring = w.state.acquiring;
    if (wasAcquiring && actions.stopAcquisition) actions.stopAcquisition();
    std::string last;
    for (int n = 1; n <= kInstrumentCount; ++n) {
        if (n > 1 && !w.state.quadLayout) break;
        if (w.state.quadLayout && !w.session(n).open) continue;
        if (std::string saved = askAndSave(w, actions, n); !saved.empty()) last = std::move(saved);
    }
    if (wasAcquiring && actions.startAcquisition) actions.startAcquisition();
    if (!last.empty()) {
        w.screen.spectrumFileName = last;
        w.state.spectrumUnsaved = false;
    }
}

std::filesystem::path endOfAcquisitionFile(const AppFolders& folders, const DateTime& stopped) {
    return folders.spectra / (formatStamp(stopped, kStampSpaced) + ".usf");
}

std::filesystem::path fieldStationFile(const AppFolders& folders, const DateTime& stopped) {
    return folders.talvoSpectra / (formatStamp(stopped, kStampSpaced) + ".usf");
}

std::filesystem::path scriptFile(const AppFolders& folders, const DateTime& saved) {
    return folders.spectra / (formatStamp(saved, kStampCompact) + ".usf");
}

std::filesystem::path sequentialFile(const AppFolders& folders, const std::string& prefix, const std::string& item) {
    return folders.spectra / (prefix + "_" + item + ".usf");
}

}  // namespace mca
