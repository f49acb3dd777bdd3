// The spectrum file writer.
#include "spectrumio/spectrum_file_writer.h"

#include "core/errors.h"
#include "core/hardware_codes.h"
#include "core/number_text.h"
#include "spectrumio/spectrum_file_layout.h"

#include <map>

namespace mca {

namespace {

using namespace usf;

const std::map<int, std::string_view>& fixedLabels() {
    static const std::map<int, std::string_view> labels{
        {kSaved, "Spectrum Saved:"}, {1, "Detector:"}, {2, "Detector Serial Number:"},
        {3, "Detector Description:"}, {4, "Cable Length:"}, {5, "Cable Length Units:"},
        {kInput, "Input and Polarity:"}, {kHighVoltage, "High Voltage:"}, {kNotToExceed, "Not-to-Exceed Voltage:"},
        {kCoarseGain, "Coarse Gain:"}, {kFineGain, "Fine Gain:"}, {kOverallGain, "Overall Gain:"},
        {kShapingTime, "Shaping Time:"}, {kThreshold, "Threshold (mV):"}, {kCountingTime, "Counting Time (sec):"},
        {kTotalCounts, "Total Counts:"}, {kSampleDescription, "Sample Description:"},
        {kSampleQuantity, "Sample Quantity:"}, {kSampleUnitsRow, "Sample Units:"}, {kStarted, "Acquisition Started:"},
        {kStopped, "Acquisition Stopped:"}, {kReserved, "<RESERVED>"}, {kSqrtToFwhm, "Sqrt-to-FWHM Multiplier:"},
        {kFwhmToPeak, "FWHM-to-Peak Multiplier:"}, {kDeadTime, "Average % Dead Time:"},
        {kDeadTimeCorrected, "Dead-Time Corrected?"}, {kRampHv, "Ramp HV:"}, {kRampValue, "HV Ramp Value:"},
        {kZeroHv, "Zero HV:"}, {kChannels, "Number of Channels:"}, {kCalibrationOrder, "Energy Cal Data"},
        {kCalibrationHeading, "Channel"}, {kFactorsHeading, "Linear Factors"}, {kRoiFile, "ROI File:"},
        {kEffCalFile, "Eff Cal File:"}, {62, "Beta Acq Time"}, {63, "Beta Counts"}, {64, "Mast nSv/h"},
        {65, "Mast Sensitivity"}, {66, "Min Stab FG"}, {67, "Max Stab FG"}, {68, "Num FG Adjustments"},
        {69, "Num FG Tests"}, {70, "Measured HV"}, {72, "2nd Detector:"}, {73, "2nd Detector Serial Number:"},
        {74, "2nd Detector Description:"}, {75, "2nd Cable Length:"}, {76, "2nd Cable Length Units:"},
        {77, "2nd Input and Polarity:"}, {78, "2nd High Voltage:"}, {79, "2nd Not-to-Exceed Voltage:"},
        {80, "2nd Coarse Gain:"}, {81, "2nd Fine Gain:"}, {82, "2nd Overall Gain:"}, {83, "2nd Shaping Time:"},
        {84, "2nd Threshold (mV):"}};
    return labels;
}

constexpr std::array<std::string_view, kWeatherRows> kWeatherLabels{
    "Start UTC", "Start Latitude", "Start Northing", "Start Longitude", "Start Latitude",
    "Start Quality Indicator", "Start Num Sats", "Start HDOP", "Start Altitude", "Start Baro (in Hg)",
    "Start Baro (Bar)", "Start Air Temp", "Start Rel Humidity", "Start Dew Point", "Start Wind Direction (True)",
    "Start Wind Direction (Mag)", "Start Wind Speed (Knots)", "Start Wind Speed (MPS)"};

// Rows whose labels stay in -SEC files.
bool labelAlwaysWritten(int row) { return (row >= kSecondBlock && row <= 84) || row >= kWeatherStart; }

double fineGainFactor(const std::string& position) {
    const auto p = parseInteger(position);
    const long long value = p && *p >= INT32_MIN && *p <= INT32_MAX ? *p : 127;
    return static_cast<double>(value + 1) / (kMaxFineGain + 1);
}

double coarseGainValue(const std::string& code) {
    const auto text = codeText(kCoarseGainTexts, code);
    return text ? parseFloat(*text).value_or(0.0) : 0.0;
}

// Field 5 holds the input code, except after an offline load, which leaves the file's input text
// there; both are written back as the text (or the code with -SEC), so a reloaded spectrum keeps
// its input when it is saved again.
std::string inputCode(const std::string& stored) {
    if (const auto code = codeOfText(kInputTexts, stored)) return std::to_string(*code);
    return stored;
}

std::string channelsText(const std::string& code) {
    // A code that is not a whole number counts as 0; a whole number out of range leaves it empty.
    const auto n = parseInteger(code);
    if (!n) return std::to_string(kChannelCountByCode[0]);
    if (*n < 0 || *n >= static_cast<long long>(kChannelCountByCode.size())) return {};
    return std::to_string(kChannelCountByCode[static_cast<std::size_t>(*n)]);
}

class GridFiller {
public:
    GridFiller(SpectrumFileSources& s, int rows, int columns)
        : m_s(s), m_w(s.workstation), m_grid(rows, columns), m_sec(s.workstation.state.plainFileHeader) {}

