// The settings file of mca, driven by one table of the keys of section "Values".
#include "core/settings_store.h"

#include "core/errors.h"
#include "core/ini_file.h"

#include <algorithm>
#include <variant>

namespace mca {

namespace {

enum Moment : unsigned { kRead = 1, kWrite = 2, kReadWrite = kRead | kWrite };

using Member = std::variant<int Settings::*, bool Settings::*, double Settings::*, std::string Settings::*,
                            ColourRef Settings::*>;

struct KeyRow {
    std::string_view key;   // spelled as written; reading ignores case
    Member member;
    unsigned moments = kReadWrite;
    bool fieldStationOnly = false;
};

// Keys kept in Settings and read or written as they stand. Keys with rules of their own (presets,
// dead time, HV units, refresh choice, trace styles, Y axis, EffMult) are handled below the table.
const std::vector<KeyRow>& keyTable() {
    static const std::vector<KeyRow> rows{
        {"LastScript", &Settings::lastScript, kRead},
        {"SpecifyCOMPort", &Settings::specifyComPort, kRead},
        {"SpecifyCOMPort2", &Settings::specifyComPort2, kRead},
        {"DigitalThresh", &Settings::digitalThresh},
        {"MinOffset", &Settings::minOffset},
        {"Persist", &Settings::persist},
        {"GSTartgetChn", &Settings::gsTargetChannel},
        {"GSPlusMinus", &Settings::gsPlusMinus},
        {"GSTargetSum", &Settings::gsTargetSum},
        {"GSImbal", &Settings::gsImbalance},
        {"AutoStab", &Settings::autoStab},
        {"NoSound", &Settings::noSound},
        {"RingOnce", &Settings::ringOnce},
        {"RingUntil", &Settings::ringUntil},
        // Display
        {"MainSpectrumColor", &Settings::mainSpectrumColor},
        {"SecondarySpectrumColor", &Settings::secondarySpectrumColor},
        {"Backgroundcolor", &Settings::backgroundColor},
        {"ROIColor", &Settings::roiColor},
        {"SelectedROIColor", &Settings::selectedRoiColor},
        {"IsotopeLinesColor", &Settings::isotopeLinesColor},
        {"FoundPeaksColor", &Settings::foundPeaksColor},
        {"GridColor", &Settings::gridColor},
        {"ChartLabelColor", &Settings::chartLabelColor},
        {"YAxisLabelColor", &Settings::chartLabelColor, kWrite},
        {"DisplayChecked", &Settings::displayChecked},
        {"ShowGridChecked", &Settings::showGridChecked},
        {"ShowAxisLabels", &Settings::showAxisLabels},
        {"SmoothFactor", &Settings::smoothFactor},
        {"ShowROIs", &Settings::showRois},
        {"ContinuousUpdate", &Settings::continuousUpdate},
        {"QuickGrow", &Settings::quickGrow},
        {"XAxisAsEnergy", &Settings::xAxisAsEnergy},
        {"XAxisAsEnergyMeV", &Settings::xAxisAsEnergyMeV, kWrite},
        {"UsekeV", &Settings::useKeV, kWrite},
        {"ShowHintsChecked", &Settings::showHints},
        {"ShowNewUserHintsChecked", &Settings::showNewUserHints},
        {"CutoffChn", &Settings::cutoffChannel},
        {"EffMult", &Settings::effMult, kWrite},
        // Analysis
        {"CLFactor", &Settings::clFactor},
        {"CorrCoeff", &Settings::corrCoeff},
        {"SmoothBkgd", &Settings::smoothBkgd},
        {"StripComptonChecked", &Settings::stripCompton},
        {"ReportNegAsZeroChecked", &Settings::reportNegAsZero},
        {"Sensitivity", &Settings::sensitivity},
        {"Significance", &Settings::significance},
        {"Smooth", &Settings::smooth},
        {"MinWidth", &Settings::minWidth},
        {"MaxWidth", &Settings::maxWidth},
        {"keVofCentroid", &Settings::keVOfCentroid},
        {"PercentofCentroid", &Settings::percentOfCentroid},
        {"SearchBykeV", &Settings::searchByKeV},
        {"SearchByPercent", &Settings::searchByPercent},
        {"SearchByArea", &Settings::searchByArea},
        {"SearchByFWHM", &Settings::searchByFwhm},
        {"LeftPeakStart", &Settings::leftPeakStart},
        {"RightPeakStart", &Settings::rightPeakStart},
        {"UseQuantity", &Settings::useQuantity},
        {"UsepCi", &Settings::usePCi},
        {"UseuCi", &Settings::useUCi},
        {"UsemCi", &Settings::useMCi},
        {"Usedpm", &Settings::useDpm},
        {"UseBq", &Settings::useBq},
        {"UsekBq", &Settings::useKBq},
        {"UseMBq", &Settings::useMBq},
        {"UseGBq", &Settings::useGBq},
        {"SampleUnits", &Settings::sampleUnits},
        {"LastROISet", &Settings::lastRoiSet},
        {"LastLibrary", &Settings::lastLibrary},
        // Field station
        {"Sensitivity1", &Settings::exposureSensitivity1, kReadWrite, true},
        {"Sensitivity2", &Settings::exposureSensitivity2, kReadWrite, true},
        {"AutoConnectMet", &Settings::autoConnectMet, kReadWrite, true},
        {"AutoStart", &Settings::autoStart, kReadWrite, true},
        {"AutoConnectMCA2", &Settings::autoConnectMca2, kReadWrite, true},
        {"LastMetStationPortNum", &Settings::lastMetStationPort, kReadWrite, true},
        {"PeakID1", &Settings::peakId1, kReadWrite, true},
        {"LibID1", &Settings::libId1, kReadWrite, true},
        {"SaveSpec1", &Settings::saveSpec1, kReadWrite, true},
        {"SaveAlways1", &Settings::saveAlways1, kReadWrite, true},
        {"PeakID2", &Settings::peakId2, kReadWrite, true},
        {"LibID2", &Settings::libId2, kReadWrite, true},
        {"SaveSpec2", &Settings::saveSpec2, kReadWrite, true},
        {"SaveAlways2", &Settings::saveAlways2, kReadWrite, true},
        {"PeakDBFname1", &Settings::peakDbfName1, kReadWrite, true},
        {"LibDBFname1", &Settings::libDbfName1, kReadWrite, true},
        {"AlarmsDBFname1", &Settings::alarmsDbfName1, kReadWrite, true},
        {"PeakDBFname2", &Settings::peakDbfName2, kReadWrite, true},
        {"LibDBFname2", &Settings::libDbfName2, kReadWrite, true},
        {"AlarmsDBFname2", &Settings::alarmsDbfName2, kReadWrite, true},
        {"MetDBFname", &Settings::metDbfName, kReadWrite, true},
        {"AcqTime", &Settings::acqTime, kReadWrite, true},
        {"ExpRateTime", &Settings::expRateTime, kReadWrite, true},
        {"AlmChkTime", &Settings::almChkTime, kReadWrite, true},
        {"MetLogTime", &Settings::metLogTime, kReadWrite, true},
    };
    return rows;
}

constexpr std::string_view kV = kValuesSection;
constexpr std::array<std::string_view, 5> kRefreshKeys{"50to100MHz", "100to250MHz", "250to400MHz", "400to600MHz",
                                                       "600MHzandUp"};
// Applying a stored EffMult to its spin field fails outside this range.
constexpr int kEffMultMin = 1;
constexpr int kEffMultMax = 10000;

int readIntInRange(const IniFile& ini, std::string_view key, int current, long long lo, long long hi) {
    const long long v = ini.readInteger(kV, key, current);
    return v < lo || v > hi ? current : static_cast<int>(v);
}

void readRow(const IniFile& ini, const KeyRow& row, Settings& s) {
    std::visit(
        [&](auto member) {
            auto& field = s.*member;
            using T = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<T, int>) field = readIntInRange(ini, row.key, field, INT32_MIN, INT32_MAX);
            else if constexpr (std::is_same_v<T, bool>) field = ini.readBool(kV, row.key, field);
            else if constexpr (std::is_same_v<T, double>) field = ini.readFloat(kV, row.key, field);
            else if constexpr (std::is_same_v<T, ColourRef>) field = ini.readColour(kV, row.key, field);
            else field = ini.readString(kV, row.key, field);
        },
        row.member);
}

void writeRow(IniFile& ini, const KeyRow& row, const Settings& s) {
    std::visit(
        [&](auto member) {
            const auto& field = s.*member;
            using T = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<T, int>) ini.writeInteger(kV, row.key, field);
            else if constexpr (std::is_same_v<T, bool>) ini.writeBool(kV, row.key, field);
            else if constexpr (std::is_same_v<T, double>) ini.writeFloat(kV, row.key, field);
            else if constexpr (std::is_same_v<T, ColourRef>) ini.writeColour(kV, row.key, field);
            else ini.writeString(kV, row.key, field);
        },
        row.member);
}

