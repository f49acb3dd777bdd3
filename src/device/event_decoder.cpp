// Event stream decoding.
#include "device/event_decoder.h"

#include "core/number_text.h"
#include "device/protocol.h"

#include <algorithm>

namespace mca {

namespace {

// Counters kept in locals during a pass and written back once.
struct Tally {
    std::int64_t records = 0;
    std::int64_t pulses = 0;
    std::int64_t credited = 0;
};

inline void countRecord(int n, int channel, int creditCap, Spectrum& spectrum, Tally& tally,
                        std::vector<std::uint16_t>* eventLog) {
    const int credited = std::min(n, creditCap);
    ++tally.records;
    tally.pulses += n;
    tally.credited += credited;
    spectrum.tickCounts[static_cast<std::size_t>(channel)] += credited;
    if (eventLog) eventLog->push_back(static_cast<std::uint16_t>(channel));
}

void decodeThreeByte(const std::uint8_t* b, std::size_t length, int creditCap, Spectrum& spectrum, Tally& tally,
                     DecodeResult& result, std::vector<std::uint16_t>* eventLog) {
    std::size_t i = 0;
    while (i + 2 < length) {
        const bool nextIsSync = i + 3 >= length || b[i + 3] == 0xFF;
        if (b[i] != 0xFF || !nextIsSync) {
            if (i >= 2) ++result.errors;
            ++i;
            continue;
        }
        const int b1 = b[i + 1];
        const int b2 = b[i + 2];
        if (b1 < 4) {
            result.batteryReading = (b1 << 8) | b2;
        } else {
            countRecord(b1 >> 4, ((b1 & 0x0F) << 8) | b2, creditCap, spectrum, tally, eventLog);
        }
        i += 3;
    }
    result.consumed = i;
}

void decodeTwoByte(const std::uint8_t* b, std::size_t length, int creditCap, Spectrum& spectrum, Tally& tally,
                   DecodeResult& result, std::vector<std::uint16_t>* eventLog) {
    std::size_t i = 0;
    while (i + 1 < length) {
        const int b0 = b[i];
        const int b1 = b[i + 1];
        if (b0 < 0x80 && b1 >= 0x80) {
            if (i >= 2) ++result.errors;
            ++i;
            continue;
        }
        countRecord(((b0 >> 5) & 0x03) + 1, ((b0 & 0x1F) << 7) | (b1 & 0x7F), creditCap, spectrum, tally, eventLog);
        i += 2;
    }
    result.consumed = i;
}

}  // namespace

DecodeResult decodeEventStream(std::string_view buffer, StreamFormat format, int creditCap, Spectrum& spectrum,
                               std::vector<std::uint16_t>* eventLog) {
    DecodeResult result;
    Tally tally;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
    if (format == StreamFormat::ThreeByte) {
        decodeThreeByte(bytes, buffer.size(), creditCap, spectrum, tally, result, eventLog);
    } else {
        decodeTwoByte(bytes, buffer.size(), creditCap, spectrum, tally, result, eventLog);
    }
    spectrum.eventsDecoded += tally.records;
    spectrum.tickEvents += tally.records;
    spectrum.pulsesReported += tally.pulses;
    spectrum.tickPulses += tally.pulses;
    spectrum.totalCounts += tally.credited;
    spectrum.tickCredited += tally.credited;
    return result;
}

DecodeResult decodeSessionInput(InstrumentSession& session, int creditCap, std::vector<std::uint16_t>* eventLog) {
    if (!session.port) return {};
    std::string buffer = session.rxCarry;
    buffer += session.port->readAll();
    const StreamFormat format = session.twoByteDecoding ? StreamFormat::TwoByte : StreamFormat::ThreeByte;
    const DecodeResult result = decodeEventStream(buffer, format, creditCap, session.spectrum, eventLog);
    // Only bytes the decoder has not used are carried: handing used ones back would count their
    // record twice.
    session.rxCarry = buffer.substr(result.consumed);
    session.errorCount += result.errors;
    if (result.batteryReading && *result.batteryReading > kMinStreamBatteryReading) {
        session.battery = BatteryReading{batteryVolts(*result.batteryReading), *result.batteryReading};
    }
    return result;
}

double tickDeadTimePercent(const Spectrum& spectrum) {
    if (spectrum.tickPulses <= 0) return 0.0;
    return static_cast<double>(spectrum.tickPulses - spectrum.tickEvents) * 100.0 /
           static_cast<double>(spectrum.tickPulses);
}

std::string deadTimeText(double percent, bool correcting) {
    return std::string(correcting ? "Correcting for " : "Not Correcting for ") + formatFixed(percent, 2) +
           "% dead time";
}

double tickSerialFactor(const Spectrum& spectrum) {
    if (spectrum.tickEvents <= 0) return 1.0;
    return std::max(1.0, static_cast<double>(spectrum.tickCredited) / static_cast<double>(spectrum.tickEvents));
}

}  // namespace mca
