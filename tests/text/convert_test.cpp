#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "text/convert.h"

namespace {

uint64_t bitsOf(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

const double kInfinity = std::numeric_limits<double>::infinity();

// Blanks are not skipped; only the first character may be a sign.
TEST(TextToInt, SignDigitsAndWrapAround) {
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {{"", 0},    {"-", 0},   {"abc", 0},    {" 12", 0}, {"+12", 12}, {"-3", -3},
                 {"1 2", 1}, {"007", 7}, {"12abc", 12}, {"--5", 0}, {"+-5", 0},
                 // digits wrap modulo 2^32
                 {"2147483648", INT32_MIN}, {"-2147483648", INT32_MIN}, {"4294967295", -1},
                 {"4294967296", 0}, {"99999999999", 1215752191}};
    for (const auto& c : cases)
        EXPECT_EQ(textToInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextToReal, SkipsOddCharactersAndHonoursOnlyALeadingMinus) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {{"", 0.0},         {"1.5", 1.5},      {"-.5", -0.5},        {".5", 0.5},
                 {" -1.5", 1.5},    {"1,5", 15.0},     {"1.2.3", 1.2},       {"12a3", 123.0},
                 {"1.5e3", 1500.0}, {"1.5E-2", 0.015}, {"2e", 2.0},          {"1e+2", 100.0},
                 {"+7", 7.0},       {"1-2", 12.0},     {"123.456", 123.456}, {"0.58", 0.58},
                 {"1e22", 1e22},    {"12.5e-1", 1.25}};
    for (const auto& c : cases)
        EXPECT_EQ(textToReal(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_TRUE(std::signbit(textToReal("-0"))) << "the minus is applied to a zero as well";
}

// Digit by digit with a rounding at every step is not the nearest double for every
// text; the tables are read exactly this way, so the neighbours count.
TEST(TextToReal, StepwiseRoundingIsKeptWhereItMissesTheNearestDouble) {
    EXPECT_EQ(bitsOf(textToReal("99.99")), 0x4058ff5c28f5c290u); // nearest is ...28f5c28f
    EXPECT_EQ(bitsOf(textToReal("0.3")), 0x3fd3333333333334u);   // nearest is ...33333333
    EXPECT_EQ(bitsOf(textToReal("1e308")), 0x7fe1ccf385ebc8a3u); // 10^308 by squaring
}

// The k-th fraction digit is weighted by the previous weight times the extended
// one tenth, rounded to double once; "0.0...01" yields that weight exactly.
TEST(TextToReal, FractionWeightsComeFromTheExtendedTenth) {
    auto weight = [](int k) { return textToReal("0." + std::string(k - 1, '0') + "1"); };
    // The first five are the doubles nearest 0.1 .. 0.00001; repeated
    // multiplication by the double 0.1 would miss from the second on.
    const double nearest[] = {0.1, 0.01, 0.001, 0.0001, 0.00001};
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(weight(k), nearest[k - 1]) << "digit " << k;
    // Deeper weights, through the subnormal range down to 0, from an exact model.
    const struct {
        int digit;
        uint64_t bits;
    } deep[] = {{6, 0x3eb0c6f7a0b5ed8e},   {17, 0x3c670ef54646d497},  {20, 0x3bc79ca10c924224},
                {100, 0x2b2bff2ee48e0536}, {200, 0x16687e92154ef7b5}, {307, 0x0031fa182c40c618},
                {308, 0x000730d67819e8d6}, {309, 0x0000b8157268fdaf}, {315, 0x000000000c1069cd},
                {320, 0x00000000000007e8}, {322, 0x0000000000000014}, {323, 0x0000000000000002},
                {324, 0x0000000000000000}, {400, 0x0000000000000000}};
    for (const auto& d : deep)
        EXPECT_EQ(bitsOf(weight(d.digit)), d.bits) << "digit " << d.digit;
}

// The exponent wraps like any textToInt; 0 x infinity and infinity x 0 give 0.
TEST(TextToReal, ExtremeExponentsAndLengthsEndWithoutNaN) {
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"1e-400", 0.0},       {"-1e400", -kInfinity}, {"1e2147483647", kInfinity},
        {"1e4294967296", 1.0}, {"0e400", 0.0},         {std::string(400, '9') + "e-400", 0.0}};
    for (const auto& c : cases)
        EXPECT_EQ(textToReal(c.text), c.expected) << c.text;
    // A fraction far longer than any weight stays finite and close to its value.
    EXPECT_NEAR(textToReal("0." + std::string(5000, '3')), 1.0 / 3.0, 1e-15);
}

TEST(RealToText, FifteenDigitsNoExponentNoTrailingZeros) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {{0.0, "0"},         {-0.0, "0"},         {1.0, "1"},           {-1.0, "-1"},
                 {10.0, "10"},       {100.0, "100"},      {0.5, "0.5"},         {0.1, "0.1"},
                 {-0.25, "-0.25"},   {0.001, "0.001"},    {0.00001, "0.00001"}, {0.58, "0.58"},
                 {0.1 + 0.2, "0.3"}, {123.456, "123.456"}, {2.5e-7, "0.00000025"},
                 {1.0000000000000002, "1"}, {1.0 / 3.0, "0.333333333333333"},
                 {2.0 / 3.0, "0.666666666666666"}, // scaled onto a tie, to even
                 {1234567890123456.0, "1234567890123460"}, {9999999999999996.0, "10000000000000000"},
                 {20000000000000.0, "20000000000000"}, // scaled down, not up
                 {1e20, "100000000000000000000"}};
    for (const auto& c : cases)
        EXPECT_EQ(realToText(c.value), c.expected) << c.value;
}

TEST(RealToText, RangeEndsNaNAndInfinityTerminate) {
    const std::string largest = "179769313486232" + std::string(294, '0');
    EXPECT_EQ(realToText(-DBL_MAX), "-" + largest);
    // An infinity is written as the largest value is; that text reads back as infinity.
    EXPECT_EQ(realToText(kInfinity), largest);
    EXPECT_EQ(textToReal(largest), kInfinity);
    EXPECT_EQ(realToText(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(realToText(std::numeric_limits<double>::denorm_min()),
              "0." + std::string(323, '0') + "494065645841246");
    EXPECT_EQ(realToText(DBL_MIN), "0." + std::string(307, '0') + "22250738585072");
}

TEST(Conversions, TypedValuesComeBackAsTyped) {
    for (const char* t : {"0.015", "99.99", "0.3", "0.666666666666666", "1.23456789012345",
                          "-987654321.123456", "3.14159265358979", "12345678901234500000"})
        EXPECT_EQ(realToText(textToReal(t)), t);
    // Every value with up to three decimals below 1000, as a user types them.
    for (int i = -1000000; i <= 1000000; i += 7) {
        const int magnitude = i < 0 ? -i : i;
        char typed[32];
        std::snprintf(typed, sizeof typed, "%s%d.%03d", i < 0 ? "-" : "", magnitude / 1000,
                      magnitude % 1000);
        std::string expected = typed;
        while (expected.back() == '0')
            expected.pop_back();
        if (expected.back() == '.') expected.pop_back();
        ASSERT_EQ(realToText(textToReal(typed)), expected);
    }
}

} // namespace