TraceStyle readTraceStyle(const IniFile& ini, std::string_view which) {
    const std::string base = "Show" + std::string(which) + "SpectrumAs";
    if (ini.readBool(kV, base + "Line", true)) return TraceStyle::Line;
    if (ini.readBool(kV, base + "Bars", false)) return TraceStyle::Bars;
    return TraceStyle::Pixels;
}

void writeTraceStyle(IniFile& ini, std::string_view which, TraceStyle style) {
    const std::string base = "Show" + std::string(which) + "SpectrumAs";
    ini.writeBool(kV, base + "Line", style == TraceStyle::Line);
    ini.writeBool(kV, base + "Bars", style == TraceStyle::Bars);
    ini.writeBool(kV, base + "Pixels", style == TraceStyle::Pixels);
}

RefreshChoice readRefresh(const IniFile& ini) {
    const std::array<bool, 5> defaults{false, false, true, false, false};
    for (std::size_t i = 0; i + 1 < kRefreshKeys.size(); ++i) {
        if (ini.readBool(kV, kRefreshKeys[i], defaults[i])) return static_cast<RefreshChoice>(i);
    }
    return RefreshChoice::QuarterSecond;
}

void readSpecialDisplayKeys(const IniFile& ini, Workstation& w) {
    Settings& s = w.settings;
    if (std::find(kSmoothFactors.begin(), kSmoothFactors.end(), s.smoothFactor) == kSmoothFactors.end()) {
        s.smoothFactor = 1;
    }
    s.refresh = readRefresh(ini);
    s.mainTraceStyle = readTraceStyle(ini, "Main");
    s.staticTraceStyle = readTraceStyle(ini, "Static");
    const bool lin = ini.readBool(kV, "LinYAxis", true);
    const bool log = ini.readBool(kV, "LogYAxis", false);
    s.yAxis = (!lin && log) ? YAxisScale::Logarithmic : YAxisScale::Linear;

    const long long effMult = ini.readInteger(kV, "EffMult", s.effMult);
    if (effMult < kEffMultMin || effMult > kEffMultMax) {
        w.op().message("The error is in setting the value of SpinEdit1!", {}, MessageKind::Error);
    } else {
        s.effMult = static_cast<int>(effMult);
    }
}

