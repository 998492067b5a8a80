// The common loading procedure: header, record lines, what is kept of a file, and
// the weapon, cockpit, station and ware tables.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tables/load_tables.h"
#include "tables/temp_game.h"

namespace {

class Loading : public ::testing::Test {
protected:
    Loading() { state.folder = game.folder(); }
    TempGame game;
    GameState state;
};

// A cockpit line: fourteen numbers, the weapon mask in column 8.
std::string cockpit(int mask, std::string_view objectId) {
    return "1;2;3;4;5;6;7;8;" + std::to_string(mask) + ";10;11;12;13;14;" + std::string(objectId) +
           ";";
}

TEST_F(Loading, TheHeaderCountDecidesHowManyLinesAreRecords) {
    game.writeLines("types/TCockpits.txt",
                    {"5;2;", cockpit(1, "SS_CO_A"), cockpit(2, "SS_CO_B"), cockpit(4, "SS_CO_C")});
    loadCockpits(state);
    EXPECT_EQ(state.cockpitsHeader, 5);
    EXPECT_EQ(state.cockpitCount, 2);
    ASSERT_EQ(state.cockpits.size(), 2u);
    EXPECT_EQ(state.cockpits[1].weaponMask, 2);
    EXPECT_EQ(state.cockpits[1].objectId, "SS_CO_B");
    // the third record line is not a record, but it is kept
    EXPECT_EQ(state.cockpitsFile.trailingLines, std::vector<std::string>{cockpit(4, "SS_CO_C")});
    EXPECT_FALSE(state.cockpitsFile.missing);
    EXPECT_FALSE(state.cockpitsFile.unreadable);
}

TEST_F(Loading, HeaderRules) {
    struct Case {
        std::string_view header;
        int32_t value;
        int32_t count;
        std::string_view rest;
    };
    const Case cases[] = {
        {"0;0;", 0, 0, ""},
        {"7;1;", 7, 1, ""},
        {"7;1;extra;fields", 7, 1, "extra;fields"}, // kept after the count's semicolon
        {"7;1", 7, 0, ""},                           // a count without its semicolon reads 0
        {"a remark, not a header", 0, 0, ""},
        {"+3;+1;", 3, 1, ""},
        {"", 0, 0, ""},
    };
    for (const Case& c : cases) {
        game.writeLines("types/TCockpits.txt", {c.header, cockpit(8, "SS_CO_A")});
        loadCockpits(state);
        EXPECT_EQ(state.cockpitsHeader, c.value) << c.header;
        EXPECT_EQ(state.cockpitCount, c.count) << c.header;
        EXPECT_EQ(state.cockpits.size(), static_cast<size_t>(c.count)) << c.header;
        EXPECT_EQ(state.cockpitsFile.headerRest, c.rest) << c.header;
        EXPECT_EQ(state.cockpitsFile.trailingLines.size(), c.count == 0 ? 1u : 0u) << c.header;
    }
}

TEST_F(Loading, OutOfBoundsHeaderCountsMakeTheTableUnreadable) {
    for (std::string_view header : {"1;-1;", "1;1000001;", "1;4294967295;", "1;-2147483648;"}) {
        game.writeLines("types/TLaser.txt", {header, "1;2;"});
        loadLasers(state);
        EXPECT_TRUE(state.lasersFile.unreadable) << header;
        EXPECT_FALSE(state.lasersFile.missing) << header;
        EXPECT_EQ(state.laserCount, 0) << header;
        EXPECT_TRUE(state.lasers.empty()) << header;
        EXPECT_EQ(state.lasersHeader, 1) << header;
    }
}

TEST_F(Loading, AMissingFileGivesAnEmptyTableMarkedMissing) {
    loadShips(state);
    loadShields(state);
    EXPECT_TRUE(state.shipsFile.missing);
    EXPECT_EQ(state.shipsHeader, 0);
    EXPECT_EQ(state.shipCount, 0);
    EXPECT_TRUE(state.ships.empty());
    EXPECT_TRUE(state.shieldsFile.missing);

    // a folder where the file should be is no file either
    std::filesystem::create_directory(game.path("types/TBullets.txt"));
    loadBullets(state);
    EXPECT_TRUE(state.bulletsFile.missing);
}

TEST_F(Loading, MissingAndBlankRecordLinesAreEmptyRecords) {
    game.writeLines("types/TCockpits.txt",
                    {"1;4;", cockpit(1, "SS_CO_A"), "", cockpit(2, "SS_CO_B")});
    loadCockpits(state);
    ASSERT_EQ(state.cockpits.size(), 4u);
    EXPECT_EQ(state.cockpits[1].weaponMask, 0) << "a blank line is a record of zeros";
    EXPECT_EQ(state.cockpits[1].objectId, "");
    EXPECT_EQ(state.cockpits[2].objectId, "SS_CO_B") << "shifted down by the blank line";
    EXPECT_EQ(state.cockpits[3].objectId, "") << "no line for the fourth record";
    EXPECT_EQ(state.cockpitCount, 4);
    EXPECT_TRUE(state.cockpitsFile.trailingLines.empty());
}

TEST_F(Loading, LineEndsMayBeCrLfCrOrLf) {
    game.write("types/TCockpits.txt",
               "1;3;\n" + cockpit(1, "SS_CO_A") + "\r" + cockpit(2, "SS_CO_B") + "\r\n" +
                   cockpit(4, "SS_CO_C") + "\nafter\n");
    loadCockpits(state);
    ASSERT_EQ(state.cockpits.size(), 3u);
    EXPECT_EQ(state.cockpits[0].objectId, "SS_CO_A");
    EXPECT_EQ(state.cockpits[1].objectId, "SS_CO_B");
    EXPECT_EQ(state.cockpits[2].objectId, "SS_CO_C");
    EXPECT_EQ(state.cockpitsFile.trailingLines, std::vector<std::string>{"after"});
}

struct Seen {
    std::vector<std::pair<int32_t, std::string>> records;
};

void remember(void* context, int32_t nameTextId, std::string_view objectId) {
    static_cast<Seen*>(context)->records.emplace_back(nameTextId, std::string(objectId));
}

TEST_F(Loading, TheNameSinkSeesEveryLaserShieldAndMissileInTableOrder) {
    std::string rocket1 = "0;0;0;0;0;0;301;";
    std::string rocket2 = "0;0;0;0;0;0;302;";
    for (int i = 7; i < 30; ++i) rocket1 += "0;", rocket2 += "0;";
    game.writeLines("types/TRockets.txt", {"1;3;", rocket1 + "SS_MI_A;", rocket2 + "SS_MI_B;"});
    Seen seen;
    loadRockets(state, {remember, &seen});
    const std::vector<std::pair<int32_t, std::string>> expected = {
        {301, "SS_MI_A"}, {302, "SS_MI_B"}, {0, ""}};
    EXPECT_EQ(seen.records, expected);

    // an empty sink is allowed
    loadRockets(state);
    EXPECT_EQ(state.rockets.size(), 3u);
}

TEST_F(Loading, GameFoldersLoadSideBySide) {
    TempGame other;
    game.writeLines("types/TCockpits.txt", {"1;1;", cockpit(1, "SS_CO_A")});
    other.writeLines("types/TCockpits.txt", {"2;2;", cockpit(5, "SS_CO_X"), cockpit(6, "SS_CO_Y")});
    GameState second;
    second.folder = other.folder();
    loadCockpits(state);
    loadCockpits(second);
    EXPECT_EQ(state.cockpits.size(), 1u);
    EXPECT_EQ(second.cockpits.size(), 2u);
    EXPECT_EQ(second.cockpits[0].objectId, "SS_CO_X");
}

// A ware line: twelve numbers with the coefficient in column 8 and the name id in column 6.
std::string ware(int nameTextId, int coefficient, std::string_view objectId) {
    return "1;2;0.5;1.5;5;6;" + std::to_string(nameTextId) + ";8;" + std::to_string(coefficient) +
           ";10;11;3;" + std::string(objectId) + ";";
}

TEST_F(Loading, TheFiveWareFilesJoinInOneTable) {
    game.writeLines("types/TWareB.txt", {"10;3;", ware(1, 100, "B0"), ware(2, 100, "B1"),
                                         ware(3, 100, "B2")});
    game.writeLines("types/TWareE.txt", {"11;0;"});
    game.writeLines("types/TWareF.txt", {"12;2;", ware(4, 100, "F0"), ware(5, 100, "F1")});
    game.writeLines("types/TWareM.txt", {"13;1;", ware(6, 100, "M0")});
    game.writeLines("types/TWareT.txt", {"14;4;", ware(7, 100, "T0"), ware(8, 100, "T1"),
                                         ware(9, 100, "T2"), ware(10, 100, "T3")});
    loadWares(state);
    ASSERT_EQ(state.wares.size(), 10u);
    const char* ids[10] = {"B0", "B1", "B2", "F0", "F1", "M0", "T0", "T1", "T2", "T3"};
    const double multipliers[10] = {5.25, 5.25, 5.25, 12.135, 12.135, 5.25,
                                    28.075, 28.075, 28.075, 28.075};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(state.wares[i].objectId, ids[i]);
        EXPECT_EQ(state.wares[i].priceMultiplier, multipliers[i]) << i;
    }
    const int32_t counts[5] = {3, 0, 2, 1, 4};
    const char* names[5] = {"types\\TWareB.txt", "types\\TWareE.txt", "types\\TWareF.txt",
                            "types\\TWareM.txt", "types\\TWareT.txt"};
    for (int g = 0; g < 5; ++g) {
        EXPECT_EQ(state.wareGroups[g].fileName, names[g]);
        EXPECT_EQ(state.wareGroups[g].headerValue, 10 + g);
        EXPECT_EQ(state.wareGroups[g].recordCount, counts[g]);
    }
    // the estimate basis is coefficient x multiplier
    EXPECT_EQ(state.wares[6].priceCoefficient * state.wares[6].priceMultiplier, 2807.5);
}

