// The operator of a scripted run: default sides, queued answers, what it asks the real operator
// without a script, and the transcript lines, checked in full.
#include "platform/scripted_operator.h"

#include "platform/script_answers.h"
#include "platform/ui_transcript.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace mca {
namespace {

class ScriptedOperatorTest : public ::testing::Test {
protected:
    testing::ScriptedOperator real;
    ScriptAnswers answers;
    UiTranscript transcript;
    ScriptedOperator op{real, answers, transcript, true};

    std::string lastLine() const { return transcript.lines().empty() ? "" : transcript.lines().back(); }
};

struct DefaultCase {
    const char* name;
    Buttons buttons;
    Answer expected;
};

class QuestionDefault : public ScriptedOperatorTest, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(QuestionDefault, TakesTheSideThatChangesNothing) {
    EXPECT_EQ(op.question("Save changes?", "Editor", GetParam().buttons), GetParam().expected);
    EXPECT_TRUE(real.transcript().empty());
}

INSTANTIATE_TEST_SUITE_P(ScriptedOperator, QuestionDefault,
                         ::testing::Values(DefaultCase{"YesNoCancel", kYesNoCancel, Answer::Cancel},
                                           DefaultCase{"OkCancel", kOkCancel, Answer::Cancel},
                                           DefaultCase{"YesNoAbort", kYesNoAbort, Answer::No},
                                           DefaultCase{"YesNo", kYesNo, Answer::No},
                                           DefaultCase{"YesAbort", {Answer::Yes, Answer::Abort}, Answer::Abort},
                                           DefaultCase{"OkOnly", {Answer::Ok}, Answer::Ok},
                                           DefaultCase{"NoButtons", {}, Answer::Ok}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ScriptedOperatorTest, QuestionsTakeQueuedAnswersInOrder) {
    answers.push("Yes");
    answers.push("&abort");
    answers.push("Maybe");
    EXPECT_EQ(op.question("First?", "T", kYesNoAbort), Answer::Yes);
    EXPECT_EQ(op.question("Second?", "T", kYesNoAbort), Answer::Abort);
    EXPECT_EQ(op.question("Third?", "T", kYesNoCancel), Answer::Cancel);
    EXPECT_EQ(op.question("Fourth?", "T", kYesNo), Answer::No);
    EXPECT_TRUE(answers.empty());
    const std::vector<std::string> expected{
        "question | T | First? | Yes",
        "question | T | Second? | Abort",
        "question | T | Third? | Cancel (default; \"Maybe\" does not fit)",
        "question | T | Fourth? | No (default)",
    };
    EXPECT_EQ(transcript.lines(), expected);
}

TEST_F(ScriptedOperatorTest, MessageTakesOnlyAnOkAnswer) {
    answers.push("Yes");
    op.message("File saved.", "Editor", MessageKind::Information);
    EXPECT_EQ(answers.front() ? *answers.front() : "", "Yes");
    answers.clear();
    answers.push("OK");
    op.message("Disk full", "Editor", MessageKind::Error);
    EXPECT_TRUE(answers.empty());
    op.message("Careful", "", MessageKind::Warning);
    const std::vector<std::string> expected{"message | Editor | File saved. | OK (default)",
                                            "error | Editor | Disk full | OK", "warning |  | Careful | OK (default)"};
    EXPECT_EQ(transcript.lines(), expected);
    EXPECT_TRUE(real.transcript().empty());
}

TEST_F(ScriptedOperatorTest, FileChoicesResolveLikeTheDialog) {
    const FileChoice open{"Open Library", "/data/Library", "", "Library Files (*.lib)|*.lib", "lib"};
    const FileChoice save{"Save As", "/data/Library", "TREL.lib", "Library Files (*.lib)|*.lib", "lib"};
    answers.push("Cs.lib");
    answers.push("/tmp/other.lib");
    answers.push("mine");
    answers.push("(cancel)");
    EXPECT_EQ(op.chooseOpenFile(open), "/data/Library/Cs.lib");
    EXPECT_EQ(op.chooseOpenFile(open), "/tmp/other.lib");
    EXPECT_EQ(op.chooseSaveFile(save), "/data/Library/mine.lib");
    EXPECT_EQ(op.chooseSaveFile(save), std::nullopt);
    EXPECT_EQ(op.chooseSaveFile(save), std::nullopt);
    const std::vector<std::string> expected{
        "open-file | Open Library | /data/Library | /data/Library/Cs.lib",
        "open-file | Open Library | /data/Library | /tmp/other.lib",
        "save-file | Save As | /data/Library/TREL.lib | /data/Library/mine.lib",
        "save-file | Save As | /data/Library/TREL.lib | (cancel)",
        "save-file | Save As | /data/Library/TREL.lib | (cancel) (default)",
    };
    EXPECT_EQ(transcript.lines(), expected);
}

TEST_F(ScriptedOperatorTest, TextAndColourChoices) {
    answers.push("Am-241");
    EXPECT_EQ(op.inputText("Add Nuclide", "Name:", "Cs-137"), "Am-241");
    EXPECT_EQ(op.inputText("Add Nuclide", "Name:", ""), std::nullopt);
    answers.push("#FF8000");
    answers.push("255");
    answers.push("orange");
    EXPECT_EQ(op.chooseColour(0x0000FFu), ColourRef{0x0080FFu});
    EXPECT_EQ(op.chooseColour(0x0000FFu), ColourRef{0x0000FFu});
    EXPECT_EQ(op.chooseColour(0xFF0000u), std::nullopt);
    const std::vector<std::string> expected{
        "input | Add Nuclide | Name: [Cs-137] | Am-241",
        "input | Add Nuclide | Name: | (cancel) (default)",
        "colour |  | #FF0000 | #FF8000",
        "colour |  | #FF0000 | #FF0000",
        "colour |  | #0000FF | (cancel) (default; \"orange\" does not fit)",
    };
    EXPECT_EQ(transcript.lines(), expected);
}

TEST_F(ScriptedOperatorTest, WithoutScriptAsksTheRealOperatorAndStillTranscribes) {
    op.setScriptActive(false);
    answers.push("No");  // a script's answers are not used without a script
    real.answers.push_back(Answer::Yes);
    real.fileChoices.push_back("/x/y.lib");
    EXPECT_EQ(op.question("Overwrite?", "Save", kYesNo), Answer::Yes);
    EXPECT_EQ(op.chooseOpenFile({"Open", "/x", "", "", ""}), "/x/y.lib");
    op.message("Line one\nline two", "Info", MessageKind::Information);
    ASSERT_EQ(real.transcript().size(), 3u);
    EXPECT_EQ(real.messages(), std::vector<std::string>{"Line one\nline two"});
    const std::vector<std::string> expected{"question | Save | Overwrite? | Yes", "open-file | Open | /x | /x/y.lib",
                                            "message | Info | Line one\\nline two | OK"};
    EXPECT_EQ(transcript.lines(), expected);
}

TEST(UiTranscript, EscapesFieldsAndFlushesEachLineToItsFile) {
    const auto path = std::filesystem::temp_directory_path() / "mca_ui_transcript_test.txt";
    UiTranscript transcript(path.string());
    transcript.write({"question", "a\tb", "C:\\Data\r\nnext", "Yes"});
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "question | a\\tb | C:\\\\Data\\r\\nnext | Yes\n");
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace mca
