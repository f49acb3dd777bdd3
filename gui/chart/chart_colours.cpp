// Chart colours from the settings.
#include "chart_colours.h"

namespace mca {
namespace {

constexpr ColourRef kWhite = 16777215;
constexpr ColourRef kMagenta = 16711935;

}  // namespace

QColor toQColor(ColourRef colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

ColourRef toColourRef(const QColor& colour) {
    return static_cast<ColourRef>(colour.red()) | (static_cast<ColourRef>(colour.green()) << 8) |
           (static_cast<ColourRef>(colour.blue()) << 16);
}

ChartColours chartColours(const Settings& s, int chart) {
    ChartColours c;
    c.mainTrace = toQColor(chart == 1 ? s.mainSpectrumColor : kWhite);
    c.staticTrace = toQColor(s.secondarySpectrumColor);
    c.background = toQColor(s.backgroundColor);
    c.roi = toQColor(s.roiColor);
    c.selectedRoi = toQColor(s.selectedRoiColor);
    c.foundPeaks = toQColor(s.foundPeaksColor);
    c.selectedPeak = toQColor(kMagenta);
    c.grid = toQColor(s.gridColor);
    c.labels = toQColor(s.chartLabelColor);
    return c;
}

ChartColours blackOnWhite() {
    const QColor black(Qt::black);
    return {black, black, QColor(Qt::white), black, black, black, black, black, black};
}

}  // namespace mca