void readStateKeys(const IniFile& ini, Workstation& w) {
    AppState& st = w.state;
    const long long cap = ini.readInteger(kV, "DTCounterMax", st.deadTimeCreditMax);
    // A cap below one would credit nothing and leave every spectrum empty.
    if (cap < 1 || cap > INT32_MAX) w.op().message("Exception at location A", {}, MessageKind::Error);
    else st.deadTimeCreditMax = static_cast<int>(cap);
    st.deadTimeCorrection = !ini.readBool(kV, "DisableDeadTimeCorrections", !st.deadTimeCorrection);
    st.updateEventCreditCap();

    w.session(1).hvFullScale = readIntInRange(ini, "HVUnit", w.session(1).hvFullScale, 1, INT32_MAX);
    w.session(2).hvFullScale = readIntInRange(ini, "HVUnit2", w.session(2).hvFullScale, 1, INT32_MAX);

    st.presetRealTime = readIntInRange(ini, "PreSetRealTime", st.presetRealTime, 1, INT32_MAX);
    st.presetRealTimeOn = st.fieldStation || ini.readBool(kV, "PreSetRealTimeChecked", st.presetRealTimeOn);
    st.presetCounts = readIntInRange(ini, "PreSetCounts", st.presetCounts, 1, INT32_MAX);
    st.presetCountsOn = ini.readBool(kV, "PreSetCountsChecked", st.presetCountsOn);
    if (w.commandLine.networkAcquisition != NetworkAcquisition::None) {
        st.presetRealTime = w.commandLine.networkSeconds;
        st.presetRealTimeOn = true;
    }
}

