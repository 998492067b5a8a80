#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Removes the leading field and its semicolon from `line` and returns the field,
// a view into the same text: the characters before the first semicolon (empty
// when the semicolon comes first). Without any semicolon the field is empty and
// only the first character of `line` (if any) is removed, so text after a line's
// last semicolon never becomes a field. Never allocates.
std::string_view takeField(std::string_view& line);

// Whether the writer gives a numeric field back as it says. textToInt and
// textToReal read any text, so a field outside these rules would be written as
// another number (a decimal comma, a name in another version's column, a slip).
enum class FieldFault {
    none,
    notNumber,  // text that is no number of the column's kind
    notInteger, // a real number in an integer column
    outOfRange, // an integer beyond -2147483648..2147483647
};

// Empty, or an optional sign and one or more digits, then blanks (space, tab) only,
// with a value in the signed 32-bit range.
FieldFault checkIntegerField(std::string_view field);
// The same check, giving the field's value (textToInt's) when it passes: one scan
// for the loader's commonest field.
FieldFault readIntegerFieldInFull(std::string_view field, int32_t& value);
inline FieldFault readIntegerField(std::string_view field, int32_t& value) {
    // The common field: up to nine digits, which cannot overflow, and nothing else.
    const size_t start = !field.empty() && field[0] == '-' ? 1 : 0;
    const size_t size = field.size();
    if (size - start - 1 < 9) {
        uint32_t magnitude = 0;
        size_t i = start;
        for (; i < size; ++i) {
            const uint32_t digit = static_cast<uint32_t>(static_cast<unsigned char>(field[i])) - '0';
            if (digit > 9) break;
            magnitude = magnitude * 10 + digit;
        }
        if (i == size) {
            value = static_cast<int32_t>(start == 1 ? 0u - magnitude : magnitude);
            return FieldFault::none;
        }
    }
    return readIntegerFieldInFull(field, value);
}
// Empty, or an optional sign, digits with at most one point (at least one digit),
// an optional exponent (E or e, an optional sign, one or more digits), then blanks only.
FieldFault checkRealField(std::string_view field);

// A real field as a spreadsheet in a decimal-comma locale writes it: when the
// field has one comma, no point, and passes checkRealField with the comma made a
// point ("0,6", "-1,25E3"), that point form; otherwise the field unchanged.
std::string realWithPoint(std::string_view field);
