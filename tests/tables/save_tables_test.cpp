// Writing every table back: the file form, what survives a round trip, the
// backups, and what happens when a file cannot be written.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "support/test_game.h"
#include "text/file_fingerprint.h"
#include "text/files.h"

namespace {

// The paths of report.failed, in order.
std::vector<std::string> failedPaths(const SaveReport& report) {
    std::vector<std::string> paths;
    for (const SaveFailure& f : report.failed) paths.push_back(f.path);
    return paths;
}

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

// Every table, in the shapes a game's files take: numbers with signs, leading
// zeros and long fractions, lower-case file names, LF and CR LF line ends, text
// after the fields and after the records, counts that do not match the line.
void writeUntidyGame(const TempGame& game) {
    game.write("types/tships.txt",
               "3;3;\r\n" + shipFixedColumns() + "0;0;" + shipTail("SS_SH_A") + "\r\n" +
                   shipFixedColumns() + "1;1;2;3;4;2;0;+4;0;1;1;2;3;4;5;6;0;0;0;0;" +
                   shipTail("SS_SH_B") + " note\r\n" + shipFixedColumns() + "-1;2;\n");
    game.writeLines("types/TCockpits.txt",
                    {"// Created with a tool", "//", "1;2;extra",
                     "1;2;3;4;5;6;7;8;0009;10;11;12;13;14;SS_CO_A;",
                     "1;2;3;4;5;6;7;8;+12;10;11;12;13;14;SS_CO_B;old;fields;", "// end"});
    game.writeLines("types/TLaser.txt",
                    {"2;2;", "1;2;0.50000;1.25;5;6;77;8;9;10;11;12.5;13;14;15;16;4;SS_LA_A;",
                     "1;2;3;4;5;6;78;8;9;10;11;12;13;14;15;16;4;SS_LA_B;"});
    game.writeLines("types/TBullets.txt", {"3;1;", numbers(32) + "SS_BU_A;"});
    game.writeLines("types/TShields.txt", {"4;1;", numbers(16) + "SS_SH_A;"});
    game.writeLines("types/TRockets.txt", {"5;1;", numbers(30) + "SS_MI_A;", "", "trailing"});
    game.writeLines("types/TFactories.txt",
                    {"6;1;", "1;2;3;4;5;6;79;8;1.5e1;10;11;12;13;5;15;16;17;18;19;20;2;SS_FA_A;"});
    game.writeLines("types/TWareB.txt", {"10;2;", numbers(12) + "W_B0;", numbers(12) + "W_B1;"});
    game.writeLines("types/TWareE.txt", {"11;0;"});
    game.writeLines("types/TWareF.txt", {"12;1;", "1;2;0.333;4;5;6;7;8;9;10;11;3;W_F0;"});
    game.writeLines("types/TWareM.txt", {"13;1;", numbers(12) + "W_M0;"});
    game.writeLines("types/TWareT.txt", {"14;1;", numbers(12) + "W_T0;"});
}

const char* const kTables[12] = {"TBullets", "TCockpits", "TShips",   "TFactories",
                                 "TLaser",   "TShields",  "TRockets", "TWareB",
                                 "TWareE",   "TWareF",    "TWareM",   "TWareT"};

// The bytes of every table file, found whatever the case of its name on disk.
std::vector<std::string> tableBytes(const TempGame& game) {
    std::vector<std::string> out(12);
    for (int i = 0; i < 12; ++i)
        readWholeFile(game.folder() + "types\\" + kTables[i] + ".txt", out[i]);
    return out;
}

class Saving : public ::testing::Test {
  protected:
    Saving() { state.folder = game.folder(); }
    TempGame game;
    GameState state;
};

// Numbers come back in their shortest form, manoeuvrability with seven characters,
// remarks, extra text and lines as they were, every line ended by CR LF; the ware files take
// their records in turn. The first save keeps the previous file as the backup; a
// second save gives the same bytes, never changes a backup and leaves nothing else
// behind. A table keeps the spelling of its name on disk.
TEST_F(Saving, TablesAreWrittenInTheWritersFormAfterABackup) {
    writeUntidyGame(game);
    const std::vector<std::string> original = tableBytes(game);
    loadAllTables(state);
    state.wareF.records[0].priceCoefficient = 42;
    EXPECT_EQ(failedPaths(saveAllTables(state)), Paths{});
    EXPECT_EQ(game.read("types/TCockpits.txt"),
              "// Created with a tool\r\n//\r\n1;2;extra\r\n"
              "1;2;3;4;5;6;7;8;9;10;11;12;13;14;SS_CO_A;\r\n"
              "1;2;3;4;5;6;7;8;12;10;11;12;13;14;SS_CO_B;old;fields;\r\n"
              "// end\r\n");
    EXPECT_EQ(game.read("types/TLaser.txt"),
              "2;2;\r\n1;2;0.5;1.25;5;6;77;8;9;10;11;12.5;13;14;15;16;4;SS_LA_A;\r\n"
              "1;2;3;4;5;6;78;8;9;10;11;12;13;14;15;16;4;SS_LA_B;\r\n");
    EXPECT_EQ(game.read("types/TFactories.txt"),
              "6;1;\r\n1;2;3;4;5;6;79;8;15;10;11;12;13;5;15;16;17;18;19;20;2;SS_FA_A;\r\n");
    EXPECT_EQ(game.read("types/TRockets.txt"),
              "5;1;\r\n" + numbers(30) + "SS_MI_A;\r\n\r\ntrailing\r\n");
    EXPECT_EQ(game.read("types/TWareE.txt"), "11;0;\r\n") << "a header line alone";
    EXPECT_EQ(game.read("types/TWareF.txt"), "12;1;\r\n1;2;0.333;4;5;6;7;8;42;10;11;3;W_F0;\r\n");
    std::string fixed = shipFixedColumns();
    fixed.replace(fixed.find("0.25;0.5;1.5;"), 13, "0.25000;0.50000;1.50000;");
    EXPECT_EQ(game.read("types/tships.txt"),
              "3;3;\r\n" + fixed + "0;0;" + shipTail("SS_SH_A") + "\r\n" + fixed +
                  "1;1;2;3;4;2;0;4;0;1;1;2;3;4;5;6;0;0;0;0;" + shipTail("SS_SH_B") + " note\r\n" +
                  fixed + "-1;2;0;0;0;0;0;0;0;0;0;0;0;0;0;;\r\n");

    const std::vector<std::string> first = tableBytes(game);
    ASSERT_EQ(failedPaths(saveAllTables(loadedGame(game))), Paths{});
    EXPECT_EQ(tableBytes(game), first);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(game.read(std::string("types/") + kTables[i] + ".bak"), original[i]) << kTables[i];
    const Paths entries = game.typesEntries();
    EXPECT_EQ(entries.size(), 24u);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "tships.txt"), 1);
}

