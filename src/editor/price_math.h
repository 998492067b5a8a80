#pragma once
// Price estimates in credits from the tables' integer price coefficients. Every
// product and sum is rounded to double as it is formed; the percent step is the
// one value held with a 64-bit significand and is applied exactly, so the shown
// numbers are the same on every compiler.

#include <cstdint>

// The doubles nearest to 64.924 (just above) and 28.075 (just below).
inline constexpr double shipPriceFactor = 64.924;
inline constexpr double equipmentPriceFactor = 28.075;

// p × 0.01, with 0.01 held as the extended value nearest to it (just below),
// rounded once to double.
double percentStep(int32_t percent);

// c × f rounded to double, truncated toward zero; the low 32 bits read as signed.
int32_t priceEstimate(int32_t coefficient, double factor);

struct PriceRange {
    int32_t low = 0;
    int32_t high = 0;
};

// base = c × f; t = (p × 0.01) × base; low = base − t and high = t + base,
// each truncated toward zero (low 32 bits read as signed).
PriceRange priceRange(int32_t coefficient, double factor, int32_t percent);

// Truncates toward zero and keeps the low 32 bits as a signed integer; 0 for NaN
// or an infinity.
int32_t truncateToInt32(double value);
