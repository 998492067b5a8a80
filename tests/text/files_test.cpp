#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "text/files.h"

namespace {

using Names = std::vector<std::string>;

class Files : public testing::Test {
    TempFolder folder_;
};

TEST_F(Files, ExistenceTellsFilesFromFolders) {
    putFile("types/TShips.txt", "x");
    EXPECT_TRUE(fileExists("types\\TShips.txt"));
    EXPECT_TRUE(fileExists("TYPES\\tships.TXT"));
    EXPECT_FALSE(fileExists("types")) << "a folder is not a file";
    EXPECT_TRUE(folderExists("types"));
    EXPECT_TRUE(folderExists("Types"));
    EXPECT_FALSE(folderExists("types\\TShips.txt"));
    EXPECT_FALSE(fileExists("types\\missing.txt"));
    EXPECT_FALSE(fileExists("missing\\TShips.txt"));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(std::string_view("types\\TShips.txt\0x", 19))) << "a NUL in a path";
}

TEST_F(Files, ReadGivesEveryByteOrLeavesTheTargetAlone) {
    const std::string bytes("a\0b\r\n\xff\r", 7);
    putFile("t/70001.xml", bytes);
    std::string read = "old";
    ASSERT_TRUE(readWholeFile("t\\70001.xml", read));
    EXPECT_EQ(read, bytes);
    read = "old";
    EXPECT_FALSE(readWholeFile("t\\440001.xml", read));
    EXPECT_FALSE(readWholeFile("t", read)) << "a folder cannot be read";
    EXPECT_EQ(read, "old");
    putFile("empty.txt", "");
    ASSERT_TRUE(readWholeFile("empty.txt", read));
    EXPECT_EQ(read, "");
}

// The loaders name "types\tships.txt", the writer "types\TShips.txt": one file.
TEST_F(Files, NamesMatchWithoutRegardToCase) {
    putFile("types/TShips.txt", "ships");
    std::string read;
    ASSERT_TRUE(readWholeFile("types\\tships.txt", read));
    EXPECT_EQ(read, "ships");
    putFile("types/tlaser.txt", "old lasers, longer");
    ASSERT_TRUE(writeWholeFile("types\\TLaser.txt", "lasers"));
    EXPECT_EQ(entriesOf("types"), (Names{"TShips.txt", "tlaser.txt"}))
        << "the disk's spelling stays";
    EXPECT_EQ(fileBytes("types/tlaser.txt"), "lasers");
    ASSERT_TRUE(writeNewFileDurably("TYPES\\TLASER.TXT", "again"));
    EXPECT_EQ(entriesOf("types"), (Names{"TShips.txt", "tlaser.txt"}));
    EXPECT_EQ(fileBytes("types/tlaser.txt"), "again");
}

TEST_F(Files, WholeWriteCreatesOrOverwritesInPlace) {
    ASSERT_TRUE(writeWholeFile("new.txt", "fresh"));
    EXPECT_EQ(fileBytes("new.txt"), "fresh");
    putFile("long.txt", std::string(10000, 'L'));
    ASSERT_TRUE(writeWholeFile("long.txt", "short"));
    EXPECT_EQ(fileBytes("long.txt"), "short");
    ASSERT_TRUE(writeWholeFile("long.txt", ""));
    EXPECT_EQ(fileBytes("long.txt"), "");
    EXPECT_FALSE(writeWholeFile("missing\\x.txt", "x"));
    std::filesystem::create_directory("types");
    EXPECT_FALSE(writeWholeFile("types", "x")) << "a folder cannot be written";
    EXPECT_TRUE(std::filesystem::is_directory("types"));
}

TEST_F(Files, DurableWriteReplacesTheWholeContent) {
    putFile("f.txt", std::string(500, 'o'));
    ASSERT_TRUE(writeNewFileDurably("f.txt", "new"));
    EXPECT_EQ(fileBytes("f.txt"), "new");
    ASSERT_TRUE(writeNewFileDurably("g.txt", std::string("\0\r\n", 3)));
    EXPECT_EQ(fileBytes("g.txt"), std::string("\0\r\n", 3));
    EXPECT_FALSE(writeNewFileDurably("missing\\x.txt", "x"));
    EXPECT_FALSE(std::filesystem::exists("missing"));
}

