// The colour commands (dialog preset to the current colour, OK applies, cancel keeps), the reset
// to the default colours, and the black-on-white print preview that leaves every colour as it was.
#include "chart_fixture.h"

#include <QDialog>

namespace mca {
namespace {

class ChartColoursTest : public ChartFixture {};

struct ColourCase {
    const char* name;
    void (ChartArea::*command)();
    ColourRef Settings::*setting;
    std::optional<ChartLayer> layer;   // what shows it on chart 1 (none: the background)
};

const ColourCase kColourCases[] = {
    {"main spectrum", &ChartArea::chooseMainSpectrumColour, &Settings::mainSpectrumColor, ChartLayer::Main},
    {"static spectrum", &ChartArea::chooseStaticSpectrumColour, &Settings::secondarySpectrumColor, ChartLayer::Static},
    {"background", &ChartArea::chooseBackgroundColour, &Settings::backgroundColor, std::nullopt},
    {"ROI", &ChartArea::chooseRoiColour, &Settings::roiColor, ChartLayer::Roi},
    {"selected ROI", &ChartArea::chooseSelectedRoiColour, &Settings::selectedRoiColor, ChartLayer::SelectedRoi},
    {"found peaks", &ChartArea::chooseFoundPeaksColour, &Settings::foundPeaksColor, ChartLayer::FoundPeaks},
    {"isotope lines", &ChartArea::chooseIsotopeLinesColour, &Settings::isotopeLinesColor, std::nullopt},
    {"grid", &ChartArea::chooseGridColour, &Settings::gridColor, std::nullopt},
    {"labels", &ChartArea::chooseLabelColour, &Settings::chartLabelColor, std::nullopt},
};

TEST_F(ChartColoursTest, ColourCommandIsPresetToTheCurrentColourAndOkApplies) {
    constexpr ColourRef kChosen = 0x00336699;   // red 0x99, green 0x66, blue 0x33
    for (const ColourCase& c : kColourCases) {
        SCOPED_TRACE(c.name);
        const ColourRef before = w().settings.*c.setting;
        op.presets.clear();
        op.colours = {std::nullopt};
        (area.*c.command)();
        EXPECT_EQ(op.presets, std::vector<ColourRef>{before});
        EXPECT_EQ(w().settings.*c.setting, before) << "cancel keeps the colour";

        op.colours = {kChosen};
        (area.*c.command)();
        EXPECT_EQ(w().settings.*c.setting, kChosen);
        const QColor shown = c.layer ? chart(1).layerColour(*c.layer) : chart(1).colours().background;
        if (c.layer || c.setting == &Settings::backgroundColor) {
            EXPECT_EQ(shown, QColor(0x99, 0x66, 0x33));
        }
    }
    EXPECT_EQ(chart(4).backgroundColour(), QColor(0x99, 0x66, 0x33)) << "background colours all four charts";
    EXPECT_EQ(chart(2).colours().grid, QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(chart(2).colours().labels, QColor(0x99, 0x66, 0x33));

    area.resetColours();
    const Settings defaults;
    for (const ColourCase& c : kColourCases) EXPECT_EQ(w().settings.*c.setting, defaults.*c.setting) << c.name;
    EXPECT_EQ(chart(1).backgroundColour(), QColor(0, 0, 0));
    EXPECT_EQ(chart(1).layerColour(ChartLayer::Main), QColor(255, 255, 255));
}

TEST_F(ChartColoursTest, BlackAndWhitePreviewLeavesEveryColourAsItWas) {
    w().settings.roiColor = 0x00123456;
    op.colours = {0x00202020};
    area.chooseBackgroundColour();
    const Settings before = w().settings;
    auto snapshot = [&] {
        std::vector<QColor> out;
        for (int k = 1; k <= 4; ++k) {
            out.push_back(chart(k).backgroundColour());
            for (int layer = 0; layer < kChartLayerCount; ++layer) {
                out.push_back(chart(k).layerColour(static_cast<ChartLayer>(layer)));
            }
        }
        return out;
    };
    const std::vector<QColor> colours = snapshot();

    QString title;
    QColor backgroundDuring;
    QColor traceDuring;
    area.setDialogRunner([&](QDialog& dialog) {
        title = dialog.windowTitle();
        backgroundDuring = chart(1).backgroundColour();
        traceDuring = chart(1).layerColour(ChartLayer::Main);
        return 0;
    });
    area.printPreviewBlackAndWhite();

    EXPECT_EQ(title, QStringLiteral("TREL Print Spectrum Preview"));
    EXPECT_EQ(backgroundDuring, QColor(Qt::white));
    EXPECT_EQ(traceDuring, QColor(Qt::black));
    EXPECT_EQ(snapshot(), colours);
    EXPECT_EQ(w().settings.roiColor, before.roiColor);
    EXPECT_EQ(w().settings.backgroundColor, before.backgroundColor);
    EXPECT_EQ(w().settings.mainSpectrumColor, before.mainSpectrumColor);
}

TEST_F(ChartColoursTest, PreviewTitleNamesTheEdition) {
    const std::pair<const char*, const char*> editions[] = {
        {"VORA-II MCA", "VORA-II Print Spectrum Preview"},
        {"TREL MCA", "TREL Print Spectrum Preview"},
        {"OSKA MCA", "OSKA Print Spectrum Preview"},
        {"OSKA TALVO", "OSKA Print Spectrum Preview"},
    };
    QString title;
    area.setDialogRunner([&](QDialog& dialog) {
        title = dialog.windowTitle();
        return 0;
    });
    for (const auto& [edition, expected] : editions) {
        w().state.edition = *editionFromTitle(edition);
        area.printPreviewColour();
        EXPECT_EQ(title, QString::fromLatin1(expected)) << edition;
    }
}

}  // namespace
}  // namespace mca
