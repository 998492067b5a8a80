#include "names/utf8_to_cp1251.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Only the 66 letters of the Russian alphabet are converted, Ё and ё to the code
// page's own codes outside the А..я run; every other byte is copied, except a lead
// byte 0xD0 or 0xD1 that starts none of them, which is dropped.
TEST(Utf8ToCp1251, RussianLettersBecomeSingleBytesAndOtherBytesStay) {
    const struct {
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя",
         std::string(
             u8"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"_cp1251)},
        {"<t id=\"5\">Аргон Ёж ёж</t>",
         "<t id=\"5\">" + std::string(u8"Аргон Ёж ёж"_cp1251) + "</t>"},
        {"\xD0\x81\xD1\x91", "\xA8\xB8"}, // Ё and ё
        {"", ""},
        {"\xD1\x94", "\x94"}, // Ukrainian ye loses its lead byte
        {"caf\xC3\xA9 \xE2\x80\x94 \xC2\xAB", "caf\xC3\xA9 \xE2\x80\x94 \xC2\xAB"},
        {"ab\xD0", "ab"},                            // a lone lead byte at the end
        {"\xD0\xD0\xAF", std::string(u8"Я"_cp1251)}, // the letter after a dropped lead byte
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
