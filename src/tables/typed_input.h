#pragma once
// Converting what the user typed into stored integers. Like textToInt (sign on
// the first character only, digits up to the first non-digit, no digits → 0),
// but a value beyond the 32-bit range saturates at its limit instead of wrapping.

#include <cstdint>
#include <string>
#include <string_view>

int32_t typedInt(std::string_view text);

// typedInt(text) × factor, saturated at the 32-bit limits.
int32_t typedScaledInt(std::string_view text, int32_t factor);

// What a paste into a number box keeps: the digits, and for a decimal box the
// first point or comma, as a point. Blanks, signs, thousands separators and
// letters are dropped ("12 000" gives "12000", "-500" gives "500").
std::string pastedNumber(std::string_view text, bool decimal);
