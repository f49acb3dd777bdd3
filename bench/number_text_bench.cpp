// Cost of the number texts on the paths that write and read files: a whole spectrum row in fixed
// format, assorted values in the full and general-6 formats, and parsing typed numbers.
#include "core/number_text.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kChannels = 4096;

// Counts of a spectrum: a falling background, two peaks, and some dead-time-corrected fractions.
std::vector<double> spectrumRow() {
    std::vector<double> counts(kChannels);
    for (std::size_t i = 0; i < kChannels; ++i) {
        const double channel = static_cast<double>(i);
        const double background = 2000.0 * std::exp(-channel / 900.0);
        const double peak1 = 15000.0 * std::exp(-std::pow((channel - 662.0) / 6.0, 2.0));
        const double peak2 = 4000.0 * std::exp(-std::pow((channel - 1332.0) / 9.0, 2.0));
        const double total = background + peak1 + peak2;
        counts[i] = i % 7 == 0 ? total * 1.0371 : std::round(total);
    }
    return counts;
}

std::vector<double> assortedValues() {
    std::vector<double> values;
    double x = 1.0e-9;
    for (int i = 0; i < 1024; ++i) {
        values.push_back(i % 2 == 0 ? x : -x / 3.0);
        x *= 1.037;
    }
    return values;
}

void formatFixedSpectrumRow(benchmark::State& state) {
    const auto counts = spectrumRow();
    for (auto _ : state) {
        for (double count : counts) {
            benchmark::DoNotOptimize(mca::formatFixed(count, 4, 18));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(counts.size()));
}
BENCHMARK(formatFixedSpectrumRow);

void formatFullAssorted(benchmark::State& state) {
    const auto values = assortedValues();
    for (auto _ : state) {
        for (double value : values) {
            benchmark::DoNotOptimize(mca::formatFull(value));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(values.size()));
}
BENCHMARK(formatFullAssorted);

void formatGeneral6Assorted(benchmark::State& state) {
    const auto values = assortedValues();
    for (auto _ : state) {
        for (double value : values) {
            benchmark::DoNotOptimize(mca::formatGeneral(value, 6));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(values.size()));
}
BENCHMARK(formatGeneral6Assorted);

void parseFloatAssorted(benchmark::State& state) {
    std::vector<std::string> texts;
    for (double value : assortedValues()) {
        texts.push_back(mca::formatFull(value));
    }
    for (auto _ : state) {
        for (const auto& text : texts) {
            benchmark::DoNotOptimize(mca::parseFloat(text));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(texts.size()));
}
BENCHMARK(parseFloatAssorted);

}  // namespace
