// The three-way merge of a game: each rule on small tables, and the references
// between tables on the moves a modder makes.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tables/table_merge.h"

namespace {

// The records of a blank-separated list of items "id:n:n…": each item's parts to `fill`.
template <class Record, class Fill> std::vector<Record> parsed(const std::string& text, Fill fill) {
    std::vector<Record> records;
    std::istringstream in(text);
    for (std::string item; in >> item;) {
        std::vector<std::string> parts;
        std::istringstream split(item);
        for (std::string part; std::getline(split, part, ':');) parts.push_back(part);
        Record& r = records.emplace_back();
        r.objectId = parts[0];
        fill(r, parts);
    }
    return records;
}

// The reverse: each item shown by `show`, blank-separated.
template <class Item, class Show> std::string listed(const std::vector<Item>& items, Show show) {
    std::string text;
    for (const Item& item : items) (text += text.empty() ? "" : " ") += show(item);
    return text;
}

// "A:10:1 B:20:2" -> shields A and B with their power and volume, and back.
std::vector<TShields> shields(const std::string& text) {
    return parsed<TShields>(text, [](TShields& r, const std::vector<std::string>& f) {
        r.shieldPower = std::stoi(f[1]);
        r.volume = std::stoi(f[2]);
    });
}
std::string written(const std::vector<TShields>& records) {
    return listed(records, [](const TShields& r) {
        return r.objectId + ":" + std::to_string(r.shieldPower) + ":" + std::to_string(r.volume);
    });
}

GameState game(const std::string& records, int32_t header = 1, std::vector<std::string> remarks = {}) {
    GameState s;
    s.shields.records = shields(records);
    s.shields.count = static_cast<int32_t>(s.shields.records.size());
    s.shields.headerValue = header;
    s.shields.file.remarks = std::move(remarks);
    return s;
}

std::string columnsOf(const TableMerge& m) {
    return listed(m.conflicts, [](const MergeConflict& k) { return std::string(k.column); });
}

const TableMerge& table(const GameMerge& g, TableId id) { return g.tables[static_cast<size_t>(id)]; }

} // namespace

TEST(TableMerge, FollowsEachRuleFieldByField) {
    const struct {
        const char* what;
        std::string base, mine, theirs;
        Prefer prefer;
        std::string merged;
        std::string conflicts; // columns, space-separated
    } cases[] = {
        {"different fields of one record", "A:10:1", "A:11:1", "A:10:2", Prefer::unsettled, "A:11:2", ""},
        // A shield's power and its tenth are one unit: both sides changed it.
        {"one unit changed differently", "A:10:1", "A:11:1", "A:12:2", Prefer::unsettled, "A:11:2", "shieldPower"},
        {"settled for mine", "A:10:1", "A:11:1", "A:12:1", Prefer::mine, "A:11:1", "shieldPower"},
        {"settled for theirs, and for no other field", "A:10:1", "A:11:2", "A:12:1", Prefer::theirs, "A:12:2",
         "shieldPower"},
        {"additions on both sides, mine's first", "A:1:1", "M:2:2 A:1:1", "A:1:1 T:3:3 U:4:4", Prefer::unsettled,
         "M:2:2 A:1:1 T:3:3 U:4:4", ""},
        {"an addition in front kept in front", "A:1:1 B:2:2", "A:1:1 B:3:2", "T:9:9 A:1:1 B:2:2", Prefer::unsettled,
         "T:9:9 A:1:1 B:3:2", ""},
        {"one record added alike on both sides", "A:1:1", "A:1:1 N:5:5", "A:1:1 N:5:5", Prefer::unsettled, "A:1:1 N:5:5",
         ""},
        {"one id added differently", "", "N:5:5", "N:6:5", Prefer::unsettled, "N:5:5", "shieldPower"},
        {"removed by theirs, unchanged by mine", "A:1:1 B:2:2", "A:1:1 B:2:2", "A:1:1", Prefer::unsettled, "A:1:1", ""},
        {"removed by theirs, changed by mine", "A:1:1 B:2:2", "A:1:1 B:9:2", "A:1:1", Prefer::unsettled, "A:1:1 B:9:2",
         "record"},
        {"removed by mine, changed by theirs", "A:1:1 B:2:2", "A:1:1", "A:1:1 B:9:2", Prefer::unsettled, "A:1:1", "record"},
        {"removed by mine, changed by theirs, theirs preferred", "A:1:1 B:2:2", "A:1:1", "A:1:1 B:9:2",
         Prefer::theirs, "A:1:1 B:9:2", "record"},
        {"a repeated id matched by its place among its kind", "A:1:1 A:2:2", "A:1:1 A:3:2", "A:4:1 A:2:2",
         Prefer::unsettled, "A:4:1 A:3:2", ""},
        {"the first of two equal ids removed, and changed on the other side", "A:1:1 A:2:2", "A:2:2", "A:7:1 A:2:2",
         Prefer::unsettled, "A:2:2", "record"},
        {"the second of two equal ids removed, the first changed", "A:1:1 A:2:2", "A:1:1", "A:7:1 A:2:2",
         Prefer::unsettled, "A:7:1", ""},
        {"order changed by theirs alone wins", "A:1:1 B:2:2 C:3:3", "A:1:1 B:5:2 C:3:3", "C:3:3 A:1:1 B:2:2",
         Prefer::unsettled, "C:3:3 A:1:1 B:5:2", ""},
        {"order changed on both: mine's, theirs' additions after", "A:1:1 B:2:2 C:3:3", "B:2:2 A:1:1 C:3:3",
         "C:3:3 N:4:4 A:1:1 B:2:2", Prefer::unsettled, "B:2:2 A:1:1 C:3:3 N:4:4", ""},
    };
    for (const auto& c : cases) {
        const GameState base = game(c.base), mine = game(c.mine), theirs = game(c.theirs);
        const GameMerge g = mergeGame(base, mine, theirs, c.prefer);
        const TableMerge& m = table(g, TableId::shields);
        EXPECT_TRUE(m.readable) << c.what;
        EXPECT_EQ(written(g.merged.shields.records), c.merged) << c.what;
        EXPECT_EQ(g.merged.shields.count, static_cast<int32_t>(g.merged.shields.records.size())) << c.what;
        EXPECT_EQ(columnsOf(m), c.conflicts) << c.what;
        EXPECT_EQ(m.changesMine, c.merged != c.mine) << c.what;
    }
}

