#include "names/name_page.h"
#include "text/cp1251.h"

#include "text/temp_folder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace {

std::string joinLines(std::initializer_list<std::string_view> lines, std::string_view lineEnd) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

// A page file with other pages around page 17, each holding the id 5.
std::string pageFile(std::initializer_list<std::string_view> page17Lines,
                     std::string_view lineEnd = "\r\n") {
    std::string text = joinLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>",
                                  "<language id=\"7\">", "<page id=\"5\" title=\"Before\">",
                                  "<t id=\"5\">Раньше</t>", "<t id=\"900\">Только раньше</t>",
                                  "</page>", "<page id=\"17\" title=\"Objects\">"},
                                 lineEnd);
    text += joinLines(page17Lines, lineEnd);
    text += joinLines({"</page>", "<page id=\"18\">", "<t id=\"5\">Позже</t>",
                       "<t id=\"901\">Только позже</t>", "</page>", "</language>"},
                      lineEnd);
    return text;
}

class NamePageTest : public ::testing::Test {
protected:
    // Loads the bytes as the game's page file, addressed as start-up addresses it.
    void load(const std::string& bytes) {
        putFile("t/70001.xml", bytes);
        ASSERT_TRUE(loadNamePage(page, "t\\70001.xml"));
    }
    // Every name check goes through both lookups: they must never disagree.
    std::string name(int32_t id) const {
        std::string indexed = lookupName(page, id);
        EXPECT_EQ(indexed, lookupNameByScan(page, id)) << "id " << id;
        return indexed;
    }

    TempFolder folder;
    NamePage page;
};

TEST_F(NamePageTest, NameIsTheTextOfItsLineConverted) {
    load(pageFile({"<t id=\"5\">Аргон</t>"}));
    EXPECT_EQ(name(5), u8"Аргон"_cp1251);
    ASSERT_EQ(page.nameLines.count(), 1);
    EXPECT_EQ(page.nameLines.item(0), u8"<t id=\"5\">Аргон</t>"_cp1251)
        << "the kept lines are converted once, when loaded";
}

TEST_F(NamePageTest, NameIsCutBetweenTheOpeningTagAndTheLastFourCharacters) {
    load(pageFile({
        "    <t id=\"1\">  Борон </t>",            // blanks around the text are trimmed
        "<t id=\"2\">\tСплит\t</t>",               // tabs count as blanks
        "<t id=\"3\">a &amp; <b>b</b></t>",        // entities and inner markup stay
        "<t id=\"4\"></t>",                        // nothing between the markers
        "<t id=\"6\">x</t>",                       // one character
        "<t id=\"7\" x=\"\">A\"> B</t>",           // the first \"> ends the tag
        "<t id=\"8\">Ксенон</tt>",                 // the last four characters go, whatever they are
        "id=\"9\"abcdefgh",                        // no \">: the cut starts at position 2
        "id=\"10\"",                               // shorter than the markers need
    }));
    EXPECT_EQ(name(1), u8"Борон"_cp1251);
    EXPECT_EQ(name(2), u8"Сплит"_cp1251);
    EXPECT_EQ(name(3), "a &amp; <b>b</b>");
    EXPECT_EQ(name(4), "");
    EXPECT_EQ(name(6), "x");
    EXPECT_EQ(name(7), "A\"> B");
    EXPECT_EQ(name(8), u8"Ксенон<"_cp1251);
    EXPECT_EQ(name(9), "d=\"9\"abcd");
    EXPECT_EQ(name(10), "d=");
}

TEST_F(NamePageTest, KeyMatchesOnlyTheWholeIdAnywhereInTheLine) {
    load(pageFile({
        "<t id=\"123\">Сто двадцать три</t>",
        "<t id=\"112\">Сто двенадцать</t>",
        "<t pid=\"77\">Чужой атрибут</t>", // the key id="77" occurs inside pid="77"
        "<t id=\"05\">Ноль пять</t>",      // no key has a leading zero
        "<t id=\"-0\">Минус ноль</t>",
        "<t id=\"-15\">Минус</t>",
        "<t id=\"2147483647\">Макс</t>",
        "<t id=\"-2147483648\">Мин</t>",
        "<t id=\"2147483648\">Слишком</t>",
        "<t n=\"1\">See id=\"40\" and id=\"41\"</t>", // keys inside the text count too
        "<t ID=\"50\">Заглавные</t>",                // the key is case-sensitive
    }));
    EXPECT_EQ(name(12), "");
    EXPECT_EQ(name(123), u8"Сто двадцать три"_cp1251);
    EXPECT_EQ(name(112), u8"Сто двенадцать"_cp1251);
    EXPECT_EQ(name(77), u8"Чужой атрибут"_cp1251);
    EXPECT_EQ(name(5), "");
    EXPECT_EQ(name(0), "");
    EXPECT_EQ(name(-15), u8"Минус"_cp1251);
    EXPECT_EQ(name(15), "");
    EXPECT_EQ(name(INT32_MAX), u8"Макс"_cp1251);
    EXPECT_EQ(name(INT32_MIN), u8"Мин"_cp1251);
    EXPECT_EQ(name(-2147483647), "");
    EXPECT_EQ(name(40), "See id=\"40\" and id=\"41\"");
    EXPECT_EQ(name(41), "See id=\"40\" and id=\"41\"");
    EXPECT_EQ(name(50), "");
}

