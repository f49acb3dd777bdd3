// Which charts the spectrum area shows and which instrument each one draws: one chart, two halves
// in the two-instrument split view, or four quarters in the four-chart layout.
#pragma once

#include "core/workstation.h"
#include "display/chart_axes.h"

#include <vector>

namespace mca {

inline constexpr int kChartCount = 4;

// MCA 2 is open beside MCA 1 without the four-chart layout.
bool twoInstrumentLayout(const Workstation& w);

// Chart 1 always; chart 2 in the four-chart layout or in the two-instrument split view; charts 3
// and 4 in the four-chart layout.
bool chartShown(const Workstation& w, int chart);

// The instruments whose counts chart k draws (summed when there are two): MCA k in the four-chart
// layout; in the two-instrument layout chart 1 shows MCA 1 ("MCA #1", "Split"), MCA 2 ("MCA #2")
// or both summed ("Combined"), chart 2 MCA 2; otherwise MCA 1.
std::vector<int> chartInstruments(const Workstation& w, int chart);

// The chart that draws instrument n alone, or chart 1 when none does.
int chartOfInstrument(const Workstation& w, int instrument);

// The chart of the static trace: chart 2 in the two-instrument split view, else chart 1.
int staticChart(const Workstation& w);

// The axis mode asked for: channels, or keV / MeV by "UsekeV" while the axis is in energy.
XAxisMode requestedXAxisMode(const Workstation& w);

}  // namespace mca
