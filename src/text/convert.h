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
// every other character is skipped. The fraction weights come from a one-tenth
// factor with a 64-bit significand, computed exactly; identical on every compiler.
double textToReal(std::string_view text);

// Shortest decimal form; INT32_MIN written in full.
std::string intToText(int32_t value);

// At most 15 significant digits, no exponent, no trailing zeros; NaN gives "0",
// an infinity terminates with a text of its own.
std::string realToText(double value);
