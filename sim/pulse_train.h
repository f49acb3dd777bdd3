// The pulses of an acquisition in time order: Poisson arrivals, the detector's energy response,
// the threshold and the range of the ADC, pile-up while the instrument is busy, and the serial
// line that carries at most baud / 10 bytes per second. Records wait for the line in a short
// queue; a pulse that arrives while the instrument is busy, or while the queue is full because
// more records come than the line carries, is counted into the count n of the newest waiting
// record, so the sum of n stays the number of pulses seen however busy the line is.
#pragma once

#include "sim/detector_response.h"
#include "sim/gain.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mca::sim {

// Time the instrument is busy after a digitised pulse: 2 us of conversion plus 2.5 shaping
// times, the pulse having to return to the baseline. Shaping index 0..8 (clamped).
double busySeconds(int shapingIndex);

struct StreamSettings {
    GainSettings gain;
    int thresholdFull = 40;    // Tv: pulses digitised below this 4096-channel value are cut
    int shapingIndex = 3;
    bool twoByte = false;
    int baud = 115200;
    bool sendRecords = true;   // false: the pulses only fill the instrument's own histogram
};

struct PulseStatistics {
    std::uint64_t pulses = 0;          // above threshold and within range
    std::uint64_t records = 0;         // digitised pulses, one record each
    std::uint64_t reportedPulses = 0;  // sum of n over the records sent
    std::uint64_t cappedPulses = 0;    // pulses beyond the cap of n (15 or 4), lost
    std::uint64_t droppedRecords = 0;  // records the receiving side had no room for
};

class PulseTrain {
public:
    PulseTrain(const std::vector<GammaLine>& lines, double ratePerSecond);

    // Starts an acquisition at time 0 with an idle line.
    void start(Random& random);
    // Ends it; records still waiting for the line are dropped with their pulses.
    void stop();

    // Runs the next `seconds` of the acquisition: appends the records that start on the line in
    // that time to `out` (at most `maxBytes` of them, the rest are dropped) and adds every
    // digitised pulse to `histogram` (4096 entries, indexed by the channel of the mode). Does not
    // allocate per pulse.
    void run(double seconds, const StreamSettings& settings, std::size_t maxBytes, std::string& out,
             std::span<std::uint32_t> histogram, Random& random);

    const PulseStatistics& statistics() const { return m_statistics; }
    double ratePerSecond() const { return m_ratePerSecond; }

private:
    // Records the instrument holds until the line takes them: enough to ride out the bunching of
    // Poisson arrivals below the line rate, so only a lasting overload folds pulses.
    static constexpr std::size_t kQueueDepth = 32;
    struct Record {
        int channel = 0;
        int count = 0;
        double lineStartSeconds = 0;  // when its first byte goes out
    };
    struct RunContext {
        const StreamSettings& settings;
        std::size_t maxBytes;
        std::size_t startSize;
        std::string& out;
        std::span<std::uint32_t> histogram;
    };
    void onPulse(double timeSeconds, const RunContext& context, Random& random);
    void foldIntoNewest(const StreamSettings& settings);
    // Sends the waiting records whose turn on the line has come by `timeSeconds`.
    void sendStarted(double timeSeconds, const RunContext& context);
    void send(const Record& record, const RunContext& context);
    double nextInterval(Random& random);

    DetectorResponse m_response;
    double m_ratePerSecond;
    std::exponential_distribution<double> m_interval;
    double m_nowSeconds = 0;
    double m_nextPulseSeconds = 0;
    double m_busyUntilSeconds = 0;
    double m_lineFreeSeconds = 0;
    std::array<Record, kQueueDepth> m_queue{};  // a ring: m_queueSize records from m_queueFront
    std::size_t m_queueFront = 0;
    std::size_t m_queueSize = 0;
    PulseStatistics m_statistics;
};

}  // namespace mca::sim
