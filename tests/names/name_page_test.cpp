#include "names/name_page.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

namespace {

// A page file with page 17, whose lines end in \n here, between two other pages
// that hold the ids 5, 900 and 901; the file's lines end in lineEnd.
std::string pageFile(std::string_view page17, std::string_view lineEnd = "\r\n") {
    const std::string text =
        "<page id=\"5\">\n<t id=\"5\">x</t>\n<t id=\"900\">x</t>\n</page>\n"
        "<page id=\"17\">\n" +
        std::string(page17) +
        "</page>\n<page id=\"18\">\n<t id=\"5\">x</t>\n<t id=\"901\">x</t>\n</page>\n";
    std::string out;
    for (char c : text)
        c == '\n' ? out += lineEnd : out += c;
    return out;
}

struct IdCase {
    int32_t id;
    std::string_view name;
};

class NamePageTest : public ::testing::Test {
  protected:
    void load(const std::string& bytes) {
        game.write("t/70001.xml", bytes);
        ASSERT_TRUE(loadNamePage(page, "t\\70001.xml"));
    }
    // Every name goes through both lookups: they must never disagree.
    void expectNames(std::span<const IdCase> cases) {
        for (const IdCase& c : cases) {
            EXPECT_EQ(lookupName(page, c.id), c.name) << "id " << c.id;
            EXPECT_EQ(lookupNameByScan(page, c.id), c.name) << "id " << c.id;
        }
    }
    TempGame game{TempGame::Current};
    NamePage page;
};

// The name is the text after the first "> (else from position 2) up to the line's
// last four characters, whatever they are, trimmed of codes 0..32, its references
// decoded; inner markup stays. Lines are converted when loaded: a byte that is not
// UTF-8 stays, so i\xD0d="11" is no key. The key id="N" ends with its quote, holds no sign or
// leading zero, is case-sensitive and counts anywhere in the line; the first line
// holding it wins; other pages never give names, even for the same id. Lines may end
// in CR LF, LF or CR.
TEST_F(NamePageTest, NamesAreCutFromTheFirstLineHoldingTheWholeKey) {
    // Аргон, Борон and Ксенон< in Windows-1251.
    const IdCase converted[] = {
        {5, "\xC0\xF0\xE3\xEE\xED"}, {1, "\xC1\xEE\xF0\xEE\xED"}, {8, "\xCA\xF1\xE5\xED\xEE\xED<"}};
    const IdCase cases[] = {
        {12, ""},         {123, "a"},        {77, "b"},          {6, ""},
        {0, ""},          {-15, "e"},        {15, ""},           {50, ""},
        {20, "j"},        {40, "id=\"40\""}, {21, "id=\"20\""},  {INT32_MAX, "f"},
        {INT32_MIN, "g"}, {-2147483647, ""}, {2, "x"},           {3, "a & <b>b</b>"},
        {4, ""},          {7, "A\"> B"},     {9, "d=\"9\"abcd"}, {10, "d="},
        {11, ""},         {900, ""},         {901, ""}};
    for (std::string_view lineEnd : {"\r\n", "\n", "\r"}) {
        load(pageFile(
            "<t id=\"5\">Аргон</t>\n    <t id=\"1\">  Борон </t>\n<t id=\"2\">\tx\t</t>\n"
            "<t id=\"3\">a &amp; <b>b</b></t>\n<t id=\"4\"></t>\n<t id=\"7\" x=\"\">A\"> B</t>\n"
            "<t id=\"8\">Ксенон</tt>\nid=\"9\"abcdefgh\nid=\"10\"\n<t i\xD0\x64=\"11\">y</t>\n\n"
            "<t id=\"123\">a</t>\n<t pid=\"77\">b</t>\n<t id=\"06\">c</t>\n<t id=\"-0\">d</t>\n"
            "<t id=\"-15\">e</t>\n<t id=\"2147483647\">f</t>\n<t id=\"2147483648\">h</t>\n"
            "<t id=\"-2147483648\">g</t>\n<t n=\"1\">id=\"40\"</t>\n<t ID=\"50\">i</t>\n"
            "<t id=\"20\">j</t>\n<t id=\"21\">id=\"20\"</t>\n<t id=\"20\">k</t>\n",
            lineEnd));
        expectNames(converted);
        expectNames(cases);
        EXPECT_EQ(page.nameLines.count(), 24) << "the empty line is kept";
    }
}

// Entries on the lines that open and close the page are lost.
TEST_F(NamePageTest, PageLinesAreFoundWhateverTheirLatinCase) {
    load("<LANGUAGE>\r\n<PAGE ID=\"17\"><t id=\"1\">Lost</t>\r\n<t id=\"2\">Kept</t>\r\n"
         "<t id=\"3\">Also lost</t></PAGE>\r\n<t id=\"4\">Outside</t>\r\n");
    const IdCase cases[] = {{1, ""}, {2, "Kept"}, {3, ""}, {4, ""}};
    expectNames(cases);
}

// A page never opened or never closed ends the search when the lines run out;
// an unreadable file leaves no names.
TEST_F(NamePageTest, PagesWithoutNames) {
    for (const char* file :
         {"", "<page id=\"16\">\r\n<t id=\"5\">X</t>\r\n</page>\r\n",
          "<page id=\"17\">\r\n<t id=\"5\">Never closed</t>\r\n",
          "<t id=\"5\">Only a closing line</t>\r\n</page>\r\n", "<page id=\"17\">"}) {
        load(file);
        EXPECT_EQ(page.nameLines.count(), 0) << file;
        EXPECT_EQ(lookupName(page, 5), "") << file;
    }
    load(pageFile("<t id=\"5\">a</t>\n"));
    EXPECT_FALSE(loadNamePage(page, "t\\440001.xml"));
    EXPECT_EQ(lookupName(page, 5), "") << "a failed load leaves no names behind";
}

} // namespace
