#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "text/line_list.h"

namespace {

std::vector<std::string> linesOf(const LineList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.count(); ++i)
        lines.emplace_back(list.item(i));
    return lines;
}

using Lines = std::vector<std::string>;

struct SplitCase {
    std::string text;
    Lines lines;
    std::string joined;
};

TEST(LineListSplit, BreaksAreCrCrLfAndLoneLf) {
    const SplitCase cases[] = {
        {"", {}, ""},
        {"a", {"a"}, "a\r\n"},
        {"a\r\n", {"a"}, "a\r\n"},
        {"a\r\n\r\n", {"a", ""}, "a\r\n\r\n"},
        {"\r\n", {""}, "\r\n"},
        {"a\r", {"a"}, "a\r\n"}, // a lone CR at the end adds no line
        {"a\rb", {"a", "b"}, "a\r\nb\r\n"},
        {"a\nb\n", {"a", "b"}, "a\r\nb\r\n"}, // LF-only files split as well
        {"a\nb", {"a", "b"}, "a\r\nb\r\n"},
        {"\n", {""}, "\r\n"},
        {"\n\n", {"", ""}, "\r\n\r\n"},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
        {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb\r\n"}, // LF then CR: two breaks
        {"a\r\r\nb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
        {"5;2;\r\n1;x;\r\n2;y;\r\n", {"5;2;", "1;x;", "2;y;"}, "5;2;\r\n1;x;\r\n2;y;\r\n"},
    };
    for (const auto& c : cases) {
        LineList list;
        list.setText(c.text);
        EXPECT_EQ(linesOf(list), c.lines) << testing::PrintToString(c.text);
        EXPECT_EQ(list.text(), c.joined) << testing::PrintToString(c.text);
    }
}

TEST(LineListSplit, NulEndsALineOrTheWholeText) {
    const SplitCase cases[] = {
        {std::string("a\0b\r\nc", 6), {"a", "c"}, "a\r\nc\r\n"}, // the CR is still found
        {std::string("a\r\n\0b\r\nc", 8), {"a"}, "a\r\n"},       // NUL starts a line: the end
        {std::string("\0abc", 4), {}, ""},
        {std::string("ab\0\r\0\r\nc", 8), {"ab"}, "ab\r\n"}, // the second line starts with NUL
    };
    for (const auto& c : cases) {
        LineList list;
        list.setText(c.text);
        EXPECT_EQ(linesOf(list), c.lines) << testing::PrintToString(c.text);
        EXPECT_EQ(list.text(), c.joined) << testing::PrintToString(c.text);
    }
}

// The rules written out plainly, to check the fast splitter on long random texts.
Lines splitPlainly(const std::string& text) {
    Lines lines;
    size_t i = 0;
    while (i < text.size() && text[i] != '\0') {
        std::string line;
        bool cut = false;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n') {
            if (text[i] == '\0') cut = true;
            if (!cut) line += text[i];
            ++i;
        }
        lines.push_back(line);
        if (i < text.size())
            i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    }
    return lines;
}

TEST(LineListSplit, LongRandomTextsSplitAsTheRulesSay) {
    std::mt19937 rng(11);
    const char alphabet[] = {'a',    ';',    '7',    '\r',   '\n',   '\0',
                             '\x0d', '\x0e', '\x8d', '\xff', '\x01', ' '};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const size_t length = rng() % 400;
        const unsigned rare = 1 + rng() % 60; // sometimes long stretches without breaks
        for (size_t k = 0; k < length; ++k)
            text += rng() % rare == 0 ? alphabet[rng() % std::size(alphabet)]
                                      : static_cast<char>('A' + rng() % 40);
        LineList list;
        list.setText(text);
        ASSERT_EQ(linesOf(list), splitPlainly(text)) << testing::PrintToString(text);
    }
}

TEST(LineListEdit, AddSetRemoveAndItemOutsideTheList) {
    LineList list;
    list.setText("zero\r\none\r\ntwo");
    EXPECT_EQ(list.add("three"), 3);
    list.setItem(1, "ONE");
    EXPECT_EQ(linesOf(list), (Lines{"zero", "ONE", "two", "three"}));
    list.remove(2);
    EXPECT_EQ(linesOf(list), (Lines{"zero", "ONE", "three"}));
    list.remove(0);
    EXPECT_EQ(linesOf(list), (Lines{"ONE", "three"}));
    EXPECT_EQ(list.item(-1), "");
    EXPECT_EQ(list.item(2), "");
    list.remove(5); // outside: nothing happens
    list.setItem(-1, "x");
    list.setItem(2, "x");
    EXPECT_EQ(linesOf(list), (Lines{"ONE", "three"}));
    // Added lines keep CR and LF; they come back as given, followed by CR LF.
    list.add("a\nb");
    EXPECT_EQ(list.item(2), "a\nb");
    EXPECT_EQ(list.text(), "ONE\r\nthree\r\na\nb\r\n");
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(list.add(""), 0);
    EXPECT_EQ(list.text(), "\r\n");
}

