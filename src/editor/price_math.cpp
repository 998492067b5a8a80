#include "editor/price_math.h"

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

int32_t truncateToInt32(double value) {
    if (!std::isfinite(value)) return 0;
    double wrapped = std::fmod(std::trunc(value), 4294967296.0); // exact
    if (wrapped < 0) wrapped += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

int32_t priceEstimate(int32_t coefficient, double factor) {
    return truncateToInt32(static_cast<double>(coefficient) * factor);
}

PriceRange priceRange(int32_t coefficient, double factor, int32_t percent) {
    const double base = static_cast<double>(coefficient) * factor;
    const double t = percentStep(percent) * base;
    PriceRange range;
    range.low = truncateToInt32(base - t);
    range.high = truncateToInt32(t + base);
    return range;
}
