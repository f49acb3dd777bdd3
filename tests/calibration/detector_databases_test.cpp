// The four databases and their Dets.dat files: where they are, the bytes written, damaged and
// missing files, and which databases the close of the program saves.
#include "calibration/detector_databases.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;

std::string emptyLine() {
    std::string line;
    for (int f = 0; f < kDetectorFieldCount; ++f) line += f == 0 ? "\"\"" : ",\"\"";
    return line + "\r\n";
}

DetectorRecord named(const std::string& name) {
    DetectorRecord r;
    r[field::kName] = name;
    return r;
}

// One file line: the given leading fields, then empty ones, with field 42 as given.
std::string line(const std::vector<std::string>& leading, const std::string& selected) {
    std::string text;
    for (int f = 0; f < kDetectorFieldCount; ++f) {
        std::string value = f < static_cast<int>(leading.size()) ? leading[static_cast<std::size_t>(f)] : "";
        if (f == field::kSelectedIndex) value = selected;
        if (f > 0) text += ",";
        text += value.empty() ? "\"\"" : value;
    }
    return text + "\r\n";
}

class DetectorDatabasesTest : public ::testing::Test {
protected:
    DetectorDatabasesTest() {
        w.session(1).serialNumber = "200123";
        std::filesystem::create_directories(w.folders.calFiles);
    }

    std::filesystem::path file() const { return t.app() / "CalFiles" / "200123Dets.dat"; }

    TestWorkstation t;
    Workstation& w = *t;
    DetectorDatabases dbs;
};

TEST_F(DetectorDatabasesTest, FileIsSerialNumberAndDetsDatInCalFiles) {
    EXPECT_EQ(detectorDatabasePath(w, 1), file());
    w.session(1).serialNumber = "RadNet";
    EXPECT_EQ(detectorDatabasePath(w, 1)->filename(), "RadNetDets.dat");
    for (const char* serial : {"", "2/../x", "2\\x"}) {
        w.session(1).serialNumber = serial;
        EXPECT_FALSE(detectorDatabasePath(w, 1).has_value()) << serial;
    }
}

TEST_F(DetectorDatabasesTest, MissingFileGivesAnEmptyDatabase) {
    dbs.database(1).add(named("Left over"));
    LoadDetectorDatabase(w, dbs, 1);
    EXPECT_FALSE(dbs.database(1).hasDetector());
    EXPECT_EQ(dbs.database(1).size(), 1);
    EXPECT_TRUE(dbs.loaded(1));
    EXPECT_FALSE(dbs.loaded(2));
}

TEST_F(DetectorDatabasesTest, RoundTripIsByteExact) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"never used", emptyLine()},
        {"field with a comma and non-ASCII text",
         line({"Birch", "B1", "\"2x2, NaI\"", "3", "ft.", "0", "700", "1000", "2", "128", "2", "50", "0"}, "1") +
             line({"Osier", "O\xB5", "well", "36", "in.", "1", "650", "900", "1", "127", "3", "20", "2"}, "1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFileAtomically(file(), c.bytes);
        LoadDetectorDatabase(w, dbs, 1);
        std::filesystem::remove(file());
        EXPECT_TRUE(SaveDetectorDatabase(w, dbs, 1));
        EXPECT_EQ(readFileBytes(file()), c.bytes);
    }
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kName], "Osier");
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kSerial], "O\u00B5");
    EXPECT_EQ(dbs.database(1).record(0)[field::kDescription], "2x2, NaI");
    EXPECT_EQ(w.session(1).detectorRow, 1);
}

TEST_F(DetectorDatabasesTest, DamagedFilesLoadWithoutCrashing) {
    struct Case {
        const char* name;
        std::string bytes;
        int detectors;   // -1: any number
    };
    const Case cases[] = {
        {"short row", "Birch,B1\r\n", 1},
        {"too many columns", std::string(70, ',') + "\r\n" + "A" + std::string(60, ',') + "x\r\n", 1},
        {"junk", std::string("\x00\xff\"\r\n\n,,\"", 9), -1},
        {"nothing", "", 0},
        {"one empty line", emptyLine(), 0},
        {"blank lines around a detector", "\r\n\r\nA,1\r\n\r\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFileAtomically(file(), c.bytes);
        LoadDetectorDatabase(w, dbs, 1);
        if (c.detectors >= 0) {
            EXPECT_EQ(dbs.database(1).detectorCount(), c.detectors);
        }
        EXPECT_NO_THROW(SaveDetectorDatabase(w, dbs, 1));
    }
}

TEST_F(DetectorDatabasesTest, UnreadableFileThrowsAndLeavesTheDatabase) {
    dbs.database(1).add(named("Kept"));
    std::filesystem::create_directories(file());   // a folder where the file should be
    EXPECT_THROW(LoadDetectorDatabase(w, dbs, 1), FileError);
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kName], "Kept");
}

TEST_F(DetectorDatabasesTest, SaveWithoutSerialNumberWritesNothing) {
    w.session(1).serialNumber.clear();
    EXPECT_FALSE(SaveDetectorDatabase(w, dbs, 1));
    EXPECT_TRUE(std::filesystem::is_empty(w.folders.calFiles));
}

TEST_F(DetectorDatabasesTest, CloseSavesTheDatabasesTheRulesName) {
    struct Case {
        const char* name;
        bool offline;
        std::array<bool, 4> open;
        bool secondLoaded;
        std::array<bool, 4> saved;
    };
    const Case cases[] = {
        {"online, MCA 1 only", false, {true, false, false, false}, false, {true, false, false, false}},
        {"offline", true, {false, false, false, false}, false, {false, false, false, false}},
        {"second instrument open", false, {true, true, false, false}, true, {true, true, false, false}},
        {"second instrument was open", false, {true, false, false, false}, true, {true, true, false, false}},
        {"four instruments", false, {true, true, true, true}, true, {true, true, true, true}},
        {"MCA 3 closed, MCA 4 open", false, {true, false, false, true}, false, {true, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DetectorDatabases fresh;
        w.state.offline = c.offline;
        for (int n = 1; n <= kInstrumentCount; ++n) w.session(n).open = c.open[static_cast<std::size_t>(n - 1)];
        if (c.secondLoaded) fresh.markLoaded(2);
        for (int n = 1; n <= kInstrumentCount; ++n) {
            EXPECT_EQ(savesDetectorDatabaseAtClose(w, fresh, n), c.saved[static_cast<std::size_t>(n - 1)]) << n;
        }
    }
}

TEST_F(DetectorDatabasesTest, CloseSaveWritesOnlyWhenTheRuleSaysSo) {
    w.session(2).serialNumber = "200456";
    w.session(1).open = true;
    EXPECT_TRUE(saveDetectorDatabaseAtClose(w, dbs, 1));
    EXPECT_FALSE(saveDetectorDatabaseAtClose(w, dbs, 2));
    EXPECT_TRUE(std::filesystem::exists(file()));
    EXPECT_FALSE(std::filesystem::exists(w.folders.calFiles / "200456Dets.dat"));
}

TEST_F(DetectorDatabasesTest, InstrumentNumbersOutsideOneToFourThrow) {
    EXPECT_THROW(dbs.database(0), std::out_of_range);
    EXPECT_THROW(SelectedRecord(dbs, 5), std::out_of_range);
}

}  // namespace
}  // namespace mca
