#include "names/utf8_to_cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The alphabet as Windows-1251 lays it out: А..Я at 0xC0..0xDF, а..я at
// 0xE0..0xFF, Ё at 0xA8 and ё at 0xB8, in the order the UTF-8 text lists them.
std::string alphabetIn1251() {
    std::string bytes;
    for (int b = 0xC0; b <= 0xFF; ++b) {
        bytes += static_cast<char>(b);
        if (b == 0xC5) bytes += '\xA8'; // Ё after Е
        if (b == 0xE5) bytes += '\xB8'; // ё after е
    }
    return bytes;
}

// Every UTF-8 character becomes its 1251 byte; one the code page lacks becomes a
// single '?' and leaves its neighbours whole (a name with one emoji once turned
// to mojibake in full); a byte that is not UTF-8 stays as it is.
TEST(Utf8ToCp1251, EachCharacterBecomesItsByteOrOneQuestionMark) {
    const struct {
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя", alphabetIn1251()},
        {"<t id=\"5\">Аргон Ёж ёж</t>", "<t id=\"5\">\xC0\xF0\xE3\xEE\xED \xA8\xE6 \xB8\xE6</t>"},
        {"", ""},
        {"\xD1\x94 \xE2\x80\x94 \xC2\xAB\xC2\xBB \xE2\x84\x96", "\xBA \x97 \xAB\xBB \xB9"}, // є — «» №
        {"Щит \xF0\x9F\x9A\x80 — Ёж", "\xD9\xE8\xF2 ? \x97 \xA8\xE6"},                 // an emoji
        {"\xE6\x97\xA5\xE6\x9C\xAC-\xC3\xA9", "?" "?-?"},                              // CJK, é
        {"ab\xD0", "ab\xD0"},                                // a lone lead byte at the end
        {"\xD0\xD0\xAF", "\xD0\xDF"},                        // a stray lead byte, then Я
        {"\xC0\xF0\xE3\xEE\xED", "\xC0\xF0\xE3\xEE\xED"},    // a page saved in 1251
        {"\xED\xA0\x80z", "\xED\xA0\x80z"},                  // a surrogate is no character
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.expected) << testing::PrintToString(c.utf8);
    std::string ascii;
    for (int b = 0; b < 0x80; ++b)
        ascii.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1251(ascii), ascii);
}

} // namespace
