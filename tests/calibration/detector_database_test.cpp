// The detector database: order, the selection that follows its record, adding, removing, and the
// grid form including damaged files.
#include "calibration/detector_database.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using Strings = std::vector<std::string>;

DetectorRecord detector(const std::string& name, const std::string& serial = "1", const std::string& channels = "0") {
    DetectorRecord r;
    r[field::kName] = name;
    r[field::kSerial] = serial;
    r[field::kDescription] = "2x2 NaI";
    r[field::kCableLength] = "3";
    r[field::kCableUnits] = "ft.";
    r[field::kChannelsCode] = channels;
    return r;
}

Strings names(const DetectorDatabase& db) {
    Strings out;
    for (const DetectorRecord& r : db.records()) out.push_back(r[field::kName]);
    return out;
}

// A database holding `names` in that order with `selected` selected, as a file would give it.
DetectorDatabase databaseOf(const Strings& list, int selected) {
    Grid grid;
    for (const std::string& name : list) {
        DetectorRecord r = detector(name);
        r[field::kSelectedIndex] = std::to_string(selected);
        grid.appendRow({r.fields.begin(), r.fields.end()});
    }
    return DetectorDatabase::fromGrid(grid);
}

void expectSelectedIndexEverywhere(const DetectorDatabase& db) {
    const std::string index = std::to_string(db.selectedIndex());
    for (const DetectorRecord& r : db.records()) EXPECT_EQ(r[field::kSelectedIndex], index);
}

TEST(DetectorDatabase, NewDatabaseIsOneBlankRecordWithoutDetectors) {
    const DetectorDatabase db;
    EXPECT_EQ(db.size(), 1);
    EXPECT_EQ(db.selectedIndex(), 0);
    EXPECT_FALSE(db.hasDetector());
    EXPECT_TRUE(detectorListTexts(db).empty());
}

TEST(DetectorDatabase, SortsByNameThenFollowingFieldsInByteOrder) {
    DetectorDatabase db = databaseOf({"b", "B", "a", "A"}, 0);
    EXPECT_EQ(names(db), (Strings{"A", "B", "a", "b"}));

    DetectorDatabase tie;
    tie.add(detector("Same", "2"));
    tie.add(detector("Same", "10"));
    EXPECT_EQ(tie.record(0)[field::kSerial], "10");
    EXPECT_EQ(tie.record(1)[field::kSerial], "2");
}

TEST(DetectorDatabase, RecordsWithoutNameSortAfterNamedOnes) {
    DetectorRecord unnamed = detector("");
    unnamed[field::kSerial] = "leftover";
    Grid grid;
    grid.appendRow({unnamed.fields.begin(), unnamed.fields.end()});
    const DetectorRecord named = detector("Named");
    grid.appendRow({named.fields.begin(), named.fields.end()});
    const DetectorDatabase db = DetectorDatabase::fromGrid(grid);
    EXPECT_EQ(names(db), (Strings{"Named", ""}));
    EXPECT_EQ(detectorListTexts(db).size(), 1u);
}

TEST(DetectorDatabase, AddingANameThatSortsFirstKeepsTheSelectedRecord) {
    DetectorDatabase db = databaseOf({"Birch", "Cedar"}, 1);
    const int index = db.add(detector("Alder"));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(names(db), (Strings{"Alder", "Birch", "Cedar"}));
    EXPECT_EQ(db.selected()[field::kName], "Cedar");
    EXPECT_EQ(db.selectedIndex(), 2);
    expectSelectedIndexEverywhere(db);
}

TEST(DetectorDatabase, AddingIntoAnEmptyDatabaseReusesTheBlankRow) {
    DetectorDatabase db;
    EXPECT_EQ(db.add(detector("First")), 0);
    EXPECT_EQ(db.size(), 1);
    EXPECT_EQ(db.selected()[field::kName], "First");
    EXPECT_EQ(db.selected()[field::kSelectedIndex], "0");
}

TEST(DetectorDatabase, RemovingKeepsTheSelectedRecord) {
    struct Case {
        const char* name;
        int removed;
        Strings left;
        int selectedAfter;
    };
    for (const Case& c : {Case{"above the selected", 0, {"B", "C", "D"}, 1},
                          Case{"below the selected", 3, {"A", "B", "C"}, 2}}) {
        SCOPED_TRACE(c.name);
        DetectorDatabase db = databaseOf({"A", "B", "C", "D"}, 2);
        EXPECT_TRUE(db.remove(c.removed));
        EXPECT_EQ(names(db), c.left);
        EXPECT_EQ(db.selectedIndex(), c.selectedAfter);
        EXPECT_EQ(db.selected()[field::kName], "C");
        expectSelectedIndexEverywhere(db);
    }
}