TEST_F(NamePageTest, FirstLineWithTheIdWins) {
    load(pageFile({"<t id=\"20\">Первый</t>", "<t id=\"21\">Другой id=\"20\"</t>",
                   "<t id=\"20\">Второй</t>"}));
    EXPECT_EQ(name(20), u8"Первый"_cp1251);
    EXPECT_EQ(name(21), u8"Другой id=\"20\""_cp1251);
}

TEST_F(NamePageTest, IdsAreFoundAfterConversion) {
    // A stray lead byte inside the attribute disappears in the conversion, which
    // happens before any lookup: the converted line holds the key.
    load(pageFile({"<t i\xD0" "d=\"30\">Тридцать</t>"}));
    EXPECT_EQ(name(30), u8"Тридцать"_cp1251);
}

TEST_F(NamePageTest, OtherPagesNeverGiveNames) {
    load(pageFile({"<t id=\"5\">Аргон</t>"}));
    EXPECT_EQ(name(5), u8"Аргон"_cp1251);
    EXPECT_EQ(name(900), "");
    EXPECT_EQ(name(901), "");
    EXPECT_EQ(page.nameLines.count(), 1);
}

TEST_F(NamePageTest, PageLinesAreFoundWhateverTheirLatinCase) {
    load(joinLines({"<LANGUAGE ID=\"7\">", "<PAGE ID=\"17\" TITLE=\"Objects\"><t id=\"1\">Lost</t>",
                    "<t id=\"2\">Kept</t>", "<t id=\"3\">Also lost</t></PAGE>",
                    "<t id=\"4\">Outside</t>"},
                   "\r\n"));
    EXPECT_EQ(name(1), "") << "entries on the opening line are not part of the page";
    EXPECT_EQ(name(2), "Kept");
    EXPECT_EQ(name(3), "") << "entries on the closing line are not part of the page";
    EXPECT_EQ(name(4), "");
}

TEST_F(NamePageTest, LineEnds) {
    for (std::string_view lineEnd : {"\r\n", "\n", "\r"}) {
        load(pageFile({"<t id=\"5\">Аргон</t>", "", "<t id=\"6\">Борон</t>"}, lineEnd));
        EXPECT_EQ(name(5), u8"Аргон"_cp1251);
        EXPECT_EQ(name(6), u8"Борон"_cp1251);
        EXPECT_EQ(page.nameLines.count(), 3) << "the empty line is kept";
    }
}

TEST_F(NamePageTest, PagesWithoutNames) {
    const std::string files[] = {
        "",
        joinLines({"<language>", "<page id=\"16\">", "<t id=\"5\">X</t>", "</page>"}, "\r\n"),
        joinLines({"<page id=\"17\">", "<t id=\"5\">Never closed</t>"}, "\r\n"),
        joinLines({"<t id=\"5\">Only a closing line</t>", "</page>"}, "\r\n"),
        "<page id=\"17\">",
    };
    for (const std::string& file : files) {
        load(file);
        EXPECT_EQ(page.nameLines.count(), 0) << file;
        EXPECT_EQ(name(5), "") << file;
    }
}

TEST_F(NamePageTest, UnreadableFileLeavesThePageEmpty) {
    load(pageFile({"<t id=\"5\">Аргон</t>"}));
    EXPECT_FALSE(loadNamePage(page, "t\\440001.xml"));
    EXPECT_EQ(page.nameLines.count(), 0);
    EXPECT_EQ(lookupName(page, 5), "") << "a failed load must not leave the old index behind";
}

TEST_F(NamePageTest, ReloadReplacesTheOldNames) {
    load(pageFile({"<t id=\"5\">Аргон</t>", "<t id=\"6\">Борон</t>"}));
    load(pageFile({"<t id=\"6\">Сплит</t>"}));
    EXPECT_EQ(name(5), "");
    EXPECT_EQ(name(6), u8"Сплит"_cp1251);
}

} // namespace
