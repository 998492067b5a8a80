#include "tables/fields.h"

#include <cstdint>

std::string_view takeField(std::string_view& line) {
    // Fields are a few characters long: a plain scan beats a library search call.
    size_t semicolon = 0;
    while (semicolon < line.size() && line[semicolon] != ';') ++semicolon;
    if (semicolon == line.size()) {
        if (!line.empty()) line.remove_prefix(1);
        return {};
    }
    const std::string_view field = line.substr(0, semicolon);
    line.remove_prefix(semicolon + 1);
    return field;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The position after the blanks that start at i.
size_t skipBlanks(std::string_view text, size_t i) {
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

// Whether the text from i on is only blanks.
bool onlyBlanksFrom(std::string_view text, size_t i) { return skipBlanks(text, i) == text.size(); }

} // namespace

FieldFault checkRealField(std::string_view field) {
    if (field.empty()) return FieldFault::none;
    size_t i = 0;
    if (field[0] == '+' || field[0] == '-') i = 1;
    size_t digits = 0;
    while (i < field.size() && isDigit(field[i])) ++i, ++digits;
    if (i < field.size() && field[i] == '.') {
        ++i;
        while (i < field.size() && isDigit(field[i])) ++i, ++digits;
    }
    if (digits == 0) return FieldFault::notNumber;
    if (i < field.size() && (field[i] == 'E' || field[i] == 'e')) {
        ++i;
        if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
        const size_t start = i;
        while (i < field.size() && isDigit(field[i])) ++i;
        if (i == start) return FieldFault::notNumber;
    }
    return onlyBlanksFrom(field, i) ? FieldFault::none : FieldFault::notNumber;
}

FieldFault readIntegerFieldInFull(std::string_view field, int32_t& value) {
    value = 0;
    if (field.empty()) return FieldFault::none;
    size_t i = 0;
    bool negative = false;
    if (field[0] == '+' || field[0] == '-') {
        negative = field[0] == '-';
        i = 1;
    }
    const size_t start = i;
    uint64_t magnitude = 0;
    for (; i < field.size() && isDigit(field[i]); ++i)
        if (magnitude <= 0xFFFFFFFFu) magnitude = magnitude * 10 + static_cast<uint64_t>(field[i] - '0');
    if (i == start || !onlyBlanksFrom(field, i))
        return checkRealField(field) == FieldFault::none ? FieldFault::notInteger
                                                         : FieldFault::notNumber;
    if (magnitude > (negative ? 2147483648u : 2147483647u)) return FieldFault::outOfRange;
    value = static_cast<int32_t>(negative ? 0u - static_cast<uint32_t>(magnitude)
                                          : static_cast<uint32_t>(magnitude));
    return FieldFault::none;
}

FieldFault checkIntegerField(std::string_view field) {
    int32_t ignored = 0;
    return readIntegerField(field, ignored);
}

std::string realWithPoint(std::string_view field) {
    std::string pointed(field);
    const size_t comma = pointed.find(',');
    if (comma == std::string::npos || pointed.find_first_of(",.", comma + 1) != std::string::npos ||
        pointed.find('.') != std::string::npos)
        return pointed;
    pointed[comma] = '.';
    return checkRealField(pointed) == FieldFault::none ? pointed : std::string(field);
}