TEST(TableMerge, HeaderRemarksAndLineEndsMergeLikeFields) {
    const GameState base = game("A:1:1", 1, {"// v1"});
    // THEIRS changes the header value and the line ends, MINE the remarks: all kept.
    const GameState mine = game("A:1:1", 1, {"// v1", "// mine"});
    GameState theirs = game("A:1:1", 7, {"// v1"});
    theirs.shields.file.lfOnly = true;
    GameMerge g = mergeGame(base, mine, theirs, Prefer::unsettled);
    EXPECT_TRUE(table(g, TableId::shields).conflicts.empty());
    EXPECT_EQ(g.merged.shields.headerValue, 7);
    EXPECT_TRUE(g.merged.shields.file.lfOnly);
    EXPECT_EQ(g.merged.shields.file.remarks, (std::vector<std::string>{"// v1", "// mine"}));

    // Both change the header, differently: a conflict on it, and on the remarks.
    g = mergeGame(base, game("A:1:1", 9, {"// mine"}), game("A:1:1", 8, {"// theirs"}), Prefer::unsettled);
    const TableMerge& m = table(g, TableId::shields);
    EXPECT_EQ(columnsOf(m), "remarks header");
    EXPECT_EQ(m.conflicts[1].mine, "9");
    EXPECT_EQ(m.conflicts[1].theirs, "8");
}

TEST(TableMerge, ASideNotInFormatIsNotMerged) {
    GameState base = game("A:1:1"), mine = game("A:1:1"), theirs = game("A:2:1");
    theirs.shields.file.notInFormat = true;
    const GameMerge g = mergeGame(base, mine, theirs, Prefer::unsettled);
    EXPECT_FALSE(table(g, TableId::shields).readable);
    EXPECT_EQ(table(g, TableId::shields).refusedSide, MergeSide::theirs);
    EXPECT_EQ(written(g.merged.shields.records), "A:1:1");
}

