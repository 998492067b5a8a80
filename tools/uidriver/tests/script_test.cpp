#include <gtest/gtest.h>

#include "script.h"

namespace uidriver {
namespace {

std::optional<std::string> testVariables(std::string_view name) {
    if (name == "WORK") return std::string("/tmp/work 1");
    if (name == "EMPTY") return std::string();
    return std::nullopt;
}

ParsedLine parse(std::string_view line) { return parseLine(line, 7, testVariables); }

std::vector<std::string> words(std::string_view line) {
    const ParsedLine p = parse(line);
    EXPECT_EQ(p.error, "") << line;
    std::vector<std::string> all;
    if (p.empty) return all;
    all.push_back(p.command.name);
    all.insert(all.end(), p.command.args.begin(), p.command.args.end());
    return all;
}

// Words split at blanks, except inside quotes and inside selector brackets
// (where an escaped bracket does not close the group).
TEST(ScriptLine, SplitsAtBlanksOutsideQuotesAndBrackets) {
    using W = std::vector<std::string>;
    const std::pair<const char*, W> cases[] = {
        {"click   Button[id=3]\t", {"click", "Button[id=3]"}},
        {"type \"Edit[at=170,22]\" \"12 34\"", {"type", "Edit[at=170,22]", "12 34"}},
        {"settext Edit \"\"", {"settext", "Edit", ""}},
        {"click Button[Сохранить всё]", {"click", "Button[Сохранить всё]"}},
        {"expect GroupBox[Щиты и ракеты]>ComboBox[n=1] text 5",
         {"expect", "GroupBox[Щиты и ракеты]>ComboBox[n=1]", "text", "5"}},
        {"click Static[a\\] b] next", {"click", "Static[a\\] b]", "next"}}};
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(words(line), expected) << line;
    EXPECT_EQ(parse("click x").command.line, 7);
}

TEST(ScriptLine, EscapesInsideQuotes) {
    EXPECT_EQ(words("type E \"a\\\"b\\\\c\"")[2], "a\"b\\c");
    EXPECT_EQ(words("type E \"12\\b3\"")[2], "12\b3");
    EXPECT_EQ(words("type E \"\\n\\t\\r\"")[2], "\n\t\r");
    EXPECT_EQ(words("type E \"\\u041a\\u043e\"")[2], "Ко");
    // Selectors escape their own brackets: an unknown escape keeps its backslash.
    EXPECT_EQ(words("click \"Static[a\\]b]\"")[1], "Static[a\\]b]");
    // Outside quotes a backslash is an ordinary character.
    EXPECT_EQ(words("type E 1\\b")[2], "1\\b");
}

TEST(ScriptLine, MalformedLinesAreErrors) {
    EXPECT_EQ(parse("type E \"open").error, "unterminated quote");
    EXPECT_EQ(parse("type E \"a\"b").error, "text right after a closing quote");
    EXPECT_EQ(parse("type E \"\\u04\"").error, "\\u needs four hex digits");
    EXPECT_EQ(parse("start ${NOPE}/x").error, "variable NOPE is not set");
    EXPECT_EQ(parse("start ${WORK").error, "unclosed ${");
}

} // namespace
} // namespace uidriver