TEST_F(Loading, AMissingOrUnreadableWareFileContributesNoRecords) {
    game.writeLines("types/TWareB.txt", {"10;1;", ware(1, 100, "B0")});
    game.writeLines("types/TWareE.txt", {"11;1;", ware(2, 100, "E0")});
    game.writeLines("types/TWareF.txt", {"12;-5;", ware(3, 100, "F0")});
    game.writeLines("types/TWareT.txt", {"14;1;", ware(4, 100, "T0")});
    loadWares(state);
    ASSERT_EQ(state.wares.size(), 3u);
    EXPECT_EQ(state.wares[1].objectId, "E0");
    EXPECT_EQ(state.wares[1].priceCoefficient * state.wares[1].priceMultiplier, 400.0);
    EXPECT_EQ(state.wares[2].objectId, "T0");
    EXPECT_EQ(state.wares[2].priceMultiplier, 28.075);
    EXPECT_TRUE(state.wareGroups[2].file.unreadable);
    EXPECT_EQ(state.wareGroups[2].recordCount, 0);
    const TWareInfo& m = state.wareGroups[3];
    EXPECT_TRUE(m.file.missing);
    EXPECT_EQ(m.fileName, "types\\TWareM.txt");
    EXPECT_EQ(m.headerValue, 0);
    EXPECT_EQ(m.recordCount, 0);
}

} // namespace
