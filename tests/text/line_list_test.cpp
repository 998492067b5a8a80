#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "support/temp_folder.h"
#include "text/line_list.h"

namespace {

using Lines = std::vector<std::string>;

Lines linesOf(const LineList& list) {
    Lines lines;
    for (int i = 0; i < list.count(); ++i)
        lines.emplace_back(list.item(i));
    return lines;
}

// Lines end at CR, CR LF or a lone LF (files with LF-only line ends must not become
// one line); a lone CR at the end adds no line; LF then CR are two breaks. A NUL
// ends its line (its CR is still found), and at the start of a line the whole text.
TEST(LineListSplit, BreaksAreCrCrLfAndLoneLfAndNulEndsText) {
    const struct {
        std::string text;
        Lines lines;
        std::string joined;
    } cases[] = {{"", {}, ""},
                 {"a\r\n", {"a"}, "a\r\n"},
                 {"a\r\n\r\n", {"a", ""}, "a\r\n\r\n"},
                 {"\r\n", {""}, "\r\n"},
                 {"a\r", {"a"}, "a\r\n"},
                 {"a\rb", {"a", "b"}, "a\r\nb\r\n"},
                 {"\n\n", {"", ""}, "\r\n\r\n"},
                 {"a\r\nb\nc\rd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
                 {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
                 {std::string("a\0b\r\nc", 6), {"a", "c"}, "a\r\nc\r\n"},
                 {std::string("a\r\n\0b\r\nc", 8), {"a"}, "a\r\n"},
                 {std::string("ab\0\r\0\r\nc", 8), {"ab"}, "ab\r\n"}};
    for (const auto& c : cases) {
        LineList list;
        list.setText(c.text);
        EXPECT_EQ(std::pair(linesOf(list), list.text()), std::pair(c.lines, c.joined)) << testing::PrintToString(c.text);
    }
}

// What a writer needs to give a file back as it was, and a reader to know that the
// lines are not the whole text: LF-only line ends (any CR makes them mixed), a final
// line break, and the first NUL's offset and line, at a line's start or inside it.
TEST(LineListSplit, TheShapeOfTheTextIsRemembered) {
    const struct {
        std::string text;
        bool lfOnly, finalBreak;
        int64_t nulOffset;
        int nulLine;
    } cases[] = {{"", false, false, -1, 0},
                 {"a", false, false, -1, 0},
                 {"a\nb\n", true, true, -1, 0},
                 {"a\nb", true, false, -1, 0},
                 {"\n", true, true, -1, 0},
                 {"a\r\nb\r\n", false, true, -1, 0},
                 {"a\nb\r\n", false, true, -1, 0},
                 {"a\nb\rc", false, false, -1, 0},
                 {"a\n\n", true, true, -1, 0},
                 {std::string("a\r\nb\r\n\0\0\0", 9), false, false, 6, 2},
                 {std::string("a\nb\0c\nd\n", 8), true, true, 3, 1},
                 {std::string("\0", 1), false, false, 0, 0}};
    for (const auto& c : cases) {
        LineList list;
        list.setText(c.text);
        const LineList::Shape& shape = list.shape();
        EXPECT_EQ(std::tuple(shape.lfOnly, shape.finalBreak, shape.nulOffset, shape.nulLine),
                  std::tuple(c.lfOnly, c.finalBreak, c.nulOffset, c.nulLine))
            << testing::PrintToString(c.text);
    }
    LineList list;
    list.setText(std::string("a\0", 2));
    list.clear();
    EXPECT_EQ(list.shape().nulOffset, -1) << "cleared with the text";
}

// A loaded CR LF file joins back to its bytes; a failed load keeps the content.
TEST(LineListFiles, LoadGivesTheLinesAndAFailedLoadKeepsTheContent) {
    const TempGame game{TempGame::Current};
    const std::string table = "7;3;\r\n1;2.5;a b;\r\n\r\n-4;0.58000;c;\r\n";
    game.write("types/TLaser.txt", table);
    LineList list;
    ASSERT_TRUE(list.loadFromFile("types\\tlaser.txt"));
    EXPECT_EQ(std::tuple(list.count(), list.item(3), list.item(4), list.text()), std::tuple(4, "-4;0.58000;c;", "", table));
    EXPECT_FALSE(list.loadFromFile("missing.txt"));
    EXPECT_FALSE(list.loadFromFile("types")) << "a folder is not a file";
    EXPECT_EQ(list.count(), 4);
    game.write("empty.txt", "");
    ASSERT_TRUE(list.loadFromFile("empty.txt"));
    EXPECT_EQ(list.count(), 0);
}

} // namespace
