#pragma once
// The tables' Windows-1251 text and the UTF-8 of consoles, CSV files and JSON.

#include <string>
#include <string_view>

// Every byte to its character; 0x98, which the code page leaves empty, to U+0098
// so that it comes back unchanged.
std::string cp1251ToUtf8(std::string_view text);

// The reverse. False, leaving `out` unspecified, for broken UTF-8 or a character
// the code page has no byte for.
bool utf8ToCp1251Strict(std::string_view utf8, std::string& out);
