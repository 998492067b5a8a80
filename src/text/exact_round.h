#pragma once
// Exact arithmetic for the few constants held with a 64-bit significand: the
// product is formed in 128 bits and rounded to double once (nearest, ties to
// even), so the result is the same on every compiler and FPU.

#include <cstdint>

// a × b × 2^exponent, rounded once to the nearest double (ties to even).
// Results too small for a normal double round correctly into the subnormals or to 0.
double roundProductToDouble(uint64_t a, uint64_t b, int exponent);
