// The time sources of the core: the local calendar time for texts and stamps, and a steady
// millisecond count for durations, so a clock change or a summer-time shift never stretches an
// acquisition.
#pragma once

#include "core/date_time.h"

#include <cstdint>

namespace mca {

class Clock {
public:
    virtual ~Clock() = default;
    // Local calendar time, used for file names, dates in files and reports.
    virtual DateTime now() const = 0;
    // Milliseconds on a steady time line; only differences mean anything.
    virtual std::int64_t steadyMilliseconds() const = 0;
};

}  // namespace mca
