// Add New Detector: the base detector filling the entries, the identity filter, the gain read-outs,
// the refusals that keep the window open, and a detector added from what was entered.
#include "dialogs/detector_add_window.h"

#include "dialog_test_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace mca {
namespace {

using Strings = std::vector<std::string>;

class DetectorAddWindowTest : public testing::ApplicationFixture {
protected:
    DetectorAddWindowTest() {
        addDetectors();
        dialog = std::make_unique<DetectorAddDialog>(w(), app.detectors(), 1);
        window = std::make_unique<gui::DetectorAddWindow>(*dialog);
    }

    template <typename T = QLineEdit>
    T* get(const char* name) {
        return testing::child<T>(*window, name);
    }
    void retype(const char* name, const QString& text) {
        get(name)->clear();
        QTest::keyClicks(get(name), text);
    }
    void pressAdd() { QTest::mouseClick(get<QPushButton>("addButton"), Qt::LeftButton); }

    std::unique_ptr<DetectorAddDialog> dialog;
    std::unique_ptr<gui::DetectorAddWindow> window;
};

TEST_F(DetectorAddWindowTest, TheChosenBaseDetectorFillsTheEntries) {
    auto* base = get<QComboBox>("baseDetectorList");
    ASSERT_EQ(base->count(), 2);
    EXPECT_EQ(base->itemText(0), "Alder #A1, 3x3 NaI, 6 ft. cable, 4096 channel");
    EXPECT_EQ(get("nameEdit")->text(), "Alder");
    base->setCurrentIndex(1);
    EXPECT_EQ(get("nameEdit")->text(), "Birch");
    EXPECT_EQ(get("serialEdit")->text(), "B1");
    EXPECT_EQ(get("cableLengthEdit")->text(), "6");
    EXPECT_EQ(get<QComboBox>("cableUnitsList")->currentText(), "ft.");
    EXPECT_EQ(get("highVoltageEdit")->text(), "700");
    EXPECT_EQ(get("notToExceedEdit")->text(), "1100");
    EXPECT_EQ(get<QSlider>("fineGainSlider")->value(), 128);
    EXPECT_EQ(get<QComboBox>("shapingTimeList")->currentText(), "1.0 µS");
}

TEST_F(DetectorAddWindowTest, ForbiddenCharactersAreDroppedWithABeep) {
    retype("nameEdit", "NaI/3x3");
    EXPECT_EQ(get("nameEdit")->text(), "NaI3x3");
    EXPECT_EQ(dialog->entries().name, "NaI3x3");
    EXPECT_EQ(t.op.beeps(), 1);
}

TEST_F(DetectorAddWindowTest, GainReadOutsFollowTheSliderTheArrowsAndTheCoarseGain) {
    EXPECT_EQ(get<QLabel>("fineGainText")->text(), "Fine Gain = 0.504");
    EXPECT_EQ(get<QLabel>("overallGainText")->text(), "1.008");
    QTest::mouseClick(get<QToolButton>("fineGainUpButton"), Qt::LeftButton);
    EXPECT_EQ(get<QSlider>("fineGainSlider")->value(), 129);
    EXPECT_EQ(get<QLabel>("fineGainText")->text(), "Fine Gain = 0.508");
    get<QComboBox>("coarseGainList")->setCurrentIndex(2);   // 15
    EXPECT_EQ(get<QLabel>("overallGainText")->text(), "7.617");
    get<QSlider>("fineGainSlider")->setValue(255);
    EXPECT_EQ(get<QLabel>("fineGainText")->text(), "Fine Gain = 1.000");
    EXPECT_EQ(dialog->entries().fineGainPosition, 255);
}

TEST_F(DetectorAddWindowTest, RefusalsAreShownAndKeepTheWindowAndTheDatabase) {
    struct Case {
        const char* name;
        std::function<void()> enter;
        const char* message;
    };
    const Case cases[] = {
        {"same identity and channel count", [] {}, "Detector information must be unique."},
        {"description missing", [this] { retype("serialEdit", "A2"); get("descriptionEdit")->clear(); },
         "Unable to add this detector! Check that all fields have been filled in."},
        {"not-to-exceed equal to the voltage",
         [this] {
             retype("serialEdit", "A2");
             retype("descriptionEdit", "Well");
             retype("highVoltageEdit", "1100");
         },
         "Operating voltage must be less than \"not to exceed\" voltage"},
    };
    window->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.enter();
        pressAdd();
        ASSERT_FALSE(t.op.messages().empty());
        EXPECT_EQ(t.op.messages().back(), c.message);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->added());
        EXPECT_EQ(database().detectorCount(), 2);
    }
}

TEST_F(DetectorAddWindowTest, AddingStoresWhatWasEnteredAndCloses) {
    window->show();
    get<QComboBox>("channelsList")->setCurrentIndex(0);
    retype("nameEdit", "Alder");   // the same identity with another channel count is another detector
    get<QComboBox>("channelsList")->setCurrentIndex(2);
    get<QComboBox>("inputList")->setCurrentIndex(3);
    retype("highVoltageEdit", "850");
    retype("thresholdEdit", "35");
    get<QCheckBox>("rampHighVoltageCheck")->setChecked(true);
    get<QSpinBox>("rampValueSpin")->setValue(12);
    pressAdd();
    EXPECT_TRUE(window->added());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    ASSERT_EQ(database().detectorCount(), 3);
    const DetectorRecord& added = database().record(1);   // Alder 1024 sorts after Alder 4096
    EXPECT_EQ(added[field::kName], "Alder");
    EXPECT_EQ(added[field::kChannelsCode], "2");
    EXPECT_EQ(added[field::kInput], "3");
    EXPECT_EQ(added[field::kHighVoltage], "850");
    EXPECT_EQ(added[field::kThreshold], "35");
    EXPECT_EQ(added[field::kRampHv], "1");
    EXPECT_EQ(added[field::kRampValue], "12");
    EXPECT_EQ(SelectedRecord(app.detectors(), 1)[field::kName], "Birch");
}

}  // namespace
}  // namespace mca
