#include "text/convert.h"

#include "text/exact_round.h"

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
    return roundProductToDouble(m, kTenthSignificand, e + kTenthExponent);
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
