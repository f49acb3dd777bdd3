// The colours one chart draws with, taken from the settings (0x00BBGGRR colour references), and
// the black-on-white set the monochrome print preview switches chart 1 to.
#pragma once

#include "core/operator.h"
#include "core/settings.h"

#include <QColor>

namespace mca {

struct ChartColours {
    QColor mainTrace;
    QColor staticTrace;
    QColor background;
    QColor roi;
    QColor selectedRoi;
    QColor foundPeaks;
    QColor selectedPeak;
    QColor grid;
    QColor labels;
};

// 0x00BBGGRR -> QColor and back.
QColor toQColor(ColourRef colour);
ColourRef toColourRef(const QColor& colour);

// Chart k's colours: the main-trace colour applies to chart 1 only, the others stay white; the
// peak being edited is magenta whatever the selected-ROI colour.
ChartColours chartColours(const Settings& settings, int chart);

// Every line, shading and text black on a white background.
ChartColours blackOnWhite();

}  // namespace mca
