// The peak panel's view of the application for the core's peak functions.
#include "peak_panel_inputs.h"

#include "analysis/activity_units.h"
#include "app/application.h"
#include "calibration/detector_databases.h"
#include "roi/report_header.h"

#include <span>

namespace mca::gui {

DetectorRecord& mca1DetectorRecord(Application& app, DetectorRecord& spare) {
    DetectorDatabase& database = app.detectors().database(1);
    return database.size() > 0 ? database.selected() : spare;
}

PeakAnalysisInput peakAnalysisInput(Application& app, DetectorRecord& record, const ChannelValues* backgroundRate) {
    Workstation& w = app.workstation();
    PeakAnalysisInput input;
    input.spectrum = std::span<const double>(w.session(1).spectrum.counts);
    // The combined view of two instruments searches the sum of their spectra.
    if (w.state.view.twoInstrumentView == TwoInstrumentView::Combined && w.session(2).open) {
        input.summedSpectrum = std::span<const double>(w.session(2).spectrum.counts);
    }
    if (backgroundRate) input.backgroundRate = std::span<const double>(*backgroundRate);
    input.channelCount = w.state.channelCount;
    input.realTimeSeconds = w.state.realTime;
    input.calibration = app.energyCalibration();
    input.multipliers = detectorPeakMultipliers(record);
    return input;
}

bool energyCalibrationDone(Application& app) {
    return ChannelToKeV(app.energyCalibration(), 1) != kNoEnergyKeV;
}

PeakReportInputs peakReportInputs(Application& app, const DetectorRecord& record, const IdentificationSettings& id) {
    PeakReportInputs in;
    in.header = gatherReportHeaderInputs(app.workstation(), record, "");
    in.sqrtToFwhmText = record[field::kSqrtToFwhm];
    in.fwhmToPeakText = record[field::kFwhmToPeak];
    in.identification = id;
    in.units = activityUnitsFrom(app.workstation().settings);
    return in;
}

}  // namespace mca::gui
