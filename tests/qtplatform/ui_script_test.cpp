// Reading UI scripts: each command's arguments, skipped lines, malformed lines kept as Unknown.
#include "platform/ui_script.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

struct LineCase {
    const char* name;
    const char* line;
    UiCommandKind kind;
    std::vector<std::string> arguments;
};

class ParseLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseLine, GivesCommandAndArguments) {
    const LineCase& c = GetParam();
    const auto commands = parseUiScript(c.line);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].kind, c.kind);
    EXPECT_EQ(commands[0].arguments, c.arguments);
    EXPECT_EQ(commands[0].lineNumber, 1);
}

INSTANTIATE_TEST_SUITE_P(
    UiScript, ParseLine,
    ::testing::Values(
        LineCase{"Answer", "answer Yes", UiCommandKind::Answer, {"Yes"}},
        LineCase{"AnswerKeepsInnerSpaces", "answer  /tmp/my file.lib  ", UiCommandKind::Answer, {"/tmp/my file.lib"}},
        LineCase{"EmptyAnswer", "answer", UiCommandKind::Answer, {""}},
        LineCase{"Menu", "menu File > Save As...", UiCommandKind::Menu, {"File", "Save As..."}},
        LineCase{"MenuOneLevel", "menu &Help", UiCommandKind::Menu, {"&Help"}},
        LineCase{"MenuEmptyStep", "menu File >  > Open", UiCommandKind::Unknown, {"menu File >  > Open"}},
        LineCase{"Press", "press Start Acquisition", UiCommandKind::Press, {"Start Acquisition"}},
        LineCase{"PressNothing", "press", UiCommandKind::Unknown, {"press"}},
        LineCase{"Set", "set edtElement Cs 137", UiCommandKind::Set, {"edtElement", "Cs 137"}},
        LineCase{"SetEmptyValue", "set edtElement", UiCommandKind::Set, {"edtElement", ""}},
        LineCase{"Wait", "wait 250", UiCommandKind::Wait, {"250"}},
        LineCase{"WaitNotANumber", "wait soon", UiCommandKind::Unknown, {"wait soon"}},
        LineCase{"WaitNegative", "wait -5", UiCommandKind::Unknown, {"wait -5"}},
        LineCase{"Shot", "shot pictures/main.png", UiCommandKind::Shot, {"pictures/main.png"}},
        LineCase{"Quit", "quit", UiCommandKind::Quit, {}},
        LineCase{"KeywordAnyCase", "PRESS OK", UiCommandKind::Press, {"OK"}},
        LineCase{"Unknown", "click OK", UiCommandKind::Unknown, {"click OK"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(UiScript, SkipsBlankAndCommentLinesAndNumbersTheRest) {
    const auto commands =
        parseUiScript("# open the about box\r\n\r\n   \nmenu Help > About\r\n  # note\npress OK\nquit");
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].lineNumber, 4);
    EXPECT_EQ(commands[0].line, "menu Help > About");
    EXPECT_EQ(commands[1].lineNumber, 6);
    EXPECT_EQ(commands[2].lineNumber, 7);
    EXPECT_EQ(commands[2].kind, UiCommandKind::Quit);
}

TEST(UiScript, PlainCaptionDropsMnemonicsAndShortcuts) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"&OK", "OK"}, {"Save &As...", "Save As..."}, {"Tom && Jerry", "Tom & Jerry"},
        {"&Open\tCtrl+O", "Open"}, {"  Close ", "Close"}, {"", ""}};
    for (const auto& [caption, plain] : cases) EXPECT_EQ(plainCaption(caption), plain) << caption;
}

}  // namespace
}  // namespace mca
