// What the peak panel hands the core's peak functions, taken from the application: the spectrum
// of MCA 1 (with MCA 2's in the combined view), the background rate, the real time, the energy
// calibration and the selected detector's multipliers; and the peak report's inputs.
#pragma once

#include "analysis/identification_settings.h"
#include "analysis/peak_inputs.h"
#include "calibration/detector_record.h"
#include "display/display_values.h"
#include "roi/peak_report.h"

namespace mca {

class Application;

namespace gui {

// MCA 1's selected detector record; `spare` while MCA 1 has no detector table.
DetectorRecord& mca1DetectorRecord(Application& app, DetectorRecord& spare);

// The search input. The spans point into the application's sessions and into `backgroundRate`
// (null: no background), which must outlive its use.
PeakAnalysisInput peakAnalysisInput(Application& app, DetectorRecord& record, const ChannelValues* backgroundRate);

// The energy calibration converts channels: the peak functions can run.
bool energyCalibrationDone(Application& app);

// The peak report's inputs: the common header of MCA 1, the detector's multiplier texts, the rule
// the labels were made with and the activity units of the settings.
PeakReportInputs peakReportInputs(Application& app, const DetectorRecord& record, const IdentificationSettings& id);

}  // namespace gui
}  // namespace mca
