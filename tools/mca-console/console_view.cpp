// What the terminal front prints.
#include "console_view.h"

#include "core/number_text.h"

#include <algorithm>
#include <ostream>

namespace mca::console {

namespace {

constexpr int kBands = 32;
constexpr int kBarWidth = 50;

void printInstrument(const Workstation& w, int n, std::ostream& out) {
    const InstrumentSession& s = w.session(n);
    const InstrumentStatusTexts& t = w.screen.instrumentStatus[static_cast<std::size_t>(n - 1)];
    out << "  MCA " << n << " on COM" << s.comNumber << ": " << (t.counts.empty() ? "0 cnts" : t.counts) << ", "
        << (t.rate.empty() ? "-" : t.rate) << (t.deadTime.empty() ? "" : ", " + t.deadTime)
        << (t.battery.empty() ? "" : ", battery " + t.battery + " V") << "\n";
}

}  // namespace

void printStatus(const Workstation& w, std::ostream& out) {
    const AppState& st = w.state;
    out << "\n" << w.screen.caption << "  [" << w.screen.indicator << "]"
        << (st.spectrumUnsaved ? "  Spectrum Not Saved!" : "") << "\n"
        << "  Elapsed time:     " << (w.screen.elapsedTime.empty() ? "0" : w.screen.elapsedTime) << " s\n"
        << "  Real-time preset: " << formatThousands(st.presetRealTime) << " s"
        << (st.presetRealTimeOn ? " (armed)" : " (off)") << "\n"
        << "  Counts preset:    " << formatThousands(st.presetCounts) << (st.presetCountsOn ? " (armed)" : " (off)")
        << "\n";
    for (int n = 1; n <= kInstrumentCount; ++n) {
        if (w.session(n).open) printInstrument(w, n, out);
    }
    if (st.offline) out << "  Offline: no instrument\n";
    out << "  Settings file:    " << w.folders.settingsFile.string() << "\n";
}

void printSpectrum(const Workstation& w, int instrument, std::ostream& out) {
    const Spectrum& s = w.session(instrument).spectrum;
    const int channels = w.state.channelCount;
    const int width = channels / kBands;
    std::array<double, kBands> bands{};
    for (int i = 0; i < channels; ++i) bands[static_cast<std::size_t>(i / width)] += s.counts[static_cast<std::size_t>(i)];
    const double top = std::max(1.0, *std::max_element(bands.begin(), bands.end()));
    for (int b = 0; b < kBands; ++b) {
        const double v = bands[static_cast<std::size_t>(b)];
        const auto bar = static_cast<std::size_t>(roundHalfEven(v / top * kBarWidth));
        out << "  " << formatFixed(b * width, 0) << "-" << formatFixed((b + 1) * width - 1, 0) << "\t|"
            << std::string(bar, '#') << " " << formatThousands(roundHalfEven(v)) << "\n";
    }
}

}  // namespace mca::console
