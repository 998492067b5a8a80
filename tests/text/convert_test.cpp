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

struct IntCase {
    const char* text;
    int32_t expected;
};

TEST(TextToInt, SignDigitsAndWrapAround) {
    const IntCase cases[] = {
        {"", 0},
        {"-", 0},
        {"+", 0},
        {"abc", 0},
        {" 12", 0}, // blanks are not skipped
        {"+12", 12},
        {"-3", -3},
        {"12abc", 12},
        {"1 2", 1},
        {"12 ", 12},
        {"007", 7},
        {"--5", 0}, // only the first character may be a sign
        {"+-5", 0},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN}, // wraps modulo 2^32
        {"-2147483648", INT32_MIN},
        {"4294967295", -1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"99999999999", 1215752191}, // 99999999999 mod 2^32
    };
    for (const auto& c : cases)
        EXPECT_EQ(textToInt(c.text), c.expected) << '"' << c.text << '"';
}

struct RealCase {
    std::string text;
    double expected;
};

TEST(TextToReal, SkipsOddCharactersAndHonoursOnlyALeadingMinus) {
    const RealCase cases[] = {
        {"", 0.0},
        {"1.5", 1.5},
        {"-.5", -0.5},
        {".5", 0.5},
        {" -1.5", 1.5}, // the minus is not the first character
        {"1,5", 15.0},  // the comma is skipped
        {"1.2.3", 1.2}, // a second point ends the scan
        {"12a3", 123.0},
        {"1.5e3", 1500.0},
        {"1.5E-2", 0.015},
        {"2e", 2.0},
        {"1e+2", 100.0},
        {"+7", 7.0},
        {"1-2", 12.0},
        {"0.1", 0.1},
        {"123.456", 123.456},
        {"-123.456", -123.456},
        {"0.58", 0.58},
        {"1e22", 1e22},
        {"12.5e-1", 1.25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textToReal(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_TRUE(std::signbit(textToReal("-0"))) << "the minus is applied to a zero as well";
}

// Digit by digit with a rounding at every step is not the nearest double for
// every text; the tables are read exactly this way, so the neighbours count.
TEST(TextToReal, StepwiseRoundingIsKeptWhereItMissesTheNearestDouble) {
    EXPECT_EQ(bitsOf(textToReal("99.99")), 0x4058ff5c28f5c290u); // nearest is ...28f5c28f
    EXPECT_EQ(bitsOf(textToReal("0.3")), 0x3fd3333333333334u);   // nearest is ...33333333
    EXPECT_EQ(bitsOf(textToReal("1e308")), 0x7fe1ccf385ebc8a3u); // 10^308 by squaring
}

// The k-th fraction digit is weighted by the previous weight times the extended
// one tenth, rounded to double once. "0.0...01" yields that weight exactly.
TEST(TextToReal, FractionWeightsComeFromTheExtendedTenth) {
    auto weight = [](int k) { return textToReal("0." + std::string(k - 1, '0') + "1"); };
    // The first five are the doubles nearest 0.1 .. 0.00001; repeated
    // multiplication by the double 0.1 would miss from the second on.
    EXPECT_EQ(weight(1), 0.1);
    EXPECT_EQ(weight(2), 0.01);
    EXPECT_EQ(weight(3), 0.001);
    EXPECT_EQ(weight(4), 0.0001);
    EXPECT_EQ(weight(5), 0.00001);
    EXPECT_NE(0.1 * 0.1, 0.01);

    // Deeper weights, through the subnormal range down to 0, from an exact model.
    const struct {
        int digit;
        uint64_t bits;
    } deep[] = {
        {6, 0x3eb0c6f7a0b5ed8e},   {17, 0x3c670ef54646d497},  {20, 0x3bc79ca10c924224},
        {100, 0x2b2bff2ee48e0536}, {200, 0x16687e92154ef7b5}, {307, 0x0031fa182c40c618},
        {308, 0x000730d67819e8d6}, {309, 0x0000b8157268fdaf}, {315, 0x000000000c1069cd},
        {320, 0x00000000000007e8}, {322, 0x0000000000000014}, {323, 0x0000000000000002},
        {324, 0x0000000000000000}, {400, 0x0000000000000000},
    };
    for (const auto& d : deep)
        EXPECT_EQ(bitsOf(weight(d.digit)), d.bits) << "digit " << d.digit;
}

TEST(TextToReal, ExtremeExponentsAndLengthsEndWithoutNaN) {
    EXPECT_EQ(textToReal("1e-400"), 0.0);
    EXPECT_EQ(textToReal("1e400"), kInfinity);
    EXPECT_EQ(textToReal("-1e400"), -kInfinity);
    EXPECT_EQ(textToReal("1e-2147483648"), 0.0);
    EXPECT_EQ(textToReal("1e2147483647"), kInfinity);
    EXPECT_EQ(textToReal("1e4294967296"), 1.0) << "the exponent wraps like any textToInt";
    EXPECT_TRUE(std::isfinite(textToReal("1e308")));
    // 0 x infinity and infinity x 0 give 0, never NaN.
    EXPECT_EQ(textToReal("0e400"), 0.0);
    EXPECT_EQ(textToReal("0.0e2147483647"), 0.0);
    EXPECT_EQ(textToReal("1" + std::string(400, '0')), kInfinity);
    EXPECT_EQ(textToReal("1" + std::string(400, '0') + "e-400"), 0.0);
    // A fraction far longer than any weight stays finite and close to its value.
    const double third = textToReal("0." + std::string(5000, '3'));
    EXPECT_NEAR(third, 1.0 / 3.0, 1e-15);
}

TEST(IntToText, ShortestFormAndSmallestInteger) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(7), "7");
    EXPECT_EQ(intToText(-7), "-7");
    EXPECT_EQ(intToText(1000), "1000");
    EXPECT_EQ(intToText(INT32_MAX), "2147483647");
    EXPECT_EQ(intToText(INT32_MIN), "-2147483648");
}

TEST(RealToText, FifteenDigitsNoExponentNoTrailingZeros) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-1.0, "-1"},
        {10.0, "10"},
        {100.0, "100"},
        {0.5, "0.5"},
        {0.1, "0.1"},
        {-0.25, "-0.25"},
        {123.456, "123.456"},
        {0.001, "0.001"},
        {0.00001, "0.00001"},
        {2.5e-7, "0.00000025"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666666"}, // the scaled value lands on a tie, to even
        {0.58, "0.58"},
        {1.5, "1.5"},
        {1e20, "100000000000000000000"},
        {1e15, "1000000000000000"},
        {1234567890123456.0, "1234567890123460"}, // 16 digits rounded to 15, no point
        {9999999999999996.0, "10000000000000000"},
        {123456789012345.0, "123456789012345"},
        {20000000000000.0, "20000000000000"},
        {0.1 + 0.2, "0.3"},
        {1.0000000000000002, "1"},
        {-987654.321, "-987654.321"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(realToText(c.value), c.expected) << c.value;
}

TEST(RealToText, RangeEndsNaNAndInfinityTerminate) {
    const std::string largest = "179769313486232" + std::string(294, '0');
    EXPECT_EQ(realToText(DBL_MAX), largest);
    EXPECT_EQ(realToText(-DBL_MAX), "-" + largest);
    // An infinity is written as the largest value is; that text reads back as infinity.
    EXPECT_EQ(realToText(kInfinity), largest);
    EXPECT_EQ(realToText(-kInfinity), "-" + largest);
    EXPECT_EQ(textToReal(largest), kInfinity);
    EXPECT_EQ(realToText(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(realToText(std::numeric_limits<double>::denorm_min()),
              "0." + std::string(323, '0') + "494065645841246");
    EXPECT_EQ(realToText(DBL_MIN), "0." + std::string(307, '0') + "22250738585072");
}

TEST(Conversions, TypedValuesComeBackAsTyped) {
    const char* texts[] = {"0.5",
                           "0.1",
                           "123.456",
                           "-0.25",
                           "1500",
                           "0.015",
                           "99.99",
                           "0.00000025",
                           "1.2345",
                           "0.3",
                           "0.666666666666666",
                           "1.23456789012345",
                           "0.00001",
                           "-987654321.123456",
                           "3.14159265358979",
                           "12345678901234500000"};
    for (const char* t : texts)
        EXPECT_EQ(realToText(textToReal(t)), t);
    // Every value with up to three decimals below 1000, as a user types them.
    for (int i = -1000000; i <= 1000000; i += 7) {
        const int whole = (i < 0 ? -i : i) / 1000, part = (i < 0 ? -i : i) % 1000;
        char typed[32];
        std::snprintf(typed, sizeof typed, "%s%d.%03d", i < 0 ? "-" : "", whole, part);
        std::string expected = typed;
        while (expected.back() == '0')
            expected.pop_back();
        if (expected.back() == '.') expected.pop_back();
        ASSERT_EQ(realToText(textToReal(typed)), expected);
    }
}

} // namespace
