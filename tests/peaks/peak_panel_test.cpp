// The peak panel's wiring: each control runs the core's peak functions and the list, the edit
// fields, chart 1's shading, marker bars and overlays and the stored settings show the result.
#include "peak_panel_fixture.h"

#include "peaks/peak_chart_overlay.h"
#include "peaks/stepped_spin_box.h"

#include "roi/peak_report.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace mca::gui {
namespace {

class PeakPanelTest : public PeakPanelFixture {
protected:
    QVector<QPointF> shading() { return chart1().layerPoints(ChartLayer::FoundPeaks); }
    QVector<QPointF> markers() { return chart1().layerPoints(ChartLayer::Markers); }
    QString cell(int row, int column) { return table().item(row, column)->text(); }
    void findPeaks() {
        click("btnFindPeaks");
        ASSERT_EQ(table().rowCount(), 1);
    }
};

TEST_F(PeakPanelTest, FindPeaksListsTheIdentifiedPeakAndShadesChartOne) {
    EXPECT_TRUE(shading().isEmpty());
    EXPECT_FALSE(find<QPushButton>("btnReport")->isEnabled());
    findPeaks();

    const FoundPeak& peak = panel.analysis().peaks.at(0);
    EXPECT_NEAR(centroidOf(peak), kPeakChannel, 1.5);
    EXPECT_EQ(cell(0, 2), "Cs-137");
    EXPECT_EQ(cell(0, 4).toInt(), peak.leftChannel);
    EXPECT_EQ(cell(0, 5).toInt(), peak.rightChannel);
    EXPECT_TRUE(find<QPushButton>("btnReport")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("btnClearPeaks")->isEnabled());

    const QVector<QPointF> shaded = shading();
    ASSERT_FALSE(shaded.isEmpty());
    for (const QPointF& p : shaded) {
        EXPECT_GT(p.x(), peak.leftChannel);
        EXPECT_LE(p.x(), peak.rightChannel);
    }
    ASSERT_EQ(markers().size(), 1);
    EXPECT_DOUBLE_EQ(markers()[0].x(), centroidOf(peak));
    EXPECT_TRUE(op.messages().empty());

    // Hidden (and Persist off), the trace keeps its plain colour; the markers stay.
    panel.hide();
    EXPECT_TRUE(shading().isEmpty());
    panel.show();
    EXPECT_FALSE(shading().isEmpty());

    click("btnClearPeaks");
    EXPECT_EQ(table().rowCount(), 0);
    EXPECT_TRUE(shading().isEmpty());
    EXPECT_TRUE(markers().isEmpty());
    EXPECT_FALSE(find<QPushButton>("btnReport")->isEnabled());
}

TEST_F(PeakPanelTest, EnterInSensitivityStartsTheSearch) {
    QTest::keyClick(find<SteppedSpinBox>("fltedtSensitivity"), Qt::Key_Return);
    EXPECT_EQ(table().rowCount(), 1);
}

TEST_F(PeakPanelTest, SearchWithoutEnergyCalibrationIsRefused) {
    app.energyCalibration() = EnergyCalibration{};
    click("btnFindPeaks");
    EXPECT_EQ(table().rowCount(), 0);
    ASSERT_EQ(op.messages().size(), 1u);
    EXPECT_EQ(op.messages()[0], "Energy Calibration must be performed before using Peak Search and Identify.");
}

TEST_F(PeakPanelTest, KillPeakRemovesTheSelectedPeakEverywhere) {
    findPeaks();
    click("btnKillPeak");
    EXPECT_EQ(table().rowCount(), 0);
    EXPECT_TRUE(shading().isEmpty());
    EXPECT_TRUE(markers().isEmpty());
    EXPECT_FALSE(find<QPushButton>("btnReport")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("btnKillPeak")->isEnabled());
    panel.killPeak();
    EXPECT_EQ(op.messages(), std::vector<std::string>{"Nothing to delete!"});
}

TEST_F(PeakPanelTest, DoubleClickAddsAPeakOnlyWhenChecked) {
    panel.chartDoubleClicked(800);
    EXPECT_EQ(table().rowCount(), 0);

    find<QCheckBox>("chkbxAllowAddPeak")->setChecked(true);
    panel.chartDoubleClicked(800);
    ASSERT_EQ(table().rowCount(), 1);
    EXPECT_EQ(cell(0, 2), "400 keV");   // nothing in the library there
    EXPECT_EQ(markers().size(), 1);

    // In the energy axis modes the position is an energy: 661.66 keV is Cs-137's channel.
    charts.showXAxisAsKeV();
    panel.chartDoubleClicked(661.66);
    ASSERT_EQ(table().rowCount(), 2);
    EXPECT_EQ(cell(1, 2), "Cs-137");

    panel.hide();
    panel.chartDoubleClicked(1000);
    EXPECT_EQ(table().rowCount(), 2);
}

TEST_F(PeakPanelTest, ThresholdSpinButtonsStepByTheirRulesAndAreStored) {
    struct Case {
        const char* field;
        double from;
        int steps;
        double expected;
    };
    const Case cases[] = {
        {"fltedtSensitivity", 1.0, 1, 2.0},    {"fltedtSensitivity", 0.5, 1, 0.6},
        {"fltedtSensitivity", 0.05, 1, 0.06},  {"fltedtSensitivity", 0.1, -1, 0.09},
        {"fltedtSensitivity", 2.0, -1, 1.0},   {"fltedtSensitivity", 1.0, -1, 0.9},
        {"fltedtMinSignificance", 1.0, 1, 2.0}, {"fltedtMinSignificance", 0.5, 1, 0.6},
        {"fltedtMinSignificance", 0.1, -1, 0.0}, {"fltedtMinSignificance", 3.0, -1, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " from " + std::to_string(c.from));
        auto* box = find<SteppedSpinBox>(c.field);
        box->setValue(c.from);
        box->stepBy(c.steps);
        EXPECT_DOUBLE_EQ(box->value(), c.expected);
    }
    EXPECT_DOUBLE_EQ(w().settings.sensitivity, 0.9);
    EXPECT_DOUBLE_EQ(w().settings.significance, 2.0);
    EXPECT_DOUBLE_EQ(panel.searchSettings().minSignificance, 2.0);
}

TEST_F(PeakPanelTest, DefaultsResetTheSpreads) {
    find<QDoubleSpinBox>("fltedtkeVSpread")->setValue(40);
    find<QDoubleSpinBox>("fltedtPercentSpread")->setValue(9);
    click("btnDefaults");
    EXPECT_DOUBLE_EQ(find<QDoubleSpinBox>("fltedtkeVSpread")->value(), 15);
    EXPECT_DOUBLE_EQ(find<QDoubleSpinBox>("fltedtPercentSpread")->value(), 3);
    EXPECT_DOUBLE_EQ(panel.identificationSettings().window.keVSpread, 15);
    EXPECT_DOUBLE_EQ(w().settings.keVOfCentroid, 15);
    EXPECT_EQ(panel.searchSettings().smoothWidth, 14);
}

TEST_F(PeakPanelTest, ARuleButtonRelabelsWithoutANewSearch) {
    findPeaks();
    const double centroid = centroidOf(panel.analysis().peaks[0]);
    find<QDoubleSpinBox>("fltedtPercentSpread")->setValue(0);
    find<QRadioButton>("rdoPercentError")->click();
    EXPECT_TRUE(cell(0, 2).endsWith(" keV"));
    EXPECT_TRUE(w().settings.searchByPercent);
    find<QRadioButton>("rdoWithinArea")->click();
    EXPECT_EQ(cell(0, 2), "Cs-137");
    EXPECT_DOUBLE_EQ(centroidOf(panel.analysis().peaks[0]), centroid);
}

TEST_F(PeakPanelTest, EditButtonsMoveTheSelectedPeakOnlyWithAllowEdit) {
    findPeaks();
    auto* rightUp = find<QToolButton>("spdbtnRightEdgeUp");
    EXPECT_EQ(rightUp->toolTip(), "Increases the peak's right edge by 1 channel.");
    EXPECT_FALSE(rightUp->isEnabled());
    EXPECT_TRUE(chart1().layerPoints(ChartLayer::SelectedPeak).isEmpty());

    find<QCheckBox>("chkbxAllowPeakEdit")->setChecked(true);
    ASSERT_TRUE(rightUp->isEnabled());
    const int right = find<QLineEdit>("intedtRightEdgeChn")->text().toInt();
    rightUp->click();
    EXPECT_EQ(find<QLineEdit>("intedtRightEdgeChn")->text().toInt(), right + 1);
    QTest::keyClick(find<QLineEdit>("fltedtRightEdgekeV"), Qt::Key_PageUp);
    EXPECT_EQ(find<QLineEdit>("intedtRightEdgeChn")->text().toInt(), right + 11);
    const QVector<QPointF> selected = chart1().layerPoints(ChartLayer::SelectedPeak);
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_DOUBLE_EQ(selected.back().x(), right + 11);
    EXPECT_EQ(cell(0, 2), "Cs-137");
}

TEST_F(PeakPanelTest, OverlaysFollowTheirCheckBoxes) {
    findPeaks();
    const PeakChartOverlay& overlay = panel.overlay();
    EXPECT_EQ(overlay.pointCount(OverlayCurve::Baseline), 0);
    find<QCheckBox>("chkShowGaussFit")->setChecked(true);
    EXPECT_GT(overlay.pointCount(OverlayCurve::Baseline), 0);
    int peakPoints = 0;   // the one peak is on one of the four alternating curves
    for (OverlayCurve c : {OverlayCurve::Peak1, OverlayCurve::Peak2, OverlayCurve::Peak3, OverlayCurve::Peak4}) {
        peakPoints += overlay.pointCount(c);
    }
    EXPECT_GT(peakPoints, 0);
    find<QCheckBox>("chkbxShow2ndDerivative")->setChecked(true);
    EXPECT_EQ(overlay.pointCount(OverlayCurve::SecondDerivative), 4095);
    // The derivative dips below zero at the peak; the right axis takes it in, now and on refresh.
    EXPECT_LT(charts.chart(1)->rightRange().lower, 0.0);
    charts.refreshAll();
    EXPECT_LT(charts.chart(1)->rightRange().lower, 0.0);
    EXPECT_EQ(overlay.pointCount(OverlayCurve::Weighted), 0);
    find<QCheckBox>("chkShowExpanded")->setChecked(true);
    EXPECT_EQ(overlay.pointCount(OverlayCurve::Weighted), 4095);
    find<QCheckBox>("chkShowPeakLabels")->setChecked(true);
    EXPECT_EQ(overlay.labelTexts(), QStringList{"Cs-137"});

    find<QCheckBox>("chkShowGaussFit")->setChecked(false);
    EXPECT_EQ(overlay.pointCount(OverlayCurve::Baseline), 0);
    charts.setFullScreen(true);
    EXPECT_EQ(overlay.pointCount(OverlayCurve::SecondDerivative), 0);
    click("btnClearPeaks");
    charts.setFullScreen(false);
    EXPECT_TRUE(overlay.labelTexts().isEmpty());
}

TEST_F(PeakPanelTest, ReportBuildsThePeakReport) {
    findPeaks();
    click("btnReport");
    ASSERT_EQ(reports.size(), 1u);
    const ReportBuilder& r = reports[0];
    EXPECT_EQ(r.caption(), peakReportCaption(w().state.edition));
    ASSERT_FALSE(r.paragraphs().empty());
    EXPECT_EQ(r.paragraphs()[0].text, peakReportTitle(w().state.edition));
    EXPECT_TRUE(r.paragraphs()[0].style.bold);
    bool namesCs137 = false;
    for (const ReportParagraph& p : r.paragraphs()) namesCs137 |= p.text.find("is probably Cs-137") != std::string::npos;
    EXPECT_TRUE(namesCs137);
}

TEST_F(PeakPanelTest, SourcesPassOtherDataToTheirBase) {
    ChartSources base;
    base.setStaticShown(true);
    panel.chartSources().setBase(&base);
    EXPECT_TRUE(panel.chartSources().staticShown());
    panel.chartSources().setBackgroundSubtracted(true);
    EXPECT_TRUE(base.backgroundSubtracted());
    panel.chartSources().setBase(nullptr);
}

}  // namespace
}  // namespace mca::gui
