// The Delete Detector dialog.
#include "calibration/detector_remove_dialog.h"

#include "core/workstation.h"

namespace mca {

namespace {

constexpr const char* kTitle = "Delete Detector";

}  // namespace

DetectorRemoveDialog::DetectorRemoveDialog(Workstation& w, DetectorDatabases& databases, int n)
    : m_workstation(w), m_databases(databases), m_instrument(n) {
    chooseSelected();
}

std::vector<std::string> DetectorRemoveDialog::list() const {
    return detectorListTexts(m_databases.database(m_instrument));
}

void DetectorRemoveDialog::choose(int index) {
    if (index >= 0 && index < m_databases.database(m_instrument).detectorCount()) m_chosen = index;
}

const DetectorRecord* DetectorRemoveDialog::chosenRecord() const {
    return m_chosen < 0 ? nullptr : &m_databases.database(m_instrument).record(m_chosen);
}

void DetectorRemoveDialog::chooseSelected() {
    const DetectorDatabase& db = m_databases.database(m_instrument);
    m_chosen = db.selectedIndex() < db.detectorCount() ? db.selectedIndex() : (db.hasDetector() ? 0 : -1);
}

RemoveDetectorOutcome DetectorRemoveDialog::deleteDetector() {
    if (m_chosen < 0) return RemoveDetectorOutcome::Kept;
    Operator& op = m_workstation.op();
    if (op.question(std::string(kRemoveDetectorQuestion), kTitle, kYesNo) != Answer::Yes) {
        return RemoveDetectorOutcome::Kept;
    }
    DetectorDatabase& db = m_databases.database(m_instrument);
    if (m_chosen == db.selectedIndex()) {
        op.message(std::string(kCannotDeleteActiveDetectorMessage), kTitle, MessageKind::Warning);
        return RemoveDetectorOutcome::ActiveRefused;
    }
    db.remove(m_chosen);
    mirrorDetectorRow(m_workstation, m_databases, m_instrument);
    chooseSelected();
    op.message(std::string(kDetectorDeletedMessage), kTitle, MessageKind::Information);
    return RemoveDetectorOutcome::Deleted;
}

}  // namespace mca
