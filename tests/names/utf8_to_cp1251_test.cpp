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

// Only the 66 letters of the Russian alphabet are converted, Ё and ё to the code
// page's own codes outside the А..я run; every other byte is copied, except a lead
// byte 0xD0 or 0xD1 that starts none of them, which is dropped.
TEST(Utf8ToCp1251, RussianLettersBecomeSingleBytesAndOtherBytesStay) {
    const struct {
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя", alphabetIn1251()},
        {"<t id=\"5\">Аргон Ёж ёж</t>", "<t id=\"5\">\xC0\xF0\xE3\xEE\xED \xA8\xE6 \xB8\xE6</t>"},
        {"", ""},
        {"\xD1\x94", "\x94"}, // Ukrainian ye loses its lead byte
        {"caf\xC3\xA9 \xE2\x80\x94 \xC2\xAB", "caf\xC3\xA9 \xE2\x80\x94 \xC2\xAB"},
        {"ab\xD0", "ab"},              // a lone lead byte at the end
        {"\xD0\xD0\xAF", "\xDF"},       // the letter Я after a dropped lead byte
        {"\xD0z\x90\xFF", "z\x90\xFF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.expected) << testing::PrintToString(c.utf8);
    std::string ascii;
    for (int b = 0; b < 0x80; ++b)
        ascii.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1251(ascii), ascii);
}

} // namespace
