// nuclida's window on the offscreen platform: widgets found by object name, actions going to the
// model, and what the window shows afterwards. A picture of the window showing Cs-137 is written
// when MCA_SCREENSHOT_DIR names a folder.
#include "editor_window.h"

#include "library/library_writer.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <cstdlib>
#include <filesystem>

namespace mca {
namespace {

// One application object for the whole test program, as Qt requires; without a display it draws
// offscreen. It is never destroyed: Qt's own statics may be gone by the time static objects of the
// test program are, and destroying it then crashes at exit.
QApplication& application() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "nuclida_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest() {
        application();
        const auto shipped = std::filesystem::path(MCA_SOURCE_DIR) / "data/Library/TREL.lib";
        library = t.app() / "Library/TREL.lib";
        std::filesystem::create_directories(library.parent_path());
        std::filesystem::copy_file(shipped, library);
        window = std::make_unique<EditorWindow>("TREL Library Editor", library.parent_path());
        window->editor().openFile(library);
        window->refresh();
        window->show();
    }

    template <typename T>
    T* find(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void selectNuclide(const QString& name) {
        auto* combo = find<QComboBox>("cmbNuclides");
        const int index = combo->findText("*" + name) >= 0 ? combo->findText("*" + name) : combo->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        combo->setCurrentIndex(index);
    }

    testing::TempFolder folder;
    testing::TestWorkstation t;
    std::filesystem::path library;
    std::unique_ptr<EditorWindow> window;
};

TEST_F(EditorWindowTest, ShowsTheChosenNuclideAndItsLines) {
    selectNuclide("Cs-137");
    EXPECT_EQ(find<QLineEdit>("edtElement")->text(), "Cesium");
    EXPECT_EQ(find<QLineEdit>("fltedtHalfLife")->text(), "30.090");
    EXPECT_EQ(find<QComboBox>("cmbHalfLifeUnits")->currentText(), "years");
    EXPECT_TRUE(find<QRadioButton>("rdoEnabled")->isChecked());
    auto* table = find<QTableWidget>("advstrgrdIsotope");
    ASSERT_GE(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 4)->text(), "661.657");
    EXPECT_EQ(table->item(0, 2)->checkState(), Qt::Checked);   // primary
    EXPECT_EQ(find<QLabel>("lblFileName")->text().toStdString(), library.string());
    EXPECT_EQ(window->windowTitle(), "TREL Library Editor");

    if (const char* dir = std::getenv("MCA_SCREENSHOT_DIR")) {
        window->resize(820, 420);
        QTest::qWait(50);
        window->grab().save(QString::fromUtf8(dir) + "/nuclida-cs137.png");
    }
}

TEST_F(EditorWindowTest, DisablingANuclideRelistsItAndMarksTheLibraryModified) {
    selectNuclide("Cs-137");
    auto* disabled = find<QRadioButton>("rdoDisabled");
    QTest::mouseClick(disabled, Qt::LeftButton);
    EXPECT_TRUE(window->editor().isModified());
    EXPECT_GE(find<QComboBox>("cmbNuclides")->findText("Cs-137"), 0);
    EXPECT_EQ(find<QPushButton>("btnClose")->text(), "&Cancel");
}

TEST_F(EditorWindowTest, UseCheckBoxAndPrimaryGoToTheModel) {
    selectNuclide("Co-60");
    auto* table = find<QTableWidget>("advstrgrdIsotope");
    ASSERT_EQ(table->rowCount(), 2);
    table->item(1, 2)->setCheckState(Qt::Checked);   // make the second line primary
    QTest::qWait(10);
    EXPECT_TRUE(window->editor().lineTable()[1].primary);
    EXPECT_FALSE(window->editor().lineTable()[0].primary);
    EXPECT_EQ(table->item(0, 2)->checkState(), Qt::Unchecked);
}

TEST_F(EditorWindowTest, EditingCommandsWaitForALibrary) {
    EditorWindow empty("TREL Library Editor", library.parent_path());
    EXPECT_FALSE(empty.findChild<QPushButton*>("btnAddEnergy")->isEnabled());
    EXPECT_TRUE(empty.findChild<QPushButton*>("btnOpenLib")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("btnAddEnergy")->isEnabled());
}

TEST_F(EditorWindowTest, RawTableIsToggledFromTheElementField) {
    auto* raw = find<QTableWidget>("advstrgrdRaw");
    EXPECT_FALSE(raw->isVisible());
    QTest::keyClick(find<QLineEdit>("edtElement"), Qt::Key_W,
                    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_TRUE(raw->isVisible());
    EXPECT_EQ(raw->item(0, 0)->text(), "Nuclide");
}

TEST_F(EditorWindowTest, InsertAddsAnEmptyLine) {
    selectNuclide("Cs-137");
    auto* table = find<QTableWidget>("advstrgrdIsotope");
    const int before = table->rowCount();
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Insert);
    EXPECT_EQ(table->rowCount(), before + 1);
    EXPECT_TRUE(window->editor().isModified());
}

}  // namespace
}  // namespace mca
