// Loading a .spe spectrum the way a spectrum file of our own is loaded: the .spe is turned into
// the grid a .usf file reads into, and that grid goes through the same load. Offline the file
// brings its counts, times, sample description, detector description and energy calibration.
//
// What the grid receives:
// - counts: fitted into 256..4096 channels (spe_channels.h); as with our own files, channel 0 is
//   not loaded;
// - counting time: the live time ($MEAS_TIM), or the real time when the live time is 0. The .spe
//   counts are not corrected for dead time, so counts over live time is the rate our corrected
//   counts over real time would give;
// - start and stop: $DATE_MEA in our date-time text, and it plus the real time;
// - sample description: $SPEC_ID; the detector's name: the "DETDESC# " remark;
// - energy calibration: the file's polynomial in the new channel numbering, entered as two
//   (linear) or three (quadratic) calibration points at 10 %, 50 % and 90 % of the channels, from
//   which the calibration is fitted as for any detector record.
#pragma once

#include "core/csv_grid.h"
#include "spectrumio/spe_file_reader.h"
#include "spectrumio/spectrum_file_loader.h"

#include <filesystem>

namespace mca {

// The grid of a spectrum file holding the .spe's spectrum; `sampleUnits` goes into the units row,
// so loading keeps the operator's units.
Grid speSpectrumGrid(const SpeSpectrum& spe, const std::string& sampleUnits);

// Reads `path` into the target instrument as LoadSpectrumFile does; a file that cannot be read or
// is not a readable .spe is reported through the operator and loads nothing (false).
bool LoadSpeFile(SpectrumLoadTarget& target, const std::filesystem::path& path);

}  // namespace mca
