// The simulated instrument: a pure model of an MCA on the far side of the serial line. It reads
// the host's bytes and answers them, and produces the event stream of an acquisition for the time
// it is told has passed; it has no clock and does no I/O of its own.
//
// Choices of ours where the protocol leaves the instrument open:
// - "Y" (the monitoring-network clear) also puts the instrument into histogram-only mode: later
//   acquisitions fill its own histogram and send no records, so the "Q" block arrives unmixed
//   with events, as the host's exact-length check needs. "d" (the host's close) leaves the mode.
// - "B" while acquiring in the two-byte format is not answered: that format has no battery record.
// - "K"/"k" and "r" answer short CR LF-terminated texts; "N", "d", "v", "p" answer nothing.
#pragma once

#include "sim/command_parser.h"
#include "sim/instrument_state.h"
#include "sim/pulse_train.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mca::sim {

class Instrument {
public:
    // Throws std::invalid_argument for an unknown source name.
    explicit Instrument(const InstrumentConfig& config);

    // Reads bytes the host sent, at the current model time; returns the reply bytes (possibly
    // none). While acquiring a battery record is returned here, to go after the stream so far.
    std::string receive(std::string_view bytes);

    // Lets `seconds` pass. While acquiring, appends to `out` the records that the line carries in
    // that time, at most `maxStreamBytes` (the rest are lost, as at a full receiver).
    void advance(double seconds, std::size_t maxStreamBytes, std::string& out);

    const InstrumentState& state() const { return m_state; }
    // Its own histogram, 4096 entries indexed by the channel of the mode at the time.
    std::span<const std::uint32_t> histogram() const { return m_histogram; }
    double countingSeconds() const { return m_countingSeconds; }
    const PulseStatistics& statistics() const { return m_pulses.statistics(); }
    double nowSeconds() const { return m_nowSeconds; }

private:
    void apply(const Command& command, std::string& reply);
    bool applySetting(const Command& command);
    bool applyMode(const Command& command);
    void answerQuery(const Command& command, std::string& reply);
    void startAcquisition();
    void stopAcquisition();
    void clearHistogram();
    std::string registerText() const;
    std::string histogramBlock() const;
    StreamSettings streamSettings() const;

    InstrumentState m_state;
    CommandParser m_parser;
    Random m_random;
    PulseTrain m_pulses;
    std::array<std::uint32_t, kFullChannels> m_histogram{};
    double m_nowSeconds = 0;
    double m_countingSeconds = 0;
    std::uint64_t m_recordsAtClear = 0;
};

}  // namespace mca::sim
