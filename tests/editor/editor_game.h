#pragma once
// A small game folder for the editor's tests, in the writer's own form (so that
// loading and saving it unchanged gives the same bytes), with the cases the
// editor must show: missing names, shared cockpits, turrets without guns or
// without a valid mount, out-of-range values.

#include "support/temp_folder.h"
#include "text/cp1251.h"

#include <map>
#include <string>
#include <vector>

// A record line of `fields` fields: the given columns, "0" for the others, and
// the objectId last.
inline std::string recordLine(int fields, const std::map<int, std::string>& columns,
                              const std::string& objectId) {
    std::string line;
    for (int i = 0; i + 1 < fields; ++i) {
        auto it = columns.find(i);
        line += (it == columns.end() ? std::string("0") : it->second) + ";";
    }
    return line + objectId + ";";
}

struct TestTurret {
    int gunCount;
    int gunGroups = 0;
};

// A ship line: 48 fixed columns (the manoeuvrability ones in their 7-character
// form), items, turrets, the five tail numbers with the price coefficient, objectId.
inline std::string shipLine(std::map<int, std::string> columns, int items,
                            const std::vector<TestTurret>& turrets, int priceCoefficient,
                            const std::string& objectId) {
    for (int c : {2, 3, 4})
        if (!columns.count(c)) columns[c] = "0.00000";
    columns[47] = std::to_string(items);
    std::string line;
    for (int i = 0; i < 48; ++i) line += (columns.count(i) ? columns[i] : "0") + ";";
    for (int i = 0; i < items; ++i) line += "1;2;3;4;";
    line += std::to_string(turrets.size()) + ";";
    for (const TestTurret& t : turrets) {
        line += "7;" + std::to_string(t.gunCount) + ";8;" + std::to_string(t.gunGroups) + ";";
        for (int g = 0; g < t.gunGroups; ++g) line += "1;2;3;4;5;6;";
    }
    return line + "11;" + std::to_string(priceCoefficient) + ";13;14;15;" + objectId + ";";
}

inline std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Ship columns by name.
enum ShipColumn {
    kX = 2, kY = 3, kRotation = 4, kNameId = 6, kSpeed = 7, kAcceleration = 8, kGenerator = 13,
    kMainMask = 18, kMaxShieldType = 20, kMaxShieldCount = 21, kMaxMissileType = 22,
    kMaxMissileCount = 23, kSpeedUpgrades = 24, kManoeuvrabilityUpgrades = 25, kMinCargo = 26,
    kMaxCargo = 27, kMount0Cockpit = 28, kMount0Position = 29, kMount1Cockpit = 30,
    kMount1Position = 31, kMount2Cockpit = 32, kMount2Position = 33, kHangar = 40, kBayType = 41,
    kHull = 43,
};

inline std::string tablesFile(int header, const std::vector<std::string>& records) {
    std::vector<std::string> lines = {std::to_string(header) + ";" +
                                      std::to_string(records.size()) + ";"};
    lines.insert(lines.end(), records.begin(), records.end());
    return joinLines(lines);
}

// The UTF-8 name page: page 17 between two other pages.
inline std::string namePage() {
    return joinLines({
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<language id=\"7\">",
        "<page id=\"3\" title=\"Other\">",
        "<t id=\"1002\">Не тот корабль</t>",
        "</page>",
        "<page id=\"17\" title=\"Objects\">",
        "<t id=\"1001\">Кондор</t>",
        "<t id=\"2001\">Импульсный лазер</t>",
        "<t id=\"2002\">Плазменная пушка</t>",
        "<t id=\"3001\">Щит 1 МДж</t>",
        "<t id=\"3002\">Щит 5 МДж</t>",
        "<t id=\"3003\">Щит 25 МДж</t>",
        "<t id=\"4001\">Игла-М</t>",
        "<t id=\"5001\">Рудник</t>",
        "<t id=\"6001\">Руда</t>",
        "<t id=\"6002\">Батареи</t>",
        "</page>",
        "</language>",
    });
}

