// The fine-tune window over the core's tool: the nuclide and line lists come from the loaded
// library, the choice reaches the tool, "&Fine Tune" without a line gets the tool's refusal, and
// "&Cancel" closes the tool and the window.
#include "panels/fine_tune_window.h"

#include "online_application.h"

#include "device/fine_tune.h"
#include "device/hardware_control_fine_gain.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace mca {
namespace {

using testing::child;

class FineTuneWindowTest : public ::testing::Test {
protected:
    FineTuneWindowTest() {
        a.t.writeAppFile("Library/TREL.lib",
                         "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
                         "Cs-137,11,30.17,years,Cesium,0,0\r\n"
                         "Cs-137,1,\"\",661.657,85.1,0,0\r\n"
                         "K-40,11,1.28E9,years,Potassium,0,0\r\n"
                         "K-40,1,\"\",1460.83,10.7,0,0\r\n");
        a.start();
        // keV = channel + 2.7
        calibration.pointCount = 2;
        calibration.k = 1.0;
        calibration.d = 2.7;
        calibration.linearValid = true;
        calibration.linearQuality = 1.0;
    }

    QStringList items(const char* name) {
        QStringList list;
        auto* combo = child<QComboBox>(window, name);
        for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
        return list;
    }

    testing::OnlineApplication a;
    EnergyCalibration calibration;
    PanelFineGainControl control{a.app.hardware()};
    FineTuneHooks hooks;
    FineTune tool{a.w(), a.app.engine(), control, hooks, calibration};
    gui::FineTuneWindow window{tool, a.app.library()};
};

TEST_F(FineTuneWindowTest, ListsTheLibraryAndPassesTheChoiceOn) {
    ASSERT_TRUE(tool.open());
    window.show();
    EXPECT_EQ(items("cmbNuclide"), (QStringList{"Cs-137", "K-40"}));
    EXPECT_EQ(child<QComboBox>(window, "cmbNuclide")->currentText(), "Cs-137");
    EXPECT_EQ(child<QComboBox>(window, "cmbEnergy")->currentText(), "661.7");

    child<QComboBox>(window, "cmbNuclide")->setCurrentText("K-40");
    EXPECT_EQ(items("cmbEnergy"), QStringList{"1461"});
    EXPECT_EQ(tool.nuclide, "K-40");
    EXPECT_EQ(tool.lineEnergy, "") << "the operator chooses K-40's line";
    QTest::mouseClick(child<QPushButton>(window, "btnFineTune"), Qt::LeftButton);
    EXPECT_EQ(a.t.op.messages().back(), kFineTuneNeedsLine);
    EXPECT_TRUE(tool.isOpen());
}

TEST_F(FineTuneWindowTest, CancelClosesTheToolAndTheWindow) {
    ASSERT_TRUE(tool.open());
    window.show();
    QSignalSpy closed(&window, &gui::FineTuneWindow::toolClosed);
    QTest::mouseClick(child<QPushButton>(window, "btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(tool.isOpen());
    EXPECT_FALSE(a.w().state.fineTuneActive);
    EXPECT_FALSE(window.isVisible());
    EXPECT_GE(closed.count(), 1);
}

}  // namespace
}  // namespace mca
