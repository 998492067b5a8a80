// Price arithmetic: the constants and roundings that make the shown numbers.

#include "editor/price_math.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(PriceEstimate, RoundsTheProductThenTruncatesTowardZero) {
    EXPECT_EQ(priceEstimate(40, equipmentPriceFactor), 1123) << "1122.999... rounds to 1123";
    EXPECT_EQ(priceEstimate(1000, equipmentPriceFactor), 28075);
    EXPECT_EQ(priceEstimate(1000, shipPriceFactor), 64924);
    EXPECT_EQ(priceEstimate(100, shipPriceFactor), 6492);
    EXPECT_EQ(priceEstimate(-10, equipmentPriceFactor), -280);
    EXPECT_EQ(priceEstimate(0, shipPriceFactor), 0);
    EXPECT_EQ(priceEstimate(7, 4.0), 28);
    EXPECT_EQ(priceEstimate(2, 5.25), 10);
    EXPECT_EQ(priceEstimate(100, 28.075), 2807);
    // the shown number is the low 32 bits of the truncated product
    EXPECT_EQ(priceEstimate(INT32_MAX, shipPriceFactor),
              static_cast<int32_t>(static_cast<uint32_t>(
                  static_cast<int64_t>(static_cast<double>(INT32_MAX) * shipPriceFactor))));
}

TEST(PriceRange, UsesThePercentStepOfTheExtendedConstant) {
    EXPECT_EQ(priceRange(100, equipmentPriceFactor, 10).low, 2526);
    EXPECT_EQ(priceRange(100, equipmentPriceFactor, 10).high, 3088);
    EXPECT_EQ(priceRange(40, equipmentPriceFactor, 0).low, 1123);
    EXPECT_EQ(priceRange(40, equipmentPriceFactor, 0).high, 1123);
    EXPECT_EQ(priceRange(100, equipmentPriceFactor, 100).low, 0);
    EXPECT_EQ(priceRange(0, equipmentPriceFactor, 55).high, 0);
}

TEST(PriceRange, PercentStepIsTheExtendedHundredthRoundedOnce) {
    // The extended 0.01 lies just below 0.01; times 1 it rounds to the double 0.01.
    EXPECT_EQ(percentStep(1), 0.01);
    EXPECT_EQ(percentStep(100), 1.0);
    EXPECT_EQ(percentStep(-3), -percentStep(3));
    // 35 x the extended value rounds to the double nearest 0.35, while 35 x the
    // double 0.01 lands one step above it (0.35000000000000003).
    EXPECT_EQ(percentStep(35), 0.35);
    EXPECT_NE(percentStep(35), 35 * 0.01);
}

TEST(TruncateToInt32, WrapsLikeTheLow32Bits) {
    EXPECT_EQ(truncateToInt32(-0.9), 0);
    EXPECT_EQ(truncateToInt32(4294967296.0 + 5), 5);
    EXPECT_EQ(truncateToInt32(-1.5), -1);
    EXPECT_EQ(truncateToInt32(1e300), truncateToInt32(1e300)); // finite: no failure
    EXPECT_EQ(truncateToInt32(std::numeric_limits<double>::infinity()), 0);
}

} // namespace
