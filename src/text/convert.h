#pragma once
// The system's own number <-> text conversions. They never fail, never throw and
// never skip leading blanks; their exact output is part of the table file format.

#include <cstdint>
#include <string>
#include <string_view>

// Optional sign (first character only), then decimal digits up to the first
// non-digit, in wrapping unsigned 32-bit arithmetic read as signed. No digits: 0.
int32_t textToInt(std::string_view text);

// Optional leading minus, digits, one point, E/e followed by a textToInt exponent;
// every other character is skipped, a second point ends the scan. Empty text: 0.
// Every step rounds to double; the fraction weights come from a one-tenth factor
// with a 64-bit significand, computed exactly; identical on every compiler.
// Overflow gives an infinity; the result is never NaN (0 x 10^400 and a value
// beyond the double range times a power that underflowed to 0 both give 0).
double textToReal(std::string_view text);

// Shortest decimal form; INT32_MIN written in full.
std::string intToText(int32_t value);

// At most 15 significant digits, no exponent, no trailing zeros; the digits
// follow from scaling by ten in double steps. Zero of either sign and NaN give
// "0"; an infinity is written as the largest finite double is ("179769313486232"
// and 294 zeros, with its sign), a text that textToReal reads back as infinity.
std::string realToText(double value);
