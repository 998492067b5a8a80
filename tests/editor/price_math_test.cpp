// Price arithmetic: the constants and roundings that make the shown numbers.

#include "tables/price_math.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

TEST(PriceRange, PercentStepIsTheExtendedHundredthRoundedOnce) {
    // The extended 0.01 lies just below 0.01; times 1 it rounds to the double 0.01.
    EXPECT_EQ(percentStep(1), 0.01);
    EXPECT_EQ(percentStep(100), 1.0);
    EXPECT_EQ(percentStep(-3), -percentStep(3));
    // 35 x the extended value rounds to the double nearest 0.35, while 35 x the
    // double 0.01 lands one step above it (0.35000000000000003).
    EXPECT_EQ(percentStep(35), 0.35);
    EXPECT_NE(percentStep(35), 35 * 0.01);
    // The range uses that step: 400 x 28.075 = 11230 +- 70 % reads 3369-19091 in
    // exact fractions; the double 70 x 0.01 would give 3368 for the low end.
    const PriceRange range = priceRange(400, equipmentPriceFactor, 70);
    EXPECT_EQ(range.low, 3369);
    EXPECT_EQ(range.high, 19091);
}

// A coefficient near the 32-bit limit gives estimates beyond 32 bits: shown
// whole, not as their low 32 bits (2147483647 × 64.924 once read 1984274825).
TEST(PriceEstimate, BeyondThirtyTwoBitsIsTheTrueValue) {
    EXPECT_EQ(priceEstimate(2147483647, shipPriceFactor), 139423228297);
    EXPECT_EQ(priceEstimate(-2147483647 - 1, equipmentPriceFactor), -60290603417);
    const PriceRange range = priceRange(2147483647, equipmentPriceFactor, 100);
    EXPECT_EQ(range.low, 0);
    EXPECT_EQ(range.high, 120581206779);
    EXPECT_EQ(truncateToInt64(-0.9), 0);
    EXPECT_EQ(truncateToInt64(-1.5), -1);
    EXPECT_EQ(truncateToInt64(1e300), INT64_MAX); // finite: no failure
    EXPECT_EQ(truncateToInt64(std::numeric_limits<double>::infinity()), 0);
}

} // namespace
