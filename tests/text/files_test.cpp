#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "text/files.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class Files : public testing::Test {
  protected:
    TempGame game{TempGame::Current};
};

// The loaders name "types\tships.txt", the writer "types\TShips.txt": one file.
TEST_F(Files, NamesMatchWithoutRegardToCaseAndFoldersAreNoFiles) {
    game.write("types/TShips.txt", "ships");
    EXPECT_TRUE(fileExists("TYPES\\tships.TXT"));
    EXPECT_FALSE(fileExists("types")) << "a folder is not a file";
    EXPECT_TRUE(folderExists("Types"));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(std::string_view("types\\TShips.txt\0x", 19))) << "a NUL in a path";

    game.write("types/tlaser.txt", "old lasers, longer");
    ASSERT_TRUE(writeWholeFile("types\\TLaser.txt", "lasers"));
    EXPECT_EQ(game.read("types/tlaser.txt"), "lasers");
    ASSERT_TRUE(writeNewFileDurably("TYPES\\TLASER.TXT", "again"));
    EXPECT_EQ(game.typesEntries(), (Names{"TShips.txt", "tlaser.txt"}))
        << "the disk's spelling stays";
    EXPECT_EQ(game.read("types/tlaser.txt"), "again");
}

TEST_F(Files, ReadGivesEveryByteOrLeavesTheTargetAlone) {
    const std::string bytes("a\0b\r\n\xff\r", 7);
    game.write("t/70001.xml", bytes);
    std::string read = "old";
    ASSERT_TRUE(readWholeFile("t\\70001.xml", read));
    EXPECT_EQ(read, bytes);
    read = "old";
    EXPECT_FALSE(readWholeFile("t\\440001.xml", read));
    EXPECT_FALSE(readWholeFile("t", read)) << "a folder cannot be read";
    EXPECT_EQ(read, "old");
}

// Both writes replace the whole content, a longer old tail included, and fail
// where there is nothing to write into.
TEST_F(Files, WritesReplaceTheWholeContentOrFail) {
    for (auto write : {writeWholeFile, writeNewFileDurably}) {
        game.write("long.txt", std::string(10000, 'L'));
        ASSERT_TRUE(write("long.txt", std::string("\0\r\n", 3)));
        EXPECT_EQ(game.read("long.txt"), std::string("\0\r\n", 3));
        ASSERT_TRUE(write("new.txt", ""));
        EXPECT_TRUE(fs::remove("new.txt"));
        EXPECT_FALSE(write("missing\\x.txt", "x"));
        EXPECT_FALSE(fs::exists("missing"));
        EXPECT_FALSE(write("types", "x")) << "a folder cannot be written";
        EXPECT_TRUE(fs::is_directory("types"));
    }
}

TEST_F(Files, ReplaceFileReplacesTheTargetAndRemoveFileTakesFilesOnly) {
    game.write("types/TShips.tmp", "new");
    game.write("types/TShips.txt", "old");
    ASSERT_TRUE(replaceFile("types\\TShips.tmp", "types\\TShips.txt"));
    EXPECT_EQ(game.typesEntries(), (Names{"TShips.txt"}));
    EXPECT_EQ(game.read("types/TShips.txt"), "new");
    EXPECT_FALSE(replaceFile("types\\missing.tmp", "types\\TShips.txt"));
    EXPECT_EQ(game.read("types/TShips.txt"), "new");
    ASSERT_TRUE(replaceFile("types\\TShips.txt", "types\\moved.txt")) << "no target: a rename";
    EXPECT_EQ(game.typesEntries(), (Names{"moved.txt"}));
    EXPECT_TRUE(removeFile("types\\MOVED.txt"));
    EXPECT_FALSE(removeFile("types\\moved.txt"));
    EXPECT_FALSE(removeFile("types"));
    EXPECT_EQ(game.typesEntries(), Names{});
}

// The first save keeps the old table as the backup; later saves must never touch it.
TEST_F(Files, RenameWithoutReplacingNeverReplaces) {
    game.write("types/tships.txt", "first");
    ASSERT_TRUE(renameWithoutReplacing("types\\TShips.txt", "types\\TShips.bak"));
    EXPECT_EQ(game.typesEntries(), (Names{"TShips.bak"}));
    game.write("types/tships.txt", "second");
    EXPECT_FALSE(renameWithoutReplacing("types\\TShips.txt", "TYPES\\tships.BAK"));
    EXPECT_EQ(game.read("types/TShips.bak"), "first");
    EXPECT_EQ(game.read("types/tships.txt"), "second");
    EXPECT_FALSE(renameWithoutReplacing("types\\missing.txt", "types\\missing.bak"));
    EXPECT_FALSE(fs::exists("types/missing.bak"));
}

// A folder named with the editor's separators is made at any depth, through
// the parts that exist in any letter case; never as one name holding a backslash.
TEST_F(Files, MakeFoldersMakesEachPartOnce) {
    game.write("file", "");
    const struct {
        const char* path;
        bool made;
        const char* folder; // as the disk then holds it
    } cases[] = {{"out\\deep\\er", true, "out/deep/er"},
                 {"TYPES\\New\\", true, "types/New"},
                 {"types", true, "types"},
                 {"file", false, nullptr},
                 {"file\\sub", false, nullptr}};
    for (const auto& c : cases) {
        EXPECT_EQ(makeFolders(c.path), c.made) << c.path;
        if (c.folder) {
            EXPECT_TRUE(fs::is_directory(c.folder)) << c.path;
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator("."))
        EXPECT_EQ(entry.path().filename().string().find('\\'), std::string::npos) << entry.path();
}

#ifndef _WIN32
// A rewritten file keeps who may read and write it, whatever mode a new file gets.
TEST_F(Files, ReplaceFileKeepsTheTargetsPermissions) {
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0664), fs::perms(0755)}) {
        game.write("types/TShips.txt", "old");
        fs::permissions("types/TShips.txt", mode);
        ASSERT_TRUE(writeNewFileDurably("types\\TShips.new", "new"));
        ASSERT_TRUE(replaceFile("types\\TShips.new", "types\\TShips.txt"));
        EXPECT_EQ(game.read("types/TShips.txt"), "new");
        EXPECT_EQ(fs::status("types/TShips.txt").permissions(), mode) << std::oct << static_cast<int>(mode);
    }
}

// Where the file system tells case apart, the layer does the matching itself.
TEST_F(Files, PlatformPathSpellsEachComponentAsTheDiskDoes) {
    for (const char* file : {"types/TShips.txt", "Game/Data/x.txt", "both/Foo.txt", "both/FOO.TXT"})
        game.write(file, "");
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {{"TYPES\\TSHIPS.TXT", "types/TShips.txt"},
                 {"game\\data\\X.TXT", "Game/Data/x.txt"},
                 {"types\\New\\Sub\\n.txt", "types/New/Sub/n.txt"}, // missing parts stay
                 {"both\\Foo.txt", "both/Foo.txt"},                 // the exact spelling wins
                 {"both\\foo.txt", "both/FOO.TXT"},                 // else the first in byte order
                 {".\\types\\..\\types/tships.txt", "./types/../types/TShips.txt"},
                 {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(platformPath(c.path), c.expected) << c.path;
}
#endif

} // namespace
