// The logic of the "Delete Detector" dialog: the list of detectors, the record shown, and the
// removal with its question and refusals.
#pragma once

#include "calibration/detector_databases.h"

#include <string>
#include <string_view>
#include <vector>

namespace mca {

class Workstation;

inline constexpr std::string_view kRemoveDetectorQuestion =
    "Are you sure you want to completely remove this detector? This action cannot be undone.";
inline constexpr std::string_view kCannotDeleteActiveDetectorMessage = "Cannot delete active detector!";
inline constexpr std::string_view kDetectorDeletedMessage = "Detector deleted.";

enum class RemoveDetectorOutcome {
    Kept,            // No at the question, or nothing chosen
    ActiveRefused,   // the chosen detector is the selected one; the dialog closes
    Deleted,         // removed; the dialog stays open with the shorter list
};

class DetectorRemoveDialog {
public:
    // Opens the dialog for instrument n with the selected detector preselected.
    DetectorRemoveDialog(Workstation& w, DetectorDatabases& databases, int n);

    // "Select Detector to Remove"
    std::vector<std::string> list() const;
    // -1 when the list is empty.
    int chosenIndex() const { return m_chosen; }
    // An index outside the list changes nothing.
    void choose(int index);
    // The record whose fields the dialog shows; nullptr when the list is empty.
    const DetectorRecord* chosenRecord() const;

    // "&Delete Detector".
    RemoveDetectorOutcome deleteDetector();

private:
    void chooseSelected();

    Workstation& m_workstation;
    DetectorDatabases& m_databases;
    int m_instrument;
    int m_chosen = -1;
};

}  // namespace mca
