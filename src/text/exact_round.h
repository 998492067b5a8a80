#pragma once
// Exact arithmetic for the few constants held with a 64-bit significand (the one
// tenth of number parsing, the percent step of price ranges): the product is
// formed in 128 bits and rounded to double once (nearest, ties to even), so the
// result is the same on every compiler and FPU. Usable at compile time.

#include <bit>
#include <cstdint>

namespace exact {

struct U128 {
    uint64_t hi = 0;
    uint64_t lo = 0;
};

// Full 64 x 64 -> 128-bit product from 32-bit halves (no compiler extension).
constexpr U128 multiply64(uint64_t a, uint64_t b) {
    const uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32;
    const uint64_t bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
    const uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
    const uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
    U128 p;
    p.lo = (mid << 32) | (ll & 0xFFFFFFFFu);
    p.hi = hh + (lh >> 32) + (hl >> 32) + (mid >> 32);
    return p;
}

constexpr int bitLength(U128 p) {
    return p.hi != 0 ? 64 + std::bit_width(p.hi) : std::bit_width(p.lo);
}

constexpr bool bitAt(U128 p, int i) {
    if (i < 0 || i >= 128) return false;
    return i >= 64 ? ((p.hi >> (i - 64)) & 1) != 0 : ((p.lo >> i) & 1) != 0;
}

// Whether any bit with an index below i is set.
constexpr bool anyBitBelow(U128 p, int i) {
    if (i <= 0) return false;
    if (i >= 128) return (p.hi | p.lo) != 0;
    if (i > 64) return p.lo != 0 || (p.hi & ((uint64_t{1} << (i - 64)) - 1)) != 0;
    if (i == 64) return p.lo != 0;
    return (p.lo & ((uint64_t{1} << i) - 1)) != 0;
}

// p >> s; the caller guarantees that the result fits 64 bits.
constexpr uint64_t shiftRight(U128 p, int s) {
    if (s >= 128) return 0;
    if (s >= 64) return p.hi >> (s - 64);
    if (s == 0) return p.lo;
    return (p.lo >> s) | (p.hi << (64 - s));
}

} // namespace exact

// a × b × 2^exponent rounded once to the nearest double (ties to even); results
// below the normal range round correctly into the subnormals or to 0. The
// product must stay below the largest double.
constexpr double roundProductToDouble(uint64_t a, uint64_t b, int exponent) {
    using namespace exact;
    constexpr uint64_t kFractionMask = (uint64_t{1} << 52) - 1;
    const U128 p = multiply64(a, b);
    if (bitLength(p) == 0) return 0.0;
    int shift = bitLength(p) - 53;
    const int lowestKept = -1074 - exponent; // no bit below 2^-1074 survives
    if (shift < lowestKept) shift = lowestKept;
    uint64_t q = shift < 0 ? p.lo << -shift : shiftRight(p, shift);
    const bool half = bitAt(p, shift - 1);
    const bool sticky = anyBitBelow(p, shift - 1);
    if (half && (sticky || (q & 1) != 0)) ++q;
    int lsbExponent = exponent + shift; // result = q × 2^lsbExponent
    if (q == 0) return 0.0;
    if (q >= (uint64_t{1} << 53)) { // rounding carried into a new bit
        q >>= 1;
        ++lsbExponent;
    }
    // Below 2^52 only for a subnormal, whose encoding is q itself.
    if (q < (uint64_t{1} << 52)) return std::bit_cast<double>(q);
    const uint64_t exponentField = static_cast<uint64_t>(lsbExponent + 52 + 1023);
    return std::bit_cast<double>((exponentField << 52) | (q & kFractionMask));
}
