#pragma once
// The driver speaks UTF-8 (scripts, output) and UTF-16 (window calls); these
// are its only conversions, independent of the system's code page.

#include <string>
#include <string_view>

namespace uidriver {

// UTF-16 for UTF-8 text; a malformed byte becomes U+FFFD, never fails.
std::u16string utf8ToUtf16(std::string_view utf8);

// UTF-8 for UTF-16 text; a lone surrogate becomes U+FFFD, never fails.
std::string utf16ToUtf8(std::u16string_view utf16);

// Equal but for the case of ASCII letters (class and kind names).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// UTF-8 for one code point (U+FFFD for a surrogate or a value above U+10FFFF).
std::string codePointToUtf8(char32_t c);

} // namespace uidriver
