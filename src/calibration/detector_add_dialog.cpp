// The Add New Detector dialog.
#include "calibration/detector_add_dialog.h"

#include "calibration/detector_text_filter.h"
#include "core/number_text.h"
#include "core/workstation.h"

#include <algorithm>

namespace mca {

namespace {

bool isNumber(const std::string& text) { return parseFloat(text).has_value(); }

}  // namespace

DetectorAddDialog::DetectorAddDialog(Workstation& w, DetectorDatabases& databases, int n)
    : m_workstation(w), m_databases(databases), m_instrument(n) {
    m_baseList = detectorListTexts(m_databases.database(n));
    if (m_baseList.empty()) m_baseList.emplace_back("Generic");
    chooseBase(0);
}

void DetectorAddDialog::chooseBase(int index) {
    if (index < 0 || index >= static_cast<int>(m_baseList.size())) return;
    m_baseIndex = index;
    const DetectorDatabase& db = m_databases.database(m_instrument);
    m_entries = db.hasDetector() ? detectorEntriesFrom(db.record(index)) : genericDetectorEntries();
}

void DetectorAddDialog::setName(std::string_view text) {
    m_entries.name = dropForbiddenDetectorCharacters(text, m_workstation.op());
}

void DetectorAddDialog::setSerial(std::string_view text) {
    m_entries.serial = dropForbiddenDetectorCharacters(text, m_workstation.op());
}

void DetectorAddDialog::setDescription(std::string_view text) {
    m_entries.description = dropForbiddenDetectorCharacters(text, m_workstation.op());
}

std::string DetectorAddDialog::fineGainText() const { return mca::fineGainText(m_entries.fineGainPosition); }

std::string DetectorAddDialog::overallGainText() const {
    return mca::overallGainText(m_entries.coarseGainCode, m_entries.fineGainPosition);
}

void DetectorAddDialog::fineGainUp() {
    m_entries.fineGainPosition = std::min(m_entries.fineGainPosition + 1, kMaxFineGain);
}

void DetectorAddDialog::fineGainDown() { m_entries.fineGainPosition = std::max(m_entries.fineGainPosition - 1, 0); }

AddDetectorOutcome DetectorAddDialog::add() {
    filterIdentity();
    if (!isUnique()) {
        refuse(kDetectorNotUniqueMessage);
        return AddDetectorOutcome::Refused;
    }
    if (!requiredPresent()) {
        refuse(kDetectorFieldsMissingMessage);
        return AddDetectorOutcome::Refused;
    }
    if (!voltagesInOrder()) {
        refuse(kDetectorVoltageMessage);
        return AddDetectorOutcome::Refused;
    }
    m_databases.database(m_instrument).add(detectorRecordFrom(m_entries));
    mirrorDetectorRow(m_workstation, m_databases, m_instrument);
    m_entries = DetectorEntries{};
    return AddDetectorOutcome::Added;
}

// Text pasted into the identity fields has not been through the per-edit filter.
void DetectorAddDialog::filterIdentity() {
    setName(m_entries.name);
    setSerial(m_entries.serial);
    setDescription(m_entries.description);
}

// The key (fields 0-4 and the channel-count code run together) names the detector's calibration
// files, so two records with the same key would share them.
bool DetectorAddDialog::isUnique() const {
    const std::string key = DetectorKey(detectorRecordFrom(m_entries));
    const auto& records = m_databases.database(m_instrument).records();
    return std::none_of(records.begin(), records.end(), [&](const DetectorRecord& r) { return DetectorKey(r) == key; });
}

// Besides being present, the voltages, the cable length and the threshold must read as numbers:
// the voltages are compared next, and the cable length is part of calibration file names.
bool DetectorAddDialog::requiredPresent() const {
    const DetectorEntries& e = m_entries;
    for (const std::string* text : {&e.name, &e.serial, &e.description, &e.units}) {
        if (text->empty()) return false;
    }
    return isNumber(e.cableLength) && isNumber(e.highVoltage) && isNumber(e.notToExceed) &&
           parseInteger(e.threshold).has_value();
}

bool DetectorAddDialog::voltagesInOrder() const {
    return *parseFloat(m_entries.notToExceed) > *parseFloat(m_entries.highVoltage);
}

void DetectorAddDialog::refuse(std::string_view text) {
    m_workstation.op().message(std::string(text), "Add New Detector", MessageKind::Warning);
}

}  // namespace mca
