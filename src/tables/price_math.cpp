#include "tables/price_math.h"

#include "text/exact_round.h"

#include <cmath>

namespace {
// 0.01 as the extended value nearest to it: kPercentSignificand × 2^-70.
constexpr uint64_t kPercentSignificand = 0xA3D70A3D70A3D70AULL;
constexpr int kPercentExponent = -70;
} // namespace

double percentStep(int32_t percent) {
    const int64_t p = percent;
    const uint64_t magnitude = static_cast<uint64_t>(p < 0 ? -p : p);
    const double step = roundProductToDouble(magnitude, kPercentSignificand, kPercentExponent);
    return p < 0 ? -step : step;
}

int64_t truncateToInt64(double value) {
    if (!std::isfinite(value)) return 0;
    constexpr double kLimit = 9223372036854775808.0; // 2^63, exact
    if (value >= kLimit) return INT64_MAX;
    if (value <= -kLimit) return INT64_MIN;
    return static_cast<int64_t>(std::trunc(value));
}

int64_t priceEstimate(int32_t coefficient, double factor) {
    return truncateToInt64(static_cast<double>(coefficient) * factor);
}

PriceRange priceRange(int32_t coefficient, double factor, int32_t percent) {
    const double base = static_cast<double>(coefficient) * factor;
    const double t = percentStep(percent) * base;
    PriceRange range;
    range.low = truncateToInt64(base - t);
    range.high = truncateToInt64(t + base);
    return range;
}
