#pragma once
// What the user may put into a number box, and how what is there becomes a
// stored integer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Like textToInt (sign on the first character only, digits up to the first
// non-digit, no digits → 0), but a value beyond the 32-bit range saturates at
// its limit instead of wrapping.
int32_t typedInt(std::string_view text);

// typedInt(text) × factor, saturated at the 32-bit limits.
int32_t typedScaledInt(std::string_view text, int32_t factor);

// Whether the typed number is larger than the one a box shows for what was
// stored of it: the table could not hold it, and the box shows its limit.
bool typedBeyond(std::string_view typed, std::string_view shown);

// The one rule of the number boxes, for a typed character and a paste alike:
// `inserted` is to replace the characters selStart..selEnd of `boxText` (indexes
// beyond the text count as its end). An integer box takes digits; a decimal box
// takes digits and one decimal point, a comma being that point. Blanks around a
// paste (the line end of a copied cell) are dropped. Returns what goes into the
// box, a comma made a point; nothing when the input is refused whole: a sign,
// a blank or a letter inside it, a point in an integer box, a second point in
// the box, more than kDecimalDigits digits before a decimal box's point (a
// manoeuvrability of 9999999.0, 999999900 %, is already far beyond any ship),
// or nothing left to insert. "333,5" is refused by an integer box and
// "1,234.5" by a decimal one; nothing is ever glued together.
inline constexpr size_t kDecimalDigits = 7;
std::optional<std::string> numberInput(std::string_view boxText, size_t selStart, size_t selEnd,
                                       std::string_view inserted, bool decimal);
