// The sample panel's unit choice from the settings store.
#include "analysis/activity_units.h"

namespace mca {

ActivityUnitChoice activityUnitsFrom(const Settings& stored) {
    return {stored.useDpm, stored.usePCi, stored.useUCi, stored.useMCi,
            stored.useBq,  stored.useKBq, stored.useMBq, stored.useGBq};
}

}  // namespace mca
