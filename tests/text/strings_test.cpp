#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.h"
#include "text/strings.h"

namespace {

TEST(LowerLatin, OnlyLatinCapitalsChange) {
    EXPECT_EQ(lowerLatin("<Page ID=\"17\">"), "<page id=\"17\">");
    EXPECT_EQ(lowerLatin("AZaz@[`{09"), "azaz@[`{09");
    const std::string_view cyrillic = u8"Корабли ЁЖ"_cp1251;
    EXPECT_EQ(lowerLatin(cyrillic), cyrillic);
    EXPECT_EQ(lowerLatin(""), "");
}

TEST(TrimBlanks, DropsControlsAndSpacesAtBothEnds) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\t\r\n\x01x\x1f "), "x");
    EXPECT_EQ(trimBlanks(std::string_view("\0a\0", 3)), "a");
    EXPECT_EQ(trimBlanks(" \t \r\n"), "");
    EXPECT_EQ(trimBlanks(""), "");
    EXPECT_EQ(trimBlanks(u8" Щит\t"_cp1251), u8"Щит"_cp1251) << "bytes above 127 are kept";
}

TEST(ChangeExtension, ReplacesFromTheLastPoint) {
    EXPECT_EQ(changeExtension("types\\TShips.txt", ".bak"), "types\\TShips.bak");
    EXPECT_EQ(changeExtension("types\\TWareB.txt", ".bak"), "types\\TWareB.bak");
    EXPECT_EQ(changeExtension("a.b\\file", ".bak"), "a.bak") << "the point may be in a folder name";
    EXPECT_EQ(changeExtension("file", ".bak"), "file.bak");
    EXPECT_EQ(changeExtension("file.", ".bak"), "file.bak");
    EXPECT_EQ(changeExtension("x.tar.gz", ".bak"), "x.tar.bak");
    EXPECT_EQ(changeExtension("", ".bak"), ".bak");
}

TEST(Cp1251, ConvertsBothWays) {
    EXPECT_EQ(cp1251::fromUtf8("Корабли"), u8"Корабли"_cp1251);
    EXPECT_EQ(cp1251::fromUtf8("Ёё№ abc"), u8"Ёё№ abc"_cp1251);
    EXPECT_EQ(cp1251::toUtf8(u8"Станции и товары"_cp1251), "Станции и товары");
    // Every byte but 0x98 (no character) survives the round trip.
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) all += static_cast<char>(b);
    EXPECT_EQ(cp1251::fromUtf8(cp1251::toUtf8(all)), all);
    EXPECT_EQ(cp1251::toUtf8("\x98"), "?");
}

TEST(Cp1251, UnmappableAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(cp1251::fromUtf8("a\xe6\x97\xa5z"), "a?z");   // a CJK letter
    EXPECT_EQ(cp1251::fromUtf8("a\xff\xd0z"), "a??z");      // stray bytes, one by one
    EXPECT_EQ(cp1251::fromUtf8("\xc0\xb0"), "??");          // overlong form
    EXPECT_EQ(cp1251::fromUtf8("\xed\xa0\x80"), "???");     // a surrogate
    EXPECT_EQ(cp1251::fromUtf8("\xd0"), "?");               // cut short at the end
    EXPECT_EQ(cp1251::fromUtf8("\xf0\x9f\x98\x80!"), "?!"); // outside the code page
}

} // namespace
