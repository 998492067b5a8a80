#pragma once
// The game's name pages are UTF-8; the editor works in Windows-1251. Only the
// Russian letters are converted; every other byte is copied as it is.

#include <string>
#include <string_view>

// The text with each two-byte UTF-8 Russian letter (А..Я, Ё, а..я, ё) replaced by
// its 1251 byte. A lead byte 0xD0/0xD1 that starts no such letter (a Ukrainian
// letter, a lone byte at the end) is dropped and the byte after it is taken on its
// own; all other bytes, broken UTF-8 included, are copied unchanged. Empty gives empty.
std::string utf8ToCp1251(std::string_view text);
