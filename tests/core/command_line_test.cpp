// Command-line switches: what each argument list sets and which messages it shows.
#include "core/command_line.h"

#include "support/scripted_operator.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::ScriptedOperator;

struct Parsed {
    CommandLine line;
    std::vector<std::string> messages;
};

Parsed parse(const std::vector<std::string>& args) {
    ScriptedOperator op;
    CommandLine line = parseCommandLine(args, op);
    return {line, op.messages()};
}

TEST(CommandLine, FlagsAreReadWithoutRegardToCase) {
    const Parsed p = parse({"-offline", "-QUAD", "-Simplified", "-rnMode", "-sec"});
    EXPECT_TRUE(p.line.offline);
    EXPECT_TRUE(p.line.quad);
    EXPECT_TRUE(p.line.simplified);
    EXPECT_TRUE(p.line.networkMode);
    EXPECT_TRUE(p.line.plainFileHeader);
    EXPECT_TRUE(p.messages.empty());
}

TEST(CommandLine, ComPortAndOfflineAreBothRead) {
    const Parsed p = parse({"-COM", "7", "-Offline"});
    EXPECT_EQ(p.line.comPort, 7);
    EXPECT_TRUE(p.line.offline);
    EXPECT_TRUE(p.messages.empty());
}

TEST(CommandLine, NoArgumentsLeavesEverythingOff) {
    const Parsed p = parse({});
    EXPECT_FALSE(p.line.offline);
    EXPECT_EQ(p.line.comPort, kNoForcedComPort);
    EXPECT_FALSE(p.line.sizeGiven);
    EXPECT_FALSE(p.line.position);
    EXPECT_EQ(p.line.networkAcquisition, NetworkAcquisition::None);
}

struct MessageCase {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> messages;
};

class CommandLineMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(CommandLineMessages, ShowsExactlyTheseTexts) {
    EXPECT_EQ(parse(GetParam().args).messages, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineMessages,
    ::testing::Values(
        MessageCase{"ComNotANumber", {"-COM", "x7"}, {"Invalid Com Port number for -COM flag!"}},
        MessageCase{"ComMissing", {"-COM"}, {"Invalid Com Port number for -COM flag!"}},
        MessageCase{"SizeOnlyWidth", {"-SIZE", "800"}, {"Error setting form size with -SIZE flag!"}},
        MessageCase{"SizeNotNumbers", {"-SIZE", "big", "tall"}, {"Error setting form size with -SIZE flag!"}},
        MessageCase{"PosBad", {"-POS", "10"}, {"Error setting form position with -POS flag!  The position is ignored."}},
        MessageCase{"RncaBad", {"-RNCA", "soon"}, {"Invalid Acquisiton Time for -RNCA flag!"}},
        MessageCase{"RnsaZero", {"-RNSA", "0"}, {"Invalid Acquisiton Time for -RNSA flag!"}},
        MessageCase{"RnsrMissing", {"-RNSR"}, {"Invalid Acquisiton Time for -RNSR flag!"}},
        MessageCase{"PrefixWithColon",
                    {"-RNFP", "site:A"},
                    {"Invalid Filename Prefix for -RNFP Flag (site:A).  Cannot contain characters ?|:*?\"<>|#."}},
        MessageCase{"UnknownSwitchThenMore",
                    {"-Fast", "-Quad", "-Turbo"},
                    {"Unrecognized command line switch: \"-Fast\"", "Unrecognized command line switch: \"-Turbo\""}},
        MessageCase{"UnknownFileType", {"notes.txt"}, {"Unrecognized file type: \"\", notes.txt"}},
        MessageCase{"E01Accepted", {"data.E01"}, {}},
        MessageCase{"GoodEverything",
                    {"-COM", "3", "-SIZE", "800", "600", "-POS", "-10", "20", "-RNCA", "60", "-RNFP", "siteA"},
                    {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CommandLine, UnknownSwitchDoesNotStopTheRest) {
    const Parsed p = parse({"-Fast", "-Quad", "-COM", "4"});
    EXPECT_TRUE(p.line.quad);
    EXPECT_EQ(p.line.comPort, 4);
}

TEST(CommandLine, SizeWithOnlyWidthGivesANormalWindowOfThatWidth) {
    const Parsed p = parse({"-SIZE", "800"});
    EXPECT_TRUE(p.line.sizeGiven);
    EXPECT_EQ(p.line.size.first, 800);
    EXPECT_FALSE(p.line.size.second);
}

TEST(CommandLine, ASwitchIsNotTakenAsAValue) {
    const Parsed p = parse({"-SIZE", "800", "-Offline"});
    EXPECT_TRUE(p.line.offline);
    EXPECT_EQ(p.line.size.first, 800);
}

TEST(CommandLine, PositionTakesNegativeNumbers) {
    const Parsed p = parse({"-POS", "-1280", "0"});
    ASSERT_TRUE(p.line.position);
    EXPECT_EQ(p.line.position->first, -1280);
    EXPECT_EQ(p.line.position->second, 0);
}

TEST(CommandLine, BadPrefixIsClearedAndReadingContinues) {
    const Parsed p = parse({"-RNFP", "a:b", "-RNCA", "300"});
    EXPECT_EQ(p.line.networkPrefix, "");
    EXPECT_EQ(p.line.networkAcquisition, NetworkAcquisition::Continuous);
    EXPECT_EQ(p.line.networkSeconds, 300);
}

TEST(CommandLine, EveryForbiddenPrefixCharacterIsRefused) {
    for (const char* bad : {"a\"b", "a#b", "a*b", "a/b", "a:b", "a<b", "a>b", "a?b", "a\\b", "a|b"}) {
        EXPECT_EQ(parse({"-RNFP", bad}).line.networkPrefix, "") << bad;
    }
    EXPECT_EQ(parse({"-RNFP", "site_A-1"}).line.networkPrefix, "site_A-1");
}

TEST(CommandLine, NetworkAcquisitionKinds) {
    EXPECT_EQ(parse({"-RNSA", "120"}).line.networkAcquisition, NetworkAcquisition::Gcal);
    EXPECT_EQ(parse({"-RNSR", "120"}).line.networkAcquisition, NetworkAcquisition::Rcal);
    EXPECT_EQ(parse({"-rnca", "120"}).line.networkSeconds, 120);
}

TEST(CommandLine, FileArgumentForcesOffline) {
    const Parsed usf = parse({"/data/cs137.usf"});
    EXPECT_TRUE(usf.line.offline);
    EXPECT_EQ(usf.line.spectrumFile, "/data/cs137.usf");

    EXPECT_EQ(parse({"RUN.USF"}).line.spectrumFile, "RUN.USF");
    const Parsed e01 = parse({"disk.E01"});
    EXPECT_TRUE(e01.line.offline);
    EXPECT_EQ(e01.line.spectrumFile, "");
    EXPECT_TRUE(parse({"notes.txt"}).line.offline);
}

}  // namespace
}  // namespace mca
