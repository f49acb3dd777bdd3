// The window front as the application runs it: Select Detector choosing and using a detector,
// cancelling at and after start-up, Add New Detector before the first selection and from the
// Select window, and the Done! window ringing until acknowledged.
#include "dialogs/qt_front_end.h"

#include "core/atomic_file.h"
#include "dialog_test_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace mca {
namespace {

using Strings = std::vector<std::string>;

QStringList listTexts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) texts.append(list.item(row)->text());
    return texts;
}

void click(QDialog& dialog, const char* button) {
    QTest::mouseClick(testing::child<QPushButton>(dialog, button), Qt::LeftButton);
}

class QtFrontEndTest : public testing::ApplicationFixture {};

TEST_F(QtFrontEndTest, UsingTheChosenRowSelectsThatDetectorAndSavesTheDatabase) {
    addDetectors();
    dialogs.steps.push_back([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Select Detector for Model 415 #212345");
        auto* list = testing::child<QListWidget>(d, "detectorList");
        EXPECT_EQ(listTexts(*list), (QStringList{"Alder #A1, 3x3 NaI, 6 ft. cable, 4096 channel",
                                                 "Birch #B1, 3x3 NaI, 6 ft. cable, 4096 channel"}));
        EXPECT_EQ(list->currentRow(), 1);
        list->setCurrentRow(0);
        click(d, "useDetectorButton");
    });
    ASSERT_TRUE(app.selectDetector(1, false));
    EXPECT_EQ(dialogs.shown, Strings{"TfrmSelectDetector"});
    EXPECT_EQ(SelectedRecord(app.detectors(), 1)[field::kName], "Alder");
    EXPECT_EQ(w().session(1).settings.highVoltage, 700.0);
    ASSERT_TRUE(std::filesystem::exists(detectorsFile()));
    EXPECT_TRUE(readFileBytes(detectorsFile()).starts_with("Alder,A1,"));
}

TEST_F(QtFrontEndTest, CancelEndsTheProgramOnlyDuringStartUp) {
    struct Case {
        const char* name;
        bool startingUp;
        bool continues;
    };
    for (const Case& c : {Case{"start-up", true, false}, Case{"later", false, true}}) {
        SCOPED_TRACE(c.name);
        database() = DetectorDatabase{};
        addDetectors();
        dialogs.steps.push_back([](QDialog& d) {
            testing::child<QListWidget>(d, "detectorList")->setCurrentRow(0);
            click(d, "cancelButton");
        });
        EXPECT_EQ(app.selectDetector(1, c.startingUp), c.continues);
        EXPECT_EQ(w().session(1).settings.highVoltage, 0.0) << "no detector was used";
    }
}

TEST_F(QtFrontEndTest, AnEmptyDatabaseAsksForADetectorAndThenOffersIt) {
    dialogs.steps.push_back([](QDialog& d) {
        testing::child<QLineEdit>(d, "nameEdit")->clear();
        QTest::keyClicks(testing::child<QLineEdit>(d, "nameEdit"), "Osier");
        click(d, "addButton");
    });
    dialogs.steps.push_back([](QDialog& d) {
        EXPECT_EQ(listTexts(*testing::child<QListWidget>(d, "detectorList")),
                  QStringList{"Osier #xxxx, Generic, 36 in. cable, 4096 channel"});
        click(d, "useDetectorButton");
    });
    ASSERT_TRUE(app.selectDetector(1, true));
    EXPECT_EQ(t.op.messages(), Strings{"A detector must be entered before MCA can be opened."});
    EXPECT_EQ(dialogs.shown, (Strings{"TfrmAddDetector", "TfrmSelectDetector"}));
    EXPECT_EQ(SelectedRecord(app.detectors(), 1)[field::kName], "Osier");
    EXPECT_EQ(w().session(1).settings.highVoltage, 600.0);
}

TEST_F(QtFrontEndTest, AddingFromTheSelectWindowShowsTheNewDetectorInItsList) {
    addDetectors();
    dialogs.steps.push_back([this](QDialog& d) {
        click(d, "addDetectorButton");   // runs the next step as Add New Detector
        EXPECT_EQ(listTexts(*testing::child<QListWidget>(d, "detectorList")),
                  (QStringList{"Alder #A1, 3x3 NaI, 6 ft. cable, 4096 channel",
                               "Birch #B1, 3x3 NaI, 6 ft. cable, 4096 channel",
                               "Cedar #A1, 3x3 NaI, 6 ft. cable, 4096 channel"}));
        EXPECT_EQ(SelectedRecord(app.detectors(), 1)[field::kName], "Birch") << "the selection stays";
        click(d, "cancelButton");
    });
    dialogs.steps.push_back([](QDialog& d) {
        auto* name = testing::child<QLineEdit>(d, "nameEdit");
        name->clear();
        QTest::keyClicks(name, "Cedar");
        click(d, "addButton");
    });
    EXPECT_TRUE(app.selectDetector(1, false));
    EXPECT_EQ(dialogs.shown, (Strings{"TfrmSelectDetector", "TfrmAddDetector"}));
    EXPECT_EQ(database().detectorCount(), 3);
}

TEST_F(QtFrontEndTest, TheDoneWindowBeepsEverySecondUntilAcknowledged) {
    EXPECT_EQ(frontEnd.doneWindow(), nullptr);
    frontEnd.showDoneWindow();
    gui::DoneWindow* done = frontEnd.doneWindow();
    ASSERT_NE(done, nullptr);
    EXPECT_TRUE(done->isVisible());
    EXPECT_EQ(done->windowTitle(), "Done!");
    EXPECT_EQ(testing::child<QLabel>(*done, "presetReachedText")->text(),
              "Either the Time or the Total Counts preset has been reached!");
    EXPECT_EQ(t.op.beeps(), 1);
    t.clock.advance(3000);
    EXPECT_EQ(t.op.beeps(), 4);

    frontEnd.showDoneWindow();   // a second preset end while it rings: the same window, one timer
    EXPECT_EQ(frontEnd.doneWindow(), done);
    t.clock.advance(1000);
    EXPECT_EQ(t.op.beeps(), 5);

    QTest::mouseClick(testing::child<QPushButton>(*done, "acknowledgedButton"), Qt::LeftButton);
    EXPECT_FALSE(done->isVisible());
    t.clock.advance(5000);
    EXPECT_EQ(t.op.beeps(), 5);

    frontEnd.showDoneWindow();   // the next preset end rings again
    EXPECT_TRUE(done->isVisible());
    EXPECT_EQ(t.op.beeps(), 6);
}

}  // namespace
}  // namespace mca
