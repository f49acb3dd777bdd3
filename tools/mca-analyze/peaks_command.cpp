// mca-analyze peaks: search, re-analyse and identify the peaks of a saved spectrum offline.
#include "peaks_command.h"

#include "json_writer.h"
#include "offline_session.h"

#include "analysis/peak_identification.h"
#include "analysis/peak_labels.h"
#include "analysis/peak_search.h"
#include "core/number_text.h"
#include "library/load_library.h"
#include "roi/peak_report.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <span>

namespace mca::analyze {

namespace {

constexpr int kUsageError = 2;
constexpr double kThresholdMax = 1000.0;   // Sensitivity and Significance: 0 .. 1000

struct PeaksOptions {
    std::filesystem::path file;
    std::optional<std::filesystem::path> library;
    PeakSearchSettings search;            // the panel's initial values
    IdentificationSettings identification;
    std::vector<double> calibration;      // keV = A0 + A1 ch (+ A2 ch^2), in the loaded channels
    bool json = false;
};

std::optional<double> thresholdFrom(const std::string& text) {
    const std::optional<double> v = parseFloat(text);
    if (!v || *v < 0 || *v > kThresholdMax) return std::nullopt;
    return v;
}

// "kev:15", "percent:3", "area", "fwhm:1"; a rule without its number keeps the current value.
bool applyRule(const std::string& text, IdentificationSettings& id) {
    const std::size_t colon = text.find(':');
    const std::string name = text.substr(0, colon);
    std::optional<double> value;
    if (colon != std::string::npos) {
        value = parseFloat(text.substr(colon + 1));
        if (!value || *value < 0 || *value > kSpreadMax) return false;
    }
    if (name == "kev") {
        id.window.rule = IdWindowRule::KeV;
        if (value) id.window.keVSpread = *value;
    } else if (name == "percent") {
        id.window.rule = IdWindowRule::Percent;
        if (value) id.window.percentSpread = *value;
    } else if (name == "area" && !value) {
        id.window.rule = IdWindowRule::Area;
    } else if (name == "fwhm") {
        if (value && (*value < kFwhmMultMin || *value > kFwhmMultMax)) return false;
        setFwhmMult(id, value.value_or(id.fwhmMult));
    } else {
        return false;
    }
    return true;
}

std::optional<std::vector<double>> coefficientsFrom(const std::string& text) {
    std::vector<double> coefficients;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::optional<double> v = parseFloat(text.substr(start, comma - start));
        if (!v) return std::nullopt;
        coefficients.push_back(*v);
        start = comma + 1;
    }
    if (coefficients.size() < 2 || coefficients.size() > 3 || coefficients[1] == 0) return std::nullopt;
    return coefficients;
}

std::optional<PeaksOptions> parseOptions(const std::vector<std::string>& args) {
    PeaksOptions o;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--json") {
            o.json = true;
        } else if (a == "--library" && hasValue) {
            o.library = args[++i];
        } else if (a == "--sensitivity" && hasValue) {
            const auto v = thresholdFrom(args[++i]);
            if (!v) return std::nullopt;
            o.search.sensitivity = *v;
        } else if (a == "--significance" && hasValue) {
            const auto v = thresholdFrom(args[++i]);
            if (!v) return std::nullopt;
            o.search.minSignificance = *v;
        } else if (a == "--rule" && hasValue) {
            if (!applyRule(args[++i], o.identification)) return std::nullopt;
        } else if (a == "--calibration" && hasValue) {
            const auto c = coefficientsFrom(args[++i]);
            if (!c) return std::nullopt;
            o.calibration = *c;
        } else if (!haveFile && !a.starts_with("--")) {
            o.file = a;
            haveFile = true;
        } else {
            return std::nullopt;
        }
    }
    o.search.idWindow = o.identification.window;
    if (!haveFile) return std::nullopt;
    return o;
}

