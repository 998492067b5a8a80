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

TEST(ScriptLine, SplitsAtBlanksAndKeepsQuotedBlanks) {
    using W = std::vector<std::string>;
    EXPECT_EQ(words("click   Button[id=3]\t"), (W{"click", "Button[id=3]"}));
    EXPECT_EQ(words("type \"Edit[at=170,22]\" \"12 34\""), (W{"type", "Edit[at=170,22]", "12 34"}));
    EXPECT_EQ(words("settext Edit \"\""), (W{"settext", "Edit", ""}));
    EXPECT_EQ(parse("click x").command.line, 7);
}

TEST(ScriptLine, BlanksInsideSelectorBracketsStayInTheWord) {
    using W = std::vector<std::string>;
    EXPECT_EQ(words("click Button[Сохранить всё]"), (W{"click", "Button[Сохранить всё]"}));
    EXPECT_EQ(words("expect GroupBox[Щиты и ракеты]>ComboBox[n=1] text 5"),
              (W{"expect", "GroupBox[Щиты и ракеты]>ComboBox[n=1]", "text", "5"}));
    // An escaped bracket does not close the group.
    EXPECT_EQ(words("click Static[a\\] b] next"), (W{"click", "Static[a\\] b]", "next"}));
}

TEST(ScriptLine, CommentsAndBlankLinesRunNothing) {
    EXPECT_TRUE(parse("").empty);
    EXPECT_TRUE(parse("   \t ").empty);
    EXPECT_TRUE(parse("  # wait for the window").empty);
    // '#' starts an index path anywhere but at the start of a line.
    EXPECT_EQ(words("click #0/2"), (std::vector<std::string>{"click", "#0/2"}));
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

TEST(ScriptLine, VariablesExpandInsideAndOutsideQuotes) {
    EXPECT_EQ(words("start ${WORK}/orvex.exe")[1], "/tmp/work 1/orvex.exe");
    EXPECT_EQ(words("start \"${WORK}\\\\x\"")[1], "/tmp/work 1\\x");
    EXPECT_EQ(words("echo a${EMPTY}b")[1], "ab");
    EXPECT_EQ(words("echo $HOME")[1], "$HOME");
}

TEST(ScriptLine, MalformedLinesAreErrors) {
    EXPECT_EQ(parse("type E \"open").error, "unterminated quote");
    EXPECT_EQ(parse("type E \"a\"b").error, "text right after a closing quote");
    EXPECT_EQ(parse("type E \"\\u04\"").error, "\\u needs four hex digits");
    EXPECT_EQ(parse("start ${NOPE}/x").error, "variable NOPE is not set");
    EXPECT_EQ(parse("start ${WORK").error, "unclosed ${");
}

TEST(ScriptText, SplitsLinesWithAnyLineEnd) {
    EXPECT_EQ(splitLines("\xEF\xBB\xBF" "a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(splitLines("a\n"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(splitLines("").empty());
}

} // namespace
} // namespace uidriver
