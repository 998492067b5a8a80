// The ship table: its fixed columns, the counted groups of items, turrets and gun
// groups, and the counts that must not be trusted.

#include <gtest/gtest.h>

#include "tables/load_tables.h"
#include "tables/record_line.h"
#include "tables/save_tables.h"
#include "tables/ship_lines.h"
#include "tables/temp_game.h"

namespace {

class ShipTable : public ::testing::Test {
protected:
    // Loads a ship table holding the given record lines under a header of 1;n;.
    void loadLines(std::initializer_list<std::string> lines) {
        std::string text = "1;" + std::to_string(lines.size()) + ";\r\n";
        for (const std::string& line : lines) text += line + "\r\n";
        game.write("types/TShips.txt", text);
        state.folder = game.folder();
        loadShips(state);
    }

    TempGame game;
    GameState state;
};

TEST_F(ShipTable, NoItemsAndNoTurretsMakeA55FieldLine) {
    const std::string line = shipFixedColumns() + "0;0;" + shipTail("SS_SH_A");
    ASSERT_EQ(fieldsOf(line), 55);
    loadLines({line});
    ASSERT_EQ(state.shipCount, 1);
    ASSERT_EQ(state.ships.size(), 1u);
    const TShips& s = state.ships[0];
    EXPECT_EQ(s.col0, 100);
    EXPECT_EQ(s.manoeuvrabilityX, 0.25);
    EXPECT_EQ(s.manoeuvrabilityY, 0.5);
    EXPECT_EQ(s.manoeuvrabilityRotation, 1.5);
    EXPECT_EQ(s.nameTextId, 106);
    EXPECT_EQ(s.mainWeaponMask, 118);
    EXPECT_EQ(s.maxCargoSize, 127);
    EXPECT_EQ(s.turretMounts[0].cockpitIndex, 128);
    EXPECT_EQ(s.turretMounts[0].position, 129);
    EXPECT_EQ(s.turretMounts[5].cockpitIndex, 138);
    EXPECT_EQ(s.turretMounts[5].position, 139);
    EXPECT_EQ(s.hangarCapacity, 140);
    EXPECT_EQ(s.hullStrength, 143);
    EXPECT_EQ(s.col46, 146);
    EXPECT_EQ(s.itemCount, 0);
    EXPECT_EQ(s.turretCount, 0);
    EXPECT_TRUE(s.items.empty());
    EXPECT_TRUE(s.turrets.empty());
    EXPECT_EQ(s.tail1, 901);
    EXPECT_EQ(s.priceCoefficient, 902);
    EXPECT_EQ(s.tail5, 905);
    EXPECT_EQ(s.objectId, "SS_SH_A");
}

TEST_F(ShipTable, OneItemAndOneTurretWithTwoGunGroupsMakeA75FieldLine) {
    const std::string line = shipFixedColumns() + "1;11;12;13;14;" + "1;21;3;23;2;" +
                             "31;32;33;34;35;36;" + "41;42;43;44;45;46;" + shipTail("SS_SH_B");
    ASSERT_EQ(fieldsOf(line), 75);
    loadLines({line});
    ASSERT_EQ(state.ships.size(), 1u);
    const TShips& s = state.ships[0];
    ASSERT_EQ(s.items.size(), 1u);
    EXPECT_EQ(s.items[0].value0, 11);
    EXPECT_EQ(s.items[0].value3, 14);
    ASSERT_EQ(s.turrets.size(), 1u);
    const TTurret& t = s.turrets[0];
    EXPECT_EQ(t.turretValue0, 21);
    EXPECT_EQ(t.gunCount, 3);
    EXPECT_EQ(t.turretValue2, 23);
    EXPECT_EQ(t.gunGroupCount, 2);
    ASSERT_EQ(t.gunGroups.size(), 2u);
    EXPECT_EQ(t.gunGroups[0].value0, 31);
    EXPECT_EQ(t.gunGroups[0].value5, 36);
    EXPECT_EQ(t.gunGroups[1].value0, 41);
    EXPECT_EQ(t.gunGroups[1].value5, 46);
    EXPECT_EQ(s.tail1, 901);
    EXPECT_EQ(s.objectId, "SS_SH_B") << "field 74";
}

TEST_F(ShipTable, ACountLargerThanTheLineStillGetsItsFullCountOfEntries) {
    // three items announced, two on the line: the rest of the line reads as 0 and empty
    loadLines({shipFixedColumns() + "3;1;2;3;4;5;6;7;8;"});
    const TShips& s = state.ships.at(0);
    EXPECT_EQ(s.itemCount, 3);
    ASSERT_EQ(s.items.size(), 3u);
    EXPECT_EQ(s.items[1].value3, 8);
    EXPECT_EQ(s.items[2].value0, 0);
    EXPECT_EQ(s.turretCount, 0);
    EXPECT_EQ(s.priceCoefficient, 0);
    EXPECT_EQ(s.objectId, "");
    EXPECT_FALSE(state.shipsFile.unreadable);
}

TEST_F(ShipTable, ACountThatDoesNotMatchShiftsOnlyItsOwnLine) {
    // one item announced but none given: the turret count and tail become item values
    loadLines({shipFixedColumns() + "1;0;" + shipTail("SS_SH_C"),
               shipFixedColumns() + "0;0;" + shipTail("SS_SH_D")});
    ASSERT_EQ(state.ships.size(), 2u);
    EXPECT_EQ(state.ships[0].items.at(0).value0, 0);
    EXPECT_EQ(state.ships[0].items.at(0).value1, 901);
    EXPECT_EQ(state.ships[0].objectId, "") << "shifted past the end";
    EXPECT_EQ(state.ships[1].objectId, "SS_SH_D");
    EXPECT_EQ(state.ships[1].tail1, 901);
}

TEST_F(ShipTable, NegativeCountsGiveEmptyGroupsAndAreWrittenBackAsRead) {
    const std::string groups = "-1;2;5;6;7;-2;8;9;10;0;";
    loadLines({shipFixedColumns() + groups + shipTail("SS_SH_E")});
    ASSERT_EQ(state.ships.size(), 1u);
    const TShips& s = state.ships[0];
    EXPECT_EQ(s.itemCount, -1);
    EXPECT_TRUE(s.items.empty());
    EXPECT_EQ(s.turretCount, 2) << "the field after a negative item count is the turret count";
    ASSERT_EQ(s.turrets.size(), 2u);
    EXPECT_EQ(s.turrets[0].gunGroupCount, -2);
    EXPECT_TRUE(s.turrets[0].gunGroups.empty());
    EXPECT_EQ(s.turrets[1].turretValue0, 8);
    EXPECT_EQ(s.tail1, 901);
    EXPECT_EQ(s.objectId, "SS_SH_E");
    EXPECT_FALSE(state.shipsFile.unreadable);

    // -1 stays -1, -2 stays -2, with no entries after them
    std::string written;
    appendRecordLine(written, s);
    EXPECT_NE(written.find(";146;" + groups + "901;"), std::string::npos) << written;
}

TEST_F(ShipTable, AGroupCountAboveOneMillionMakesTheTableUnreadable) {
    const std::string bytes = "1;2;\r\n" + shipFixedColumns() + "0;0;" + shipTail("SS_SH_F") +
                              "\r\n" + shipFixedColumns() + "1000001;\r\n";
    game.write("types/TShips.txt", bytes);
    state.folder = game.folder();
    loadShips(state);
    EXPECT_TRUE(state.shipsFile.unreadable);
    EXPECT_TRUE(state.ships.empty()) << "the good first line is taken back too";
    EXPECT_EQ(state.shipCount, 0);
    EXPECT_EQ(state.shipsHeader, 1);

    // and the file is never rewritten
    EXPECT_TRUE(saveAllTables(state).empty());
    EXPECT_EQ(game.read("types/TShips.txt"), bytes);
    EXPECT_FALSE(game.exists("types/TShips.bak"));
}

TEST_F(ShipTable, OneMillionEntriesOnOneLineAreRead) {
    loadLines({shipFixedColumns() + "1000000;"});
    ASSERT_EQ(state.ships.size(), 1u);
    EXPECT_EQ(state.ships[0].items.size(), 1000000u);
    EXPECT_FALSE(state.shipsFile.unreadable);
}

TEST_F(ShipTable, HugeCountsOnManyLinesCannotExhaustMemory) {
    // Each line announces a million gun groups that it cannot fill; a file of a
    // few hundred bytes must not make the table hold billions of entries.
    const std::string greedy = shipFixedColumns() + "0;1;0;1;0;1000000;";
    loadLines({greedy, greedy, greedy, greedy});
    EXPECT_TRUE(state.shipsFile.unreadable);
    EXPECT_TRUE(state.ships.empty());
}

TEST_F(ShipTable, MissingRecordLinesShareTheAllowanceWithUnfillableEntries) {
    // three records announced, one line: two empty records plus 999,999 unfilled
    // items exceed the allowance of one million
    game.write("types/TShips.txt", "1;3;\r\n" + shipFixedColumns() + "999999;\r\n");
    state.folder = game.folder();
    loadShips(state);
    EXPECT_TRUE(state.shipsFile.unreadable);

    game.write("types/TShips.txt", "1;3;\r\n" + shipFixedColumns() + "999998;\r\n");
    loadShips(state);
    EXPECT_FALSE(state.shipsFile.unreadable);
    ASSERT_EQ(state.ships.size(), 3u);
    EXPECT_EQ(state.ships[0].items.size(), 999998u);
}

TEST_F(ShipTable, HonestEntriesAreNotLimitedByTheAllowance) {
    // 300,000 turrets with their four fields each: more than a million fields, all filled
    std::string line = shipFixedColumns() + "0;300000;";
    for (int i = 0; i < 300000; ++i) line += "1;2;3;0;";
    loadLines({line + shipTail("SS_SH_G"), line + shipTail("SS_SH_H")});
    ASSERT_FALSE(state.shipsFile.unreadable);
    ASSERT_EQ(state.ships.size(), 2u);
    EXPECT_EQ(state.ships[1].turrets.size(), 300000u);
    EXPECT_EQ(state.ships[1].objectId, "SS_SH_H");
}

TEST_F(ShipTable, AShipLineReadAndWrittenBackKeepsItsFieldsInOrder) {
    const std::string line = shipFixedColumns() + "2;1;2;3;4;5;6;7;8;" + "2;0;1;0;0;" +
                             "7;4;7;1;1;2;3;4;5;6;" + shipTail("SS_SH_I") + "unknown;99;";
    loadLines({line});
    std::string written;
    appendRecordLine(written, state.ships.at(0));
    // only the manoeuvrability columns change: padded to seven characters
    std::string expected = line;
    expected.replace(expected.find("0.25;0.5;1.5;"), 13, "0.25000;0.50000;1.50000;");
    EXPECT_EQ(written, expected + "\r\n");
}

} // namespace
