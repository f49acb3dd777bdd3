// An offline application with chart 1 and the peak panel on it: a 4096-channel spectrum with one
// Cs-137-like peak (661.66 keV at 0.5 keV per channel) on a flat background, and a library that
// holds Cs-137. Reports the panel makes are kept instead of shown.
#pragma once

#include "peaks/peak_chart_sources.h"
#include "peaks/peak_panel.h"

#include "app/application.h"
#include "chart/chart_area.h"
#include "chart/spectrum_chart.h"
#include "library/nuclide_library.h"
#include "qtsupport/qt_test_application.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>

#include <cmath>
#include <numbers>
#include <vector>

namespace mca::gui {

inline constexpr double kPeakChannel = 1323.3;   // 661.66 keV
inline constexpr double kKeVPerChannel = 0.5;

class PeakPanelFixture : public ::testing::Test {
protected:
    PeakPanelFixture() {
        w().state.edition = *editionFromTitle("TREL MCA");
        w().state.realTime = 300;
        calibrate();
        addPeak(kPeakChannel, 10.0, 20000.0);
        app.library() = NuclideLibrary::fromTable(
            {{"Nuclide", "Use", "Comments", "Energy", "yield", "Primary", "Secondary"},
             {"Cs-137", "11", "30.17", "years", "Cesium", "0", "0"},
             {"Cs-137", "1", "", "661.657", "84.99", "1", "1"}},
            op);
        charts.setSources(panel.chartSources());
        panel.setReportPresenter([this](const ReportBuilder& r) { reports.push_back(r); });
        panel.show();
        charts.refreshAll();
    }

    Workstation& w() { return app.workstation(); }
    SpectrumChart& chart1() { return *charts.chart(1); }
    template <typename T>
    T* find(const char* name) {
        T* widget = panel.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTableWidget& table() { return *find<QTableWidget>("advstrgrdPeaks"); }
    void click(const char* name) { find<QPushButton>(name)->click(); }

    // keV = 0.5 * channel.
    void calibrate() {
        EnergyCalibration& c = app.energyCalibration();
        c = EnergyCalibration{};
        c.pointCount = 2;
        c.k = kKeVPerChannel;
        c.d = 0;
        c.linearQuality = 1;
        c.linearValid = true;
    }
    // A Gaussian of `area` counts on the flat background of 10 counts per channel.
    void addPeak(double centroid, double sigma, double area) {
        auto& counts = w().session(1).spectrum.counts;
        for (std::size_t i = 0; i < counts.size(); ++i) {
            const double d = static_cast<double>(i) - centroid;
            counts[i] = std::round(10.0 + area / (sigma * std::sqrt(2 * std::numbers::pi)) *
                                              std::exp(-d * d / (2 * sigma * sigma)));
        }
    }

    struct QtApp {
        QtApp() { qtTestApplication(); }
    } qt;
    testing::TestWorkstation t;
    testing::ScriptedOperator op;
    FrontEnd frontEnd;
    Application app{Platform{t.clock, t.clock, t.clock, op, t.desktop, t.ports}, "TREL MCA", t.app(), frontEnd};
    ChartArea charts{app};
    PeakPanel panel{app, charts};
    std::vector<ReportBuilder> reports;
};

}  // namespace mca::gui
