#include "text/convert.h"

#include <array>
#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <limits>

// Every step below must round to double; an x87 build that keeps intermediates in
// extended precision would write different digits into the tables.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must round every step to double");
static_assert(std::numeric_limits<double>::is_iec559, "double must be IEEE 754 binary64");

namespace {

// ---- exact weight arithmetic -------------------------------------------------

struct U128 {
    uint64_t hi = 0;
    uint64_t lo = 0;
};

// Full 64 x 64 -> 128-bit product, built from 32-bit halves so that it needs no
// compiler extension.
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

// One tenth as an 80-bit extended value: 0xCCCCCCCCCCCCCCCD x 2^-67, the
// extended value nearest to 0.1 (slightly above it).
constexpr uint64_t kTenthSignificand = 0xCCCCCCCCCCCCCCCDu;
constexpr int kTenthExponent = -67;

constexpr uint64_t kFractionMask = (uint64_t{1} << 52) - 1;

// The weight times the extended one tenth, computed exactly and rounded once to
// double (nearest, ties to even), subnormal results and underflow to 0 included.
// weight must be finite and not negative.
constexpr double multiplyByTenth(double weight) {
    const uint64_t bits = std::bit_cast<uint64_t>(weight);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t fraction = bits & kFractionMask;
    if (biased == 0 && fraction == 0) return 0.0;
    uint64_t m = fraction;
    int e = -1074; // weight = m x 2^e
    if (biased != 0) {
        m = fraction | (uint64_t{1} << 52);
        e = biased - 1075;
    }
    const U128 p = multiply64(m, kTenthSignificand);
    const int pe = e + kTenthExponent; // product = p x 2^pe
    int shift = bitLength(p) - 53;
    const int lowestKept = -1074 - pe; // no bit below 2^-1074 survives
    if (shift < lowestKept) shift = lowestKept;
    uint64_t q = shiftRight(p, shift);
    const bool half = bitAt(p, shift - 1);
    const bool sticky = anyBitBelow(p, shift - 1);
    if (half && (sticky || (q & 1) != 0)) ++q;
    int lsbExponent = pe + shift; // result = q x 2^lsbExponent
    if (q == 0) return 0.0;
    if (q >= (uint64_t{1} << 53)) { // rounding carried into a new bit
        q >>= 1;
        ++lsbExponent;
    }
    // Below 2^52 only when shift was lowestKept: a subnormal, whose encoding is q
    // itself (q == 2^52 there encodes the smallest normal, also correctly).
    if (q < (uint64_t{1} << 52)) return std::bit_cast<double>(q);
    const uint64_t exponentField = static_cast<uint64_t>(lsbExponent + 52 + 1023);
    return std::bit_cast<double>((exponentField << 52) | (q & kFractionMask));
}

constexpr int countFractionWeights() {
    double weight = 1.0;
    int n = 0;
    while (weight != 0.0) {
        weight = multiplyByTenth(weight);
        ++n;
    }
    return n;
}

constexpr int kFractionWeightCount = countFractionWeights();

// kFractionWeights[k - 1] is the weight of the k-th fraction digit; the last
// entry is the first weight that reached 0, and every later one stays 0.
constexpr std::array<double, kFractionWeightCount> kFractionWeights = [] {
    std::array<double, kFractionWeightCount> weights{};
    double weight = 1.0;
    for (double& w : weights) {
        weight = multiplyByTenth(weight);
        w = weight;
    }
    return weights;
}();

double fractionWeight(size_t digit) {
    return digit <= kFractionWeights.size() ? kFractionWeights[digit - 1] : 0.0;
}

// value x 10^exponent, 10^|exponent| by square-and-multiply in double. Where that
// would be 0 x infinity (a zero value with a huge exponent, or a value beyond the
// double range with a power that underflowed to 0) the result is 0, never NaN.
double scaleByPowerOfTen(double value, int32_t exponent) {
    uint32_t bits =
        exponent < 0 ? 0u - static_cast<uint32_t>(exponent) : static_cast<uint32_t>(exponent);
    double power = 1.0;
    double base = 10.0;
    while (bits != 0) {
        if ((bits & 1) != 0) power = power * base;
        base = base * base;
        bits >>= 1;
    }
    if (exponent < 0) power = 1.0 / power;
    if (value == 0.0 || power == 0.0) return 0.0;
    return value * power;
}

// x is in [0, 2^53); the nearest integer, ties to even, without depending on the
// current rounding mode.
uint64_t nearestInteger(double x) {
    uint64_t t = static_cast<uint64_t>(x);
    const double rest = x - static_cast<double>(t); // exact below 2^53
    if (rest > 0.5 || (rest == 0.5 && (t & 1) != 0)) ++t;
    return t;
}

} // namespace

int32_t textToInt(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

double textToReal(std::string_view text) {
    if (text.empty()) return 0.0;
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative) i = 1;
    double value = 0.0;
    bool inFraction = false;
    size_t fractionDigits = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            const double digit = c - '0';
            if (!inFraction) {
                value = value * 10.0; // two roundings, as the format defines them
                value = value + digit;
            } else {
                const double part = digit * fractionWeight(++fractionDigits);
                value = value + part;
            }
        } else if (c == '.') {
            if (inFraction) break;
            inFraction = true;
        } else if (c == 'e' || c == 'E') {
            value = scaleByPowerOfTen(value, textToInt(text.substr(i + 1)));
            break;
        }
    }
    return negative ? -value : value;
}

std::string intToText(int32_t value) {
    uint32_t magnitude =
        value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::string out;
    out.reserve(11);
    if (value < 0) out += '-';
    while (n > 0)
        out += digits[--n];
    return out;
}

std::string realToText(double value) {
    if (value == 0.0 || value != value) return "0"; // zero of either sign, NaN
    const bool negative = value < 0.0;
    double x = negative ? -value : value;
    // The scaling never ends for an infinity; it is written as the largest finite
    // value is, a text that reads back as infinity.
    if (x > DBL_MAX) x = DBL_MAX;

    int n = 15; // digits before the decimal point once x holds 15 digits
    bool multiplied = false;
    while (x < 5e12) {
        x = x * 10.0;
        --n;
        multiplied = true;
    }
    if (!multiplied) {
        while (x >= 1e13) {
            x = x / 10.0;
            ++n;
        }
    }
    // x is now below 5e13, so the loop stops with r in [1e14, 1e15): 15 digits.
    uint64_t r = nearestInteger(x);
    while (r < 100000000000000u) {
        x = x * 10.0;
        --n;
        r = nearestInteger(x);
    }
    char digits[15];
    for (int k = 14; k >= 0; --k) {
        digits[k] = static_cast<char>('0' + r % 10);
        r /= 10;
    }
    const std::string_view d(digits, 15);

    std::string out;
    if (negative) out += '-';
    if (n >= 15) {
        out += d;
        out.append(static_cast<size_t>(n - 15), '0');
        return out;
    }
    if (n <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-n), '0');
        out += d;
    } else {
        out += d.substr(0, static_cast<size_t>(n));
        out += '.';
        out += d.substr(static_cast<size_t>(n));
    }
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.') out.pop_back();
    return out;
}
