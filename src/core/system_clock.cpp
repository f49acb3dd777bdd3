// The machine's clock.
#include "core/system_clock.h"

#include <chrono>

namespace mca {

std::int64_t SystemClock::steadyMilliseconds() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace mca
