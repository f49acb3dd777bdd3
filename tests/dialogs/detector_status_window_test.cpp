// Detector Status: the lines built from the application's state and the other windows' values,
// "&Update" rebuilding them, and closed() for the menu entry.
#include "dialogs/detector_status_window.h"

#include "dialog_test_fixture.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace mca {
namespace {

class DetectorStatusWindowTest : public testing::ApplicationFixture {
protected:
    DetectorStatusWindowTest() {
        addDetectors();
        app.library().setFile(w().folders.library / "TREL.lib");
        window.refresh();
    }

    DetectorStatusInput gather() {
        DetectorStatusInput input = gui::applicationStatusInput(app);
        input.roiSetPath = roiSet;
        return input;
    }

    std::string roiSet;
    gui::DetectorStatusWindow window{[this] { return gather(); }};
};

TEST_F(DetectorStatusWindowTest, ShowsTheStatusLinesAndUpdatesThemOnRequest) {
    const QString library = QString::fromStdString((w().folders.library / "TREL.lib").string());
    EXPECT_EQ(window.windowTitle(), "Detector Status");
    EXPECT_EQ(window.text(), "Detector: Birch\nSerial #: B1\nDescription: 3x3 NaI\nCable Length: 6 ft.\n"
                             "NO ROI SET IS LOADED OR HAS NOT BEEN SAVED.\nCurrent Library File: " +
                                 library +
                                 "\nENERGY CALIBRATION HAS NOT BEEN PERFORMED.\nEFFICIENCY CALIBRATION NOT AVAILABLE.");

    selectDetectorRecord(w(), app.detectors(), 1, 0);
    roiSet = "/cal/Set.roi";
    w().state.energyCalibration = EnergyCalibrationKind::Linear;
    EXPECT_TRUE(window.text().startsWith("Detector: Birch")) << "the text waits for Update";
    QTest::mouseClick(testing::child<QPushButton>(window, "updateButton"), Qt::LeftButton);
    EXPECT_TRUE(window.text().startsWith("Detector: Alder"));
    EXPECT_TRUE(window.text().contains("\nCurrent ROI Set: /cal/Set.roi\n"));
    EXPECT_TRUE(window.text().contains("\nEnergy calibration has been performed.\n"));
}

TEST_F(DetectorStatusWindowTest, TwoInstrumentsAreShownByNumber) {
    w().session(2).open = true;
    w().session(2).serialNumber = "212346";
    app.detectors().database(2).add(testing::testDetector("Osier", "O1"));
    window.refresh();
    EXPECT_TRUE(window.text().startsWith("MCA 1 s/n: 212345\nMCA 1 Detector: Birch\n"));
    EXPECT_TRUE(window.text().contains("\nMCA 2 s/n: 212346\nMCA 2 Detector: Osier\n"));
}

TEST_F(DetectorStatusWindowTest, CloseTellsTheMenu) {
    window.show();
    QSignalSpy closed(&window, &gui::DetectorStatusWindow::closed);
    QTest::mouseClick(testing::child<QPushButton>(window, "closeButton"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

}  // namespace
}  // namespace mca