TEST(DetectorDatabase, RemoveRefusesTheSelectedRecordAndIndicesOutOfRange) {
    DetectorDatabase db = databaseOf({"A", "B"}, 1);
    for (int index : {1, -1, 2}) EXPECT_FALSE(db.remove(index)) << index;
    EXPECT_EQ(names(db), (Strings{"A", "B"}));
}

TEST(DetectorDatabase, SelectedIndexIsClampedAndWrittenIntoEveryRecord) {
    DetectorDatabase db = databaseOf({"A", "B", "C"}, 0);
    db.setSelectedIndex(7);
    EXPECT_EQ(db.selectedIndex(), 2);
    expectSelectedIndexEverywhere(db);
    db.setSelectedIndex(-3);
    EXPECT_EQ(db.selectedIndex(), 0);
    expectSelectedIndexEverywhere(db);
}

TEST(DetectorDatabase, ClearAllFieldsKeepsRowsAndSelection) {
    DetectorDatabase db = databaseOf({"A", "B"}, 1);
    db.clearAllFields();
    EXPECT_EQ(db.size(), 2);
    EXPECT_EQ(db.selectedIndex(), 1);
    EXPECT_EQ(db.selected(), DetectorRecord{});
}

TEST(DetectorDatabase, StoredSelectionNamesTheFileRowEvenWhenTheFileWasSortedOtherwise) {
    // Sorted without regard to case, as another program may have left it: row 1 is "Birch".
    const DetectorDatabase db = databaseOf({"apple", "Birch"}, 1);
    EXPECT_EQ(names(db), (Strings{"Birch", "apple"}));
    EXPECT_EQ(db.selected()[field::kName], "Birch");
}

TEST(DetectorDatabase, UnreadableStoredSelectionSelectsTheFirstRecord) {
    for (const char* stored : {"", "x", "-1", "5"}) {
        SCOPED_TRACE(stored);
        Grid grid;
        for (const char* name : {"B", "A"}) {
            DetectorRecord r = detector(name);
            r[field::kSelectedIndex] = stored;
            grid.appendRow({r.fields.begin(), r.fields.end()});
        }
        EXPECT_EQ(DetectorDatabase::fromGrid(grid).selected()[field::kName], "A");
    }
}

TEST(DetectorDatabase, DamagedGridsReadWithoutLosingTheDetectors) {
    Grid grid;
    grid.appendRow({"Short", "7"});                       // short row: padded
    grid.appendRow({});                                   // blank line: left out
    std::vector<std::string> wide(60, "w");               // too many columns: cut to 50
    wide[field::kSelectedIndex] = "0";
    grid.appendRow(wide);
    const DetectorDatabase db = DetectorDatabase::fromGrid(grid);
    ASSERT_EQ(db.size(), 2);
    EXPECT_EQ(names(db), (Strings{"Short", "w"}));
    EXPECT_EQ(db.record(0)[field::kSerial], "7");
    EXPECT_EQ(db.record(0)[49], "");
    EXPECT_EQ(db.toGrid().columnCount(), kDetectorFieldCount);
}

TEST(DetectorDatabase, GridOfADatabaseWithoutDetectorsIsOneEmptyLine) {
    DetectorDatabase db;
    db.setSelectedIndex(0);   // field 42 alone does not make it a detector
    const Grid grid = db.toGrid();
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.row(0), Strings(kDetectorFieldCount));
    EXPECT_EQ(DetectorDatabase::fromGrid(Grid{}).size(), 1);
}

TEST(DetectorDatabase, ListTextShowsIdentityAndChannelCount) {
    struct Case {
        const char* code;
        const char* text;
    };
    for (const Case& c : {Case{"0", "Birch #B123, 2x2 NaI, 3 ft. cable, 4096 channel"},
                          Case{"3", "Birch #B123, 2x2 NaI, 3 ft. cable, 512 channel"},
                          Case{"4", "Birch #B123, 2x2 NaI, 3 ft. cable, 256 channel"},
                          Case{"9", "Birch #B123, 2x2 NaI, 3 ft. cable, 4096 channel"}}) {
        EXPECT_EQ(detectorListText(detector("Birch", "B123", c.code)), c.text) << c.code;
    }
}

TEST(DetectorDatabase, ListStopsAtTheFirstRecordWithoutName) {
    DetectorDatabase db = databaseOf({"A", "B"}, 0);
    db.record(1)[field::kName].clear();
    EXPECT_EQ(detectorListTexts(db), Strings{"A #1, 2x2 NaI, 3 ft. cable, 4096 channel"});
}

}  // namespace
}  // namespace mca
