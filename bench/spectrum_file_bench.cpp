// Saving and loading a 4096-channel spectrum file.
#include "spectrumio/spectrum_file_loader.h"
#include "spectrumio/spectrum_file_writer.h"
#include "support/test_workstation.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mca;

void BM_SaveAndLoadSpectrumFile4096(benchmark::State& state) {
    testing::TestWorkstation t;
    Workstation& w = *t;
    w.state.edition = *editionFromTitle("TREL MCA");
    for (std::size_t i = 0; i < kMaxChannels; ++i) w.session(1).spectrum.counts[i] = static_cast<double>((i * 7919) % 100000);
    DetectorRecord record;
    record[field::kName] = "NaI 2x2";
    record[field::kFirstEnergy] = "32.89";
    record[field::kFirstChannel] = "33";
    record[field::kFirstEnergy + 1] = "661.7";
    record[field::kFirstChannel + 1] = "662";
    EnergyCalibration calibration;
    RecomputeEnergyCalibration(calibration, record);
    const auto path = t.app() / "bench.usf";

    Workstation& o = *t;   // loading offline into the same session is what a reload does
    for (auto _ : state) {
        SpectrumFileSources sources{w, 1, record, nullptr, calibration, {}, {}, {}, {}};
        SaveSpectrumFile(sources, path);
        o.state.offline = true;
        DetectorRecord loaded;
        EnergyCalibration loadedCalibration;
        SpectrumLoadHooks hooks;
        SpectrumLoadTarget target{o, 2, loaded, 0, {}, loadedCalibration, hooks, {}};
        benchmark::DoNotOptimize(LoadSpectrumFile(target, path));
    }
}
BENCHMARK(BM_SaveAndLoadSpectrumFile4096)->Unit(benchmark::kMillisecond);

}  // namespace