// Tables missing at start-up are not created; unreadable ones and ones not in
// format (another version's columns, a slip, a lost last semicolon, a count above
// the lines, a NUL tail) are never touched, nor are their backups.
TEST_F(Saving, OnlyTablesReadAsTheyStandAreWritten) {
    const std::vector<std::pair<std::string, std::string>> kept = {
        {"types/TLaser.txt", "1;1000001;\r\nwhatever\r\n"},
        {"types/TWareM.txt", "1;-1;\r\n"},
        {"types/TWareB.txt", "1;-1;\r\n"},
        {"types/TBullets.txt", "1;1;\n" + numbers(5) + "0;SG_LASER_IRE;8003;" + numbers(24) + "X;\n"},
        {"types/TShields.txt", "// tool\r\n4;1;\r\n" + numbers(16) + "SS_SH_A\r\n"},
        {"types/TRockets.txt", "5;1;\r\n0,58;" + numbers(29) + "SS_MI_A;\r\n"},
        {"types/TFactories.txt", "6;3;\n" + numbers(21) + "SS_FA_A;\n" + numbers(21) + "SS_FA_B;\n"},
        {"types/TWareT.txt", "14;1;\r\n" + numbers(12) + "W_T0;\r\n" + std::string(3, '\0')}};
    for (const auto& [name, bytes] : kept) game.write(name, bytes);
    game.writeLines("types/TCockpits.txt", {"1;0;"});
    game.write("types/TWareB.bak", "old");
    loadAllTables(state);
    EXPECT_EQ(failedPaths(saveAllTables(state)), Paths{});
    EXPECT_EQ(game.typesEntries(),
              (Paths{"TBullets.txt", "TCockpits.bak", "TCockpits.txt", "TFactories.txt", "TLaser.txt",
                     "TRockets.txt", "TShields.txt", "TWareB.bak", "TWareB.txt", "TWareM.txt",
                     "TWareT.txt"}));
    for (const auto& [name, bytes] : kept) EXPECT_EQ(game.read(name), bytes) << name;
    EXPECT_EQ(game.read("types/TWareB.bak"), "old");
}

