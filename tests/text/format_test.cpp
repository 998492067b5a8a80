#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.h"
#include "text/format.h"

namespace {

TEST(FormatText, TheSystemsOwnFormats) {
    EXPECT_EQ(formatText("%d;%d;", {INT32_MIN, INT32_MAX}), "-2147483648;2147483647;");
    EXPECT_EQ(formatText("id=\"%d\"", {10401}), "id=\"10401\"");
    EXPECT_EQ(formatText("%s (%s)", {"Ares", "Boron"}), "Ares (Boron)");
    EXPECT_EQ(formatText("%s (%d)", {std::string("Mk1"), 3}), "Mk1 (3)");
    EXPECT_EQ(formatText(u8"Диапазон стоимости %d-%d кр."_cp1251, {-5, 3400}),
              std::string(u8"Диапазон стоимости -5-3400 кр."_cp1251));
}

TEST(FormatText, EmptyTextsMissingArgumentsAndNulShowNothing) {
    EXPECT_EQ(formatText("%s (%s)", {std::string_view(), "Teladi"}), " (Teladi)");
    EXPECT_EQ(formatText("%s (%s)", {static_cast<const char*>(nullptr), "Teladi"}), " (Teladi)");
    EXPECT_EQ(formatText("%s (%d)", {"x"}), "x (0)");
    EXPECT_EQ(formatText("%d", {"text"}), "0") << "a number placeholder shows 0 for a text";
    EXPECT_EQ(formatText("%s", {-12}), "-12") << "a text placeholder shows a number's digits";
    // A NUL ends the output, as it ends the formatter's.
    EXPECT_EQ(formatText(std::string_view("ab\0cd", 5), {}), "ab");
    EXPECT_EQ(formatText("[%s]", {std::string_view("ab\0cd", 5)}), "[ab]");
    EXPECT_EQ(formatText("a%cb", {0}), "a");
}

TEST(FormatText, OutputIsCutAt1024Characters) {
    const std::string longText(3000, 'x');
    EXPECT_EQ(formatText("%s;%s", {longText, "y"}).size(), 1024u);
    EXPECT_EQ(formatText(longText, {}).size(), 1024u);
    EXPECT_EQ(formatText("%99999999999d", {1}).size(), 1024u);
}

} // namespace
