// The instrument's answer to every command and what each does to its state, then the points of
// command reading that depend on time or on bytes that look like commands.
#include "sim/instrument.h"

#include "sim/record_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace mca::sim {
namespace {

using testing::readThreeByteRecords;

struct CommandCase {
    const char* name;
    std::string sent;
    std::string reply;
    std::function<void(const InstrumentState&)> check;
};

const auto kNoCheck = [](const InstrumentState&) {};

const CommandCase kCommandCases[] = {
    {"identify", "U", "VORA2", kNoCheck},
    {"serial number", "@", "210042", kNoCheck},
    {"write serial number, then read it", "#299999@", "299999",
     [](const InstrumentState& s) { EXPECT_EQ(s.identity.serialNumber, "299999"); }},
    {"firmware", "f", "1.08", kNoCheck},
    {"polarity as %2, one reply", "%2", "+", kNoCheck},
    {"polarity as % alone", "%", "+", kNoCheck},
    {"set negative, read it", "-%2", "-", [](const InstrumentState& s) { EXPECT_TRUE(s.identity.negativePolarity); }},
    {"set positive again", "-+%", "+", [](const InstrumentState& s) { EXPECT_FALSE(s.identity.negativePolarity); }},
    {"HV unit, high byte first", "2", "\x07\xD0", kNoCheck},
    {"write HV unit 3000, read it", "1\x0B\xB8" "2", "\x0B\xB8",
     [](const InstrumentState& s) { EXPECT_EQ(s.identity.hvUnitVolts, 3000); }},
    {"HV 1000 V of 2000", std::string("V\x80\x00", 3), "", [](const InstrumentState& s) {
         EXPECT_EQ(s.hvCode, 0x2000);
         EXPECT_NEAR(s.hvVolts(), 1000.06, 0.01);
     }},
    {"HV full scale", "V\xFF\xFC", "", [](const InstrumentState& s) { EXPECT_DOUBLE_EQ(s.hvVolts(), 2000); }},
    {"prepare HV off", "p", "", [](const InstrumentState& s) { EXPECT_TRUE(s.hvOffPrepared); }},
    {"HV off after prepare", std::string("V\x80\x00pV\x00\x00", 7), "", [](const InstrumentState& s) {
         EXPECT_EQ(s.hvCode, 0);
         EXPECT_FALSE(s.hvOffPrepared);
     }},
    {"threshold 20 offset 40", "T\x02\x80\x50", "", [](const InstrumentState& s) {
         EXPECT_EQ(s.threshold(), 20);
         EXPECT_EQ(s.offset(), 40);
     }},
    {"largest threshold and offset", "T\xFF\xFF\xFF", "", [](const InstrumentState& s) {
         EXPECT_EQ(s.thresholdFull, 4095);
         EXPECT_EQ(s.offsetFull, 4095);
     }},
    {"coarse gain index 4", "C4", "", [](const InstrumentState& s) { EXPECT_EQ(s.coarseIndex, 4); }},
    {"coarse gain index 9 is ignored", "C9", "", [](const InstrumentState& s) { EXPECT_EQ(s.coarseIndex, 2); }},
    {"fine gain 255", "F\xFF", "", [](const InstrumentState& s) { EXPECT_EQ(s.fineGain, 255); }},
    {"fine gain 0x52 is not a stop", "GF\x52", "", [](const InstrumentState& s) {
         EXPECT_EQ(s.fineGain, 0x52);
         EXPECT_TRUE(s.acquiring);
     }},
    {"fine gain 0x55 is not an identify", "F\x55", "", [](const InstrumentState& s) { EXPECT_EQ(s.fineGain, 0x55); }},
    {"input 3", "I3", "", [](const InstrumentState& s) { EXPECT_EQ(s.input, 3); }},
    {"shaping 8", "S8", "", [](const InstrumentState& s) { EXPECT_EQ(s.shapingIndex, 8); }},
    {"512 channels", "M4", "", [](const InstrumentState& s) { EXPECT_EQ(s.channels(), 512); }},
    {"256 channels", "M5", "", [](const InstrumentState& s) { EXPECT_EQ(s.channels(), 256); }},
    {"resolution digit 0 is ignored", "M0", "", [](const InstrumentState& s) { EXPECT_EQ(s.channels(), 4096); }},
    {"ADC smoothing 2", "X2", "", [](const InstrumentState& s) { EXPECT_EQ(s.smoothing, 2); }},
    {"alarm output 0 on", "Z", "", [](const InstrumentState& s) { EXPECT_TRUE(s.alarm0 && !s.alarm1); }},
    {"alarm output 1 on", "W", "", [](const InstrumentState& s) { EXPECT_TRUE(s.alarm1 && !s.alarm0); }},
    {"alarm outputs off", "ZWzw", "", [](const InstrumentState& s) { EXPECT_FALSE(s.alarm0 || s.alarm1); }},
    {"two-byte stream on", "(", "", [](const InstrumentState& s) { EXPECT_TRUE(s.twoByte); }},
    {"two-byte stream off", "()", "", [](const InstrumentState& s) { EXPECT_FALSE(s.twoByte); }},
    {"mode K", "K", "K mode on\r\n", [](const InstrumentState& s) { EXPECT_TRUE(s.modeK); }},
    {"mode k", "Kk", "K mode on\r\nK mode off\r\n", [](const InstrumentState& s) { EXPECT_FALSE(s.modeK); }},
    {"256000 baud", "H", "", [](const InstrumentState& s) { EXPECT_EQ(s.baud, 256000); }},
    {"back to 115200 baud", "HL", "", [](const InstrumentState& s) { EXPECT_EQ(s.baud, 115200); }},
    {"registers", "r", "HV=0000 C=2 F=7F T=028 O=064 I=0 S=3 M=1 X=0 P=+ A=00 B=3\r\n", kNoCheck},
    {"idle battery of a 9 V battery", "B", std::string("\x03\x00", 2), kNoCheck},
    {"accepted without a reply", "Ndv", "", kNoCheck},
    {"start", "G", "", [](const InstrumentState& s) { EXPECT_TRUE(s.acquiring); }},
    {"stop", "GR", "", [](const InstrumentState& s) { EXPECT_FALSE(s.acquiring); }},
    {"network clear keeps the histogram only", "Y", "", [](const InstrumentState& s) { EXPECT_TRUE(s.histogramOnly); }},
    {"close leaves histogram-only mode", "Yd", "", [](const InstrumentState& s) { EXPECT_FALSE(s.histogramOnly); }},
    {"unknown bytes are ignored", std::string("\x00xyz\xFE", 5), "", kNoCheck},
    {"a stop abandons a digit argument", "GCR", "", [](const InstrumentState& s) {
         EXPECT_FALSE(s.acquiring);
         EXPECT_EQ(s.coarseIndex, 2);
     }},
    {"a command abandons a digit argument", "SU", "VORA2", [](const InstrumentState& s) { EXPECT_EQ(s.shapingIndex, 3); }},
};

TEST(Instrument, RepliesAndStateChangesOfEveryCommand) {
    for (const auto& c : kCommandCases) {
        Instrument instrument(InstrumentConfig{});
        EXPECT_EQ(instrument.receive(c.sent), c.reply) << c.name;
        SCOPED_TRACE(c.name);
        c.check(instrument.state());
    }
}

TEST(Instrument, StartsAsTheHostExpectsAfterPowerOn) {
    const Instrument instrument(InstrumentConfig{});
    const InstrumentState& s = instrument.state();
    EXPECT_EQ(s.hvCode, 0);
    EXPECT_EQ(s.fineGain, 127);
    EXPECT_EQ(s.coarseIndex, 2);
    EXPECT_EQ(s.threshold(), 20);
    EXPECT_EQ(s.offset(), 50);
    EXPECT_EQ(s.channels(), 4096);
    EXPECT_FALSE(s.twoByte);
    EXPECT_EQ(s.baud, 115200);
    EXPECT_FALSE(s.acquiring);
}

TEST(Instrument, ArgumentsMaySpanChunksSentWithTheHostsPauses) {
    Instrument instrument(InstrumentConfig{});
    std::string stream;
    // "V", 8 x 70 ms + 500 ms, high byte, 100 ms, low byte: the longest pause inside a command.
    instrument.receive("V");
    instrument.advance(1.06, 0, stream);
    instrument.receive("\x80");
    instrument.advance(0.1, 0, stream);
    instrument.receive(std::string(1, '\0'));
    EXPECT_EQ(instrument.state().hvCode, 0x2000);
}

TEST(Instrument, AnAbandonedArgumentIsForgottenAfterSeconds) {
    Instrument instrument(InstrumentConfig{});
    std::string stream;
    instrument.receive("V\x80");
    instrument.advance(CommandParser::kArgumentTimeoutSeconds + 1, 0, stream);
    EXPECT_EQ(instrument.receive("U"), "VORA2") << "not taken as the second HV byte";
    EXPECT_EQ(instrument.state().hvCode, 0);
}

TEST(Instrument, PercentThenTwoLaterReadsTheHvUnit) {
    Instrument instrument(InstrumentConfig{});
    std::string stream;
    EXPECT_EQ(instrument.receive("%"), "+");
    instrument.advance(0.1, 0, stream);
    EXPECT_EQ(instrument.receive("2"), "\x07\xD0");
}

TEST(Instrument, BatteryWhileAcquiringIsARecordInTheStream) {
    InstrumentConfig config;
    config.ratePerSecond = 0;
    Instrument instrument(config);
    instrument.receive("G");
    const std::string reply = instrument.receive("B");
    ASSERT_EQ(reply.size(), 3u);
    const auto records = readThreeByteRecords(reply);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].battery);
    EXPECT_EQ(records[0].channel, 768);
    EXPECT_EQ(instrument.receive("(B"), "") << "the two-byte format has no battery record";
}

