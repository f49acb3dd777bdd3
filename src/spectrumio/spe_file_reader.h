// Reading the common ASCII spectrum exchange format (.spe): "$KEY:" section lines, each followed
// by its content lines. We read $SPEC_ID, $SPEC_REM, $DATE_MEA, $MEAS_TIM ("live real" seconds),
// $DATA ("first last", then the counts), $ENER_FIT ("offset slope") and $MCA_CAL (the number of
// coefficients, then the coefficients, maybe followed by a unit); other sections are skipped.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

// The file is not a readable .spe spectrum; the text says what is wrong, fit for the operator.
class SpeFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// keV = a0 + a1 ch + a2 ch^2.
struct EnergyPolynomial {
    double a0 = 0, a1 = 0, a2 = 0;

    bool operator==(const EnergyPolynomial&) const = default;
};

// More channels than this in one file are refused rather than held in memory.
inline constexpr long long kMaxSpeChannels = 1 << 20;

struct SpeSpectrum {
    std::string specId;                  // the $SPEC_ID lines, joined by blanks (UTF-8)
    std::vector<std::string> remarks;    // the $SPEC_REM lines
    std::string measuredDate;            // the $DATE_MEA text as it stands ("mm/dd/yyyy hh:mm:ss")
    double liveSeconds = 0;              // 0 without $MEAS_TIM
    double realSeconds = 0;
    // Counts by channel number from 0 to the last channel of $DATA; channels below its first
    // channel are 0.
    std::vector<double> counts;
    // $MCA_CAL when it has a nonzero slope, else $ENER_FIT when it has one, else none: a file with
    // all-zero coefficients carries no calibration.
    std::optional<EnergyPolynomial> calibration;
};

// Parses the text of a file (UTF-8 or Windows-1252 bytes; CR LF, LF or CR line ends). Throws
// SpeFormatError for a missing $DATA section, a channel range or number that does not read, too
// few counts, negative or non-finite counts and times, or a malformed calibration.
SpeSpectrum parseSpeText(std::string_view text);

// Reads and parses a file (Windows-1252). Throws FileError "Cannot open file " + path, or
// FileError with the path and the SpeFormatError's text.
SpeSpectrum readSpeFile(const std::filesystem::path& path);

// The file name ends in ".spe", in any case.
bool isSpeFile(const std::filesystem::path& path);

// The "DETDESC# " remark's text (the detector's description), or empty.
std::string speDetectorDescription(const SpeSpectrum& spe);

}  // namespace mca
