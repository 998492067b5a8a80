#pragma once
// Record lines and game folders for the tests: lines built column by column,
// the editor tests' small game, and games loaded, changed and written back as
// the editor writes them.

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "tables/load_tables.h"
#include "tables/save_tables.h"
#include "tables/table_list.h"

// `n` numeric fields, "0" where `given` has no value, each ended by ';'.
inline std::string numbers(int n, const std::map<int, std::string>& given = {}) {
    std::string line;
    for (int i = 0; i < n; ++i) {
        const auto it = given.find(i);
        (line += it == given.end() ? "0" : it->second) += ';';
    }
    return line;
}

// A record line: `n` numeric fields, then the objectId.
inline std::string recordLine(int n, const std::map<int, std::string>& given, const std::string& objectId) {
    return numbers(n, given) + objectId + ";";
}

// Columns 0..46 of a ship line, each value distinct: column i holds 100 + i,
// except the manoeuvrability columns 2..4, which hold 0.25, 0.5 and 1.5.
inline std::string shipFixedColumns() {
    std::string line = "100;101;0.25;0.5;1.5;";
    for (int i = 5; i < 47; ++i) line += std::to_string(100 + i) + ";";
    return line;
}

// The five tail numbers and the objectId.
inline std::string shipTail(const std::string& objectId) { return "901;902;903;904;905;" + objectId + ";"; }

// Ship columns by name.
enum ShipColumn {
    kX = 2, kY = 3, kRotation = 4, kNameId = 6, kSpeed = 7, kAcceleration = 8, kGenerator = 13,
    kMainMask = 18, kMaxShieldType = 20, kMaxShieldCount = 21, kMaxMissileType = 22,
    kMaxMissileCount = 23, kSpeedUpgrades = 24, kManoeuvrabilityUpgrades = 25, kMinCargo = 26,
    kMaxCargo = 27, kMount0Cockpit = 28, kMount0Position = 29, kMount1Cockpit = 30,
    kMount1Position = 31, kMount2Cockpit = 32, kMount2Position = 33, kHangar = 40, kBayType = 41,
    kHull = 43, kItemCount = 47,
};

// A ship line: the 48 fixed columns ("0" unless given, manoeuvrability in the
// writer's form), the counted groups as written (after column 47's items: the
// turret count and the turrets), the five tail numbers and the objectId.
inline std::string shipLine(std::map<int, std::string> columns, const std::string& groups,
                            const std::string& objectId, const std::string& tail = "0;0;0;0;0;") {
    for (int c : {kX, kY, kRotation}) columns.try_emplace(c, "0.00000");
    return numbers(48, columns) + groups + tail + objectId + ";";
}

// One turret of a ship line: its gun count and its gun groups.
inline std::string turret(int guns, int gunGroups = 0) {
    std::string text = "7;" + std::to_string(guns) + ";8;" + std::to_string(gunGroups) + ";";
    for (int g = 0; g < gunGroups; ++g) text += "1;2;3;4;5;6;";
    return text;
}

// A table file: the header, then the records, each line ended by CR LF.
inline std::string tablesFile(int header, const std::vector<std::string>& records) {
    std::string text = std::to_string(header) + ";" + std::to_string(records.size()) + ";\r\n";
    for (const std::string& line : records) text += line + "\r\n";
    return text;
}

// The UTF-8 name page of the editor tests' game: page 17 between two other pages.
inline std::string namePage() {
    std::string page = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<language id=\"7\">\r\n"
                       "<page id=\"3\" title=\"Other\">\r\n<t id=\"1002\">Не тот корабль</t>\r\n</page>\r\n"
                       "<page id=\"17\" title=\"Objects\">\r\n";
    for (const char* line : {"1001\">Кондор", "2001\">Импульсный лазер", "2002\">Плазменная пушка",
                             "3001\">Щит 1 МДж", "3002\">Щит 5 МДж", "3003\">Щит 25 МДж", "4001\">Игла-М",
                             "5001\">Рудник", "6001\">Руда", "6002\">Батареи"})
        page += std::string("<t id=\"") + line + "</t>\r\n";
    return page + "</page>\r\n</language>\r\n";
}