TEST(Instrument, HistogramOnlyAcquisitionAnswersQWithItsOwnCounts) {
    InstrumentConfig config;
    config.seed = 7;
    Instrument instrument(config);
    instrument.receive(std::string("V\x66\x64", 3));  // 800 V
    instrument.receive("YG");
    std::string stream;
    for (int i = 0; i < 10; ++i) instrument.advance(1.0, 1 << 20, stream);
    EXPECT_TRUE(stream.empty()) << "no records in histogram-only mode";

    const std::string block = instrument.receive("Q");
    ASSERT_EQ(block.size(), 12316u);
    EXPECT_EQ(block.substr(0, 4), "SPEC");
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < 4096; ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(block.data() + 4 + 3 * i);
        sum += p[0] | p[1] << 8 | p[2] << 16;
    }
    EXPECT_EQ(sum, instrument.statistics().records);
    EXPECT_GT(sum, 10000u);
    const auto* figures = reinterpret_cast<const unsigned char*>(block.data() + 12292);
    EXPECT_EQ(figures[0] | figures[1] << 8, 10000) << "counting time in ms";
    EXPECT_EQ(figures[20] | figures[21] << 8, 800) << "HV in volts";

    instrument.receive("RY");
    EXPECT_EQ(instrument.countingSeconds(), 0);
    const std::string cleared = instrument.receive("Q");
    EXPECT_EQ(cleared.find_first_not_of('\0', 4), 12308u) << "channels and times cleared, the sensitivity stays";
}

}  // namespace
}  // namespace mca::sim
