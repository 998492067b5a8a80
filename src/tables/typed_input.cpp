#include "tables/typed_input.h"

#include <algorithm>

#include "text/strings.h"

namespace {

// The typed number, held far beyond the 32-bit range so that saturation is exact.
int64_t typedWide(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) negative = text[0] == '-', i = 1;
    constexpr int64_t kCeiling = int64_t(1) << 40;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kCeiling);
    return negative ? -value : value;
}

int32_t saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

int32_t typedInt(std::string_view text) { return saturate(typedWide(text)); }

int32_t typedScaledInt(std::string_view text, int32_t factor) {
    return saturate(typedWide(text) * factor);
}

bool typedBeyond(std::string_view typed, std::string_view shown) { return typedWide(typed) > typedWide(shown); }

std::optional<std::string> numberInput(std::string_view boxText, size_t selStart, size_t selEnd,
                                       std::string_view inserted, bool decimal) {
    const std::string trimmed = trimBlanks(inserted);
    if (trimmed.empty()) return std::nullopt;
    selEnd = std::min(selEnd, boxText.size());
    selStart = std::min(selStart, selEnd);
    const auto isPoint = [](char ch) { return ch == '.' || ch == ','; };
    // Points the box keeps outside the part replaced.
    int points = static_cast<int>(std::count_if(boxText.begin(), boxText.begin() + selStart, isPoint) +
                                  std::count_if(boxText.begin() + selEnd, boxText.end(), isPoint));
    std::string accepted;
    for (char ch : trimmed) {
        if (isPoint(ch) && decimal && ++points == 1) {
            accepted += '.';
        } else if (ch >= '0' && ch <= '9') {
            accepted += ch;
        } else {
            return std::nullopt;
        }
    }
    if (decimal) {
        const std::string result =
            std::string(boxText.substr(0, selStart)) + accepted + std::string(boxText.substr(selEnd));
        if (std::min(result.find('.'), result.size()) > kDecimalDigits) return std::nullopt;
    }
    return accepted;
}