// Each table is written with the line ends it was read with, edited or not: LF
// alone stays LF alone, CR LF and any mix (a lone CR too) become CR LF, and the
// last line ends only if it did.
TEST_F(Saving, EachTableKeepsTheLineEndsItWasReadWith) {
    const std::string a = recordLine(14, {}, "SS_CO_A"), b = recordLine(14, {}, "SS_CO_B");
    const struct {
        std::string read, written;
    } cases[] = {
        {"1;1;\n" + a + "\n", "1;1;\n" + a + "\n"},
        {"// tool\n1;2;x\n" + a + "\n" + b + "\nkept", "// tool\n1;2;x\n" + a + "\n" + b + "\nkept"},
        {"1;1;\r\n" + a, "1;1;\r\n" + a},
        {"1;0;", "1;0;"},
        {"1;1;\n" + a + "\r\n", "1;1;\r\n" + a + "\r\n"},
        {"1;2;\r" + a + "\n" + b, "1;2;\r\n" + a + "\r\n" + b}};
    for (const auto& c : cases) {
        game.write("types/TCockpits.txt", c.read);
        loadTable(state, TableId::cockpits);
        ASSERT_FALSE(keptFromSaving(state.cockpits.file)) << c.read;
        ASSERT_EQ(failedPaths(saveAllTables(state)), Paths{});
        EXPECT_EQ(game.read("types/TCockpits.txt"), c.written) << testing::PrintToString(c.read);
    }
    game.write("types/TCockpits.txt", "1;1;\n" + a + "\n");
    loadTable(state, TableId::cockpits);
    state.cockpits.records[0].weaponMask = 77;
    ASSERT_EQ(failedPaths(saveAllTables(state)), Paths{});
    EXPECT_EQ(game.read("types/TCockpits.txt"), "1;1;\n" + recordLine(14, {{8, "77"}}, "SS_CO_A") + "\n");
}

// Each file that cannot be written is reported and keeps its bytes (so does a
// backup that cannot be made or changed), the other tables are still written, and
// no temporary is left behind.
TEST_F(Saving, FilesThatCannotBeWrittenAreReportedAndKeepTheirContent) {
    writeUntidyGame(game);
    loadAllTables(state);
    state.lasers.records[0].col0 = 5; // so that the written table differs from its file
    const std::vector<std::string> before = tableBytes(game);
    const auto noWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(game.path("types/tships.txt"), noWrite, fs::perm_options::remove);
    fs::remove(game.path("types/TShields.txt"));
    fs::create_directory(game.path("types/TShields.txt"));
    fs::create_directory(game.path("types/TBullets.bak"));
    game.write("types/TLaser.bak", "first");
    fs::permissions(game.path("types/TLaser.bak"), noWrite, fs::perm_options::remove);
    // the ship file is lower case on disk; the editor names it with capitals
    const SaveReport report = saveAllTables(state);
    EXPECT_EQ(failedPaths(report),
              (Paths{"types\\TBullets.txt", "types\\TShips.txt", "types\\TShields.txt"}));
    EXPECT_EQ(report.failed[1].fault, FileFault::ReadOnly);
    EXPECT_EQ(report.written, 9);
    const std::vector<std::string> after = tableBytes(game);
    EXPECT_EQ(std::tuple(after[0], after[2]), std::tuple(before[0], before[2]));
    EXPECT_TRUE(fs::is_directory(game.path("types/TShields.txt")));
    EXPECT_EQ(game.read("types/TLaser.bak"), "first");
    EXPECT_EQ(after[4].substr(6, 2), "5;") << "the other tables are written";
    EXPECT_TRUE(game.exists("types/TWareT.bak"));
    for (const std::string& name : game.typesEntries())
        EXPECT_TRUE(name.ends_with(".txt") || name.ends_with(".bak")) << name;
}

