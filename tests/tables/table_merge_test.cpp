// The three-way merge of one table: each rule on a small shield table (records
// written "id:power:volume"), and a real game merged with itself.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tables/load_tables.h"
#include "tables/table_merge.h"

namespace {

// "A:10:1 B:20:2" -> records A and B with their shield power and volume.
std::vector<TShields> shields(const std::string& text) {
    std::vector<TShields> records;
    std::istringstream in(text);
    std::string item;
    while (in >> item) {
        TShields& r = records.emplace_back();
        const size_t a = item.find(':'), b = item.find(':', a + 1);
        r.objectId = item.substr(0, a);
        r.shieldPower = std::stoi(item.substr(a + 1, b - a - 1));
        r.volume = std::stoi(item.substr(b + 1));
    }
    return records;
}

std::string written(const std::vector<TShields>& records) {
    std::string text;
    for (const TShields& r : records) {
        if (!text.empty()) text += ' ';
        text.append(r.objectId).append(":").append(std::to_string(r.shieldPower));
        text.append(":").append(std::to_string(r.volume));
    }
    return text;
}

GameState game(const std::string& records, int32_t header = 1, std::vector<std::string> remarks = {}) {
    GameState s;
    s.shields.records = shields(records);
    s.shields.count = static_cast<int32_t>(s.shields.records.size());
    s.shields.headerValue = header;
    s.shields.file.remarks = std::move(remarks);
    return s;
}

} // namespace

TEST(TableMerge, FollowsEachRuleFieldByField) {
    const struct {
        const char* what;
        std::string base, mine, theirs;
        Prefer prefer;
        std::string merged;
        std::string conflicts; // columns, space-separated
    } cases[] = {
        {"different fields of one record", "A:10:1", "A:11:1", "A:10:2", Prefer::none, "A:11:2", ""},
        {"one field changed alike", "A:10:1", "A:11:1", "A:11:1", Prefer::none, "A:11:1", ""},
        {"one field changed differently", "A:10:1", "A:11:1", "A:12:2", Prefer::none, "A:11:2", "shieldPower"},
        {"settled for mine", "A:10:1", "A:11:1", "A:12:1", Prefer::mine, "A:11:1", "shieldPower"},
        {"settled for theirs", "A:10:1", "A:11:1", "A:12:1", Prefer::theirs, "A:12:1", "shieldPower"},
        {"additions on both sides, mine's order first", "A:1:1", "M:2:2 A:1:1", "A:1:1 T:3:3 U:4:4", Prefer::none,
         "M:2:2 A:1:1 T:3:3 U:4:4", ""},
        {"one record added alike on both sides", "A:1:1", "A:1:1 N:5:5", "A:1:1 N:5:5", Prefer::none, "A:1:1 N:5:5", ""},
        {"one id added differently", "", "N:5:5", "N:6:5", Prefer::none, "N:5:5", "shieldPower"},
        {"removed by theirs, unchanged by mine", "A:1:1 B:2:2", "A:1:1 B:2:2", "A:1:1", Prefer::none, "A:1:1", ""},
        {"removed by mine, unchanged by theirs", "A:1:1 B:2:2", "A:1:1", "A:1:1 B:2:2", Prefer::none, "A:1:1", ""},
        {"removed by theirs, changed by mine", "A:1:1 B:2:2", "A:1:1 B:9:2", "A:1:1", Prefer::none, "A:1:1 B:9:2",
         "record"},
        {"removed by mine, changed by theirs", "A:1:1 B:2:2", "A:1:1", "A:1:1 B:9:2", Prefer::none, "A:1:1", "record"},
        {"removed by mine, changed by theirs, theirs preferred", "A:1:1 B:2:2", "A:1:1", "A:1:1 B:9:2",
         Prefer::theirs, "A:1:1 B:9:2", "record"},
        {"a repeated id matched by its place among its kind", "A:1:1 A:2:2", "A:1:1 A:3:2", "A:4:1 A:2:2",
         Prefer::none, "A:4:1 A:3:2", ""},
    };
    for (const auto& c : cases) {
        const GameState base = game(c.base), mine = game(c.mine), theirs = game(c.theirs);
        GameState result = mine;
        const TableMerge m = mergeTable(base, mine, theirs, TableId::shields, c.prefer, result);
        EXPECT_TRUE(m.merged) << c.what;
        EXPECT_EQ(written(result.shields.records), c.merged) << c.what;
        EXPECT_EQ(result.shields.count, static_cast<int32_t>(result.shields.records.size())) << c.what;
        std::string columns;
        for (const MergeConflict& k : m.conflicts) {
            if (!columns.empty()) columns += ' ';
            columns += k.column;
        }
        EXPECT_EQ(columns, c.conflicts) << c.what;
        EXPECT_EQ(m.changesMine, c.merged != c.mine) << c.what;
    }
}

