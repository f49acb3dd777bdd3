// Peak search and re-analysis on a 4096-channel spectrum with 20 Gaussian peaks on a falling
// continuum, with deterministic counting noise, and the whole chain with identification against a
// library of 26 nuclides. Target: under 5 ms for FindPeaks (which ends with ReanalysePeaks) and for
// the chain.
#include "analysis/peak_identification.h"
#include "analysis/peak_reanalysis.h"
#include "analysis/peak_search.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<double> twentyPeakSpectrum() {
    std::vector<double> counts(4096, 0.0);
    std::mt19937 random(4096);
    for (int i = 0; i < 4096; ++i) {
        double value = 40 + 400 * std::exp(-i / 600.0);
        for (int p = 0; p < 20; ++p) {
            const double centre = 150 + 190.0 * p;
            const double sigma = 1.5 + 0.12 * std::sqrt(centre) * 1.2;
            const double area = 20000.0 * (1 + (p % 5));
            const double z = (i - centre) / sigma;
            value += area / (sigma * std::sqrt(2 * std::numbers::pi)) * std::exp(-z * z / 2);
        }
        std::poisson_distribution<int> poisson(value);
        counts[static_cast<std::size_t>(i)] = poisson(random);
    }
    return counts;
}

mca::PeakAnalysisInput benchInput(const std::vector<double>& counts) {
    mca::PeakAnalysisInput input;
    input.spectrum = counts;
    input.channelCount = 4096;
    input.realTimeSeconds = 600;
    input.calibration.pointCount = 2;
    input.calibration.k = 0.75;
    input.calibration.d = 2;
    input.calibration.linearQuality = 1;
    input.calibration.linearValid = true;
    return input;
}

void BM_PeakSearchAndReanalysis4096(benchmark::State& bench) {
    const std::vector<double> counts = twentyPeakSpectrum();
    const mca::PeakAnalysisInput input = benchInput(counts);
    const mca::PeakSearchSettings settings;
    auto state = std::make_unique<mca::PeakAnalysis>();
    int found = 0;
    for (auto _ : bench) {
        found = mca::FindPeaks(*state, input, settings);
        benchmark::DoNotOptimize(state->peaks.data());
    }
    bench.counters["peaks"] = found;
}
BENCHMARK(BM_PeakSearchAndReanalysis4096)->Unit(benchmark::kMillisecond);

void BM_PeakReanalysis4096(benchmark::State& bench) {
    const std::vector<double> counts = twentyPeakSpectrum();
    const mca::PeakAnalysisInput input = benchInput(counts);
    const mca::PeakSearchSettings settings;
    auto searched = std::make_unique<mca::PeakAnalysis>();
    mca::FindPeaks(*searched, input, settings);
    auto state = std::make_unique<mca::PeakAnalysis>();
    for (auto _ : bench) {
        *state = *searched;
        mca::ReanalysePeaks(*state, input, settings);
        benchmark::DoNotOptimize(state->peaks.data());
    }
    bench.counters["peaks"] = static_cast<double>(state->peaks.size());
}
BENCHMARK(BM_PeakReanalysis4096)->Unit(benchmark::kMillisecond);

// 26 nuclides whose primary and secondary lines are spread over the spectrum's 2 .. 3074 keV, so
// that windows hold lines and labels are written.
std::vector<mca::SearchRow> twentySixNuclides() {
    std::vector<mca::SearchRow> rows;
    for (int n = 0; n < 26; ++n) {
        const double primary = 100 + 113.0 * n;
        const double secondary = n % 3 == 0 ? primary : 60 + 97.0 * n;
        rows.push_back({"N-" + std::to_string(n), std::to_string(primary), std::to_string(secondary), "0.5", "50"});
    }
    return rows;
}

void BM_PeakSearchReanalysisAndIdentification4096(benchmark::State& bench) {
    const std::vector<double> counts = twentyPeakSpectrum();
    const mca::PeakAnalysisInput input = benchInput(counts);
    const mca::PeakSearchSettings settings;
    mca::IdentificationSettings id;
    id.window = {mca::IdWindowRule::KeV, 15, 3};
    const std::vector<mca::SearchRow> library = twentySixNuclides();
    auto state = std::make_unique<mca::PeakAnalysis>();
    int found = 0;
    for (auto _ : bench) {
        found = mca::FindPeaks(*state, input, settings);
        mca::IdentifyPeaks(*state, input, id, library);
        benchmark::DoNotOptimize(state->peaks.data());
    }
    bench.counters["peaks"] = found;
}
BENCHMARK(BM_PeakSearchReanalysisAndIdentification4096)->Unit(benchmark::kMillisecond);

void BM_PeakIdentification(benchmark::State& bench) {
    const std::vector<double> counts = twentyPeakSpectrum();
    const mca::PeakAnalysisInput input = benchInput(counts);
    mca::IdentificationSettings id;
    id.window = {mca::IdWindowRule::KeV, 15, 3};
    const std::vector<mca::SearchRow> library = twentySixNuclides();
    auto state = std::make_unique<mca::PeakAnalysis>();
    mca::FindPeaks(*state, input, mca::PeakSearchSettings{});
    for (auto _ : bench) {
        mca::IdentifyPeaks(*state, input, id, library);
        benchmark::DoNotOptimize(state->peaks.data());
    }
    bench.counters["peaks"] = static_cast<double>(state->peaks.size());
}
BENCHMARK(BM_PeakIdentification)->Unit(benchmark::kMicrosecond);

}  // namespace