// A table is written only while its file is what the caller expects there: one
// another program wrote since keeps that program's bytes, gets no backup and is
// reported as changed, while the other tables are written. Without an expected
// identity the file is replaced whatever it holds; a file the caller saw removed
// is written again.
TEST(SavingOverAnotherProgram, AFileChangedSinceTheCallerLookedIsLeftAndReported) {
    enum class Expect { asRead, removed, none };
    struct Case {
        const char* what;
        Expect expect;
        const char* otherWrites; // nullptr: the file is left alone; "": removed
        bool written;
    };
    for (const Case& c : {
             Case{"unchanged", Expect::asRead, nullptr, true},
             Case{"written by another program", Expect::asRead, "17;0;\r\n", false},
             Case{"removed by another program", Expect::asRead, "", false},
             Case{"no identity expected", Expect::none, "17;0;\r\n", true},
             Case{"seen removed", Expect::removed, "", true},
         }) {
        SCOPED_TRACE(c.what);
        TempGame game;
        game.copyGame(ORVEX_SAMPLE_GAME);
        GameState state = loadedGame(game);
        state.ships.records[0].hullStrength += 1; // so that a write shows
        ExpectedFiles expected;
        for (const TableName& row : kTableNames)
            visitTable(state, row.id, [&](const auto& v) { expected[static_cast<size_t>(row.id)] = v.file.identity; });
        if (c.expect == Expect::removed) expected[static_cast<size_t>(TableId::ships)] = FileFingerprint{};
        if (c.expect == Expect::none) expected[static_cast<size_t>(TableId::ships)].reset();
        if (c.otherWrites && *c.otherWrites) game.write("types/TShips.txt", c.otherWrites);
        if (c.otherWrites && !*c.otherWrites) fs::remove(game.path("types/TShips.txt"));
        const std::string other = game.read("types/TShips.txt"); // "" when removed
        const SaveReport report = saveAllTables(state, {}, expected);
        EXPECT_EQ(report.changed, c.written ? std::vector<TableId>{} : std::vector<TableId>{TableId::ships});
        EXPECT_EQ(failedPaths(report), Paths{});
        EXPECT_EQ(report.written, c.written ? 12 : 11) << "the other tables are written";
        EXPECT_EQ(game.exists("types/TShips.bak"), c.written && c.expect != Expect::removed);
        EXPECT_EQ(game.read("types/TShips.txt"), c.written ? tableText(state, TableId::ships) : other);
        EXPECT_EQ(game.exists("types/TShips.txt"), c.written || !other.empty());
        for (const std::string& name : game.typesEntries())
            EXPECT_TRUE(name.ends_with(".txt") || name.ends_with(".bak")) << name;
    }
}

TEST_F(Saving, AMissingTypesFolderIsReportedForEveryTable) {
    writeUntidyGame(game);
    loadAllTables(state);
    fs::rename(game.path("types"), game.path("types-away"));
    Paths all;
    for (const char* table : kTables) all.push_back(std::string("types\\") + table + ".txt");
    const SaveReport report = saveAllTables(state);
    EXPECT_EQ(failedPaths(report), all);
    EXPECT_EQ(std::tuple(report.failed[0].fault, report.written), std::tuple(FileFault::NoFolder, 0));
    EXPECT_FALSE(game.exists("types"));
}

} // namespace
