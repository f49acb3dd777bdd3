// A UI script driving a small window end to end: a menu item that opens a modal dialog, fields
// filled and buttons pressed inside that dialog, an operator question answered from the script,
// pictures, notes for what is not there, and quit. A modal dialog must never stall the script.
#include "platform/ui_script_runner.h"

#include "platform/script_answers.h"
#include "platform/scripted_operator.h"
#include "platform/ui_transcript.h"
#include "qtsupport/qt_test_application.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <QDialog>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QVBoxLayout>

namespace mca {
namespace {

// A main window whose File > Open... runs a modal dialog with a name field and OK and Cancel.
class TinyWindow : public QMainWindow {
public:
    explicit TinyWindow(Operator& op) {
        setWindowTitle("Tiny");
        QMenu* file = menuBar()->addMenu("&File");
        connect(file->addAction("&Open..."), &QAction::triggered, this, [this] { openDialog(); });
        connect(file->addAction("Ask"), &QAction::triggered, this,
                [this, &op] { asked = op.question("Proceed?", "Tiny", kYesNo); });
        resize(320, 200);
    }

    void openDialog() {
        QDialog dialog(this);
        auto* layout = new QVBoxLayout(&dialog);
        auto* name = new QLineEdit(&dialog);
        name->setObjectName("name");
        layout->addWidget(name);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(buttons);
        dialog.resize(240, 90);
        dialogResult = dialog.exec();
        enteredName = name->text();
    }

    int dialogResult = -1;
    QString enteredName;
    std::optional<Answer> asked;
};

class UiScriptRunnerTest : public ::testing::Test {
protected:
    UiScriptRunnerTest() { qtTestApplication(); }

    // Runs `script` on the window; true when it ended in time.
    bool run(const QString& script, std::function<void()> quit) {
        UiScriptTiming timing{10, 300, 0};
        UiScriptRunner runner(parseUiScript(script.toStdString()), answers, transcript, std::move(quit), timing);
        runner.start();
        return QTest::qWaitFor([&runner] { return runner.isFinished(); }, 20000);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    testing::ScriptedOperator real;
    ScriptAnswers answers;
    UiTranscript transcript;
    ScriptedOperator op{real, answers, transcript, true};
    QTemporaryDir folder;
};

TEST_F(UiScriptRunnerTest, RunsThroughAModalDialogAndQuits) {
    TinyWindow window(op);
    window.show();
    bool quitCalled = false;
    const QString script = QStringLiteral(
                               "# a modal dialog must not stall the script\n"
                               "menu &File > Open\n"
                               "set name Cs-137\n"
                               "shot %1\n"
                               "press OK\n"
                               "answer Yes\n"
                               "menu File > Ask\n"
                               "press Nowhere\n"
                               "frobnicate\n"
                               "wait 20\n"
                               "shot %2\n"
                               "quit\n"
                               "press Never\n")
                               .arg(path("shots/new/dialog.png"), path("main.png"));
    ASSERT_TRUE(run(script, [&] {
        quitCalled = true;
        window.close();
    }));
    EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.isVisible(); }, 2000));

    EXPECT_EQ(window.dialogResult, QDialog::Accepted);
    EXPECT_EQ(window.enteredName, QStringLiteral("Cs-137"));
    EXPECT_EQ(window.asked, Answer::Yes);
    EXPECT_TRUE(quitCalled);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(real.transcript().empty());  // no real dialog while scripted
    const std::vector<std::string> expected{
        "question | Tiny | Proceed? | Yes",
        "script | 8 | press Nowhere | button not found after 300 ms",
        "script | 9 | frobnicate | unknown command, skipped",
    };
    EXPECT_EQ(transcript.lines(), expected);
    const QImage dialogShot(path("shots/new/dialog.png"));
    const QImage mainShot(path("main.png"));
    EXPECT_EQ(dialogShot.size(), QSize(240, 90));
    EXPECT_EQ(mainShot.size(), window.size());
}

TEST_F(UiScriptRunnerTest, QuitByDefaultClosesEveryWindowEvenUnderADialog) {
    TinyWindow window(op);
    window.show();
    ASSERT_TRUE(run("menu File > Open...\npress Missing\nquit", {}));
    EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.isVisible(); }, 2000));
    EXPECT_EQ(window.dialogResult, QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
    const std::vector<std::string> expected{"script | 2 | press Missing | button not found after 300 ms"};
    EXPECT_EQ(transcript.lines(), expected);
}

TEST_F(UiScriptRunnerTest, NotesWhatItCannotReach) {
    TinyWindow window(op);
    window.show();
    ASSERT_TRUE(run("menu File > Print\nset nowhere 5\nset name x\n", [] {}));
    const std::vector<std::string> expected{
        "script | 1 | menu File > Print | menu item not found after 300 ms",
        "script | 2 | set nowhere 5 | field not found after 300 ms",
        "script | 3 | set name x | field not found after 300 ms",
    };
    EXPECT_EQ(transcript.lines(), expected);
    window.close();
}

// A window whose close sequence refuses to close.
class StubbornWindow : public QMainWindow {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// The program is ended, not left running, when its close sequence keeps a window open after quit.
// Ending the event loop spoils it for later tests, so this runs in a child process.
TEST(UiScriptRunnerDeathTest, EndsTheProgramWhenQuitDoesNotClose) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto runStubborn = [] {
        qtTestApplication();
        StubbornWindow window;
        window.show();
        ScriptAnswers answers;
        UiTranscript transcript;
        UiScriptRunner runner(parseUiScript("quit"), answers, transcript, {}, {10, 100, 200});
        runner.start();
        QTimer::singleShot(5000, [] { QCoreApplication::exit(5); });  // no watchdog: fail, not hang
        const std::vector<std::string> expected{"script | 1 | quit | the program did not close; ending it"};
        std::exit(QApplication::exec() == 1 && transcript.lines() == expected ? 3 : 4);
    };
    EXPECT_EXIT(runStubborn(), ::testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace mca