void writeStateKeys(IniFile& ini, const Workstation& w) {
    const AppState& st = w.state;
    ini.writeInteger(kV, "PreSetRealTime", st.presetRealTime);
    ini.writeBool(kV, "PreSetRealTimeChecked", st.presetRealTimeOn);
    ini.writeInteger(kV, "PreSetCounts", st.presetCounts);
    ini.writeBool(kV, "PreSetCountsChecked", st.presetCountsOn);
    ini.writeBool(kV, "DisableDeadTimeCorrections", !st.deadTimeCorrection);
    ini.writeInteger(kV, "HVUnit", w.session(1).hvFullScale);
    ini.writeInteger(kV, "HVUnit2", w.session(2).hvFullScale);
}

void writeSpecialDisplayKeys(IniFile& ini, const Settings& s) {
    for (std::size_t i = 0; i < kRefreshKeys.size(); ++i) {
        ini.writeBool(kV, kRefreshKeys[i], static_cast<std::size_t>(s.refresh) == i);
    }
    writeTraceStyle(ini, "Main", s.mainTraceStyle);
    writeTraceStyle(ini, "Static", s.staticTraceStyle);
    ini.writeBool(kV, "LinYAxis", s.yAxis == YAxisScale::Linear);
    ini.writeBool(kV, "LogYAxis", s.yAxis == YAxisScale::Logarithmic);
}

IniFile loadForReading(Workstation& w) {
    try {
        return IniFile::load(w.folders.settingsFile);
    } catch (const FileError&) {
        // An unreadable file fails the first keys read; every key then takes its default.
        w.op().message("Exception at location aA", {}, MessageKind::Error);
        return IniFile{};
    }
}

}  // namespace

std::string cutStoredPath(const std::string& value) {
    if (value.size() < 2 || value[1] != ':') return value;
    const std::size_t slash = value.find_last_of('\\');
    return slash == std::string::npos ? value.substr(2) : value.substr(slash + 1);
}

void loadSettings(Workstation& w) {
    const IniFile ini = loadForReading(w);
    const bool fieldStation = w.state.fieldStation;
    if (w.settings.lastLibrary.empty()) w.settings.lastLibrary = std::string(w.state.edition.defaultLibrary);
    for (const KeyRow& row : keyTable()) {
        if ((row.moments & kRead) && (!row.fieldStationOnly || fieldStation)) readRow(ini, row, w.settings);
    }
    w.settings.lastRoiSet = cutStoredPath(w.settings.lastRoiSet);
    w.settings.lastLibrary = cutStoredPath(w.settings.lastLibrary);
    if (w.settings.lastLibrary.empty()) w.settings.lastLibrary = std::string(w.state.edition.defaultLibrary);
    readStateKeys(ini, w);
    readSpecialDisplayKeys(ini, w);
}

void saveSettings(Workstation& w) {
    IniFile ini = IniFile::load(w.folders.settingsFile);
    const bool fieldStation = w.state.fieldStation;
    for (const KeyRow& row : keyTable()) {
        if ((row.moments & kWrite) && (!row.fieldStationOnly || fieldStation)) writeRow(ini, row, w.settings);
    }
    writeStateKeys(ini, w);
    writeSpecialDisplayKeys(ini, w.settings);
    ini.save(w.folders.settingsFile);
}

void writeSetting(const Workstation& w, std::string_view key, std::string_view value) {
    IniFile ini = IniFile::load(w.folders.settingsFile);
    ini.writeString(kV, key, value);
    ini.save(w.folders.settingsFile);
}

std::string readSetting(const Workstation& w, std::string_view key, std::string_view defaultValue) {
    return IniFile::load(w.folders.settingsFile).readString(kV, key, defaultValue);
}

}  // namespace mca
