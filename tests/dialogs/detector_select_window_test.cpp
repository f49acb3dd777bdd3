// The Select Detector window on its own: the title with the instrument and alias, a list click
// selecting at once, "Add new detector..." withheld after Select/Change, and Escape as cancel.
#include "dialogs/detector_select_window.h"

#include "dialog_test_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace mca {
namespace {

class DetectorSelectWindowTest : public testing::ApplicationFixture {
protected:
    DetectorSelectWindowTest() { addDetectors(); }

    DetectorSelectDialog dialog(int n, DetectorUseOptions options = {}) {
        return DetectorSelectDialog(w(), app.detectors(), hooks, n, options);
    }

    DetectorUseHooks hooks;
    int addsRun = 0;
    std::function<void(DetectorAddDialog&)> countAdds = [this](DetectorAddDialog&) { ++addsRun; };
};

TEST_F(DetectorSelectWindowTest, TitleNamesTheInstrumentAndItsAlias) {
    w().session(2).serialNumber = "212346";
    w().session(2).alias = "Roof";
    app.detectors().database(2).add(testing::testDetector("Osier", "O1"));
    DetectorSelectDialog second = dialog(2);
    gui::DetectorSelectWindow window(second, countAdds);
    EXPECT_EQ(window.windowTitle(), "Select Detector for 2nd Model 415 #212346 (Roof) ");
    EXPECT_EQ(testing::child<QListWidget>(window, "detectorList")->count(), 1);
}

TEST_F(DetectorSelectWindowTest, AListClickSelectsTheDetectorAtOnce) {
    DetectorSelectDialog first = dialog(1);
    gui::DetectorSelectWindow window(first, countAdds);
    testing::child<QListWidget>(window, "detectorList")->setCurrentRow(0);
    EXPECT_EQ(database().selectedIndex(), 0);
    EXPECT_EQ(database().record(1)[field::kSelectedIndex], "0");
}

TEST_F(DetectorSelectWindowTest, AddIsOfferedExceptAfterSelectChange) {
    for (bool afterChange : {false, true}) {
        SCOPED_TRACE(afterChange ? "after Select/Change" : "plain");
        DetectorSelectDialog first = dialog(1, {.afterSelectChange = afterChange});
        gui::DetectorSelectWindow window(first, countAdds);
        auto* add = testing::child<QPushButton>(window, "addDetectorButton");
        EXPECT_EQ(add->isEnabled(), !afterChange);
        addsRun = 0;
        window.addDetector();
        EXPECT_EQ(addsRun, afterChange ? 0 : 1);
    }
}

TEST_F(DetectorSelectWindowTest, EscapeCancelsLikeTheCancelButton) {
    DetectorSelectDialog first = dialog(1, {.startupInProgress = true});
    gui::DetectorSelectWindow window(first, countAdds);
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.end(), SelectDialogEnd::EndProgram);
}

}  // namespace
}  // namespace mca
