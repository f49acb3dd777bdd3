// The chart's status bar panels.
#include "chart_status_bar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

#include <cstddef>

namespace mca {
namespace {

enum Panel { kChannel = 1, kEnergy = 2, kCounts = 3, kRoiName = 5, kRoiCounts = 6, kTotal = 8, kRate = 9,
             kPeakNumber = 11, kPeakCounts = 12 };

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Captions take their own width; value panels share the rest.
bool isCaption(int panel) { return panel == 0 || panel == 4 || panel == 7 || panel == 10; }

}  // namespace

ChartStatusBar::ChartStatusBar(int chart, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chart%1StatusBar").arg(chart));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const auto captions = statusCaptions();
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* label = new QLabel(qs(captions[static_cast<std::size_t>(i)]), this);
        label->setObjectName(QStringLiteral("chart%1Panel%2").arg(chart).arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        layout->addWidget(label, isCaption(i) ? 0 : 1);
        m_panels[static_cast<std::size_t>(i)] = label;
    }
}

void ChartStatusBar::showReadout(const CursorReadout& r) {
    const std::pair<int, const std::string*> panels[] = {
        {kChannel, &r.channel}, {kEnergy, &r.energy},         {kCounts, &r.counts},        {kRoiName, &r.roiName},
        {kRoiCounts, &r.roiCounts}, {kPeakNumber, &r.peakNumber}, {kPeakCounts, &r.peakCounts}};
    for (const auto& [panel, text] : panels) m_panels[static_cast<std::size_t>(panel)]->setText(qs(*text));
}

void ChartStatusBar::showOverall(const QString& totalCounts, const QString& rate) {
    m_panels[kTotal]->setText(totalCounts);
    m_panels[kRate]->setText(rate);
}

QString ChartStatusBar::panelText(int panel) const {
    if (panel < 0 || panel >= kStatusPanels) return {};
    return m_panels[static_cast<std::size_t>(panel)]->text();
}

}  // namespace mca