    Grid fill() {
        fillDetectorRows(m_s.record);
        fillSessionRows();
        fillCalibrationRows();
        if (m_w.state.networkMode && m_s.network) fillNetworkRows(*m_s.network);
        if (m_grid.columnCount() == kTwoInstrumentColumns && m_s.secondRecord) fillSecondRows(*m_s.secondRecord);
        if (m_w.state.fieldStation && m_s.weather) fillWeatherRows(*m_s.weather);
        fillCounts();
        return std::move(m_grid);
    }

private:
    void put(int row, const std::string& value) {
        const auto label = fixedLabels().find(row);
        if (label != fixedLabels().end()) putLabel(row, std::string(label->second));
        m_grid.setCell(row, kValueColumn, value);
    }

    void putLabel(int row, const std::string& label) {
        if (!m_sec || labelAlwaysWritten(row)) m_grid.setCell(row, kLabelColumn, label);
    }

    void fillDetectorRows(const DetectorRecord& r) {
        for (int f = field::kName; f <= field::kCableUnits; ++f) put(kDetector + f, r[f]);
        const std::string input = inputCode(r[field::kInput]);
        put(kInput, m_sec ? input : codeText(kInputTexts, input).value_or(std::string{}));
        put(kHighVoltage, r[field::kHighVoltage]);
        put(kNotToExceed, r[field::kNotToExceed]);
        put(kCoarseGain,
            m_sec ? r[field::kCoarseGain] : codeText(kCoarseGainTexts, r[field::kCoarseGain]).value_or(std::string{}));
        const double factor = fineGainFactor(r[field::kFineGain]);
        put(kFineGain, formatFixed(factor, 3, 6));
        put(kOverallGain, formatFixed(coarseGainValue(r[field::kCoarseGain]) * factor, 3, 6));
        put(kShapingTime, codeText(kShapingTimeTexts, r[field::kShapingTime]).value_or(std::string{}));
        put(kThreshold, r[field::kThreshold]);
        put(kSqrtToFwhm, r[field::kSqrtToFwhm]);
        put(kFwhmToPeak, r[field::kFwhmToPeak]);
        put(kRampHv, r[field::kRampHv]);
        put(kRampValue, r[field::kRampValue]);
        put(kZeroHv, r[field::kZeroHv]);
        put(kChannels, channelsText(r[field::kChannelsCode]));
        for (int k = 0; k < kCalibrationPointCount; ++k) {
            m_grid.setCell(kFirstPoint + k, kLabelColumn, r[field::kFirstChannel + k]);
            m_grid.setCell(kFirstPoint + k, kValueColumn, r[field::kFirstEnergy + k]);
        }
    }

