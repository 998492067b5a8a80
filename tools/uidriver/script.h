#pragma once
// A driver script: one command per line, words separated by blanks.
//   # comment            (a line whose first non-blank character is '#')
//   type "Edit[id=5]" "12\b3"
//   click Button[Сохранить всё]   (blanks inside [...] of an unquoted word stay in it)
// A word in double quotes may hold blanks and the escapes \" \\ \n \t \r
// \b (backspace, 8) and \uXXXX; any other backslash is kept as written, so
// that selectors can escape their own brackets. ${NAME} is replaced by the
// value of the variable NAME, inside and outside quotes.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

struct Command {
    int line = 0;                  // 1-based line of its source; 0 for -c commands
    std::string name;
    std::vector<std::string> args; // UTF-8
};

struct ParsedLine {
    bool empty = true;             // blank line or comment: nothing to run
    Command command;
    std::string error;             // non-empty when the line is malformed
};

// Looks up a variable for ${NAME}; nullopt when it is not set.
using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

// Splits one line into a command and its arguments. Returns empty for a blank
// or comment line, an error for an unterminated quote, a closing quote glued
// to more text, a bad \u escape, an unclosed ${ or an unset variable.
ParsedLine parseLine(std::string_view line, int lineNumber, const VariableLookup& lookup);

// The lines of a script text, split at LF (a trailing CR is dropped), with a
// leading UTF-8 byte-order mark removed.
std::vector<std::string> splitLines(std::string_view text);

} // namespace uidriver