TEST_F(Files, ReplaceFileReplacesTheTarget) {
    putFile("types/TShips.tmp", "new");
    putFile("types/TShips.txt", "old");
    ASSERT_TRUE(replaceFile("types\\TShips.tmp", "types\\TShips.txt"));
    EXPECT_EQ(entriesOf("types"), (Names{"TShips.txt"}));
    EXPECT_EQ(fileBytes("types/TShips.txt"), "new");
    EXPECT_FALSE(replaceFile("types\\missing.tmp", "types\\TShips.txt"));
    EXPECT_EQ(fileBytes("types/TShips.txt"), "new");
    ASSERT_TRUE(replaceFile("types\\TShips.txt", "types\\moved.txt"))
        << "no target: a plain rename";
    EXPECT_EQ(entriesOf("types"), (Names{"moved.txt"}));
}

// The first save keeps the old table as the backup; later saves must never touch it.
TEST_F(Files, RenameWithoutReplacingNeverReplaces) {
    putFile("types/tships.txt", "first");
    ASSERT_TRUE(renameWithoutReplacing("types\\TShips.txt", "types\\TShips.bak"));
    EXPECT_EQ(entriesOf("types"), (Names{"TShips.bak"}));
    EXPECT_EQ(fileBytes("types/TShips.bak"), "first");

    putFile("types/tships.txt", "second");
    EXPECT_FALSE(renameWithoutReplacing("types\\TShips.txt", "types\\TShips.bak"));
    EXPECT_FALSE(renameWithoutReplacing("types\\TShips.txt", "TYPES\\tships.BAK"));
    EXPECT_EQ(fileBytes("types/TShips.bak"), "first");
    EXPECT_EQ(fileBytes("types/tships.txt"), "second");
    EXPECT_FALSE(renameWithoutReplacing("types\\missing.txt", "types\\missing.bak"));
    EXPECT_FALSE(std::filesystem::exists("types/missing.bak"));
}

TEST_F(Files, RemoveFileTakesFilesOnly) {
    putFile("types/TShips.bak", "x");
    EXPECT_TRUE(removeFile("types\\tships.bak"));
    EXPECT_FALSE(std::filesystem::exists("types/TShips.bak"));
    EXPECT_FALSE(removeFile("types\\tships.bak"));
    EXPECT_FALSE(removeFile("types"));
    EXPECT_TRUE(std::filesystem::is_directory("types"));
}

#ifndef _WIN32
// Where the file system tells case apart, the layer does the matching itself.
TEST_F(Files, PlatformPathSpellsEachComponentAsTheDiskDoes) {
    putFile("types/TShips.txt", "");
    putFile("Game/Data/x.txt", "");
    putFile("both/Foo.txt", "");
    putFile("both/FOO.TXT", "");
    EXPECT_EQ(platformPath("types\\tships.txt"), "types/TShips.txt");
    EXPECT_EQ(platformPath("TYPES\\TSHIPS.TXT"), "types/TShips.txt");
    EXPECT_EQ(platformPath("game\\data\\X.TXT"), "Game/Data/x.txt");
    EXPECT_EQ(platformPath("types\\New\\Sub\\n.txt"), "types/New/Sub/n.txt")
        << "missing parts stay";
    EXPECT_EQ(platformPath("both\\Foo.txt"), "both/Foo.txt") << "the exact spelling wins";
    EXPECT_EQ(platformPath("both\\foo.txt"), "both/FOO.TXT") << "else the first in byte order";
    EXPECT_EQ(platformPath(".\\types\\..\\types\\tships.txt"), "./types/../types/TShips.txt");
    EXPECT_EQ(platformPath("types/tships.txt"), "types/TShips.txt");
    EXPECT_EQ(platformPath(""), "");
}
#endif

} // namespace
