// Delete Detector: the selected detector preselected with its fields, a deletion after Yes, No
// keeping everything, and the active detector refused with the window closing.
#include "dialogs/detector_remove_window.h"

#include "dialog_test_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace mca {
namespace {

using Strings = std::vector<std::string>;

class DetectorRemoveWindowTest : public testing::ApplicationFixture {
protected:
    DetectorRemoveWindowTest() {
        addDetectors();
        database().add(testing::testDetector("Cedar", "C1"));
        dialog = std::make_unique<DetectorRemoveDialog>(w(), app.detectors(), 1);
        window = std::make_unique<gui::DetectorRemoveWindow>(*dialog);
        window->show();
    }

    QListWidget* list() { return testing::child<QListWidget>(*window, "detectorList"); }
    QString shownName() { return testing::child<QTableWidget>(*window, "detectorFields")->item(0, 1)->text(); }
    void pressDelete() {
        QTest::mouseClick(testing::child<QPushButton>(*window, "deleteButton"), Qt::LeftButton);
    }

    std::unique_ptr<DetectorRemoveDialog> dialog;
    std::unique_ptr<gui::DetectorRemoveWindow> window;
};

TEST_F(DetectorRemoveWindowTest, ShowsTheSelectedDetectorAndTheChosenOnesFields) {
    EXPECT_EQ(window->windowTitle(), "Delete Detector");
    EXPECT_EQ(list()->count(), 3);
    EXPECT_EQ(list()->currentRow(), 1);
    EXPECT_EQ(shownName(), "Birch");
    list()->setCurrentRow(2);
    EXPECT_EQ(shownName(), "Cedar");
}

TEST_F(DetectorRemoveWindowTest, YesDeletesTheChosenDetectorAndKeepsTheSelection) {
    QSignalSpy deleted(window.get(), &gui::DetectorRemoveWindow::detectorDeleted);
    list()->setCurrentRow(0);
    t.op.answers = {Answer::No};
    pressDelete();
    EXPECT_EQ(database().detectorCount(), 3);

    t.op.answers = {Answer::Yes};
    pressDelete();
    EXPECT_EQ(t.op.questions(),
              Strings(2, "Are you sure you want to completely remove this detector? This action cannot be undone."));
    EXPECT_EQ(t.op.messages(), Strings{"Detector deleted."});
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(SelectedRecord(app.detectors(), 1)[field::kName], "Birch");
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(DetectorRemoveWindowTest, TheActiveDetectorIsRefusedAndTheWindowCloses) {
    t.op.answers = {Answer::Yes};
    pressDelete();
    EXPECT_EQ(t.op.messages(), Strings{"Cannot delete active detector!"});
    EXPECT_EQ(database().detectorCount(), 3);
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace mca
