// The Select Detector dialog.
#include "calibration/detector_select_dialog.h"

#include "core/errors.h"
#include "core/workstation.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace mca {

namespace {

constexpr std::array<std::string_view, 4> kTitleOrdinals{"", "2nd ", "3rd ", "4th "};
constexpr std::array<std::string_view, 4> kMessageOrdinals{"", "second ", "third ", "fourth "};

std::string_view ordinal(const std::array<std::string_view, 4>& words, int n) {
    return words.at(static_cast<std::size_t>(n - 1));
}

}  // namespace

std::string detectorRequiredMessage(int n) {
    return "A detector must be entered before " + std::string(ordinal(kMessageOrdinals, n)) + "MCA can be opened.";
}

DetectorSelectDialog::DetectorSelectDialog(Workstation& w, DetectorDatabases& databases, DetectorUseHooks& hooks,
                                           int n, DetectorUseOptions options)
    : m_workstation(w), m_databases(databases), m_hooks(hooks), m_instrument(n), m_options(options) {}

std::string DetectorSelectDialog::title() const {
    const InstrumentSession& s = m_workstation.session(m_instrument);
    return "Select Detector for " + std::string(ordinal(kTitleOrdinals, m_instrument)) +
           instrumentCaption(m_workstation.state.edition, s.serialNumber, s.aliasText());
}

std::vector<std::string> DetectorSelectDialog::list() const {
    return detectorListTexts(m_databases.database(m_instrument));
}

int DetectorSelectDialog::listIndex() const {
    const DetectorDatabase& db = m_databases.database(m_instrument);
    return db.selectedIndex() < db.detectorCount() ? db.selectedIndex() : -1;
}

SelectDialogStart DetectorSelectDialog::open() {
    const DetectorDatabase& db = m_databases.database(m_instrument);
    if (db.selected()[field::kSerial].empty() || !db.hasDetector()) {
        m_workstation.op().message(detectorRequiredMessage(m_instrument), title(), MessageKind::Information);
        return SelectDialogStart::NeedsDetector;
    }
    return m_workstation.state.networkMode ? SelectDialogStart::SelectsItself : SelectDialogStart::Shown;
}

void DetectorSelectDialog::chooseListItem(int index) {
    if (index < 0 || index >= m_databases.database(m_instrument).detectorCount()) return;
    selectDetectorRecord(m_workstation, m_databases, m_instrument, index);
}

void DetectorSelectDialog::useThisDetector() {
    if (!useEnabled()) return;
    useSelectedDetector(m_workstation, m_databases, m_instrument, m_hooks, m_options);
}

SelectDialogEnd DetectorSelectDialog::useAndClose() {
    useThisDetector();
    return close();
}

SelectDialogEnd DetectorSelectDialog::cancel() {
    if (m_options.startupInProgress) return SelectDialogEnd::EndProgram;
    return close();
}

SelectDialogEnd DetectorSelectDialog::close() {
    selectDetectorRecord(m_workstation, m_databases, m_instrument, std::max(listIndex(), 0));
    if (m_options.startupInProgress || m_workstation.state.offline) return SelectDialogEnd::Closed;
    try {
        SaveDetectorDatabase(m_workstation, m_databases, m_instrument);
    } catch (const FileError& e) {
        m_workstation.op().message(e.what(), title(), MessageKind::Error);
    }
    return SelectDialogEnd::Closed;
}

}  // namespace mca

