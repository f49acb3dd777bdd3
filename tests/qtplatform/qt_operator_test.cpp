// Qt's dialogs as the operator: the button pressed comes back, closing a question box answers its
// last button, and filters are written as Qt reads them.
#include "platform/qt_operator.h"

#include "qtsupport/qt_test_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace mca {
namespace {

// Acts on the question box once it is up; gives up after a second so a test never hangs.
void whenBoxShown(std::function<void(QMessageBox&)> act, int triesLeft = 100) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) return act(*box);
        if (triesLeft > 0) whenBoxShown(act, triesLeft - 1);
    });
}

TEST(QtOperator, QuestionReturnsThePressedButton) {
    qtTestApplication();
    QtOperator op;
    whenBoxShown([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
    EXPECT_EQ(op.question("Save changes?", "Editor", kYesNoCancel), Answer::No);
}

TEST(QtOperator, ClosingTheBoxAnswersTheLastButton) {
    struct Case {
        Buttons buttons;
        Answer expected;
    };
    qtTestApplication();
    QtOperator op;
    for (const Case& c : {Case{kYesNo, Answer::No}, Case{kYesNoAbort, Answer::Abort}, Case{kOkCancel, Answer::Cancel},
                          Case{{Answer::Cancel, Answer::Yes}, Answer::Yes}}) {
        whenBoxShown([](QMessageBox& box) { box.close(); });
        EXPECT_EQ(op.question("Go on?", "T", c.buttons), c.expected);
    }
}

TEST(QtOperator, FiltersAsQtWritesThem) {
    const std::vector<std::pair<std::string, QString>> cases{
        {"Library Files (*.lib)|*.lib", "Library Files (*.lib)"},
        {"Library Files (*.lib)", "Library Files (*.lib)"},
        {"Spectra (*.usf)|*.usf|All Files (*.*)|*.*", "Spectra (*.usf);;All Files (*.*)"},
        {"", ""}};
    for (const auto& [windows, qt] : cases) EXPECT_EQ(qtFilter(windows), qt) << windows;
}

}  // namespace
}  // namespace mca
