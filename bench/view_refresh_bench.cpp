// The spectrum view's once-a-second refresh: four charts of 4096 channels with line traces,
// rebuilt and replotted offscreen, as the acquisition tick does it in the four-chart layout.
#include "app/application.h"
#include "chart/chart_area.h"
#include "support/test_workstation.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <random>

namespace mca {
namespace {

QApplication& offscreenApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "mca-view-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A continuum with a few peaks and Poisson noise, different for each instrument.
void fillSpectrum(Spectrum& spectrum, unsigned seed) {
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < spectrum.counts.size(); ++i) {
        const double x = static_cast<double>(i);
        double mean = 400.0 * std::exp(-x / 900.0) + 20.0;
        for (const double centre : {662.0, 1173.0, 1332.0, 2614.0}) {
            mean += 3000.0 * std::exp(-0.5 * std::pow((x - centre) / 12.0, 2));
        }
        spectrum.counts[i] = std::poisson_distribution<int>(mean)(random);
    }
}

struct ViewBench {
    explicit ViewBench(YAxisScale scale) {
        Workstation& w = app.workstation();
        w.state.quadLayout = true;
        w.settings.yAxis = scale;
        for (int n = 1; n <= kInstrumentCount; ++n) fillSpectrum(w.session(n).spectrum, static_cast<unsigned>(n));
        area.resize(1280, 960);
        area.updateLayout();
        area.show();
        QCoreApplication::processEvents();
        if (scale == YAxisScale::Logarithmic) area.setLogarithmicYAxis();
    }

    struct QtApp {
        QtApp() { offscreenApplication(); }
    } qt;   // before any widget
    testing::TestWorkstation t;
    FrontEnd frontEnd;
    Application app{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, t.ports}, "TREL MCA", t.app(), frontEnd};
    ChartArea area{app};
};

void refreshFourCharts(benchmark::State& state, YAxisScale scale) {
    ViewBench bench(scale);
    Spectrum& first = bench.app.workstation().session(1).spectrum;
    for (auto _ : state) {
        first.counts[662] += 1;   // a tick's worth of change
        bench.area.refreshAll();
        bench.area.tickReadout();
    }
}

void BM_RefreshFourChartsLinear(benchmark::State& state) { refreshFourCharts(state, YAxisScale::Linear); }
void BM_RefreshFourChartsLog(benchmark::State& state) { refreshFourCharts(state, YAxisScale::Logarithmic); }

BENCHMARK(BM_RefreshFourChartsLinear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshFourChartsLog)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mca