TEST(LineListEdit, LinesAreCopiesSoTheSourceMayGo) {
    LineList list;
    {
        std::string source = "temporary";
        list.add(source);
        list.setText(source + "\r\nsecond");
        source.assign(100, 'x');
    }
    EXPECT_EQ(linesOf(list), (Lines{"temporary", "second"}));
    // A view into the list itself may be given back to it.
    list.setItem(1, list.item(0));
    list.add(list.item(1));
    list.setText(list.item(2));
    EXPECT_EQ(linesOf(list), (Lines{"temporary"}));
}

TEST(LineListEdit, MovedListKeepsItsLines) {
    LineList small;
    small.setText("a\r\nb"); // short enough for a string's inline buffer
    small.add("c");
    LineList moved(std::move(small));
    EXPECT_EQ(linesOf(moved), (Lines{"a", "b", "c"}));
    EXPECT_EQ(small.count(), 0); // NOLINT: a moved-from list is empty
    LineList assigned;
    assigned.setText("old");
    assigned = std::move(moved);
    EXPECT_EQ(linesOf(assigned), (Lines{"a", "b", "c"}));
}

TEST(LineListEdit, RemovingFromBothEndsOfALongList) {
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += std::to_string(i) + "\r\n";
    LineList list;
    list.setText(std::move(text));
    // The name page is cut down by removing line 0 over and over, then the tail.
    for (int i = 0; i < 150000; ++i)
        list.remove(0);
    EXPECT_EQ(list.count(), 50000);
    EXPECT_EQ(list.item(0), "150000");
    while (list.count() > 10)
        list.remove(list.count() - 1);
    EXPECT_EQ(list.item(9), "150009");
    list.remove(3);
    EXPECT_EQ(list.item(3), "150004");
    // Replacing one line many times keeps one copy, not all of them.
    for (int i = 0; i < 100000; ++i)
        list.setItem(0, std::string(100, 'r'));
    EXPECT_EQ(list.item(0), std::string(100, 'r'));
}

class LineListFiles : public testing::Test {
    TempFolder folder_;
};

TEST_F(LineListFiles, LoadSplitsTheWholeFile) {
    putFile("types/tships.txt", "1;2;\r\nx;\r\n");
    LineList list;
    ASSERT_TRUE(list.loadFromFile("types\\tships.txt"));
    EXPECT_EQ(linesOf(list), (Lines{"1;2;", "x;"}));
    putFile("empty.txt", "");
    ASSERT_TRUE(list.loadFromFile("empty.txt"));
    EXPECT_EQ(list.count(), 0);
}

TEST_F(LineListFiles, FailedLoadKeepsTheContent) {
    LineList list;
    list.setText("kept");
    EXPECT_FALSE(list.loadFromFile("missing.txt"));
    EXPECT_FALSE(list.loadFromFile("nofolder\\missing.txt"));
    std::filesystem::create_directory("types");
    EXPECT_FALSE(list.loadFromFile("types")) << "a folder is not a file";
    EXPECT_EQ(linesOf(list), (Lines{"kept"}));
}

TEST_F(LineListFiles, SaveWritesCrLfAndCutsTheOldTail) {
    putFile("t.txt", std::string(5000, 'o'));
    LineList list;
    list.setText("a\nb");
    ASSERT_TRUE(list.saveToFile("t.txt"));
    EXPECT_EQ(fileBytes("t.txt"), "a\r\nb\r\n");
    list.clear();
    ASSERT_TRUE(list.saveToFile("t.txt"));
    EXPECT_EQ(fileBytes("t.txt"), "") << "an empty list leaves an empty file";
    ASSERT_TRUE(list.saveToFile("new.txt"));
    EXPECT_TRUE(std::filesystem::exists("new.txt"));
    EXPECT_FALSE(list.saveToFile("nofolder\\x.txt"));
}

TEST_F(LineListFiles, LoadThenSaveGivesTheSameCrLfFile) {
    const std::string table = "7;3;\r\n1;2.5;a b;\r\n\r\n-4;0.58000;c;\r\n";
    putFile("types/TLaser.txt", table);
    LineList list;
    ASSERT_TRUE(list.loadFromFile("types\\tlaser.txt"));
    ASSERT_TRUE(list.saveToFile("types\\TLaser.txt"));
    EXPECT_EQ(fileBytes("types/TLaser.txt"), table);
}

} // namespace
