// The Energy Cal window's state and commands.
#include "calibration/energy_cal_window.h"

#include "core/errors.h"
#include "core/ini_file.h"
#include "core/number_text.h"

#include <algorithm>
#include <vector>

namespace mca {

namespace {

constexpr const char* kMirrorSection = "CurrentEnergyCal";
constexpr const char* kProgramFileName = "mca";

// An entry's number; empty (or, in a record, unreadable) text counts as 0.
double entryValue(const std::string& text) {
    return parseFloat(text).value_or(0.0);
}

bool readsAsNumber(const std::string& text) {
    return text.empty() || parseFloat(text).has_value();
}

struct SortedRow {
    double energy = 0;
    double channel = 0;
    EnergyCalRow row;
};

}  // namespace

std::filesystem::path energyCalMirrorPath(const Workstation& workstation) {
    return workstation.folders.application /
           (std::string(kProgramFileName) + workstation.session(1).serialNumber + ".ini");
}

EnergyCalWindow::EnergyCalWindow(Workstation& workstation, EnergyCalibration& calibration, DetectorRecord& record,
                                 EnergyCalHost& host)
    : m_w(workstation), m_cal(calibration), m_record(record), m_host(host) {}

EnergyCalWindow::~EnergyCalWindow() {
    try {
        release();
    } catch (...) {
        // Nothing can be reported from a destructor; release() has shown what it could.
    }
}

bool EnergyCalWindow::open(const EnergyCalOpening& how) {
    if (m_open) {
        return true;
    }
    if (how.resolutionWindowOpen) {
        m_w.op().message(kEnergyCalRefusedMessage, kEnergyCalCaption);
        return false;
    }
    const bool wasAcquiring = m_host.acquiring();
    if (wasAcquiring) {
        m_host.stopAcquisition();
    }
    m_open = true;
    m_everShown = true;
    m_released = false;
    m_quadratic = how.order == OrderPreset::FromRecord ? m_record[field::kCalibrationOrder] == "2"
                                                       : m_cal.quadraticValid && !m_cal.useLinear;
    for (int i = 0; i < 2 * kCalibrationPointCount; ++i) {
        m_backup[static_cast<std::size_t>(i)] = m_record[field::kFirstEnergy + i];
    }
    m_selected = 0;
    m_calibrateEnabled = false;
    m_calibrated = false;
    const bool loaded = loadRows();
    if (loaded && entryValue(m_rows[0].channel) != 0 && entryValue(m_rows[1].channel) != 0) {
        performCalibration(!how.startingUp);
    }
    if (wasAcquiring) {
        m_host.startAcquisition();
    }
    return true;
}

// A record whose points do not read as numbers is shown with those entries empty and is not
// calibrated at once, so the record is not rewritten behind the operator's back.
bool EnergyCalWindow::loadRows() {
    m_rows = EnergyCalRows{};
    if (m_record[field::kFirstEnergy].empty()) {
        m_rows[0].energy = kPresetFirstEnergy;
        m_rows[1].energy = kPresetSecondEnergy;
        return true;
    }
    bool loaded = true;
    for (int i = 0; i < kCalibrationPointCount; ++i) {
        EnergyCalRow& row = rowAt(i);
        row.energy = m_record[field::kFirstEnergy + i];
        row.channel = m_record[field::kFirstChannel + i];
        for (std::string* text : {&row.energy, &row.channel}) {
            if (!readsAsNumber(*text)) {
                text->clear();
                loaded = false;
            }
        }
    }
    if (!loaded) {
        m_w.op().message(kEnergyCalLoadErrorMessage, kEnergyCalCaption, MessageKind::Error);
    }
    return loaded;
}

EnergyCalRow& EnergyCalWindow::rowAt(int row) {
    return m_rows.at(static_cast<std::size_t>(row));
}

void EnergyCalWindow::selectRow(int row) {
    rowAt(row);   // range check
    m_selected = row;
}

std::optional<double> EnergyCalWindow::markerPosition(MarkerAxis axis) const {
    if (!m_open || !m_selected) {
        return std::nullopt;
    }
    const EnergyCalRow& row = m_rows[static_cast<std::size_t>(*m_selected)];
    if (!(entryValue(row.channel) >= 1.0)) {
        return std::nullopt;
    }
    switch (axis) {
    case MarkerAxis::Channels:
        break;
    case MarkerAxis::KeV:
        return entryValue(row.energy);
    case MarkerAxis::MeV:
        return entryValue(row.energy) / 1000.0;
    }
    return entryValue(row.channel);
}

bool EnergyCalWindow::setEnergy(int row, std::string_view text) {
    EnergyCalRow& target = rowAt(row);
    std::string stored;
    if (!text.empty()) {
        const std::optional<double> keV = parseFloat(text);
        if (!keV || *keV < 0.0 || *keV > kMaxEntryKeV) {
            return false;
        }
        stored = formatFull(*keV);
    }
    target.energy = stored;
    m_selected = row;
    m_calibrateEnabled = true;
    return true;
}

bool EnergyCalWindow::setChannel(int row, std::string_view text) {
    EnergyCalRow& target = rowAt(row);
    std::string stored;
    if (!text.empty()) {
        const std::optional<long long> channel = parseInteger(text);
        if (!channel || *channel < 0 || *channel > kMaxEntryChannel) {
            return false;
        }
        if (*channel != 0) {
            stored = std::to_string(*channel);
        }
    }
    target.channel = stored;
    m_selected = row;
    m_calibrateEnabled = true;
    return true;
}

void EnergyCalWindow::spectrumDoubleClicked(double channel) {
    if (!m_open || !m_selected) {
        return;
    }
    const long long rounded = roundHalfEven(channel);
    if (rounded < 0 || rounded > kMaxEntryChannel) {
        return;
    }
    setChannel(*m_selected, std::to_string(rounded));
}

bool EnergyCalWindow::channelUp(int row) {
    const long long channel = roundHalfEven(entryValue(rowAt(row).channel));
    return channel < kChannelUpBelow && setChannel(row, std::to_string(channel + 1));
}

bool EnergyCalWindow::channelDown(int row) {
    const long long channel = roundHalfEven(entryValue(rowAt(row).channel));
    return channel > kChannelDownAbove && setChannel(row, std::to_string(channel - 1));
}

void EnergyCalWindow::useLinearFit() {
    m_quadratic = false;
    chooseEnergyCalibrationOrder(m_cal, false);
    publish();
}

void EnergyCalWindow::useQuadratic() {
    m_quadratic = true;
    chooseEnergyCalibrationOrder(m_cal, true);
    publish();
}

void EnergyCalWindow::calibrate() {
    performCalibration(true);
}

void EnergyCalWindow::performCalibration(bool warnOutOfOrder) {
    sortRows(warnOutOfOrder);
    storeIntoRecord();
    recompute();
    m_host.calibrationApplied();
    m_calibrateEnabled = false;
    m_calibrated = true;
}

// Sorted by energy, descending, the rows past the second that have no energy are dropped; the
// rest is sorted ascending and written back, the unused rows blanked.
void EnergyCalWindow::sortRows(bool warnOutOfOrder) {
    std::vector<SortedRow> sorted;
    for (const EnergyCalRow& row : m_rows) {
        sorted.push_back({entryValue(row.energy), entryValue(row.channel), row});
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const SortedRow& a, const SortedRow& b) { return a.energy > b.energy; });
    const auto firstEmpty = std::find_if(sorted.begin() + 2, sorted.end(),
                                         [](const SortedRow& r) { return r.energy == 0.0; });
    sorted.erase(firstEmpty, sorted.end());
    if (sorted[1].energy == 0.0) {
        m_w.op().message(kTooFewEnergyPointsMessage, kEnergyCalCaption, MessageKind::Warning);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const SortedRow& a, const SortedRow& b) { return a.energy < b.energy; });
    for (std::size_t i = 1; warnOutOfOrder && i < sorted.size(); ++i) {
        const bool rising = sorted[i].energy > sorted[i - 1].energy && sorted[i].channel > sorted[i - 1].channel;
        if (!rising) {
            m_w.op().message(kEnergyPointsNotSequentialMessage, kEnergyCalCaption, MessageKind::Warning);
        }
    }
    m_rows = EnergyCalRows{};
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        m_rows[i] = sorted[i].row;
    }
}

