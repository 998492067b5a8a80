// Writing every table back: the file form, what survives a round trip, the
// backups, and what happens when a file cannot be written.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tables/load_tables.h"
#include "tables/save_tables.h"
#include "tables/ship_lines.h"
#include "tables/temp_game.h"

namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

std::string zeros(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "0;";
    return s;
}

// Every table, in the shapes a game's files take: numbers with signs, leading
// zeros and long fractions, lower-case file names, LF and CR LF line ends, text
// after the fields and after the records, counts that do not match the line.
void writeUntidyGame(const TempGame& game) {
    game.write("types/tships.txt",
               "3;3;\r\n" + shipFixedColumns() + "0;0;" + shipTail("SS_SH_A") + "\r\n" +
                   shipFixedColumns() + "1;1;2;3;4;2;0;+4;0;1;1;2;3;4;5;6;0;0;0;0;" +
                   shipTail("SS_SH_B") + " note\r\n" + shipFixedColumns() + "-1;2;" + "\n");
    game.writeLines("types/TCockpits.txt",
                    {"1;2;extra", "1;2;3;4;5;6;7;8;0009;10;11;12;13;14;SS_CO_A;",
                     "1;2;3;4;5;6;7;8;+12;10;11;12;13;14;SS_CO_B;old;fields;", "// end"});
    game.writeLines("types/TLaser.txt",
                    {"2;2;", "1;2;0.50000;1.25;5;6;77;8;9;10;11;12.5;13;14;15;16;4;SS_LA_A;",
                     "1;2;3;4;5;6;78;8;9;10;11;12;13;14;15;16;4;SS_LA_B"});
    game.writeLines("types/TBullets.txt", {"3;1;", zeros(32) + "SS_BU_A;"});
    game.writeLines("types/TShields.txt",
                    {"4;1;", "1;2;0.5;1.25;5;6;78;25;255;10;2.5;12;13;14;15;3;SS_SH_A;"});
    game.writeLines("types/TRockets.txt", {"5;1;", zeros(30) + "SS_MI_A;", "", "trailing"});
    game.writeLines("types/TFactories.txt",
                    {"6;1;", "1;2;3;4;5;6;79;8;1.5e1;10;11;12;13;5;15;16;17;18;19;20;2;SS_FA_A;"});
    game.writeLines("types/TWareB.txt", {"10;2;", zeros(12) + "W_B0;", zeros(12) + "W_B1;"});
    game.writeLines("types/TWareE.txt", {"11;0;"});
    game.writeLines("types/TWareF.txt", {"12;1;", "1;2;0.333;4;5;6;7;8;9;10;11;3;W_F0;"});
    game.writeLines("types/TWareM.txt", {"13;1;", zeros(12) + "W_M0;"});
    game.writeLines("types/TWareT.txt", {"14;1;", zeros(12) + "W_T0;"});
}

const char* const kTables[12] = {
    "TBullets.txt", "TCockpits.txt", "TShips.txt",  "TFactories.txt", "TLaser.txt", "TShields.txt",
    "TRockets.txt", "TWareB.txt",    "TWareE.txt",  "TWareF.txt",     "TWareM.txt", "TWareT.txt",
};

// The bytes of every table file, found whatever the case of its name on disk.
std::vector<std::string> tableBytes(const TempGame& game) {
    std::vector<std::string> out;
    for (const char* name : kTables) {
        std::string bytes;
        for (const auto& entry : fs::directory_iterator(game.path("types"))) {
            if (!entry.is_regular_file()) continue;
            std::string found = entry.path().filename().string();
            std::string lowered = found, wanted = name;
            for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            for (char& c : wanted) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (lowered == wanted) bytes = game.read("types/" + found);
        }
        out.push_back(bytes);
    }
    return out;
}

class Saving : public ::testing::Test {
protected:
    Saving() { state.folder = game.folder(); }
    TempGame game;
    GameState state;
};