namespace {

// A small game for the references: shields, missiles, cockpits, lasers with
// their bullets (one id each, "L1" fires "B1"), and ships written
// "id:shield:missile:cockpit:speed", the missile as the list entry (8 = the
// table's first), the cockpit that of mount 0.
struct Small {
    std::string shields, rockets, cockpits, lasers, ships;
};

template <class Record> std::vector<Record> named(const std::string& ids) {
    return parsed<Record>(ids, [](Record&, const std::vector<std::string>&) {});
}

template <class Record> void put(Table<Record>& t, std::vector<Record> records) {
    t.records = std::move(records);
    t.count = static_cast<int32_t>(t.records.size());
}

GameState small(const Small& s) {
    GameState g;
    put(g.shields, named<TShields>(s.shields));
    put(g.rockets, named<TRockets>(s.rockets));
    put(g.cockpits, named<TCockpits>(s.cockpits));
    put(g.lasers, named<TLasers>(s.lasers));
    std::vector<TBullets> bullets = named<TBullets>(s.lasers);
    for (TBullets& b : bullets) b.objectId[0] = 'B';
    put(g.bullets, std::move(bullets));
    put(g.ships, parsed<TShips>(s.ships, [](TShips& r, const std::vector<std::string>& f) {
        r.maxShieldType = std::stoi(f[1]);
        r.maxMissileType = std::stoi(f[2]);
        r.turretMounts[0].cockpitIndex = std::stoi(f[3]);
        r.speed = std::stoi(f[4]);
    }));
    return g;
}

template <class Record> std::string ids(const std::vector<Record>& records) {
    return listed(records, [](const Record& r) { return r.objectId; });
}

std::string shipsOf(const GameState& g) {
    return listed(g.ships.records, [](const TShips& r) {
        return r.objectId + ":" + std::to_string(r.maxShieldType) + ":" + std::to_string(r.maxMissileType) + ":" +
               std::to_string(r.turretMounts[0].cockpitIndex) + ":" + std::to_string(r.speed);
    });
}

std::string conflictsOf(const GameMerge& g) {
    std::string text;
    for (const TableMerge& t : g.tables)
        for (const MergeConflict& c : t.conflicts) {
            (text += text.empty() ? "" : " ") += c.objectId + "." + std::string(c.column);
            if (!c.namedId.empty()) text += ">" + c.namedId;
        }
    return text;
}

} // namespace

// The moves a modder makes, each merged so that every reference still names the
// record its side meant.
TEST(TableMerge, ReferencesNameWhatEachSideMeant) {
    const Small base{"S0 S1 S2", "R0 R1", "C0 C1", "L0 L1", "A:0:8:0:100 B:2:9:1:100 C:1:3:0:100"};
    const struct {
        const char* what;
        Small mine, theirs;
        std::string ships, shields, lasers, bullets, conflicts;
    } cases[] = {
        {"theirs reorders the shields and re-points; mine raises a speed",
         {"S0 S1 S2", "R0 R1", "C0 C1", "L0 L1", "A:0:8:0:100 B:2:9:1:150 C:1:3:0:100"},
         {"S2 S0 S1", "R0 R1", "C0 C1", "L0 L1", "A:1:8:0:100 B:0:9:1:100 C:2:3:0:100"},
         "A:1:8:0:100 B:0:9:1:150 C:2:3:0:100", "S2 S0 S1", "L0 L1", "B0 B1", ""},
        {"both add a shield at the end, each names its own",
         {"S0 S1 S2 SM", "R0 R1", "C0 C1", "L0 L1", "A:3:8:0:100 B:2:9:1:100 C:1:3:0:100"},
         {"S0 S1 S2 ST", "R0 R1", "C0 C1", "L0 L1", "A:0:8:0:100 B:3:9:1:100 C:1:3:0:100"},
         "A:3:8:0:100 B:4:9:1:100 C:1:3:0:100", "S0 S1 S2 SM ST", "L0 L1", "B0 B1", ""},
        {"theirs puts a missile in front; mine re-aims one ship",
         {"S0 S1 S2", "R0 R1", "C0 C1", "L0 L1", "A:0:9:0:100 B:2:9:1:100 C:1:3:0:100"},
         {"S0 S1 S2", "RN R0 R1", "C0 C1", "L0 L1", "A:0:9:0:100 B:2:10:1:100 C:1:3:0:100"},
         "A:0:10:0:100 B:2:10:1:100 C:1:3:0:100", "S0 S1 S2", "L0 L1", "B0 B1", ""},
        {"mine removes a cockpit that theirs points a mount at",
         {"S0 S1 S2", "R0 R1", "C0", "L0 L1", "A:0:8:0:100 B:2:9:0:100 C:1:3:0:100"},
         {"S0 S1 S2", "R0 R1", "C0 C1", "L0 L1", "A:0:8:1:100 B:2:9:1:100 C:1:3:0:100"},
         "A:0:8:1:100 B:2:9:0:100 C:1:3:0:100", "S0 S1 S2", "L0 L1", "B0 B1",
         "A.turretMounts[0].cockpitIndex>C1"},
        {"both re-aim one ship differently",
         {"S0 S1 S2", "R0 R1", "C0 C1", "L0 L1", "A:1:8:0:100 B:2:9:1:100 C:1:3:0:100"},
         {"S0 S1 S2", "R0 R1", "C0 C1", "L0 L1", "A:2:8:0:100 B:2:9:1:100 C:1:3:0:100"},
         "A:1:8:0:100 B:2:9:1:100 C:1:3:0:100", "S0 S1 S2", "L0 L1", "B0 B1", "A.maxShieldType"},
        {"theirs swaps two lasers with their bullets; mine adds a pair",
         {"S0 S1 S2", "R0 R1", "C0 C1", "L0 L1 LM", "A:0:8:0:100 B:2:9:1:100 C:1:3:0:100"},
         {"S0 S1 S2", "R0 R1", "C0 C1", "L1 L0", "A:0:8:0:100 B:2:9:1:100 C:1:3:0:100"},
         "A:0:8:0:100 B:2:9:1:100 C:1:3:0:100", "S0 S1 S2", "L1 L0 LM", "B1 B0 BM", ""},
    };
    for (const auto& c : cases) {
        const GameState theirs = small(c.theirs);
        const GameMerge g = mergeGame(small(base), small(c.mine), theirs, Prefer::unsettled);
        EXPECT_EQ(shipsOf(g.merged), c.ships) << c.what;
        EXPECT_EQ(ids(g.merged.shields.records), c.shields) << c.what;
        EXPECT_EQ(ids(g.merged.lasers.records), c.lasers) << c.what;
        EXPECT_EQ(ids(g.merged.bullets.records), c.bullets) << c.what;
        EXPECT_EQ(conflictsOf(g), c.conflicts) << c.what;
    }
}