// The game: three ships (the second without a name), three cockpits, three
// lasers with two bullets, three shields, two missiles, three stations, wares in
// four of the five files. Its tables are written with the writer's capitals.
inline void writeEditorGame(const TempGame& game) {
    std::filesystem::create_directories(game.path("t"));
    game.write("t/70001.xml", namePage());
    game.write("types/TShips.txt",
               tablesFile(4, {
                   shipLine({{kX, "0.25000"}, {kY, "0.58000"}, {kRotation, "0.123456"},
                             {kNameId, "1001"}, {kSpeed, "1000"}, {kAcceleration, "2220"},
                             {kGenerator, "450"}, {kMainMask, "1082130433"},
                             {kMaxShieldType, "2"}, {kMaxShieldCount, "3"},
                             {kMaxMissileType, "9"}, {kMaxMissileCount, "20"},
                             {kSpeedUpgrades, "12"}, {kManoeuvrabilityUpgrades, "7"},
                             {kMinCargo, "100"}, {kMaxCargo, "900"}, {kMount0Cockpit, "1"},
                             {kMount0Position, "3"}, {kMount1Cockpit, "2"},
                             {kMount1Position, "5"}, {kMount2Cockpit, "99"},
                             {kMount2Position, "9"}, {kHangar, "2"}, {kBayType, "3"},
                             {kHull, "5000"}},
                            1, {{2, 1}, {1, 2}, {0}, {4}}, 100, "SS_SH_CONDOR"),
                   shipLine({{kNameId, "1999"}, {kSpeed, "2220"}, {kMaxShieldCount, "1"},
                             {kMaxMissileCount, "1"}, {kBayType, "7"}},
                            0, {}, 1000, "SS_SH_NONAME"),
                   shipLine({{kNameId, "1003"}, {kMount0Cockpit, "1"}, {kMount0Position, "1"},
                             {kMaxShieldCount, "2"}, {kMaxMissileCount, "2"}},
                            0, {{0}, {3}}, 5, "SS_SH_SHARED"),
               }));
    game.write("types/TCockpits.txt",
               tablesFile(1, {recordLine(15, {{8, "7"}}, "SS_COCKPIT_A"),
                              recordLine(15, {{8, "-16777216"}}, "SS_COCKPIT_B"),
                              recordLine(15, {{8, "8388608"}}, "SS_COCKPIT_C")}));
    game.write("types/TLaser.txt",
               tablesFile(2, {recordLine(18, {{6, "2001"}, {7, "300"}, {10, "1500"}, {12, "5"},
                                              {13, "40"}, {14, "0"}, {16, "2"}},
                                         "SS_LASER_IRE"),
                              recordLine(18, {{6, "2002"}, {13, "100"}, {14, "10"}, {16, "9"}},
                                         "SS_LASER_PAC"),
                              recordLine(18, {{6, "2999"}, {13, "1000"}, {14, "250"}},
                                         "SS_LASER_LONE")}));
    game.write("types/TBullets.txt",
               tablesFile(3, {recordLine(33, {{7, "120"}, {8, "30"}, {10, "2000"},
                                              {11, "222000"}, {22, "400"}},
                                         "SS_BULLET_IRE"),
                              recordLine(33, {{10, "20000"}, {11, "222100"}}, "SS_BULLET_PAC")}));
    game.write("types/TShields.txt",
               tablesFile(5, {recordLine(17, {{6, "3001"}, {7, "3"}, {8, "1000"}, {12, "10"}},
                                         "SS_SHIELD_1"),
                              recordLine(17, {{6, "3002"}, {8, "5000"}}, "SS_SHIELD_5"),
                              recordLine(17, {{6, "3003"}, {8, "25000"}}, "SS_SHIELD_25")}));
    game.write("types/TRockets.txt",
               tablesFile(6, {recordLine(31, {{6, "4001"}, {7, "66600"}, {12, "900"},
                                              {26, "-10"}, {27, "100"}},
                                         "SS_MISSILE_NEEDLE"),
                              recordLine(31, {{6, "4999"}}, "SS_MISSILE_NONAME")}));
    game.write("types/TFactories.txt",
               tablesFile(7, {recordLine(22, {{6, "5001"}, {13, "1"}, {16, "30"}, {17, "1000"}},
                                         "SS_FACTORY_MINE"),
                              recordLine(22, {{6, "5999"}, {13, "5"}}, "SS_FACTORY_NONAME"),
                              recordLine(22, {{6, "5001"}, {13, "9"}}, "SS_FACTORY_NORACE")}));
    game.write("types/TWareB.txt", tablesFile(8, {recordLine(13, {{6, "6002"}, {8, "2"}},
                                                             "SS_WARE_BATTERY")}));
    game.write("types/TWareE.txt", tablesFile(8, {recordLine(13, {{6, "6999"}, {8, "7"}},
                                                             "SS_WARE_E")}));
    game.write("types/TWareF.txt", tablesFile(8, {}));
    game.write("types/TWareT.txt", tablesFile(8, {recordLine(13, {{6, "6001"}, {8, "100"},
                                                                  {9, "5"}},
                                                             "SS_WARE_ORE")}));
    // TWareM is missing on purpose.
}
