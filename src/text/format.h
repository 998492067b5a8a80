#pragma once
// formatText: %d and %s filled as the Windows formatter (wvsprintfA) renders them,
// done portably so that every platform gives the same bytes.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

struct FormatArg {
    enum class Kind { Int, Text };
    Kind kind;
    int32_t number = 0;
    std::string_view text;
    FormatArg(int32_t n) : kind(Kind::Int), number(n) {}
    FormatArg(std::string_view t) : kind(Kind::Text), text(t) {}
    FormatArg(const std::string& t) : kind(Kind::Text), text(t) {}
    FormatArg(const char* t) : kind(Kind::Text), text(t) {}
};

// Fills the placeholders from args in order; an empty text renders as empty, a
// missing argument as 0 or empty. Output is cut at 1024 characters.
std::string formatText(std::string_view format, std::initializer_list<FormatArg> args);
