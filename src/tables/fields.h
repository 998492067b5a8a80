#pragma once
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
// Empty, or an optional sign, digits with at most one point (at least one digit),
// an optional exponent (E or e, an optional sign, one or more digits), then blanks only.
FieldFault checkRealField(std::string_view field);
