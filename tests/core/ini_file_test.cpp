// Settings files with Windows profile semantics.
#include "core/ini_file.h"

#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

const char* kSample =
    "; written by hand\r\n"
    "[Values]\r\n"
    "PreSetRealTime = 300 \r\n"
    "Name=\"quoted text\"\r\n"
    "Broken=12x\r\n"
    "Ratio=0.25\r\n"
    "Comma=0,5\r\n"
    "Hex=$1A\r\n"
    "Colour=16711935\r\n"
    "\r\n"
    "[Other]\r\n"
    "Kept=yes\r\n";

TEST(IniFile, SectionsAndKeysMatchWithoutRegardToCase) {
    const IniFile ini = IniFile::parse(kSample);
    EXPECT_EQ(ini.readInteger("values", "presetrealtime", 1), 300);
    EXPECT_EQ(ini.readString("VALUES", "NAME", ""), "quoted text");
    EXPECT_TRUE(ini.hasSection("other"));
}

TEST(IniFile, TypedReadsFallBackToDefaults) {
    const IniFile ini = IniFile::parse(kSample);
    EXPECT_EQ(ini.readInteger("Values", "Broken", 7), 7);
    EXPECT_EQ(ini.readInteger("Values", "Missing", 7), 7);
    EXPECT_EQ(ini.readInteger("Nowhere", "PreSetRealTime", 7), 7);
    EXPECT_EQ(ini.readInteger("Values", "Hex", 0), 26);
    EXPECT_DOUBLE_EQ(ini.readFloat("Values", "Ratio", 1.0), 0.25);
    EXPECT_DOUBLE_EQ(ini.readFloat("Values", "Comma", 1.0), 0.5);
    EXPECT_DOUBLE_EQ(ini.readFloat("Values", "Broken", 1.5), 1.5);
    EXPECT_EQ(ini.readColour("Values", "Colour", 0), 16711935u);
    EXPECT_EQ(ini.readString("Values", "Missing", "dflt"), "dflt");
}

TEST(IniFile, BooleansAreIntegersAndAnyNonZeroIsTrue) {
    const IniFile ini = IniFile::parse("[V]\r\nA=1\r\nB=0\r\nC=-3\r\nD=yes\r\n");
    EXPECT_TRUE(ini.readBool("V", "A", false));
    EXPECT_FALSE(ini.readBool("V", "B", true));
    EXPECT_TRUE(ini.readBool("V", "C", false));
    EXPECT_TRUE(ini.readBool("V", "D", true));   // unreadable: the default
    EXPECT_FALSE(ini.readBool("V", "D", false));
}

TEST(IniFile, WritingKeepsEverythingElseAndTheKeySpelling) {
    IniFile ini = IniFile::parse(kSample);
    ini.writeInteger("VALUES", "presetrealtime", 60);
    ini.writeBool("Values", "NewKey", true);
    ini.writeFloat("Brand New", "X", 0.1);
    EXPECT_EQ(ini.text(),
              "; written by hand\r\n"
              "[Values]\r\n"
              "PreSetRealTime=60\r\n"
              "Name=\"quoted text\"\r\n"
              "Broken=12x\r\n"
              "Ratio=0.25\r\n"
              "Comma=0,5\r\n"
              "Hex=$1A\r\n"
              "Colour=16711935\r\n"
              "NewKey=1\r\n"
              "\r\n"
              "[Other]\r\n"
              "Kept=yes\r\n"
              "[Brand New]\r\n"
              "X=0.1\r\n");
}

TEST(IniFile, LineBreaksInAValueCannotSplitTheEntry) {
    IniFile ini;
    ini.writeString("V", "Text", "two\r\nlines");
    EXPECT_EQ(IniFile::parse(ini.text()).readString("V", "Text", ""), "two  lines");
}

TEST(IniFile, BlanksAndQuotesAroundAValueSurviveTheFile) {
    IniFile ini;
    for (const char* v : {" padded ", "\"quoted\"", "\"", "plain"}) {
        ini.writeString("V", "Text", v);
        EXPECT_EQ(IniFile::parse(ini.text()).readString("V", "Text", ""), v);
    }
}

TEST(IniFile, FileIsCreatedAtTheFirstWriteAndKeepsWindows1252) {
    testing::TempFolder dir;
    const auto path = dir.path() / "mca.ini";
    IniFile ini = IniFile::load(path);
    EXPECT_FALSE(std::filesystem::exists(path));
    ini.writeString("Values", "SampleUnits", "µg");
    ini.save(path);
    EXPECT_EQ(readFileBytes(path), "[Values]\r\nSampleUnits=\xB5g\r\n");
    EXPECT_EQ(IniFile::load(path).readString("values", "sampleunits", ""), "µg");
}

TEST(IniFile, RemoveKeyLeavesTheRest) {
    IniFile ini = IniFile::parse("[V]\r\nA=1\r\nB=2\r\n");
    ini.removeKey("v", "a");
    EXPECT_EQ(ini.text(), "[V]\r\nB=2\r\n");
}

}  // namespace
}  // namespace mca
