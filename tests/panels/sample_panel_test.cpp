// The sample panel's fields reach the core's sample data (and make the spectrum unsaved), a
// quantity that is no number is refused, "Clea&r Fields" empties them, and "Sa&ve Spectrum" writes
// the sample into the spectrum file.
#include "panels/sample_panel.h"

#include "online_application.h"

#include "core/atomic_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace mca {
namespace {

using testing::child;

class SamplePanelTest : public ::testing::Test {
protected:
    SamplePanelTest() { a.start(); }

    void typeInto(const char* name, const QString& text) {
        auto* field = child<QLineEdit>(panel, name);
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    testing::OnlineApplication a;
    gui::SamplePanel panel{a.app};
};

TEST_F(SamplePanelTest, FieldsReachTheSampleDataAndMakeTheSpectrumUnsaved) {
    a.w().state.spectrumUnsaved = false;
    typeInto("edtSampleDescription", "Soil, dried");
    EXPECT_EQ(a.w().sample.description, "Soil, dried");
    EXPECT_TRUE(a.w().state.spectrumUnsaved);

    auto* quantity = child<QLineEdit>(panel, "fltedtSampleQuantity");
    EXPECT_FALSE(quantity->isEnabled()) << "until the quantity is used";
    child<QCheckBox>(panel, "chkUseSampleQuantity")->click();
    EXPECT_TRUE(a.w().sample.useQuantity);
    EXPECT_TRUE(quantity->isEnabled());

    typeInto("fltedtSampleQuantity", "2.5");
    EXPECT_EQ(a.w().sample.quantity, "2.5");
    child<QComboBox>(panel, "cmbSampleUnits")->setCurrentText("kg");
    EXPECT_EQ(a.w().settings.sampleUnits, "kg");
}

TEST_F(SamplePanelTest, AQuantityThatIsNoNumberIsRefusedAndTheFieldGoesBack) {
    child<QCheckBox>(panel, "chkUseSampleQuantity")->click();
    typeInto("fltedtSampleQuantity", "12");
    typeInto("fltedtSampleQuantity", "12 grams");
    EXPECT_EQ(a.w().sample.quantity, "12");
    EXPECT_EQ(child<QLineEdit>(panel, "fltedtSampleQuantity")->text(), "12");
}

TEST_F(SamplePanelTest, ClearFieldsEmptiesDescriptionAndQuantity) {
    child<QCheckBox>(panel, "chkUseSampleQuantity")->click();
    typeInto("edtSampleDescription", "Filter 7");
    typeInto("fltedtSampleQuantity", "3");
    QTest::mouseClick(child<QPushButton>(panel, "btnClearSampleFields"), Qt::LeftButton);
    EXPECT_EQ(a.w().sample.description, "");
    EXPECT_EQ(a.w().sample.quantity, "0");
    EXPECT_EQ(child<QLineEdit>(panel, "edtSampleDescription")->text(), "");
    EXPECT_EQ(child<QLineEdit>(panel, "fltedtSampleQuantity")->text(), "0");
}

TEST_F(SamplePanelTest, RefreshShowsSampleDataSetElsewhere) {
    a.w().sample.description = "From a file";
    a.w().sample.quantity = "4.2";
    a.w().sample.useQuantity = true;
    panel.refresh();
    EXPECT_EQ(child<QLineEdit>(panel, "edtSampleDescription")->text(), "From a file");
    EXPECT_EQ(child<QLineEdit>(panel, "fltedtSampleQuantity")->text(), "4.2");
    EXPECT_TRUE(child<QCheckBox>(panel, "chkUseSampleQuantity")->isChecked());
}

TEST_F(SamplePanelTest, SaveSpectrumWritesTheSampleIntoTheFile) {
    ASSERT_TRUE(a.app.engine().startAcquisition());
    a.t.clock.advance(3000);
    a.app.engine().stopAcquisition();
    typeInto("edtSampleDescription", "Soil, dried");
    const std::filesystem::path file = a.w().folders.spectra / "sample.usf";
    a.t.op.fileChoices = {file.string()};
    QTest::mouseClick(child<QPushButton>(panel, "btnSaveSpectrum"), Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_NE(readFileBytes(file).find("\"Soil, dried\""), std::string::npos);
}

}  // namespace
}  // namespace mca
