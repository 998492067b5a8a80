#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.h"
#include "text/format.h"

namespace {

TEST(FormatText, TheSystemsOwnFormats) {
    EXPECT_EQ(formatText("%d;%d;", {5, 2}), "5;2;");
    EXPECT_EQ(formatText("%d;%d;", {-1, 0}), "-1;0;");
    EXPECT_EQ(formatText("%d;%d;", {INT32_MIN, INT32_MAX}), "-2147483648;2147483647;");
    EXPECT_EQ(formatText("id=\"%d\"", {10401}), "id=\"10401\"");
    EXPECT_EQ(formatText("%s (%s)", {"Ares", "Boron"}), "Ares (Boron)");
    EXPECT_EQ(formatText("%s (%d)", {std::string("Mk1"), 3}), "Mk1 (3)");
    const std::string_view range = u8"Диапазон стоимости %d-%d кр."_cp1251;
    EXPECT_EQ(formatText(range, {1200, 3400}),
              std::string(u8"Диапазон стоимости 1200-3400 кр."_cp1251));
    EXPECT_EQ(formatText(range, {-5, 0}), std::string(u8"Диапазон стоимости -5-0 кр."_cp1251));
}

TEST(FormatText, EmptyTextsAndMissingArgumentsShowNothing) {
    EXPECT_EQ(formatText("%s (%s)", {"", "Teladi"}), " (Teladi)");
    EXPECT_EQ(formatText("%s (%s)", {std::string_view(), "Teladi"}), " (Teladi)");
    EXPECT_EQ(formatText("%s (%s)", {static_cast<const char*>(nullptr), "Teladi"}), " (Teladi)");
    EXPECT_EQ(formatText("%s (%d)", {"x"}), "x (0)");
    EXPECT_EQ(formatText("%s", {}), "");
    EXPECT_EQ(formatText("", {1, 2}), "");
    EXPECT_EQ(formatText("plain", {}), "plain");
}

TEST(FormatText, PlaceholdersBeyondTheSystemsOwn) {
    EXPECT_EQ(formatText("100%%", {}), "100%");
    EXPECT_EQ(formatText("%i|%u|%x|%X|%#x", {-4, -1, 255, 255, 255}), "-4|4294967295|ff|FF|0xff");
    EXPECT_EQ(formatText("[%5d][%-5d][%05d][%.3d]", {42, 42, -42, 7}),
              "[   42][42   ][-0042][007]");
    EXPECT_EQ(formatText("[%6s][%-6s][%.2s]", {"abc", "abc", "abc"}), "[   abc][abc   ][ab]");
    EXPECT_EQ(formatText("%ld %hd", {1, 2}), "1 2");
    EXPECT_EQ(formatText("%c%c", {65, "Bee"}), "AB");
    EXPECT_EQ(formatText("%d", {"text"}), "0") << "a number placeholder shows 0 for a text";
    EXPECT_EQ(formatText("%s", {-12}), "-12") << "a text placeholder shows a number's digits";
    EXPECT_EQ(formatText("%q", {}), "q");
    EXPECT_EQ(formatText("50%", {}), "50");
}

TEST(FormatText, NulEndsTheOutputAsTheFormatterDoes) {
    EXPECT_EQ(formatText(std::string_view("ab\0cd", 5), {}), "ab");
    EXPECT_EQ(formatText("[%s]", {std::string_view("ab\0cd", 5)}), "[ab]");
    EXPECT_EQ(formatText("a%cb", {0}), "a");
}

TEST(FormatText, OutputIsCutAt1024Characters) {
    const std::string longText(3000, 'x');
    EXPECT_EQ(formatText("%s", {longText}).size(), 1024u);
    EXPECT_EQ(formatText("%s;%s", {longText, "y"}).size(), 1024u);
    EXPECT_EQ(formatText(longText, {}).size(), 1024u);
    EXPECT_EQ(formatText("%99999999999d", {1}).size(), 1024u);
}

} // namespace
