// The block of lines that opens nearly every report: spectrum and background files, the sample,
// and the instrument of MCA 1 with its detector and settings. The inputs are a plain record so a
// report (or a test) can supply them; gatherReportHeaderInputs takes them from the workstation.
#pragma once

#include "calibration/detector_record.h"
#include "core/date_time.h"
#include "core/edition.h"
#include "roi/report_builder.h"

#include <optional>
#include <string>
#include <vector>

namespace mca {

class Workstation;

struct ReportHeaderInputs {
    Edition edition = editionTable().front();
    // The current spectrum has been saved to or loaded from spectrumPath.
    bool spectrumFromFile = false;
    std::string spectrumPath;
    std::optional<DateTime> spectrumModified;     // nullopt: the file is no longer on disk
    std::string backgroundPath;                   // empty: no background loaded
    std::optional<DateTime> backgroundModified;
    std::string sampleDescription;
    bool useSampleQuantity = false;
    std::string sampleQuantity;
    std::string sampleUnits;
    std::string instrumentSerial;                 // MCA 1's, whichever spectrum the report is about
    std::string detectorSerial;                   // MCA 1's selected detector record
    std::string detectorManufacturer;
    std::string detectorDescription;
    std::string cableLength;
    std::string cableUnits;
    std::string operatingVoltage;                 // the record's text, volts
    std::string threshold;                        // the record's text, mV
    std::string coarseGainText;                   // "2", "4", "15", "35", "125" or "250"
    double fineGainFactor = 1.0;                  // (position + 1) / 256
    std::string elapsedSecondsText;               // as the elapsed-time field shows it
    double elapsedSeconds = 0.0;
};

// What lines 2 and 4 show in place of the date when the file is no longer on disk.
inline constexpr const char* kFileNotFoundText = "(file not found)";

// "TREL MCA:  " + name: the edition's report title.
std::string reportTitle(const Edition& edition, const std::string& name);

// The header lines in order, each regular 10 points (blank lines as empty texts).
std::vector<std::string> commonHeaderLines(const ReportHeaderInputs& in);

// add common header: appends the block; `extraLines` (regular 10 points) go right after the
// title's blank line, which is where the block starts when it follows the title directly.
void addCommonHeader(ReportBuilder& report, const ReportHeaderInputs& in,
                     const std::vector<std::string>& extraLines = {});

// The inputs from the workstation: edition, spectrum file (the screen's file name; its date from
// the file on disk), sample data, MCA 1's serial number and hardware settings, the elapsed time.
// `mca1Detector` is MCA 1's selected record; `backgroundPath` is empty without a background.
ReportHeaderInputs gatherReportHeaderInputs(const Workstation& w, const DetectorRecord& mca1Detector,
                                            const std::string& backgroundPath);

// The last-modified time of a file on the local clock, or nullopt when it cannot be read.
std::optional<DateTime> fileModifiedTime(const std::string& path);

}  // namespace mca