// The editor tests' game, in the writer's own form (so that loading and saving
// it unchanged gives the same bytes): three ships (the second without a name),
// three cockpits (the first two shared by ships), three lasers with two
// bullets, three shields, two missiles, three stations, wares in four of the
// five files (TWareM is missing), with names missing and values out of range.
inline void writeEditorGame(const TempGame& game) {
    game.write("t/70001.xml", namePage());
    game.write("types/TShips.txt",
               tablesFile(4, {
                   shipLine({{kX, "0.25000"}, {kY, "0.58000"}, {kRotation, "0.123456"}, {kNameId, "1001"},
                             {kSpeed, "1000"}, {kAcceleration, "2220"}, {kGenerator, "450"},
                             {kMainMask, "1082130433"}, {kMaxShieldType, "2"}, {kMaxShieldCount, "3"},
                             {kMaxMissileType, "9"}, {kMaxMissileCount, "20"}, {kSpeedUpgrades, "12"},
                             {kManoeuvrabilityUpgrades, "7"}, {kMinCargo, "100"}, {kMaxCargo, "900"},
                             {kMount0Cockpit, "1"}, {kMount0Position, "3"}, {kMount1Cockpit, "2"},
                             {kMount1Position, "5"}, {kMount2Cockpit, "99"}, {kMount2Position, "9"},
                             {kHangar, "2"}, {kBayType, "3"}, {kHull, "5000"}, {kItemCount, "1"}},
                            "1;2;3;4;4;" + turret(2, 1) + turret(1, 2) + turret(0) + turret(4), "SS_SH_CONDOR",
                            "11;100;13;14;15;"),
                   shipLine({{kNameId, "1999"}, {kSpeed, "2220"}, {kMaxShieldCount, "1"}, {kMaxMissileCount, "1"},
                             {kBayType, "7"}},
                            "0;", "SS_SH_NONAME", "11;1000;13;14;15;"),
                   shipLine({{kNameId, "1003"}, {kMount0Cockpit, "1"}, {kMount0Position, "1"},
                             {kMaxShieldCount, "2"}, {kMaxMissileCount, "2"}},
                            "2;" + turret(0) + turret(3), "SS_SH_SHARED", "11;5;13;14;15;"),
               }));
    game.write("types/TCockpits.txt",
               tablesFile(1, {recordLine(14, {{8, "7"}}, "SS_COCKPIT_A"),
                              recordLine(14, {{8, "-16777216"}}, "SS_COCKPIT_B"),
                              recordLine(14, {{8, "8388608"}}, "SS_COCKPIT_C")}));
    game.write("types/TLaser.txt",
               tablesFile(2, {recordLine(17, {{6, "2001"}, {7, "300"}, {10, "1500"}, {12, "5"}, {13, "40"}, {16, "2"}},
                                         "SS_LASER_IRE"),
                              recordLine(17, {{6, "2002"}, {13, "100"}, {14, "10"}, {16, "9"}}, "SS_LASER_PAC"),
                              recordLine(17, {{6, "2999"}, {13, "1000"}, {14, "250"}}, "SS_LASER_LONE")}));
    game.write("types/TBullets.txt",
               tablesFile(3, {recordLine(32, {{7, "120"}, {8, "30"}, {10, "2000"}, {11, "222000"}, {22, "400"}},
                                         "SS_BULLET_IRE"),
                              recordLine(32, {{10, "20000"}, {11, "222100"}}, "SS_BULLET_PAC")}));
    game.write("types/TShields.txt",
               tablesFile(5, {recordLine(16, {{6, "3001"}, {7, "3"}, {8, "1000"}, {12, "10"}}, "SS_SHIELD_1"),
                              recordLine(16, {{6, "3002"}, {8, "5000"}}, "SS_SHIELD_5"),
                              recordLine(16, {{6, "3003"}, {8, "25000"}}, "SS_SHIELD_25")}));
    game.write("types/TRockets.txt",
               tablesFile(6, {recordLine(30, {{6, "4001"}, {7, "66600"}, {12, "900"}, {26, "-10"}, {27, "100"}},
                                         "SS_MISSILE_NEEDLE"),
                              recordLine(30, {{6, "4999"}}, "SS_MISSILE_NONAME")}));
    game.write("types/TFactories.txt",
               tablesFile(7, {recordLine(21, {{6, "5001"}, {13, "1"}, {16, "30"}, {17, "1000"}}, "SS_FACTORY_MINE"),
                              recordLine(21, {{6, "5999"}, {13, "5"}}, "SS_FACTORY_NONAME"),
                              recordLine(21, {{6, "5001"}, {13, "9"}}, "SS_FACTORY_NORACE")}));
    game.write("types/TWareB.txt", tablesFile(8, {recordLine(12, {{6, "6002"}, {8, "2"}}, "SS_WARE_BATTERY")}));
    game.write("types/TWareE.txt", tablesFile(8, {recordLine(12, {{6, "6999"}, {8, "7"}}, "SS_WARE_E")}));
    game.write("types/TWareF.txt", tablesFile(8, {}));
    game.write("types/TWareT.txt", tablesFile(8, {recordLine(12, {{6, "6001"}, {8, "100"}, {9, "5"}}, "SS_WARE_ORE")}));
}

// Every table of the game folder, loaded as the editor loads it.
inline GameState loadedGame(const std::string& folder) {
    GameState s;
    s.folder = folder;
    loadAllTables(s);
    return s;
}
inline GameState loadedGame(const TempGame& game) { return loadedGame(game.folder()); }

// The bytes the writer gives for table `id` of `s`.
inline std::string tableText(const GameState& s, TableId id) {
    return visitTable(s, id, [](const auto& v) { return tableFileText(v.headerValue, v.file, v.records); });
}

// Table `id` of the game folder as another program leaves it: loaded, changed
// by `edit`, and its writer's bytes given back (not written).
inline std::string changedTableText(const TempGame& game, TableId id, const std::function<void(GameState&)>& edit) {
    GameState s = loadedGame(game);
    edit(s);
    return tableText(s, id);
}

// Changes the game folder's tables with `edit` and writes tables `ids` back as
// the editor writes them, without the backups of a first save.
inline void editGame(const TempGame& game, const std::function<void(GameState&)>& edit,
                     std::initializer_list<TableId> ids = {TableId::ships}) {
    GameState s = loadedGame(game);
    edit(s);
    for (TableId id : ids) {
        std::string name(tableName(id).fileName.substr(6)); // after "types\"
        game.write("types/" + name, tableText(s, id));
    }
}
