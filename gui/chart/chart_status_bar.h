// The lower status bar of a spectrum chart: fourteen panels, the captions fixed, the others filled
// by the cursor read-out and by the acquisition's totals.
#pragma once

// moc cannot parse the C++20 library headers these bring in; it needs only the names.
#ifndef Q_MOC_RUN
#include "display/cursor_readout.h"

#include <array>
#endif

#include <QWidget>

class QLabel;

namespace mca {

class ChartStatusBar : public QWidget {
    Q_OBJECT
public:
    // Panels are named "chart" + k + "Panel" + index (0..13).
    ChartStatusBar(int chart, QWidget* parent = nullptr);

    // Panels 1, 2, 3, 5, 6, 11 and 12.
    void showReadout(const CursorReadout& readout);
    // Panels 8 (total counts) and 9 (count rate).
    void showOverall(const QString& totalCounts, const QString& rate);
    QString panelText(int panel) const;

private:
    std::array<QLabel*, kStatusPanels> m_panels{};
};

}  // namespace mca
