// Pulse arrivals, pile-up and the line-rate bound of the simulated instrument.
#include "sim/pulse_train.h"

#include "sim/record_encoder.h"

#include <algorithm>
#include <limits>

namespace mca::sim {

namespace {
constexpr std::array<double, 9> kShapingMicroseconds{0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0};
constexpr double kConversionMicroseconds = 2.0;
constexpr double kShapingTimesToBaseline = 2.5;
constexpr double kBitsPerByte = 10.0;  // start, eight data bits, stop
constexpr double kNever = std::numeric_limits<double>::infinity();

int recordSize(const StreamSettings& settings) {
    return settings.twoByte ? kTwoByteRecordSize : kThreeByteRecordSize;
}
int countCap(const StreamSettings& settings) { return settings.twoByte ? kMaxCountTwoByte : kMaxCountThreeByte; }
}  // namespace

double busySeconds(int shapingIndex) {
    const auto last = static_cast<int>(kShapingMicroseconds.size()) - 1;
    const auto index = static_cast<std::size_t>(std::clamp(shapingIndex, 0, last));
    return (kConversionMicroseconds + kShapingTimesToBaseline * kShapingMicroseconds[index]) * 1e-6;
}

PulseTrain::PulseTrain(const std::vector<GammaLine>& lines, double ratePerSecond)
    : m_response(lines), m_ratePerSecond(std::max(ratePerSecond, 0.0)),
      m_interval(m_ratePerSecond > 0 ? m_ratePerSecond : 1.0) {}

double PulseTrain::nextInterval(Random& random) { return m_ratePerSecond > 0 ? m_interval(random) : kNever; }

void PulseTrain::start(Random& random) {
    m_nowSeconds = 0;
    m_busyUntilSeconds = 0;
    m_lineFreeSeconds = 0;
    m_queueSize = 0;
    m_nextPulseSeconds = nextInterval(random);
}

void PulseTrain::stop() { m_queueSize = 0; }

void PulseTrain::run(double seconds, const StreamSettings& settings, std::size_t maxBytes, std::string& out,
                     std::span<std::uint32_t> histogram, Random& random) {
    const double elapsed = std::max(seconds, 0.0);
    const double end = m_nowSeconds + elapsed;
    if (settings.sendRecords) {
        // The line bounds what this slice can carry; reserving it keeps the loop free of allocation.
        const double lineBytes = (elapsed * settings.baud / kBitsPerByte + 1) + kQueueDepth * kThreeByteRecordSize;
        out.reserve(out.size() + std::min(maxBytes, static_cast<std::size_t>(lineBytes)));
    }
    const RunContext context{settings, maxBytes, out.size(), out, histogram};
    while (m_nextPulseSeconds < end) {
        const double t = m_nextPulseSeconds;
        m_nextPulseSeconds += nextInterval(random);
        onPulse(t, context, random);
    }
    sendStarted(end, context);
    m_nowSeconds = end;
}

void PulseTrain::onPulse(double timeSeconds, const RunContext& context, Random& random) {
    const StreamSettings& settings = context.settings;
    const long full = digitisedFullChannel(m_response.drawEnergyKeV(random), settings.gain);
    if (full < settings.thresholdFull || full >= kFullChannels) return;
    ++m_statistics.pulses;
    sendStarted(timeSeconds, context);
    // Busy with the last pulse, or no room for another record: this pulse only adds to n.
    if (timeSeconds < m_busyUntilSeconds || m_queueSize == kQueueDepth) {
        foldIntoNewest(settings);
        return;
    }
    const int channel = static_cast<int>(full) >> settings.gain.resolutionShift;
    ++context.histogram[static_cast<std::size_t>(channel)];
    ++m_statistics.records;
    m_busyUntilSeconds = timeSeconds + busySeconds(settings.shapingIndex);
    Record record{channel, 1, m_busyUntilSeconds};
    if (settings.sendRecords) {
        record.lineStartSeconds = std::max(m_busyUntilSeconds, m_lineFreeSeconds);
        m_lineFreeSeconds = record.lineStartSeconds + recordSize(settings) * kBitsPerByte / settings.baud;
    }
    m_queue[(m_queueFront + m_queueSize) % kQueueDepth] = record;
    ++m_queueSize;
}

void PulseTrain::foldIntoNewest(const StreamSettings& settings) {
    Record& newest = m_queue[(m_queueFront + m_queueSize - 1) % kQueueDepth];
    if (newest.count < countCap(settings)) {
        ++newest.count;
    } else {
        ++m_statistics.cappedPulses;
    }
}

void PulseTrain::sendStarted(double timeSeconds, const RunContext& context) {
    while (m_queueSize > 0 && m_queue[m_queueFront].lineStartSeconds <= timeSeconds) {
        send(m_queue[m_queueFront], context);
        m_queueFront = (m_queueFront + 1) % kQueueDepth;
        --m_queueSize;
    }
}

void PulseTrain::send(const Record& record, const RunContext& context) {
    const StreamSettings& settings = context.settings;
    if (!settings.sendRecords) return;
    const auto size = static_cast<std::size_t>(recordSize(settings));
    if (context.out.size() - context.startSize + size > context.maxBytes) {
        ++m_statistics.droppedRecords;
        return;
    }
    if (settings.twoByte) {
        appendTwoByteRecord(context.out, record.count, record.channel);
    } else {
        appendThreeByteRecord(context.out, record.count, record.channel);
    }
    m_statistics.reportedPulses += static_cast<std::uint64_t>(record.count);
}

}  // namespace mca::sim
