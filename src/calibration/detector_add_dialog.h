// The logic of the "Add New Detector" dialog: the detector to base the new one on, the gain read-
// outs, the checks made on "&Add" and the adding itself. It acts on one instrument's database (the
// addressed instrument, or the one being opened).
#pragma once

#include "calibration/detector_databases.h"
#include "calibration/detector_entries.h"

#include <string>
#include <string_view>
#include <vector>

namespace mca {

class Workstation;

inline constexpr std::string_view kDetectorNotUniqueMessage = "Detector information must be unique.";
inline constexpr std::string_view kDetectorFieldsMissingMessage =
    "Unable to add this detector! Check that all fields have been filled in.";
inline constexpr std::string_view kDetectorVoltageMessage =
    "Operating voltage must be less than \"not to exceed\" voltage";

enum class AddDetectorOutcome { Added, Refused };

class DetectorAddDialog {
public:
    // Opens the dialog for instrument n: the base list is filled and its first entry copied.
    DetectorAddDialog(Workstation& w, DetectorDatabases& databases, int n);

    // "Base new detector on": the list texts of the database, or the single entry "Generic".
    const std::vector<std::string>& baseList() const { return m_baseList; }
    int baseIndex() const { return m_baseIndex; }
    // Copies the chosen detector's fields 0-12 and 46-48 (or the Generic values) into the entries.
    // An index outside the list changes nothing.
    void chooseBase(int index);

    const DetectorEntries& entries() const { return m_entries; }
    // The controls other than the three identity texts write here directly.
    DetectorEntries& editEntries() { return m_entries; }
    // The identity texts drop the forbidden characters with a beep.
    void setName(std::string_view text);
    void setSerial(std::string_view text);
    void setDescription(std::string_view text);

    std::string fineGainText() const;
    std::string overallGainText() const;
    // The arrow buttons: one slider position, held to 0..255.
    void fineGainUp();
    void fineGainDown();

    // "&Add": the checks in order (identity unique with the channel count, every required entry
    // present, not-to-exceed above the operating voltage), each refusal shown to the operator and
    // leaving the database as it was. On success the record is added, the selection stays on its
    // detector, and the entries return to the blank state; the dialog then closes.
    AddDetectorOutcome add();

private:
    void filterIdentity();
    bool isUnique() const;
    bool requiredPresent() const;
    bool voltagesInOrder() const;
    void refuse(std::string_view text);

    Workstation& m_workstation;
    DetectorDatabases& m_databases;
    int m_instrument;
    std::vector<std::string> m_baseList;
    int m_baseIndex = 0;
    DetectorEntries m_entries;
};

}  // namespace mca
