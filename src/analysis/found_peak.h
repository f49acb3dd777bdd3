// FoundPeak: one row of the found-peak list of the peak search, with every column of
// its table, and the list operations every peak Part shares (sorting, numbering, the held digits).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mca {

// One found peak. Energies in keV, channels as channel numbers from 0, counts in counts, rates in
// counts per minute of real time (rate = counts / (RT / 60)). The quoted names are the column
// titles of the list's debug table, in table order.
struct FoundPeak {
    int number = 0;                            // position in the list, 1 = leftmost
    // "centroid keV": energy of the centroid, held to 4 significant digits, 0 for a negative
    // conversion. Optional because a row without an energy ends the list wherever it is read as
    // a table (the view's shading); the search and re-analysis always fill it.
    std::optional<double> centroidKeV;
    std::string label;                         // "isotope": identification label
    // "centroid chn": an integer from the search, moved by editing. A row without one
    // is removed by the list clean-up and gets no marker bar.
    std::optional<double> centroidChannel;
    double firstCentroidChannel = 0;           // "centroid chn 2": as first found or added
    double regionStartKeV = 0;                 // "Area start (keV)": energy of the left edge
    double regionEndKeV = 0;                   // "Area end (keV)": energy of the right edge
    // "fhwm%": FWHM in channels during the search; FWHM as a percentage of the centroid channel
    // after the re-analysis.
    double fwhm = 0;
    double idWindowLowKeV = 0;                 // "ID start (keV)"
    double idWindowHighKeV = 0;                // "ID end (keV)"
    int leftChannel = 0;                       // "chn start": first channel of the peak region
    int rightChannel = 0;                      // "chn end": last channel of the peak region
    double grossCounts = 0;                    // "Gross Cnt": net + Compton + background
    double grossCpm = 0;                       // "Gross cpm"
    double backgroundCounts = 0;               // "Bk Cnts": background-spectrum counts in the region
    double backgroundCpm = 0;                  // "Bk cpm"
    double comptonCounts = 0;                  // "Cmptn Cnts": counts under the baseline in the region
    double comptonCpm = 0;                     // "Cmptn cpm"
    double netCounts = 0;                      // "Net Cnts": area of the fitted Gaussian
    double netCpm = 0;                         // "Net cpm"
    double criticalLevelCpm = 0;               // "CL cpm"
    double significance = 0;                   // "sig": net rate / critical level
    int baselineStartChannel = 0;              // "Cmp strt ch"
    double baselineStartHeight = 0;            // "Strt hght"
    int baselineEndChannel = 0;                // "Cmp end ch"
    double baselineEndHeight = 0;              // "end hght"
    double leftEdgeHeight = 0;                 // "Ch Strt Ht": Continuum at the left edge
    double rightEdgeHeight = 0;                // "Ch End Ht": Continuum at the right edge
};

using FoundPeakList = std::vector<FoundPeak>;

// Significant digits the list holds: energies 4, counts and rates written by a quantification 6.
inline constexpr int kPeakEnergyDigits = 4;
inline constexpr int kPeakCountDigits = 6;

// value rounded to `digits` significant digits, as the list's text cells hold it (the general
// format of the number texts read back).
double holdSignificant(double value, int digits);

// counts per minute of real time: counts / (realTimeSeconds / 60).
double perMinute(double counts, double realTimeSeconds);

// Stable sort by centroid energy, ascending; rows without an energy go last.
void sortByCentroidEnergy(FoundPeakList& peaks);
// Stable sort by net rate, descending (the unattended summary's order).
void sortByNetRateDescending(FoundPeakList& peaks);
// number = position + 1 for every row.
void renumberPeaks(FoundPeakList& peaks);

// The centroid channel, 0 for a row without one.
inline double centroidOf(const FoundPeak& peak) { return peak.centroidChannel.value_or(0.0); }

}  // namespace mca
