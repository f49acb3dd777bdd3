// The machine's clock: local calendar time for texts and a steady count for durations.
#pragma once

#include "core/clock.h"

namespace mca {

class SystemClock : public Clock {
public:
    DateTime now() const override { return localDateTimeNow(); }
    std::int64_t steadyMilliseconds() const override;
};

}  // namespace mca
