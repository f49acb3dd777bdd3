// Filling fields as a person would: the value goes in and the signals of an edit by hand follow.
#include "platform/ui_field_setter.h"

#include "qtsupport/qt_test_application.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mca {
namespace {

class UiFieldSetterTest : public ::testing::Test {
protected:
    UiFieldSetterTest() { qtTestApplication(); }
};

TEST_F(UiFieldSetterTest, LineEditTakesTextAndReportsTheEditAsFinished) {
    QLineEdit edit;
    int finished = 0;
    int returned = 0;
    QObject::connect(&edit, &QLineEdit::editingFinished, [&finished] { ++finished; });
    QObject::connect(&edit, &QLineEdit::returnPressed, [&returned] { ++returned; });
    EXPECT_EQ(setFieldValue(edit, "Cs 137"), "");
    EXPECT_EQ(edit.text(), QStringLiteral("Cs 137"));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(returned, 1);
}

TEST_F(UiFieldSetterTest, SpinBoxesTakeNumbers) {
    QSpinBox whole;
    whole.setRange(0, 5000);
    QDoubleSpinBox real;
    real.setDecimals(2);
    real.setRange(0, 100);
    QDateEdit date;
    EXPECT_EQ(setFieldValue(whole, "1200"), "");
    EXPECT_EQ(whole.value(), 1200);
    EXPECT_EQ(setFieldValue(whole, "lots"), "not a number: lots");
    EXPECT_EQ(whole.value(), 1200);
    EXPECT_EQ(setFieldValue(real, "12.5"), "");
    EXPECT_DOUBLE_EQ(real.value(), 12.5);
    EXPECT_EQ(setFieldValue(date, date.locale().toString(QDate(2024, 3, 9), date.displayFormat()).toStdString()), "");
    EXPECT_EQ(date.date(), QDate(2024, 3, 9));
}

TEST_F(UiFieldSetterTest, ComboBoxTakesItemTextOrIndex) {
    QComboBox units;
    units.addItems({"Seconds", "Minutes", "Hours", "Days", "Years"});
    QStringList activated;
    QObject::connect(&units, &QComboBox::textActivated, [&activated](const QString& t) { activated << t; });
    EXPECT_EQ(setFieldValue(units, "Days"), "");
    EXPECT_EQ(units.currentText(), QStringLiteral("Days"));
    EXPECT_EQ(setFieldValue(units, "1"), "");
    EXPECT_EQ(units.currentText(), QStringLiteral("Minutes"));
    EXPECT_EQ(setFieldValue(units, "Fortnights"), "no such item: Fortnights");
    EXPECT_EQ(setFieldValue(units, "9"), "no such item: 9");
    EXPECT_EQ(activated, QStringList({"Days", "Minutes"}));
    units.setEditable(true);
    EXPECT_EQ(setFieldValue(units, "Fortnights"), "");
    EXPECT_EQ(units.currentText(), QStringLiteral("Fortnights"));
}

TEST_F(UiFieldSetterTest, CheckBoxesAndRadioButtonsTakeFlags) {
    QWidget group;
    auto* box = new QCheckBox("Allow edit", &group);
    auto* on = new QRadioButton("Enabled", &group);
    auto* off = new QRadioButton("Disabled", &group);
    int clicks = 0;
    QObject::connect(box, &QCheckBox::clicked, [&clicks] { ++clicks; });
    for (const auto& [value, checked] : std::vector<std::pair<std::string, bool>>{
             {"1", true}, {"true", true}, {"0", false}, {"FALSE", false}, {"True", true}}) {
        EXPECT_EQ(setFieldValue(*box, value), "") << value;
        EXPECT_EQ(box->isChecked(), checked) << value;
    }
    EXPECT_EQ(clicks, 3);  // only the changes are clicks
    EXPECT_EQ(setFieldValue(*box, "yes"), "not 1, 0, true or false: yes");
    EXPECT_EQ(setFieldValue(*off, "1"), "");
    EXPECT_TRUE(off->isChecked());
    EXPECT_FALSE(on->isChecked());
    EXPECT_EQ(setFieldValue(*on, "true"), "");
    EXPECT_FALSE(off->isChecked());
}

TEST_F(UiFieldSetterTest, TextEditsReadBackslashNAsLineEnd) {
    QPlainTextEdit notes;
    EXPECT_EQ(setFieldValue(notes, "first\\nsecond"), "");
    EXPECT_EQ(notes.toPlainText(), QStringLiteral("first\nsecond"));
}

TEST_F(UiFieldSetterTest, OtherWidgetsAreRefused) {
    QWidget plain;
    EXPECT_EQ(setFieldValue(plain, "x"), "cannot fill a QWidget");
}

}  // namespace
}  // namespace mca
