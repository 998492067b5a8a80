#pragma once
// formatText: %d and %s filled as the Windows formatter (wvsprintfA) renders them
// (a 64-bit number given to %d shows whole, beyond what that formatter takes),
// done portably so that every platform gives the same bytes.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

struct FormatArg {
    enum class Kind { Int, Text };
    Kind kind;
    int64_t number = 0; // %u %x %c take its low 32 bits, %d and %s all of it
    std::string_view text;
    FormatArg(int32_t n) : kind(Kind::Int), number(n) {}
    FormatArg(int64_t n) : kind(Kind::Int), number(n) {}
    FormatArg(std::string_view t) : kind(Kind::Text), text(t) {}
    FormatArg(const std::string& t) : kind(Kind::Text), text(t) {}
    FormatArg(const char* t) : kind(Kind::Text), text(t != nullptr ? t : "") {} // null: empty
};

// Fills the placeholders from args in order: %d %i %u %x %X %c %s with the flags
// - 0 #, a width, a precision and an ignored h or l; %% and unknown letters show
// the letter. An empty text renders as empty; a text reads up to its first NUL;
// a missing argument shows as 0 or empty; a text given to a number placeholder
// shows 0, a number given to %s its decimal digits. Output ends at a NUL in the
// format or from %c, and is cut at 1024 characters.
std::string formatText(std::string_view format, std::initializer_list<FormatArg> args);
