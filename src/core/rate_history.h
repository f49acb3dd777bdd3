// Count-rate history of one instrument: the newest 80 ticks, newest first. The displayed rate is
// the mean of the newest 20.
#pragma once

#include <array>
#include <string>

namespace mca {

class RateHistory {
public:
    static constexpr int kSlots = 80;
    static constexpr int kDisplayedSlots = 20;

    struct Slot {
        double secondsSinceStart = 0.0;
        double countsPerMinute = 0.0;
    };

    // Shifts the history one slot older and puts this tick in front.
    void push(double secondsSinceStart, double countsPerMinute);
    // Zeroes all 80 slots.
    void reset() { m_slots = {}; }
    const Slot& slot(int index) const { return m_slots.at(static_cast<std::size_t>(index)); }
    // Mean counts per minute over the newest 20 slots.
    double displayedRate() const;
    // The displayed rate as an integer followed by " cpm" (halves to even).
    std::string displayedRateText() const;

private:
    std::array<Slot, kSlots> m_slots{};
};

}  // namespace mca
