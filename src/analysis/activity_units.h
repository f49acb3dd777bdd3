// Activity units: activities are computed in disintegrations per minute and converted by fixed
// factors (dpm per unit). The sample panel's unit check boxes choose which ones a report lists.
#pragma once

#include "core/settings.h"

#include <array>
#include <string_view>

namespace mca {

struct ActivityUnit {
    std::string_view checkBox;   // the sample panel's control
    std::string_view text;       // as a report writes it after the value, with its leading blank
    double dpmPerUnit = 1;
};

// In report order: dpm, pCi, µCi, mCi, Bq, kBq, MBq, GBq.
inline constexpr std::array<ActivityUnit, 8> kActivityUnits{{
    {"chkdpm", " dpm", 1.0},
    {"chkpCi", " pCi", 2.22},
    {"chkuCi", " µCi", 2.22e6},
    {"chkmCi", " mCi", 2.22e9},
    {"chkBq", " Bq", 60.0},
    {"chkkBq", " kBq", 6.0e4},
    {"chkMBq", " MBq", 6.0e7},
    {"chkGBq", " GBq", 6.0e10},
}};

// Which units are checked, in the order of kActivityUnits ("&dpm" alone at start).
using ActivityUnitChoice = std::array<bool, kActivityUnits.size()>;
inline constexpr ActivityUnitChoice kDefaultActivityUnits{true, false, false, false, false, false, false, false};

// The stored check boxes: useDpm, usePCi, useUCi, useMCi, useBq, useKBq, useMBq, useGBq.
ActivityUnitChoice activityUnitsFrom(const Settings& stored);

}  // namespace mca