TEST_F(Saving, TablesAreWrittenInTheWritersForm) {
    writeUntidyGame(game);
    loadAllTables(state);
    state.wares[2].priceCoefficient = 42; // the F file's record: B has 2, E none
    EXPECT_EQ(saveAllTables(state), Paths{});

    EXPECT_EQ(game.read("types/TCockpits.txt"),
              "1;2;extra\r\n"
              "1;2;3;4;5;6;7;8;9;10;11;12;13;14;SS_CO_A;\r\n"
              "1;2;3;4;5;6;7;8;12;10;11;12;13;14;SS_CO_B;old;fields;\r\n"
              "// end\r\n");
    EXPECT_EQ(game.read("types/TLaser.txt"),
              "2;2;\r\n"
              "1;2;0.5;1.25;5;6;77;8;9;10;11;12.5;13;14;15;16;4;SS_LA_A;\r\n"
              "1;2;3;4;5;6;78;8;9;10;11;12;13;14;15;16;4;;\r\n");
    EXPECT_EQ(game.read("types/TFactories.txt"),
              "6;1;\r\n1;2;3;4;5;6;79;8;15;10;11;12;13;5;15;16;17;18;19;20;2;SS_FA_A;\r\n");
    EXPECT_EQ(game.read("types/TRockets.txt"), "5;1;\r\n" + zeros(30) + "SS_MI_A;\r\n\r\ntrailing\r\n");
    EXPECT_EQ(game.read("types/TWareE.txt"), "11;0;\r\n") << "a header line alone";
    EXPECT_EQ(game.read("types/TWareB.txt"),
              "10;2;\r\n" + zeros(12) + "W_B0;\r\n" + zeros(12) + "W_B1;\r\n");
    EXPECT_EQ(game.read("types/TWareF.txt"), "12;1;\r\n1;2;0.333;4;5;6;7;8;42;10;11;3;W_F0;\r\n");
    EXPECT_EQ(game.read("types/TWareM.txt"), "13;1;\r\n" + zeros(12) + "W_M0;\r\n");

    const std::string ships = game.read("types/tships.txt");
    const std::string fixed = [] {
        std::string f = shipFixedColumns();
        return f.replace(f.find("0.25;0.5;1.5;"), 13, "0.25000;0.50000;1.50000;");
    }();
    EXPECT_EQ(ships, "3;3;\r\n" + fixed + "0;0;" + shipTail("SS_SH_A") + "\r\n" + fixed +
                         "1;1;2;3;4;2;0;4;0;1;1;2;3;4;5;6;0;0;0;0;" + shipTail("SS_SH_B") +
                         " note\r\n" + fixed + "-1;2;0;0;0;0;0;0;0;0;0;0;0;0;0;;\r\n");
}

TEST_F(Saving, AFolderSavedTwiceGivesTheSameBytesAndWriterFormIsKept) {
    writeUntidyGame(game);
    loadAllTables(state);
    ASSERT_EQ(saveAllTables(state), Paths{});
    const std::vector<std::string> first = tableBytes(game);

    GameState again;
    again.folder = game.folder();
    loadAllTables(again);
    ASSERT_EQ(saveAllTables(again), Paths{});
    EXPECT_EQ(tableBytes(game), first);

    // a folder already in the writer's form comes back byte for byte
    TempGame copy;
    for (int i = 0; i < 12; ++i) copy.write(std::string("types/") + kTables[i], first[i]);
    GameState third;
    third.folder = copy.folder();
    loadAllTables(third);
    ASSERT_EQ(saveAllTables(third), Paths{});
    EXPECT_EQ(tableBytes(copy), first);
}

TEST_F(Saving, TheFirstSaveKeepsThePreviousFileAsBackupAndLaterSavesNeverChangeIt) {
    writeUntidyGame(game);
    const std::vector<std::string> original = tableBytes(game);
    loadAllTables(state);
    ASSERT_EQ(saveAllTables(state), Paths{});
    EXPECT_EQ(game.read("types/TCockpits.bak"), original[1]);
    EXPECT_EQ(game.read("types/TShips.bak"), original[2]);
    EXPECT_EQ(game.read("types/TWareE.bak"), original[8]);

    state.cockpits[0].weaponMask = 255;
    ASSERT_EQ(saveAllTables(state), Paths{});
    EXPECT_EQ(game.read("types/TCockpits.bak"), original[1]) << "the second save keeps the backup";
    EXPECT_NE(game.read("types/TCockpits.txt").find(";255;"), std::string::npos);

    // the table keeps the spelling of its name on disk; only backups and tables are left
    EXPECT_EQ(game.typesEntries(),
              (Paths{"TBullets.bak", "TBullets.txt", "TCockpits.bak", "TCockpits.txt",
                     "TFactories.bak", "TFactories.txt", "TLaser.bak", "TLaser.txt",
                     "TRockets.bak", "TRockets.txt", "TShields.bak", "TShields.txt",
                     "TShips.bak", "TWareB.bak", "TWareB.txt", "TWareE.bak", "TWareE.txt",
                     "TWareF.bak", "TWareF.txt", "TWareM.bak", "TWareM.txt", "TWareT.bak",
                     "TWareT.txt", "tships.txt"}));
}

TEST_F(Saving, ATableMissingAtStartUpIsNotCreated) {
    game.writeLines("types/TCockpits.txt", {"1;0;"});
    game.writeLines("types/TWareB.txt", {"1;0;"});
    loadAllTables(state);
    EXPECT_EQ(saveAllTables(state), Paths{});
    EXPECT_EQ(game.typesEntries(),
              (Paths{"TCockpits.bak", "TCockpits.txt", "TWareB.bak", "TWareB.txt"}));
}