void EnergyCalWindow::storeIntoRecord() {
    const bool wasAcquiring = m_host.acquiring();
    if (wasAcquiring) {
        m_host.stopAcquisition();
    }
    for (int i = 0; i < kCalibrationPointCount; ++i) {
        m_record[field::kFirstEnergy + i] = rowAt(i).energy;
        m_record[field::kFirstChannel + i] = rowAt(i).channel;
    }
    m_record[field::kCalibrationOrder] = m_quadratic ? "2" : "1";
    chooseEnergyCalibrationOrder(m_cal, m_quadratic);
    if (!m_w.state.offline) {
        m_host.saveDetectorDatabase();
    }
    if (wasAcquiring) {
        m_host.startAcquisition();
    }
}

void EnergyCalWindow::recompute() {
    RecomputeEnergyCalibration(m_cal, m_record);
    publish();
}

void EnergyCalWindow::publish() {
    m_w.state.energyCalibration = energyCalibrationKind(m_cal);
    m_host.refreshFitDisplay();
}

void EnergyCalWindow::cancel() {
    m_open = false;
}

// The restore puts the old points back; when this opening had applied a calibration, the ROI
// channels and displays follow the restored one rather than keeping the discarded one.
bool EnergyCalWindow::closeByFrame() {
    if (m_w.op().question(kEnergyCalCloseQuestion, kEnergyCalCaption, kYesNo) != Answer::Yes) {
        return false;
    }
    for (int i = 0; i < 2 * kCalibrationPointCount; ++i) {
        m_record[field::kFirstEnergy + i] = m_backup[static_cast<std::size_t>(i)];
    }
    recompute();
    if (m_calibrated) {
        m_host.calibrationApplied();
    }
    m_open = false;
    return true;
}

