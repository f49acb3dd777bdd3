// A program's scripted-operation session: with a script its operator is the scripted one and the
// script runs; without one the real operator answers and start does nothing.
#include "platform/ui_script_session.h"

#include "qtsupport/qt_test_application.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace mca {
namespace {

TEST(UiScriptSession, WithoutScriptDoesNothing) {
    qtTestApplication();
    UiScriptSession session("", "");
    EXPECT_FALSE(session.scriptActive());
    EXPECT_EQ(session.start(), nullptr);
}

TEST(UiScriptSession, RunsTheScriptAndAnswersFromIt) {
    qtTestApplication();
    QTemporaryDir folder;
    const std::string script = folder.filePath("run.txt").toStdString();
    const std::string transcript = folder.filePath("transcript.txt").toStdString();
    std::ofstream(script) << "answer Yes\nwait 10\n";
    UiScriptSession session(script, transcript, {10, 100, 0});
    ASSERT_TRUE(session.scriptActive());
    UiScriptRunner* runner = session.start([] {});
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([runner] { return runner->isFinished(); }, 5000));
    EXPECT_EQ(session.op().question("Overwrite?", "Save", kYesNo), Answer::Yes);
    EXPECT_EQ(session.op().question("Again?", "Save", kYesNo), Answer::No);
    std::ifstream in(transcript);
    std::string first;
    std::string second;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ(first, "question | Save | Overwrite? | Yes");
    EXPECT_EQ(second, "question | Save | Again? | No (default)");
}

TEST(UiScriptSession, UnreadableScriptStaysScriptedAndIsNoted) {
    qtTestApplication();
    UiScriptSession session("/no/such/script.txt", "");
    EXPECT_TRUE(session.scriptActive());
    EXPECT_EQ(session.transcript().lines(),
              std::vector<std::string>{"script | 0 | /no/such/script.txt | cannot read the script"});
    EXPECT_EQ(session.op().question("Delete?", "", kYesNo), Answer::No);
}

}  // namespace
}  // namespace mca
