#pragma once
#include <string_view>

// Removes the leading field and its semicolon from `line` and returns the field,
// a view into the same text: the characters before the first semicolon (empty
// when the semicolon comes first). Without any semicolon the field is empty and
// only the first character of `line` (if any) is removed, so text after a line's
// last semicolon never becomes a field. Never allocates.
std::string_view takeField(std::string_view& line);
