#pragma once
// The game's name pages are UTF-8; the editor works in Windows-1251.

#include <string>
#include <string_view>

// The text with each UTF-8 character replaced by its 1251 byte, or by '?' alone
// when the code page lacks it (an emoji, a CJK sign), so one such character never
// spoils the rest of a name. A byte that starts no valid UTF-8 sequence (a page
// saved in 1251 by hand, a cut sequence) is copied unchanged. Empty gives empty.
std::string utf8ToCp1251(std::string_view text);