TEST(TableMerge, HeaderAndRemarksMergeLikeFields) {
    const GameState base = game("A:1:1", 1, {"// v1"});
    GameState result = base;
    // THEIRS changes the header value, MINE the remarks: both are kept.
    const GameState mine = game("A:1:1", 1, {"// v1", "// mine"}), theirs = game("A:1:1", 7, {"// v1"});
    result = mine;
    TableMerge m = mergeTable(base, mine, theirs, TableId::shields, Prefer::none, result);
    EXPECT_TRUE(m.conflicts.empty());
    EXPECT_EQ(result.shields.headerValue, 7);
    EXPECT_EQ(result.shields.file.remarks, (std::vector<std::string>{"// v1", "// mine"}));

    // Both change the header, differently: a conflict on it, and on the remarks.
    const GameState other = game("A:1:1", 8, {"// theirs"});
    result = mine;
    m = mergeTable(base, game("A:1:1", 9, {"// mine"}), other, TableId::shields, Prefer::none, result);
    ASSERT_EQ(m.conflicts.size(), 2u);
    EXPECT_EQ(m.conflicts[0].column, "remarks");
    EXPECT_EQ(m.conflicts[1].column, "header");
    EXPECT_EQ(m.conflicts[1].mine, "9");
    EXPECT_EQ(m.conflicts[1].theirs, "8");
}

TEST(TableMerge, ASideNotInFormatIsNotMerged) {
    GameState base = game("A:1:1"), mine = game("A:1:1"), theirs = game("A:2:1");
    theirs.shields.file.notInFormat = true;
    GameState result = mine;
    const TableMerge m = mergeTable(base, mine, theirs, TableId::shields, Prefer::none, result);
    EXPECT_FALSE(m.merged);
    EXPECT_EQ(m.refusedSide, MergeSide::theirs);
    EXPECT_EQ(written(result.shields.records), "A:1:1");
}

// The sample game merged with itself on both sides is the sample game, table by
// table, and a ship's fields from two sides come together in one record.
TEST(TableMerge, SampleGameWithItselfIsItself) {
    GameState s;
    s.folder = std::string(ORVEX_SAMPLE_GAME) + "/";
    loadAllTables(s);
    for (const TableName& t : kTableNames) {
        GameState result = s;
        const TableMerge m = mergeTable(s, s, s, t.id, Prefer::none, result);
        EXPECT_TRUE(m.conflicts.empty() && !m.changesMine) << t.key;
    }
    GameState mine = s, theirs = s, result = s;
    mine.ships.records[0].speed += 222;
    theirs.ships.records[0].hullStrength += 1;
    theirs.ships.records[0].turrets.clear(); // a groups cell changed on one side only
    theirs.ships.records[0].turretCount = 0;
    const TableMerge m = mergeTable(s, mine, theirs, TableId::ships, Prefer::none, result);
    EXPECT_TRUE(m.conflicts.empty());
    EXPECT_EQ(result.ships.records[0].speed, mine.ships.records[0].speed);
    EXPECT_EQ(result.ships.records[0].hullStrength, theirs.ships.records[0].hullStrength);
    EXPECT_EQ(result.ships.records[0].turretCount, 0);
    EXPECT_EQ(result.ships.records[1], s.ships.records[1]);
}
