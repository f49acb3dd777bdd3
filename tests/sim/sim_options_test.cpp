// mca-sim's command line and the line format of its byte log.
#include "sim/byte_log.h"
#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mca::sim {
namespace {

TEST(SimOptions, EveryOptionReachesTheInstrument) {
    const SimOptions o = parseSimOptions({"--serial", "234567", "--firmware", "1.07", "--polarity", "-", "--hv-unit",
                                          "1500", "--sources", "Cs-137,k40", "--rate=500", "--seed", "42", "--link",
                                          "/tmp/mca", "--log", "/tmp/mca.log"});
    EXPECT_EQ(o.instrument.identity.serialNumber, "234567");
    EXPECT_EQ(o.instrument.identity.firmware, "1.07");
    EXPECT_TRUE(o.instrument.identity.negativePolarity);
    EXPECT_EQ(o.instrument.identity.hvUnitVolts, 1500);
    EXPECT_EQ(o.instrument.sources, (std::vector<std::string>{"cs137", "k40"}));
    EXPECT_EQ(o.instrument.ratePerSecond, 500);
    EXPECT_EQ(o.instrument.seed, 42u);
    EXPECT_TRUE(o.seedGiven);
    EXPECT_EQ(o.linkPath, "/tmp/mca");
    EXPECT_EQ(o.logPath, "/tmp/mca.log");
    EXPECT_FALSE(o.help);
}

TEST(SimOptions, DefaultsAndHelp) {
    const SimOptions o = parseSimOptions({});
    EXPECT_EQ(o.instrument.identity.serialNumber, "210042");
    EXPECT_EQ(o.instrument.sources, std::vector<std::string>{"cs137"});
    EXPECT_FALSE(o.seedGiven);
    EXPECT_TRUE(parseSimOptions({"--help"}).help);
    EXPECT_TRUE(parseSimOptions({"--sources", ""}).instrument.sources.empty()) << "background only";
}

struct BadCase {
    const char* name;
    std::vector<std::string> args;
};

const BadCase kBadCases[] = {
    {"serial not starting with 2", {"--serial", "312345"}},
    {"serial too short", {"--serial", "21234"}},
    {"serial with a letter", {"--serial", "2123a5"}},
    {"firmware not a number", {"--firmware", "v1"}},
    {"polarity word", {"--polarity", "plus"}},
    {"HV unit zero", {"--hv-unit", "0"}},
    {"HV unit above two bytes", {"--hv-unit", "70000"}},
    {"unknown source", {"--sources", "cs137,xx99"}},
    {"negative rate", {"--rate", "-5"}},
    {"rate not a number", {"--rate", "fast"}},
    {"seed not a number", {"--seed", "abc"}},
    {"missing value", {"--rate"}},
    {"unknown option", {"--baud", "9600"}},
    {"stray word", {"cs137"}},
};

TEST(SimOptions, BadCommandLinesAreRefused) {
    for (const auto& c : kBadCases) EXPECT_THROW(parseSimOptions(c.args), OptionError) << c.name;
}

TEST(ByteLog, SecondsWithThreeDecimalsThenUpperCaseHex) {
    EXPECT_EQ(formatLogLine(0, "U"), "0.000 55\n");
    EXPECT_EQ(formatLogLine(12.3456, std::string("V\x80\x00\xff", 4)), "12.346 56 80 00 FF\n");
    EXPECT_EQ(formatLogLine(1.5, ""), "1.500\n");
}

}  // namespace
}  // namespace mca::sim
