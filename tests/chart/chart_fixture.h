// An offline application with the spectrum area on it, for the chart tests: the operator records
// the colour each colour dialog was preset to, and the sources hand out ROIs and a static spectrum.
#pragma once

#include "app/application.h"
#include "chart/chart_area.h"
#include "chart/spectrum_chart.h"
#include "qtsupport/qt_test_application.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace mca {

class PresetRecordingOperator : public testing::ScriptedOperator {
public:
    std::optional<ColourRef> chooseColour(ColourRef initial) override {
        presets.push_back(initial);
        return ScriptedOperator::chooseColour(initial);
    }
    std::vector<ColourRef> presets;
};

class FakeChartSources : public ChartSources {
public:
    std::span<const RoiSlot> roiSlots() const override { return rois; }
    const StaticSpectrumData* staticSpectrum() const override { return staticData ? &*staticData : nullptr; }
    int displayOffset(int) const override { return offset; }
    const ChannelValues* backgroundRate(int instrument) const override {
        return instrument == 1 && background ? &*background : nullptr;
    }

    std::vector<RoiSlot> rois;
    std::optional<ChannelValues> background;
    std::optional<StaticSpectrumData> staticData;
    int offset = 0;
};

class ChartFixture : public ::testing::Test {
protected:
    ChartFixture() {
        w().state.edition = *editionFromTitle("TREL MCA");   // as the start sequence fixes it
        area.setSources(sources);
    }

    Workstation& w() { return app.workstation(); }
    SpectrumChart& chart(int k) { return *area.chart(k); }
    // keV = k * channel + d.
    void linearCalibration(double k, double d) {
        EnergyCalibration& c = app.energyCalibration();
        c = EnergyCalibration{};
        c.pointCount = 2;
        c.k = k;
        c.d = d;
        c.linearQuality = 1;
        c.linearValid = true;
    }
    // The main trace's height at channel i, as drawn.
    double drawn(int k, int channel) { return chart(k).layerPoints(ChartLayer::Main).at(channel).y(); }

    struct QtApp {
        QtApp() { qtTestApplication(); }
    } qt;
    testing::TestWorkstation t;
    PresetRecordingOperator op;
    FrontEnd frontEnd;
    Application app{Platform{t.clock, t.clock, t.clock, op, t.desktop, t.ports}, "TREL MCA", t.app(), frontEnd};
    FakeChartSources sources;
    ChartArea area{app};
};

}  // namespace mca
