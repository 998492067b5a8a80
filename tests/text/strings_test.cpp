#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.h"
#include "text/strings.h"

namespace {

TEST(LowerLatin, OnlyLatinCapitalsChange) {
    EXPECT_EQ(lowerLatin("<Page ID=\"17\"> AZaz@[`{09"), "<page id=\"17\"> azaz@[`{09");
    EXPECT_EQ(lowerLatin(u8"Корабли ЁЖ"_cp1251), u8"Корабли ЁЖ"_cp1251);
}

// Find ignores letter case in either alphabet; the rest of the code page stays.
TEST(LowerCase, LatinAndCyrillicCapitalsBecomeSmall) {
    EXPECT_EQ(cp1251::lowerCase(u8"SS_Sh_KND Кондор ЁЖИК ЎЇЄІ Ђ"_cp1251), u8"ss_sh_knd кондор ёжик ўїєі ђ"_cp1251);
    EXPECT_EQ(cp1251::lowerCase(u8"№1 — «x» 0,5 €"_cp1251), u8"№1 — «x» 0,5 €"_cp1251);
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(cp1251::lowerCase(cp1251::lowerCase(all)), cp1251::lowerCase(all));
}

TEST(TrimBlanks, DropsControlsAndSpacesAtBothEnds) {
    EXPECT_EQ(trimBlanks("\t\r\n\x01x y\x1f "), "x y");
    EXPECT_EQ(trimBlanks(std::string_view("\0a\0", 3)), "a");
    EXPECT_EQ(trimBlanks(" \t \r\n"), "");
    EXPECT_EQ(trimBlanks(u8" Щит\t"_cp1251), u8"Щит"_cp1251) << "bytes above 127 are kept";
}

TEST(Cp1251, ConvertsBothWaysAndMarksWhatItCannotHold) {
    EXPECT_EQ(cp1251::fromUtf8("Ёё№ abc"), u8"Ёё№ abc"_cp1251);
    // Every byte but 0x98 (no character) survives the round trip.
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) all += static_cast<char>(b);
    EXPECT_EQ(cp1251::fromUtf8(cp1251::toUtf8(all)), all);
    EXPECT_EQ(cp1251::toUtf8("\x98"), "?");
    // A letter outside the code page, stray bytes one by one, an overlong form.
    EXPECT_EQ(cp1251::fromUtf8("a\xe6\x97\xa5z\xff\xd0"), "a?z??");
    EXPECT_EQ(cp1251::fromUtf8("\xc0\xb0\xf0\x9f\x98\x80z"), "???z");
}

} // namespace