TEST(TableMerge, LasersAndBulletsThatNoLongerPairAreAConflict) {
    const Small base{"S0", "R0", "C0", "L0 L1", ""};
    GameState mine = small(base), theirs = small(base);
    mine.lasers.records.emplace_back().objectId = "LX"; // a laser added without its bullet
    mine.lasers.count = 3;
    EXPECT_EQ(conflictsOf(mergeGame(small(base), mine, theirs, Prefer::unsettled)), "LX.pairs");
    mine = small(base);
    std::swap(theirs.bullets.records[0], theirs.bullets.records[1]); // bullets moved, lasers not
    EXPECT_EQ(conflictsOf(mergeGame(small(base), mine, theirs, Prefer::unsettled)), "L0.pairs");
}

TEST(TableMerge, LinkedFieldsAreOneUnitAndPreferPicksOnlyThem) {
    GameState base = small({"S0", "", "", "L0", "A:0:0:0:100"});
    base.bullets.records[0].flightTime = 2000;
    base.bullets.records[0].projectileSpeed = 222000;
    base.ships.records[0].itemCount = 1;
    base.ships.records[0].items.resize(1);
    GameState mine = base, theirs = base;
    mine.bullets.records[0].projectileSpeed = 266400; // the window's speed
    theirs.bullets.records[0].flightTime = 3000;      // an import's range
    mine.ships.records[0].turretCount = 1;            // mine changes a turret
    mine.ships.records[0].turrets.resize(1);
    theirs.ships.records[0].itemCount = 2; // theirs adds an item and raises the hull
    theirs.ships.records[0].items.resize(2);
    theirs.ships.records[0].hullStrength = 5000;
    GameMerge g = mergeGame(base, mine, theirs, Prefer::unsettled);
    EXPECT_EQ(conflictsOf(g), "A.groups B0.flightTime");
    g = mergeGame(base, mine, theirs, Prefer::mine);
    const TShips& ship = g.merged.ships.records[0];
    EXPECT_EQ(ship.hullStrength, 5000); // THEIRS' hull stays
    EXPECT_EQ(ship.itemCount, 1);
    EXPECT_EQ(ship.turretCount, 1);
    EXPECT_EQ(g.merged.bullets.records[0].flightTime, 2000);
    EXPECT_EQ(g.merged.bullets.records[0].projectileSpeed, 266400);
}

TEST(TableMerge, ATableOneSideChangedIsThatSidesFile) {
    GameState base = game("A:1:1 B:2:2"), mine = base, theirs = game("B:2:2 A:1:1");
    theirs.shields.file.lfOnly = true;
    const GameMerge g = mergeGame(base, mine, theirs, Prefer::unsettled);
    EXPECT_EQ(table(g, TableId::shields).wholeFile, MergeSide::theirs);
    EXPECT_TRUE(table(g, TableId::shields).changesMine);
    EXPECT_EQ(written(g.merged.shields.records), "B:2:2 A:1:1");
}