    void fillSessionRows() {
        const AppState& st = m_w.state;
        const InstrumentSession& session = m_w.session(m_s.instrument);
        put(kSaved, formatDateTimeText(m_w.platform.clock.now()));
        putLabel(kFirmware, std::string(st.edition.productName) + " Version:");
        m_grid.setCell(kFirmware, kValueColumn, session.firmwareText);
        const bool network = st.networkMode && m_s.network;
        put(kCountingTime, network ? formatFull(m_s.network->countingSeconds)
                                   : (m_w.screen.elapsedTime.empty() ? "0" : m_w.screen.elapsedTime));
        put(kTotalCounts, formatNumber(session.spectrum.sum(), 0, 7));
        put(kSampleDescription, m_w.sample.description);
        put(kSampleQuantity, m_w.sample.quantity);
        put(kSampleUnitsRow, m_w.settings.sampleUnits);
        put(kStarted, st.startDateText);
        put(kStopped, st.stopDateText);
        putLabel(kSerialNumber, std::string(st.edition.instrumentName) + " Serial Number:");
        m_grid.setCell(kSerialNumber, kValueColumn, session.serialNumber);
        put(kReserved, "");
        put(kDeadTime, averageDeadTime());
        put(kDeadTimeCorrected, st.deadTimeCorrection ? "Y" : "N");
        put(kRoiFile, m_s.roiFile);
        put(kEffCalFile, m_s.effCalFile);
    }

    // Over the acquisition: (pulses - records) x 100 / pulses, the pulses the instrument saw but
    // could not digitise.
    std::string averageDeadTime() const {
        const Spectrum& sp = m_w.session(m_s.instrument).spectrum;
        if (sp.eventsDecoded == 0 || sp.pulsesReported == 0) return "0";
        const double percent = static_cast<double>(sp.pulsesReported - sp.eventsDecoded) * 100.0 /
                               static_cast<double>(sp.pulsesReported);
        return formatFixed(percent, 2, 3);
    }

    void fillCalibrationRows() {
        const EnergyCalibration& c = m_s.calibration;
        put(kCalibrationOrder, isQuadraticActive(c) ? "quadratic" : "linear");
        put(kCalibrationHeading, "keV");
        put(kFactorsHeading, "Quadratic Factors");
        m_grid.setCell(kFactor0, kLabelColumn, formatFull(c.d));
        m_grid.setCell(kFactor0, kValueColumn, formatFull(c.a0));
        m_grid.setCell(kFactor1, kLabelColumn, formatFull(c.k));
        m_grid.setCell(kFactor1, kValueColumn, formatFull(c.a1));
        m_grid.setCell(kFactor2, kValueColumn, formatFull(c.a2));
    }

    void fillNetworkRows(const NetworkFileBlock& n) {
        put(62, formatFixed(n.betaAcqTime, 2, 6));
        put(63, std::to_string(n.betaCounts));
        put(64, std::to_string(n.doseRate));
        put(65, formatFixed(n.sensitivity, 2, 6));
        put(66, formatFixed(n.minStabFineGain, 3, 6));
        put(67, formatFixed(n.maxStabFineGain, 3, 6));
        put(68, std::to_string(n.fineGainAdjustments));
        put(69, std::to_string(n.fineGainTests));
        put(70, std::to_string(n.measuredHv));
    }

