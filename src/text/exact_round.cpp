#include "text/exact_round.h"

#include <cmath>

namespace {

struct U128 {
    uint64_t hi = 0, lo = 0;
};

// Portable 64 × 64 → 128 multiply (MSVC has no __int128).
U128 multiply(uint64_t a, uint64_t b) {
    const uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32;
    const uint64_t bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
    const uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
    const uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
    U128 r;
    r.lo = (middle << 32) | (ll & 0xFFFFFFFFu);
    r.hi = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
    return r;
}

int bitLength(U128 v) {
    int n = 0;
    uint64_t top = v.hi ? v.hi : v.lo;
    while (top) ++n, top >>= 1;
    return v.hi ? n + 64 : n;
}

// Bits [from, from+count) of v, count <= 64.
uint64_t bits(U128 v, int from, int count) {
    uint64_t r;
    if (from >= 64) r = v.hi >> (from - 64);
    else if (from == 0) r = v.lo;
    else r = (v.lo >> from) | (v.hi << (64 - from));
    return count >= 64 ? r : (r & ((uint64_t(1) << count) - 1));
}

bool anyBitBelow(U128 v, int position) {
    if (position <= 0) return false;
    if (position >= 64) return v.lo != 0 || (v.hi & ((uint64_t(1) << (position - 64)) - 1)) != 0;
    return (v.lo & ((uint64_t(1) << position) - 1)) != 0;
}

} // namespace

double roundProductToDouble(uint64_t a, uint64_t b, int exponent) {
    const U128 product = multiply(a, b);
    const int length = bitLength(product);
    if (length == 0) return 0.0;
    // Keep 53 significant bits, fewer when the result falls into the subnormals
    // (the value is m × 2^e with the lowest kept bit at 2^(exponent + drop)).
    int drop = length > 53 ? length - 53 : 0;
    const int lowestNormal = -1074; // exponent of the smallest subnormal's bit
    if (exponent + drop < lowestNormal) drop = lowestNormal - exponent;
    if (drop >= 128) return 0.0;
    uint64_t kept = drop >= length ? 0 : bits(product, drop, 64);
    if (drop > 0) {
        const bool half = drop - 1 < length && bits(product, drop - 1, 1) != 0;
        const bool sticky = anyBitBelow(product, drop - 1);
        if (half && (sticky || (kept & 1))) ++kept; // may carry to 2^53: still exact
    }
    return std::ldexp(static_cast<double>(kept), exponent + drop);
}
