// Count-rate history of one instrument.
#include "core/rate_history.h"

#include "core/number_text.h"

#include <algorithm>

namespace mca {

void RateHistory::push(double secondsSinceStart, double countsPerMinute) {
    std::shift_right(m_slots.begin(), m_slots.end(), 1);
    m_slots[0] = Slot{secondsSinceStart, countsPerMinute};
}

double RateHistory::displayedRate() const {
    double sum = 0.0;
    for (int i = 0; i < kDisplayedSlots; ++i) sum += m_slots[static_cast<std::size_t>(i)].countsPerMinute;
    return sum / kDisplayedSlots;
}

std::string RateHistory::displayedRateText() const {
    return std::to_string(roundHalfEven(displayedRate())) + " cpm";
}

}  // namespace mca
