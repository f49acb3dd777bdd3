// Event decoding and the whole acquisition tick at the highest line rates.
#include "device/acquisition_engine.h"
#include "device/event_decoder.h"
#include "support/test_workstation.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace mca;

// A plausible stream: records over a falling spectrum with some pile-up, the odd battery record.
std::string threeByteStream(std::size_t bytes, unsigned seed) {
    std::mt19937 rng(seed);
    std::exponential_distribution<double> energy(1.0 / 600.0);
    std::uniform_int_distribution<int> pileUp(0, 99);
    std::string s;
    s.reserve(bytes + 3);
    while (s.size() + 3 <= bytes) {
        const int channel = std::min(4095, static_cast<int>(energy(rng)));
        const int n = pileUp(rng) < 90 ? 1 : 2 + pileUp(rng) % 13;
        s += '\xFF';
        s += static_cast<char>((n << 4) | (channel >> 8));
        s += static_cast<char>(channel & 0xFF);
    }
    return s;
}

std::string twoByteStream(std::size_t bytes, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> channel(0, 4095), n(0, 3);
    std::string s;
    s.reserve(bytes);
    while (s.size() + 2 <= bytes) {
        const int c = channel(rng);
        s += static_cast<char>(0x80 | (n(rng) << 5) | (c >> 7));
        s += static_cast<char>(c & 0x7F);
    }
    return s;
}

void decode(benchmark::State& state, const std::string& stream, StreamFormat format) {
    Spectrum spectrum;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeEventStream(stream, format, 15, spectrum));
        spectrum.tickCounts.fill(0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(stream.size()));
}

void BM_DecodeThreeByte(benchmark::State& state) {
    decode(state, threeByteStream(1 << 20, 1), StreamFormat::ThreeByte);
}
BENCHMARK(BM_DecodeThreeByte);

void BM_DecodeTwoByte(benchmark::State& state) { decode(state, twoByteStream(1 << 20, 2), StreamFormat::TwoByte); }
BENCHMARK(BM_DecodeTwoByte);

// Hands out the same second of stream on every read, as an instrument at full line rate would.
class ReplayPort : public SerialPort {
public:
    explicit ReplayPort(std::string second) : m_second(std::move(second)) {}
    void write(const std::string&) override {}
    std::string readAll() override { return m_second; }
    int queuedCount() override { return static_cast<int>(m_second.size()); }
    void purge() override {}
    void setBaudRate(int) override {}
    int comNumber() const override { return 1; }

private:
    std::string m_second;
};

// One tick with MCA 1 at 256000 baud and MCA 2 to 4 at 115200 baud, every byte a record.
void BM_TickFourInstrumentsAtLineRate(benchmark::State& state) {
    testing::TestWorkstation t;
    Workstation& w = *t;
    AcquisitionHooks hooks;
    AcquisitionEngine engine(w, hooks);
    for (int n = 1; n <= 4; ++n) {
        const std::size_t bytesPerSecond = (n == 1 ? 256000 : 115200) / 10;
        w.session(n).port = std::make_unique<ReplayPort>(threeByteStream(bytesPerSecond, static_cast<unsigned>(n)));
        w.session(n).open = true;
    }
    w.state.quadLayout = true;
    engine.startAcquisition();
    std::size_t bytes = 0;
    for (int n = 1; n <= 4; ++n) bytes += static_cast<std::size_t>(w.session(n).port->queuedCount());
    for (auto _ : state) {
        state.PauseTiming();
        t.clock.advance(kTickMilliseconds - 1);   // the tick itself is called below
        state.ResumeTiming();
        t.clock.advance(1);
    }
    state.counters["stream_bytes_per_tick"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TickFourInstrumentsAtLineRate)->Unit(benchmark::kMicrosecond);

}  // namespace