TEST_F(Saving, AnUnreadableTableIsNeverTouched) {
    const std::string bytes = "1;1000001;\r\nwhatever\r\n";
    game.write("types/TLaser.txt", bytes);
    game.write("types/TWareM.txt", "1;-1;\r\n");
    game.writeLines("types/TCockpits.txt", {"1;0;"});
    loadAllTables(state);
    EXPECT_EQ(saveAllTables(state), Paths{});
    EXPECT_EQ(game.read("types/TLaser.txt"), bytes);
    EXPECT_EQ(game.read("types/TWareM.txt"), "1;-1;\r\n");
    EXPECT_FALSE(game.exists("types/TLaser.bak"));
    EXPECT_FALSE(game.exists("types/TWareM.bak"));
    EXPECT_TRUE(game.exists("types/TCockpits.bak"));

    // nor is an existing backup
    game.write("types/TLaser.bak", "old");
    EXPECT_EQ(saveAllTables(state), Paths{});
    EXPECT_EQ(game.read("types/TLaser.bak"), "old");
    EXPECT_EQ(game.read("types/TLaser.txt"), bytes);
}

// After a failure: the file kept its bytes, the others were written, nothing temporary is left.
class SavingFaults : public Saving {
protected:
    void SetUp() override {
        writeUntidyGame(game);
        loadAllTables(state);
        before = tableBytes(game);
        state.bullets[0].col0 = 5; // so that a written table differs from the file
        state.shields[0].col0 = 5;
    }
    void expectNoTemporaries() {
        for (const std::string& name : game.typesEntries())
            EXPECT_TRUE(name.ends_with(".txt") || name.ends_with(".bak")) << name;
    }
    std::vector<std::string> before;
};

TEST_F(SavingFaults, AReadOnlyTableIsReportedAndKeepsItsContent) {
    fs::permissions(game.path("types/tships.txt"), fs::perms::owner_write | fs::perms::group_write |
                                                       fs::perms::others_write,
                    fs::perm_options::remove);
    // the file was lower case on disk; the editor names it with capitals
    EXPECT_EQ(saveAllTables(state), Paths{"types\\TShips.txt"});
    EXPECT_EQ(tableBytes(game)[2], before[2]);
    EXPECT_EQ(game.read("types/TBullets.txt").substr(6, 2), "5;") << "the others are written";
    EXPECT_EQ(game.read("types/TShields.txt").substr(6, 2), "5;");
    expectNoTemporaries();
}

TEST_F(SavingFaults, ATablePathThatIsAFolderIsReported) {
    fs::remove(game.path("types/TShields.txt"));
    fs::create_directory(game.path("types/TShields.txt"));
    EXPECT_EQ(saveAllTables(state), Paths{"types\\TShields.txt"});
    EXPECT_TRUE(fs::is_directory(game.path("types/TShields.txt")));
    EXPECT_EQ(game.read("types/TBullets.txt").substr(6, 2), "5;");
    EXPECT_EQ(tableBytes(game)[11], before[11]) << "the wares after it are written";
    expectNoTemporaries();
}

TEST_F(SavingFaults, AMissingTypesFolderIsReportedForEveryTable) {
    fs::rename(game.path("types"), game.path("types-away"));
    const Paths failed = saveAllTables(state);
    EXPECT_EQ(failed, (Paths{"types\\TBullets.txt", "types\\TCockpits.txt", "types\\TShips.txt",
                             "types\\TFactories.txt", "types\\TLaser.txt", "types\\TShields.txt",
                             "types\\TRockets.txt", "types\\TWareB.txt", "types\\TWareE.txt",
                             "types\\TWareF.txt", "types\\TWareM.txt", "types\\TWareT.txt"}));
    EXPECT_FALSE(game.exists("types"));
}

TEST_F(SavingFaults, AnExistingReadOnlyBackupStaysAsItIs) {
    game.write("types/TBullets.bak", "the first backup");
    fs::permissions(game.path("types/TBullets.bak"), fs::perms::owner_write |
                                                         fs::perms::group_write |
                                                         fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(saveAllTables(state), Paths{});
    EXPECT_EQ(game.read("types/TBullets.bak"), "the first backup");
    EXPECT_EQ(game.read("types/TBullets.txt").substr(6, 2), "5;");
    expectNoTemporaries();
}

TEST_F(SavingFaults, ABackupThatCannotBeMadeLeavesTheTableAlone) {
    fs::create_directory(game.path("types/TBullets.bak")); // a folder holds the backup's name
    EXPECT_EQ(saveAllTables(state), Paths{"types\\TBullets.txt"});
    EXPECT_EQ(tableBytes(game)[0], before[0]);
    EXPECT_EQ(game.read("types/TShields.txt").substr(6, 2), "5;");
    expectNoTemporaries();
}

} // namespace
