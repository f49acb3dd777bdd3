// Alias files and the "Set Alias for MCA #n..." command: reading the first line, atomic writes,
// and every message the command shows.
#include "device/alias_command.h"
#include "device/alias_file.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

struct ReadCase {
    const char* name;
    std::optional<std::string> bytes;   // nullopt: no file
    std::string alias;
};

class AliasFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(AliasFileRead, TakesTheFirstLine) {
    testing::TestWorkstation t;
    if (GetParam().bytes) t.writeAppFile("212345_Alias.txt", *GetParam().bytes);
    EXPECT_EQ(readAliasFile(t->folders, "212345"), GetParam().alias);
}

INSTANTIATE_TEST_SUITE_P(Alias, AliasFileRead,
                         ::testing::Values(ReadCase{"NoFile", std::nullopt, ""},
                                           ReadCase{"OneLine", "Bench 2\r\n", "Bench 2"},
                                           ReadCase{"FirstOfSeveral", "Bench 2\r\nLab\r\n", "Bench 2"},
                                           ReadCase{"EmptyFirstLine", "\r\nBench 2\r\n", ""},
                                           ReadCase{"EmptyFile", "", ""},
                                           ReadCase{"NoLineEnd", "Bench 2", "Bench 2"},
                                           ReadCase{"UnixLineEnd", "Bench 2\nLab", "Bench 2"},
                                           ReadCase{"Windows1252", "\xB5R Lab\r\n", "\xC2\xB5R Lab"}),
                         caseName<ReadCase>);

TEST(AliasFile, IsWrittenAsOneWindows1252LineAndReplacedWhole) {
    testing::TestWorkstation t;
    t.writeAppFile("212345_Alias.txt", "Old name\r\nsecond line\r\n");
    writeAliasFile(t->folders, "212345", "\xC2\xB5R Lab");
    EXPECT_EQ(readFileBytes(t.app() / "212345_Alias.txt"), "\xB5R Lab\r\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(t.app())) ++files;
    EXPECT_EQ(files, 1);   // no temporary left behind
}

TEST(AliasFile, ASerialNumberThatCannotNameAFileHasNone) {
    testing::TestWorkstation t;
    const std::vector<std::string> serials{"", "21/345", "21\\345", std::string("21\0" "345", 6)};
    for (const std::string& serial : serials) {
        EXPECT_EQ(aliasFilePath(t->folders, serial), std::nullopt) << serial;
        EXPECT_EQ(readAliasFile(t->folders, serial), "");
        EXPECT_THROW(writeAliasFile(t->folders, serial, "Bench"), FileError);
    }
}

struct TitleHooks : DiscoveryHooks {
    std::vector<std::string> titles;
    void showChartTitle(Workstation&, int n, const std::string& title) override {
        titles.push_back(std::to_string(n) + " " + title);
    }
};

class AliasCommand : public ::testing::Test {
protected:
    AliasCommand() {
        w.session(3).open = true;
        w.session(3).serialNumber = "212345";
        w.session(3).alias = "Old";
    }

    testing::TestWorkstation t;
    Workstation& w = *t;
    TitleHooks hooks;
};

struct CommandCase {
    const char* name;
    bool open;
    std::optional<std::string> answer;
    bool set;
    const char* message;
};

class AliasCommandMessages : public AliasCommand, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(AliasCommandMessages, ShowsItsMessage) {
    const CommandCase& c = GetParam();
    w.session(3).open = c.open;
    t.op.textInputs = {c.answer};
    EXPECT_EQ(setAlias(w, 3, hooks), c.set);
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(w.session(3).alias, c.set ? *c.answer : "Old");
    EXPECT_EQ(std::filesystem::exists(t.app() / "212345_Alias.txt"), c.set);
    EXPECT_EQ(hooks.titles.size(), c.set ? 1u : 0u);
    if (c.open) {
        ASSERT_EQ(t.op.transcript()[0].kind, testing::ScriptedOperator::Shown::Kind::Input);
        EXPECT_EQ(t.op.transcript()[0].text, "Enter alias to be used for VORA-II #212345, currently on MCA #3.");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Alias, AliasCommandMessages,
    ::testing::Values(
        CommandCase{"NotConnected", false, "Bench", false,
                    "An VORA-II must be connected to MCA #3 in order to assign it an alias."},
        CommandCase{"Cancelled", true, std::nullopt, false, "Result was not mrOK"},
        CommandCase{"Blank", true, "", false, "Alias cannot be blank."},
        CommandCase{"Set", true, "Bench", true, "Alias for VORA-II #212345, currently MCA #3, set to Bench"}),
    caseName<CommandCase>);

TEST_F(AliasCommand, TitlesTheChartAndWritesTheFile) {
    w.session(1).open = true;
    w.session(1).serialNumber = "211111";
    t.op.textInputs = {std::string("Roof")};
    ASSERT_TRUE(setAlias(w, 1, hooks));
    EXPECT_EQ(w.screen.chart1Title, "MCA 1: Roof");
    EXPECT_EQ(hooks.titles, std::vector<std::string>{"1 MCA 1: Roof"});
    EXPECT_EQ(readAliasFile(w.folders, "211111"), "Roof");
}

TEST_F(AliasCommand, UsesTheEditionWord) {
    w.state.edition = *editionFromTitle("TREL MCA");
    w.session(3).open = false;
    setAlias(w, 3, hooks);
    EXPECT_EQ(t.op.messages(),
              std::vector<std::string>{"An Model 415 must be connected to MCA #3 in order to assign it an alias."});
}

TEST_F(AliasCommand, AFileThatCannotBeWrittenChangesNothing) {
    w.session(3).serialNumber = "21/345";
    t.op.textInputs = {std::string("Bench")};
    EXPECT_FALSE(setAlias(w, 3, hooks));
    EXPECT_EQ(w.session(3).alias, "Old");
    EXPECT_TRUE(hooks.titles.empty());
    ASSERT_EQ(t.op.messages().size(), 1u);
    EXPECT_NE(t.op.messages()[0].find("21/345"), std::string::npos);
}

}  // namespace
}  // namespace mca
