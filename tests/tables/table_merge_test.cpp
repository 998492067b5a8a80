// The three-way merge of a game: each rule on small tables, the references
// between tables on the moves a modder makes, and a property over generated
// games whose sides move, add and remove records and re-point their ships.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_game.h"
#include "support/wild_game.h"
#include "tables/load_tables.h"
#include "tables/save_tables.h"
#include "tables/table_merge.h"

namespace {

// "A:10:1 B:20:2" -> shields A and B with their power and volume.
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

std::string columnsOf(const TableMerge& m) {
    std::string columns;
    for (const MergeConflict& k : m.conflicts) (columns += columns.empty() ? "" : " ") += k.column;
    return columns;
}

// text followed by the number (GCC 12 warns wrongly of `text + std::to_string(n)`).
std::string numbered(std::string text, int64_t n) {
    text += std::to_string(n);
    return text;
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
        {"one field changed alike", "A:10:1", "A:11:1", "A:11:1", Prefer::unsettled, "A:11:1", ""},
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
        {"removed by mine, unchanged by theirs", "A:1:1 B:2:2", "A:1:1", "A:1:1 B:2:2", Prefer::unsettled, "A:1:1", ""},
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
    std::vector<Record> records;
    std::istringstream in(ids);
    std::string id;
    while (in >> id) records.emplace_back().objectId = id;
    return records;
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
    std::vector<TShips> ships;
    std::istringstream in(s.ships);
    std::string item;
    while (in >> item) {
        TShips& r = ships.emplace_back();
        std::vector<std::string> f;
        std::istringstream parts(item);
        for (std::string p; std::getline(parts, p, ':');) f.push_back(p);
        r.objectId = f[0];
        r.maxShieldType = std::stoi(f[1]);
        r.maxMissileType = std::stoi(f[2]);
        r.turretMounts[0].cockpitIndex = std::stoi(f[3]);
        r.speed = std::stoi(f[4]);
    }
    put(g.ships, std::move(ships));
    return g;
}

template <class Record> std::string ids(const std::vector<Record>& records) {
    std::string text;
    for (const Record& r : records) (text += text.empty() ? "" : " ") += r.objectId;
    return text;
}

std::string shipsOf(const GameState& g) {
    std::string text;
    for (const TShips& r : g.ships.records)
        (text += text.empty() ? "" : " ") += r.objectId + ":" + std::to_string(r.maxShieldType) + ":" +
                                             std::to_string(r.maxMissileType) + ":" +
                                             std::to_string(r.turretMounts[0].cockpitIndex) + ":" +
                                             std::to_string(r.speed);
    return text;
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

// ---- The property: random moves, additions and removals on each side ----

namespace {

// What every reference of a side names: a ship's eight by the objectId of the
// named record ("#n" for a number naming none), and each laser's bullet.
struct Meaning {
    std::map<std::string, std::array<std::string, 8>> ships;
    std::map<std::string, std::string> bulletOf;
};

template <class Record> std::string nameAt(const std::vector<Record>& table, int64_t index) {
    return index >= 0 && index < static_cast<int64_t>(table.size()) ? table[static_cast<size_t>(index)].objectId
                                                                    : numbered("#", index);
}

Meaning meaningOf(const GameState& g) {
    Meaning m;
    for (const TShips& s : g.ships.records) {
        std::array<std::string, 8>& refs = m.ships[s.objectId];
        refs[0] = nameAt(g.shields.records, s.maxShieldType);
        refs[1] = s.maxMissileType < 8 ? numbered("#", s.maxMissileType)
                                       : nameAt(g.rockets.records, int64_t(s.maxMissileType) - 8);
        for (size_t k = 0; k < 6; ++k) refs[2 + k] = nameAt(g.cockpits.records, s.turretMounts[k].cockpitIndex);
    }
    for (size_t i = 0; i < g.lasers.records.size(); ++i)
        m.bulletOf[g.lasers.records[i].objectId] = nameAt(g.bullets.records, static_cast<int64_t>(i));
    return m;
}

constexpr std::string_view kRefColumns[8] = {"maxShieldType",
                                              "maxMissileType",
                                              "turretMounts[0].cockpitIndex",
                                              "turretMounts[1].cockpitIndex",
                                              "turretMounts[2].cockpitIndex",
                                              "turretMounts[3].cockpitIndex",
                                              "turretMounts[4].cockpitIndex",
                                              "turretMounts[5].cockpitIndex"};

// Moves, adds and removes records of one table; `where[i]` is the new place of
// old record i (-1: removed). Copies of records come in with fresh ids.
template <class Record>
std::vector<int64_t> reshape(std::vector<Record>& t, WildNumbers& n, const std::string& tag, bool mayRemove) {
    std::vector<std::pair<int64_t, Record>> rows; // old index (-1 added), record
    for (size_t i = 0; i < t.size(); ++i) rows.push_back({static_cast<int64_t>(i), t[i]});
    if (mayRemove && !rows.empty() && n.chance(40)) rows.erase(rows.begin() + n.below(uint32_t(rows.size())));
    if (n.chance(40) && rows.size() > 1) { // one record moved
        const size_t from = n.below(uint32_t(rows.size())), to = n.below(uint32_t(rows.size()));
        auto row = rows[from];
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(from));
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(to), row);
    }
    for (uint32_t k = n.below(3); k > 0 && !t.empty(); --k) {
        Record r = t[n.below(uint32_t(t.size()))];
        r.objectId = numbered(tag, k);
        rows.insert(rows.begin() + n.below(uint32_t(rows.size() + 1)), {-1, r});
    }
    std::vector<int64_t> where(t.size(), -1);
    t.clear();
    for (size_t p = 0; p < rows.size(); ++p) {
        if (rows[p].first >= 0) where[static_cast<size_t>(rows[p].first)] = static_cast<int64_t>(p);
        t.push_back(rows[p].second);
    }
    return where;
}

// A reference that followed its record, or was re-aimed (now and then, or when
// its record is gone) to another record of the side.
int32_t follow(int32_t value, int32_t offset, const std::vector<int64_t>& where, size_t size, WildNumbers& n) {
    const int64_t index = int64_t(value) - offset;
    if (index < 0 || index >= static_cast<int64_t>(where.size())) return value; // names no record
    const int64_t moved = where[static_cast<size_t>(index)];
    if ((moved < 0 || n.chance(8)) && size > 0) return static_cast<int32_t>(n.below(uint32_t(size)) + offset);
    return static_cast<int32_t>(moved < 0 ? value : moved + offset);
}

void editSide(GameState& g, WildNumbers& n, const std::string& side) {
    const std::vector<int64_t> shields = reshape(g.shields.records, n, side + "_SH", true);
    const std::vector<int64_t> rockets = reshape(g.rockets.records, n, side + "_RK", true);
    const std::vector<int64_t> cockpits = reshape(g.cockpits.records, n, side + "_CP", true);
    // Lasers and their bullets move as one.
    struct Pair {
        TLasers l;
        TBullets b;
        std::string objectId;
    };
    std::vector<Pair> rows;
    for (size_t i = 0; i < g.lasers.records.size(); ++i)
        rows.push_back({g.lasers.records[i], g.bullets.records[i], g.lasers.records[i].objectId});
    reshape(rows, n, side + "_LB", true);
    g.lasers.records.clear();
    g.bullets.records.clear();
    for (Pair& p : rows) {
        if (p.objectId != p.l.objectId) p.l.objectId = p.objectId, p.b.objectId = p.objectId + "_B";
        g.lasers.records.push_back(p.l);
        g.bullets.records.push_back(p.b);
    }
    for (TShips& s : g.ships.records) {
        s.maxShieldType = follow(s.maxShieldType, 0, shields, g.shields.records.size(), n);
        s.maxMissileType = follow(s.maxMissileType, 8, rockets, g.rockets.records.size(), n);
        for (TTurretMount& m : s.turretMounts) m.cockpitIndex = follow(m.cockpitIndex, 0, cockpits, g.cockpits.records.size(), n);
        if (n.chance(10)) s.speed += 222;
    }
    g.shields.count = int32_t(g.shields.records.size());
    g.rockets.count = int32_t(g.rockets.records.size());
    g.cockpits.count = int32_t(g.cockpits.records.size());
    g.lasers.count = int32_t(g.lasers.records.size());
    g.bullets.count = int32_t(g.bullets.records.size());
}

// A game grown from the sample: more records of each linked table, unique ids,
// ships aimed at random records.
GameState generatedBase(uint32_t seed) {
    GameState g = loadedGame(std::string(ORVEX_SAMPLE_GAME) + "/");
    const auto grow = [](auto& table, const char* tag, size_t count) {
        const auto records = table.records;
        table.records.clear();
        for (size_t i = 0; i < count; ++i) {
            table.records.push_back(records[i % records.size()]);
            table.records.back().objectId = numbered(tag, static_cast<int64_t>(i));
        }
        table.count = static_cast<int32_t>(count);
    };
    grow(g.shields, "SH", 9);
    grow(g.rockets, "RK", 7);
    grow(g.cockpits, "CP", 8);
    grow(g.lasers, "LS", 8);
    grow(g.bullets, "BL", 8);
    grow(g.ships, "SS", 24);
    WildNumbers n(seed);
    for (TShips& s : g.ships.records) {
        s.maxShieldType = static_cast<int32_t>(n.below(9));
        s.maxMissileType = static_cast<int32_t>(n.below(15));
        for (TTurretMount& m : s.turretMounts) m.cockpitIndex = static_cast<int32_t>(n.below(8));
    }
    return g;
}

uint32_t seedCount() {
    const char* n = std::getenv("ORVEX_MERGE_SEEDS");
    return n && *n ? static_cast<uint32_t>(std::strtoul(n, nullptr, 10)) : 40u;
}

} // namespace