// A calibration given on the command line, as the energy calibration window would leave it.
EnergyCalibration calibrationFrom(const std::vector<double>& c) {
    EnergyCalibration cal;
    cal.pointCount = static_cast<int>(c.size());
    cal.d = c[0];
    cal.k = c[1];
    cal.linearQuality = 1;
    cal.linearValid = true;
    if (c.size() == 3 && c[0] != 0 && c[2] != 0) {
        cal.a0 = c[0];
        cal.a1 = c[1];
        cal.a2 = c[2];
        cal.quadraticQuality = 1;
        cal.quadraticValid = true;
        cal.linearValid = false;
        cal.useLinear = false;
    }
    return cal;
}

// The edition's default library in Library/ of the application folder, else beside the program.
std::filesystem::path defaultLibraryFolder(const Workstation& w) {
    const std::string name(w.state.edition.defaultLibrary);
    if (std::filesystem::exists(w.folders.library / name)) return w.folders.library;
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? w.folders.library : program.parent_path() / "Library";
}

void writeJson(const PeaksOptions& o, const NuclideLibrary& library, const Workstation& w, const FoundPeakList& peaks) {
    JsonWriter j;
    j.beginObject();
    j.key("file");
    j.string(o.file.string());
    j.key("library");
    j.string(library.filePath().string());
    j.key("channels");
    j.number(w.state.channelCount);
    j.key("real_time");
    j.number(w.state.realTime);
    j.key("peaks");
    j.beginArray();
    for (const FoundPeak& p : peaks) {
        j.beginObject();
        const std::pair<const char*, double> numbers[] = {
            {"centroid_channel", centroidOf(p)}, {"centroid_keV", p.centroidKeV.value_or(0)},
            {"left", p.leftChannel},             {"right", p.rightChannel},
            {"net_counts", p.netCounts},         {"net_cpm", p.netCpm},
            {"gross_counts", p.grossCounts},     {"compton_counts", p.comptonCounts},
            {"significance", p.significance}};
        for (const auto& [name, value] : numbers) {
            j.key(name);
            j.number(value);
        }
        j.key("label");
        j.string(labelAsLine(p.label));
        j.endObject();
    }
    j.endArray();
    j.endObject();
    std::cout << j.text() << "\n";
}

void writeReport(const ReportBuilder& report) {
    for (const ReportParagraph& p : report.paragraphs()) std::cout << p.text << "\n";
}

}  // namespace

int peaksCommand(const std::vector<std::string>& args) {
    const std::optional<PeaksOptions> options = parseOptions(args);
    if (!options) return kUsageError;
    const PeaksOptions& o = *options;

    OfflineSession session;
    if (!session.load(o.file)) return 1;
    Workstation& w = session.workstation();
    NuclideLibrary library;
    const std::filesystem::path folder = defaultLibraryFolder(w);
    const std::filesystem::path libraryFile = o.library.value_or(std::string(w.state.edition.defaultLibrary));
    if (!loadLibraryFile(library, libraryFile, folder, w.op())) return 1;

    PeakAnalysisInput input;
    input.spectrum = std::span<const double>(w.session(1).spectrum.counts);
    input.channelCount = w.state.channelCount;
    input.realTimeSeconds = w.state.realTime;
    input.calibration = o.calibration.empty() ? session.calibration() : calibrationFrom(o.calibration);
    input.multipliers = detectorPeakMultipliers(session.record());
    if (ChannelToKeV(input.calibration, 1) == kNoEnergyKeV) {
        std::cerr << "Energy Calibration must be performed before using Peak Search and Identify.\n"
                     "(give one with --calibration A0,A1[,A2])\n";
        return 1;
    }
    if (input.realTimeSeconds <= 0) {
        std::cerr << "The spectrum has no counting time.\n";
        return 1;
    }

    auto state = std::make_unique<PeakAnalysis>();
    FindPeaks(*state, input, o.search);
    IdentifyPeaks(*state, input, o.identification, library.searchTable());

    if (o.json) {
        writeJson(o, library, w, state->peaks);
        return 0;
    }
    PeakReportInputs report;
    report.header = gatherReportHeaderInputs(w, session.record(), "");
    report.sqrtToFwhmText = session.record()[field::kSqrtToFwhm];
    report.fwhmToPeakText = session.record()[field::kFwhmToPeak];
    report.identification = o.identification;
    report.units = activityUnitsFrom(w.settings);
    writeReport(PeakReport(state->peaks, library.searchTable(), report));
    return 0;
}

}  // namespace mca::analyze
