#pragma once
// The one place where the layer's Windows-1251 texts meet the UTF-16 of the
// window system. Every window call uses its W form with these, so the Russian
// interface reads right whatever the system's ANSI code page is.

#include <string>
#include <string_view>

// UTF-16 of 1251 bytes, through the system's 1251 table (never fails; "" for "").
std::wstring toWide(std::string_view text);
// 1251 bytes of UTF-16; a character 1251 cannot hold becomes '?'.
std::string fromWide(std::wstring_view text);
