#include "names/utf8_to_cp1251.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* what;
    std::string utf8;
    std::string expected;
};

TEST(Utf8ToCp1251, RussianLettersBecomeTheirSingleBytes) {
    const Case cases[] = {
        {"a race name", "Аргон", std::string(u8"Аргон"_cp1251)},
        {"capital Yo after its word", "Ёж", std::string(u8"Ёж"_cp1251)},
        {"small yo", "ёж", std::string(u8"ёж"_cp1251)},
        {"the whole alphabet",
         "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя",
         std::string(u8"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"_cp1251)},
        {"letters inside markup", "<t id=\"5\">Корабль-1</t>",
         "<t id=\"5\">" + std::string(u8"Корабль"_cp1251) + "-1</t>"},
    };
    for (const Case& c : cases) EXPECT_EQ(utf8ToCp1251(c.utf8), c.expected) << c.what;
}

TEST(Utf8ToCp1251, YoUsesTheCodePagesOwnCodes) {
    // Ё and ё sit outside the А..я run of the code page; a conversion by offset
    // from А would miss them.
    EXPECT_EQ(utf8ToCp1251("\xD1\x91"), "\xB8");
    EXPECT_EQ(utf8ToCp1251("\xD0\x81"), "\xA8");
    EXPECT_EQ(utf8ToCp1251("АЯапря"), u8"АЯапря"_cp1251);
}

TEST(Utf8ToCp1251, EveryAsciiByteIsCopied) {
    std::string ascii;
    for (int b = 0; b < 0x80; ++b) ascii.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1251(ascii), ascii);
}

TEST(Utf8ToCp1251, BytesOutsideTheAlphabet) {
    const Case cases[] = {
        {"empty", "", ""},
        {"Ukrainian ye loses its lead byte", "\xD1\x94", "\x94"},
        {"Ukrainian ye inside a word", "\xD0\x90\xD1\x94\xD0\xB1", "\xC0\x94\xE1"},
        {"accented Latin letter", "caf\xC3\xA9", "caf\xC3\xA9"},
        {"dash", "a\xE2\x80\x94z", "a\xE2\x80\x94z"},
        {"guillemets", "\xC2\xAB" "x" "\xC2\xBB", "\xC2\xAB" "x" "\xC2\xBB"},
        {"lone lead byte at the end", "ab\xD0", "ab"},
        {"lone lead byte only", "\xD1", ""},
        {"lead byte before a letter: dropped, the letter still converted", "\xD0\xD0\x90",
         "\xC0"},
        {"lead byte before ASCII", "\xD0z", "z"},
        {"broken UTF-8 bytes stay", "\x90\xFF\xC0", "\x90\xFF\xC0"},
    };
    for (const Case& c : cases) EXPECT_EQ(utf8ToCp1251(c.utf8), c.expected) << c.what;
}

} // namespace
