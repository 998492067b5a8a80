// The common loading procedure: header, record lines, what is kept of a file; the
// ware table's five files; the ship table's counted groups and the counts that must
// not be trusted.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tables/price_math.h"
#include "support/test_game.h"
#include "tables/ware_list.h"
#include "text/cp1251.h"

namespace {

using Lines = std::vector<std::string>;

// The five ware files, as start-up loads them.
void loadWares(GameState& state) {
    forEachWareFile(state, [&](TableId id, const Table<TWares>&) { loadTable(state, id); });
}

class Loading : public ::testing::Test {
  protected:
    Loading() { state.folder = game.folder(); }
    // Loads a ship table holding the given record lines under a header of 1;n;.
    void loadShipLines(const std::vector<std::string>& lines) {
        game.write("types/TShips.txt", tablesFile(1, lines));
        loadTable(state, TableId::ships);
    }
    TempGame game;
    GameState state;
};

// A cockpit line: fourteen numbers, the weapon mask in column 8.
std::string cockpit(int mask, std::string_view objectId) {
    return "1;2;3;4;5;6;7;8;" + std::to_string(mask) + ";10;11;12;13;14;" + std::string(objectId) + ";";
}

// A ware line: twelve numbers with the name id in column 6, then the objectId.
std::string ware(std::string_view objectId) { return "1;2;0.5;1.5;5;6;7;8;100;10;11;3;" + std::string(objectId) + ";"; }

// Lines 1 to count are records whatever they hold: a blank line is a record of
// zeros. Lines after them are no records but are kept. Lines end in CR LF, CR or LF.
TEST_F(Loading, TheHeaderCountDecidesWhichLinesAreRecords) {
    game.writeLines("types/TCockpits.txt",
                    {"5;2;", cockpit(1, "SS_CO_A"), cockpit(2, "SS_CO_B"), cockpit(4, "SS_CO_C")});
    loadTable(state, TableId::cockpits);
    EXPECT_EQ(std::tuple(state.cockpits.headerValue, state.cockpits.count, state.cockpits.records.size()),
              std::tuple(5, 2, 2u));
    EXPECT_EQ(std::tuple(state.cockpits.records[1].weaponMask, state.cockpits.records[1].objectId),
              std::tuple(2, "SS_CO_B"));
    EXPECT_EQ(state.cockpits.file.trailingLines, Lines{cockpit(4, "SS_CO_C")});
    EXPECT_FALSE(state.cockpits.file.missing || state.cockpits.file.unreadable);

    game.write("types/TCockpits.txt",
               "1;3;\n" + cockpit(1, "A") + "\r\n\r" + cockpit(2, "B") + "\n");
    loadTable(state, TableId::cockpits);
    ASSERT_EQ(state.cockpits.records.size(), 3u);
    EXPECT_EQ(std::tuple(state.cockpits.records[0].objectId, state.cockpits.records[1].weaponMask,
                         state.cockpits.records[1].objectId, state.cockpits.records[2].objectId),
              std::tuple("A", 0, "", "B"));
    EXPECT_TRUE(state.cockpits.file.trailingLines.empty());
    EXPECT_FALSE(keptFromSaving(state.cockpits.file));
}

// The usual slip: a line deleted, the count left as it was. The records the file
// has are loaded (a huge count allocates nothing more), but none is made up for
// the missing lines: the table is not in format and never saved, and says the
// count and the lines found. A faulty line among them still empties it.
TEST_F(Loading, ACountAboveTheLinesLoadsOnlyTheRecordsTheFileHas) {
    const std::string good = "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;4;SS_LA_";
    const struct {
        std::string text;
        size_t records;
        bool loaded; // the records the file has are kept
        std::string_view ru, en;
    } cases[] = {
        {"12;7;\r\n" + good + "A;\r\n" + good + "B;\r\n", 2, true,
         "строка 1, поле 2: в заголовке записей 7, а строк записей 2",
         "line 1, field 2: the header counts 7 records, the file has 2 record lines"},
        {"// tool\n12;100000;\n" + good + "A;\n\n" + good + "C;", 3, true,
         "строка 2, поле 2: в заголовке записей 100000, а строк записей 3",
         "line 2, field 2: the header counts 100000 records, the file has 3 record lines"},
        {"12;1000000;", 0, true, "строка 1, поле 2: в заголовке записей 1000000, а строк записей 0",
         "line 1, field 2: the header counts 1000000 records, the file has 0 record lines"},
        {"12;3;\r\n" + good + "A;\r\n1;x;\r\n", 0, false, "строка 3, поле 2: «x» — не число",
         "line 3, field 2: \"x\" is not a number"}};
    for (const auto& c : cases) {
        game.write("types/TLaser.txt", c.text);
        loadTable(state, TableId::lasers);
        const TableFile& file = state.lasers.file;
        EXPECT_EQ(std::tuple(state.lasers.records.size(), state.lasers.count, state.lasers.headerValue,
                             keptFromSaving(file), recordsLoaded(file), problemText(file.problem, Language::ru),
                             problemText(file.problem, Language::en)),
                  std::tuple(c.records, static_cast<int32_t>(c.records), 12, true, c.loaded,
                             cp1251::fromUtf8(c.ru), std::string(c.en)))
            << c.text;
        EXPECT_LE(state.lasers.records.capacity(), 3u);
    }
    // Ware files after a short one take their records at the right place.
    game.writeLines("types/TWareB.txt", {"10;4;", ware("B0")});
    game.writeLines("types/TWareE.txt", {"11;1;", ware("E0")});
    loadWares(state);
    EXPECT_EQ(std::tuple(wareCount(state), state.wareB.count, wareAt(state, 1)->objectId), std::tuple(2u, 1, "E0"));
}

// The header is the first line not starting with "//": two whole integer fields,
// each ended by its semicolon, then anything (kept). Otherwise, or with a slip in
// any record line, the table is not in format; a count below 0 or above 1,000,000
// makes it unreadable (the header value is kept). Either way the table is empty
// and says where and why.
TEST_F(Loading, HeaderRules) {
    const std::string record = "\r\n" + cockpit(8, "SS_CO_A") + "\r\n";
    const struct {
        std::string file;
        int32_t value, count;
        std::string_view rest, problem;
        bool unreadable;
    } cases[] = {
        {"0;0;" + record, 0, 0, "", "", false},
        {"7;1;extra;fields" + record, 7, 1, "extra;fields", "", false},
        {"+3;+1;" + record, 3, 1, "", "", false},
        {"// made by a tool\n//\r\n7;1;" + record, 7, 1, "", "", false},
        {"7;1" + record, 0, 0, "", "строка 1: нет заголовка", false},
        {"a remark, not a header" + record, 0, 0, "", "строка 1: нет заголовка", false},
        {" 7;1;" + record, 0, 0, "", "строка 1: нет заголовка", false},
        {"", 0, 0, "", "строка 1: нет заголовка", false},
        {"// only a remark\r\n", 0, 0, "", "строка 2: нет заголовка", false},
        {"7;1.0;" + record, 0, 0, "", "строка 1, поле 2: «1.0» — не целое число", false},
        {"1;4294967295;" + record, 0, 0, "",
         "строка 1, поле 2: «4294967295» — число вне допустимых пределов", false},
        {"//\r\n1;-1;" + record, 1, 0, "", "строка 2: число записей -1", true},
        {"1;1000001;" + record, 1, 0, "", "строка 1: число записей 1000001", true},
        {"1;-2147483648;" + record, 1, 0, "", "строка 1: число записей -2147483648", true},
        // One slip in any record line, a "//" line after the header too, empties it.
        {"2;2;" + record + "1;2;3;4;5;0;SG_LASER_IRE;8003;9;10;11;12;13;14;SS_CO_B;\r\n", 2, 0, "",
         "строка 3, поле 7: «SG_LASER_IRE» — не число", false},
        {"// tool\r\n2;2;\r\n// a record line" + record, 2, 0, "", "строка 3: текст после последнего поля «// a record line»", false},
        // A NUL byte, after the last line or in one, would cut what a save gives back.
        {"5;1;" + record + std::string(4, '\0'), 0, 0, "", "строка 3: нулевой байт (код 0) на смещении 49 от начала файла", false},
        {"5;1;\n1;2" + std::string(1, '\0') + ";3;4;5;6;7;8;8;10;11;12;13;14;SS_CO_A;\n", 0, 0, "",
         "строка 2: нулевой байт (код 0) на смещении 8 от начала файла", false}};
    for (const auto& c : cases) {
        game.write("types/TCockpits.txt", c.file);
        loadTable(state, TableId::cockpits);
        const TableFile& file = state.cockpits.file;
        EXPECT_EQ(std::tuple(state.cockpits.headerValue, state.cockpits.count, state.cockpits.records.size(),
                             file.headerRest, problemText(file.problem, Language::ru), file.unreadable,
                             file.notInFormat),
                  std::tuple(c.value, c.count, size_t(c.count), c.rest,
                             cp1251::fromUtf8(c.problem), c.unreadable,
                             !c.problem.empty() && !c.unreadable))
            << c.file;
    }
}

// Ware files of 3, 0, 2, 1 and 4 records join in file order, each record priced
// by its file's factor (the estimate basis is coefficient x factor).
TEST_F(Loading, TheFiveWareFilesJoinInOneTable) {
    game.writeLines("types/TWareB.txt", {"10;3;", ware("B0"), ware("B1"), ware("B2")});
    game.writeLines("types/TWareE.txt", {"11;0;"});
    game.writeLines("types/TWareF.txt", {"12;2;", ware("F0"), ware("F1")});
    game.writeLines("types/TWareM.txt", {"13;1;", ware("M0")});
    game.writeLines("types/TWareT.txt", {"14;4;", ware("T0"), ware("T1"), ware("T2"), ware("T3")});
    loadWares(state);
    ASSERT_EQ(wareCount(state), 10u);
    const std::pair<std::string, double> expected[] = {
        {"B0", 5.25}, {"B1", 5.25},   {"B2", 5.25},   {"F0", 12.135}, {"F1", 12.135},
        {"M0", 5.25}, {"T0", 28.075}, {"T1", 28.075}, {"T2", 28.075}, {"T3", 28.075}};
    for (size_t i = 0; i < 10; ++i) {
        const std::optional<WarePlace> place = warePlace(state, i);
        ASSERT_TRUE(place) << i;
        EXPECT_EQ(std::pair(wareAt(state, i)->objectId, priceBasis(*wareAt(state, i), place->table)->factor),
                  expected[i]);
    }
    const int32_t counts[5] = {3, 0, 2, 1, 4};
    const Table<TWares>* files[5] = {&state.wareB, &state.wareE, &state.wareF, &state.wareM, &state.wareT};
    for (int g = 0; g < 5; ++g)
        EXPECT_EQ(std::pair(files[g]->headerValue, files[g]->count), std::pair(10 + g, counts[g]));
    const PriceBasis t0 = *priceBasis(*wareAt(state, 6), warePlace(state, 6)->table);
    EXPECT_EQ(t0.coefficient * t0.factor, 2807.5);
}

// A count larger than the line reads the missing numbers and the objectId as 0 and
// empty, and still gets its full count of entries; a count too small shifts the
// following fields, so the objectId lands in a numeric column: not in format.
TEST_F(Loading, ACountThatDoesNotMatchTheLineShiftsItsFields) {
    loadShipLines({shipFixedColumns() + "3;1;2;3;4;5;6;7;8;",
                   shipFixedColumns() + "0;0;" + shipTail("SS_SH_D")});
    ASSERT_EQ(state.ships.records.size(), 2u);
    const TShips& larger = state.ships.records[0];
    ASSERT_EQ(larger.items.size(), 3u);
    EXPECT_EQ(std::tuple(larger.items[1].value3, larger.items[2].value0, larger.turretCount,
                         larger.objectId),
              std::tuple(8, 0, 0, ""));
    EXPECT_EQ(std::tuple(state.ships.records[1].tail1, state.ships.records[1].objectId),
              std::tuple(901, "SS_SH_D"));

    loadShipLines({shipFixedColumns() + "0;0;" + shipTail("SS_SH_C"),
                   shipFixedColumns() + "1;0;" + shipTail("SS_SH_C")});
    EXPECT_EQ(problemText(state.ships.file.problem, Language::ru),
              cp1251::fromUtf8("строка 3, поле 55: «SS_SH_C» — не число"));
}

// A group count above 1,000,000, or more than 1,000,000 group entries in all that
// the file's lines cannot fill, makes the table unreadable: it is empty and the file
// is never rewritten. Entries the file fills are not limited.
TEST_F(Loading, CountsBeyondTheFileCannotExhaustMemory) {
    const std::string fixed = shipFixedColumns(), greedy = fixed + "0;1;0;1;0;1000000;\r\n";
    std::string honest = fixed + "0;300000;"; // more than a million fields, all there
    for (int i = 0; i < 300000; ++i)
        honest += "1;2;3;0;";
    honest += shipTail("SS_SH_H") + "\r\n";
    const struct {
        std::string file;
        bool unreadable;
    } cases[] = {
        {"1;1;\r\n" + fixed + "1000000;\r\n", false},
        {"1;2;\r\n" + fixed + "0;0;" + shipTail("A") + "\r\n" + fixed + "1000001;\r\n", true},
        {"1;2;\r\n" + fixed + "500000;\r\n" + fixed + "500000;\r\n", false},
        {"1;2;\r\n" + fixed + "500000;\r\n" + fixed + "500001;\r\n", true},
        {"1;4;\r\n" + greedy + greedy + greedy + greedy, true},
        {"1;2;\r\n" + honest + honest, false}};
    for (const auto& c : cases) {
        game.write("types/TShips.txt", c.file);
        loadTable(state, TableId::ships);
        EXPECT_EQ(state.ships.file.unreadable, c.unreadable) << c.file.substr(0, 8);
        EXPECT_EQ(state.ships.records.empty(), c.unreadable) << "a good first line is taken back too";
        if (!c.unreadable) continue;
        EXPECT_EQ(std::tuple(state.ships.count, state.ships.headerValue), std::tuple(0, 1));
        EXPECT_TRUE(saveAllTables(state).failed.empty());
        EXPECT_EQ(game.read("types/TShips.txt"), c.file);
        EXPECT_FALSE(game.exists("types/TShips.bak"));
    }
    EXPECT_EQ(state.ships.records.at(1).objectId, "SS_SH_H");
}

} // namespace