TEST(TableMerge, EveryReferenceNamesWhatItsSidesMeant) {
    for (uint32_t seed = 1; seed <= seedCount(); ++seed) {
        const GameState base = generatedBase(seed);
        GameState mine = base, theirs = base;
        WildNumbers n(seed * 7919u);
        editSide(mine, n, "M");
        editSide(theirs, n, "T");
        const GameMerge g = mergeGame(base, mine, theirs, Prefer::unsettled);
        const Meaning b = meaningOf(base), m = meaningOf(mine), t = meaningOf(theirs), out = meaningOf(g.merged);
        const auto conflictOn = [&](const std::string& ship, std::string_view column) {
            for (const MergeConflict& c : table(g, TableId::ships).conflicts)
                if (c.objectId == ship && c.column == column) return true;
            return false;
        };
        for (const auto& [ship, named] : out.ships) {
            if (!b.ships.count(ship)) continue;
            for (size_t k = 0; k < 8; ++k) {
                const std::string &was = b.ships.at(ship)[k], &mm = m.ships.at(ship)[k], &tt = t.ships.at(ship)[k];
                const bool agree = mm == tt || mm == was || tt == was;
                const std::string& meant = mm == was ? tt : mm;
                if (!agree) {
                    EXPECT_TRUE(conflictOn(ship, kRefColumns[k])) << "seed " << seed << ", " << ship << "." << kRefColumns[k];
                } else if (!conflictOn(ship, kRefColumns[k])) {
                    EXPECT_EQ(named[k], meant) << "seed " << seed << ", " << ship << "." << kRefColumns[k];
                }
            }
        }
        // Each laser fires the bullet it fired on its sides.
        if (table(g, TableId::lasers).conflicts.empty())
            for (const auto& [laser, bullet] : out.bulletOf) {
                const std::string& meant = m.bulletOf.count(laser) ? m.bulletOf.at(laser) : t.bulletOf.at(laser);
                EXPECT_EQ(bullet, meant) << "seed " << seed << ", laser " << laser;
            }
        // No reference points past its table.
        for (const TShips& s : g.merged.ships.records) {
            EXPECT_LT(s.maxShieldType, static_cast<int32_t>(g.merged.shields.records.size())) << "seed " << seed;
            for (const TTurretMount& mount : s.turretMounts)
                EXPECT_LT(mount.cockpitIndex, static_cast<int32_t>(g.merged.cockpits.records.size())) << "seed " << seed;
        }
    }
}