void EnergyCalWindow::release() {
    if (m_released) {
        return;
    }
    m_released = true;
    m_open = false;
    if (!m_everShown) {
        return;
    }
    try {
        writeMirrorFile();
    } catch (const FileError& error) {
        m_w.op().message(error.what(), kEnergyCalCaption, MessageKind::Error);
    }
}

void EnergyCalWindow::writeMirrorFile() const {
    const std::filesystem::path path = energyCalMirrorPath(m_w);
    IniFile mirror = IniFile::load(path);
    for (int i = 0; i < kCalibrationPointCount; ++i) {
        mirror.writeFloat(kMirrorSection, "Energy" + std::to_string(i + 1),
                          entryValue(m_rows[static_cast<std::size_t>(i)].energy));
    }
    for (int i = 0; i < kCalibrationPointCount; ++i) {
        mirror.writeInteger(kMirrorSection, "Channel" + std::to_string(i + 1),
                            roundHalfEven(entryValue(m_rows[static_cast<std::size_t>(i)].channel)));
    }
    mirror.save(path);
}

void loadDetectorEnergyCalibration(Workstation& workstation, EnergyCalibration& calibration, DetectorRecord& record,
                                   EnergyCalHost& host, bool startingUp, bool resolutionWindowOpen) {
    calibration = EnergyCalibration{};
    workstation.state.energyCalibration = EnergyCalibrationKind::None;
    host.refreshFitDisplay();
    EnergyCalWindow window(workstation, calibration, record, host);
    window.open({resolutionWindowOpen, startingUp, OrderPreset::FromRecord});
    window.release();
}

}  // namespace mca
