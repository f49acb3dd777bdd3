// "Use this detector": bringing an instrument to the state its selected detector record describes.
#pragma once

#include "calibration/detector_databases.h"
#include "calibration/detector_use_hooks.h"
#include "core/hardware_settings.h"

namespace mca {

struct DetectorUseOptions {
    // Start-up has not finished: nothing is sent to the instrument (the start sequence sends the
    // settings itself), and the database is not saved.
    bool startupInProgress = false;
    // The Select dialog was opened by Select/Change: the high voltage stays off.
    bool afterSelectChange = false;
};

// The settings the record describes. A field that does not read as a value in its range keeps the
// value of `base`; the offset is not part of a record and always stays.
HardwareSettings hardwareSettingsOf(const DetectorRecord& record, const HardwareSettings& base);

// Applies instrument n's selected record: the settings into the session and the hardware panel,
// empty multipliers filled with "1" and "2.35" and passed on, ramping off and zero-when-inactive
// from field 48; then, unless start-up is in progress, the settings are sent, and the high voltage
// after them unless this follows Select/Change. For MCA 1 the status bar, the calibrations, the
// ROI tables and the Detector Status window follow the new detector.
void useSelectedDetector(Workstation& w, DetectorDatabases& databases, int n, DetectorUseHooks& hooks,
                         const DetectorUseOptions& options);

}  // namespace mca