    void fillSecondRows(const DetectorRecord& r) {
        putLabel(kSecondBlock, "2nd " + std::string(m_w.state.edition.instrumentName) + " Serial Number:");
        m_grid.setCell(kSecondBlock, kValueColumn, m_w.session(2).serialNumber);
        for (int f = field::kName; f <= field::kCableUnits; ++f) put(72 + f, r[f]);
        put(77, codeText(kInputTexts, inputCode(r[field::kInput])).value_or(std::string{}));
        put(78, r[field::kHighVoltage]);
        put(79, r[field::kNotToExceed]);
        put(80, codeText(kCoarseGainTexts, r[field::kCoarseGain]).value_or(std::string{}));
        const double factor = fineGainFactor(r[field::kFineGain]);
        put(81, formatFixed(factor, 3, 6));
        put(82, formatFixed(coarseGainValue(r[field::kCoarseGain]) * factor, 3, 6));
        put(83, codeText(kShapingTimeTexts, r[field::kShapingTime]).value_or(std::string{}));
        put(84, r[field::kThreshold]);
    }

    void fillWeatherRows(const WeatherFileBlock& b) {
        for (int i = 0; i < kWeatherRows; ++i) {
            const auto idx = static_cast<std::size_t>(i);
            m_grid.setCell(kWeatherStart + i, kLabelColumn, std::string(kWeatherLabels[idx]));
            m_grid.setCell(kWeatherStart + i, kValueColumn, b.start[idx]);
            m_grid.setCell(kWeatherEnd + i, kLabelColumn, i == 0 ? "End UTC" : std::string(kWeatherLabels[idx]));
            m_grid.setCell(kWeatherEnd + i, kValueColumn, b.end[idx]);
        }
    }

    void fillCounts() {
        const Spectrum& own = m_w.session(m_s.instrument).spectrum;
        const bool two = m_grid.columnCount() == kTwoInstrumentColumns;
        const Spectrum& second = m_w.session(2).spectrum;
        for (int r = 0; r < m_grid.rowCount(); ++r) {
            const auto i = static_cast<std::size_t>(r);
            m_grid.setCell(r, kCountsColumn, formatFixed(two ? own.counts[i] + second.counts[i] : own.counts[i], 4, 18));
            if (two) {
                m_grid.setCell(r, kMca1Column, formatFixed(own.counts[i], 4, 18));
                m_grid.setCell(r, kMca2Column, formatFixed(second.counts[i], 4, 18));
            }
        }
    }

    SpectrumFileSources& m_s;
    const Workstation& m_w;
    Grid m_grid;
    bool m_sec;
};

}  // namespace

bool usesTwoInstrumentLayout(const Workstation& w, int instrument) {
    return instrument == 1 && !w.state.quadLayout && w.session(2).open;
}

Grid buildSpectrumGrid(SpectrumFileSources& sources) {
    fillMultiplierDefaults(sources.record);
    const Workstation& w = sources.workstation;
    const int columns = usesTwoInstrumentLayout(w, sources.instrument) ? kTwoInstrumentColumns : kColumns;
    return GridFiller(sources, w.state.channelCount, columns).fill();
}

void SaveSpectrumFile(SpectrumFileSources& sources, const std::filesystem::path& path) {
    const Grid grid = buildSpectrumGrid(sources);
    try {
        saveGridFile(path, grid);
    } catch (const FileError& e) {
        throw FileError("Cannot create file " + path.string() + " (" + e.what() + ")");
    }
}

std::string headerLabel(const Workstation& w, int row) {
    if (row == kFirmware) return std::string(w.state.edition.productName) + " Version:";
    if (row == kSerialNumber) return std::string(w.state.edition.instrumentName) + " Serial Number:";
    if (row == kSecondBlock) return "2nd " + std::string(w.state.edition.instrumentName) + " Serial Number:";
    if (row >= kWeatherStart && row < kWeatherStart + 2 * kWeatherRows) {
        const int i = (row - kWeatherStart) % kWeatherRows;
        return row == kWeatherEnd ? "End UTC" : std::string(kWeatherLabels[static_cast<std::size_t>(i)]);
    }
    const auto it = fixedLabels().find(row);
    return it == fixedLabels().end() ? std::string{} : std::string(it->second);
}

}  // namespace mca
