#pragma once
// Changes of a table in the editor's words, for diff, merge and diff-files: the
// records named from each side's name page, each field as the window shows it
// (units whole, list entries by their text, price coefficients with the
// window's estimate) with the raw cells beside it, as text lines, Markdown
// bullets or JSON.

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/game_folder.h"
#include "tables/table_diff.h"
#include "tables/table_merge.h"

inline constexpr std::string_view kArrow = " \xE2\x86\x92 "; // " → "

// A table's comparison with its records named (UTF-8).
struct TableReport {
    const TableName& name;
    TableDiff diff;
    std::string reason; // not comparable: the side's file and the loader's reason
    std::vector<std::string> changedNames, addedNames, removedNames;
    // Each changed field as the text form and the Markdown form word it.
    std::vector<std::vector<std::string>> fieldTexts, fieldMarkdown;
    // Each changed field's old and new values as the window shows them.
    std::vector<std::vector<std::pair<std::string, std::string>>> fieldShown;
};

// The diff of table `name` between two loaded games, worded (a not comparable
// table gets its reason from the side named by `oldFile` / `newFile`).
TableReport reportTable(const CliOutput& io, const TableName& name, TableDiff diff, const LoadedGame& oldGame,
                        const LoadedGame& newGame, const std::string& oldFile, const std::string& newFile);

// The lines of one table, each without the file: what the text form puts after
// "file: " and the Markdown form after "- ".
std::vector<std::string> tableLines(const CliOutput& io, const TableReport& t, bool markdown);
nlohmann::json tableJson(const CliOutput& io, const TableReport& t);

// A record's column in words: "Начальная скорость 125 м/с (speed 27750)" for an
// input the editor shows (a list by its entry, named from `game`; a price
// coefficient followed by the window's estimate), "col11 5" for another column.
std::string columnText(const CliOutput& io, std::string_view column, const std::string& cell, const ShownField& shown,
                       const LoadedGame& game);

// A record as the editor lists it: "Кондор (SS_SH_KND)", or the objectId alone.
std::string recordLabel(const std::string& name, const std::string& objectId, bool markdown);

// A merge conflict in words, with the three sides' values, and as JSON
// {"objectId", "name", "column", "label", "base", "mine", "theirs"}.
std::string conflictText(const CliOutput& io, const MergeConflict& c, const std::string& name,
                         const LoadedGame& base, const LoadedGame& mine, const LoadedGame& theirs);
nlohmann::json conflictJson(const CliOutput& io, const MergeConflict& c, const std::string& name,
                            const LoadedGame& base, const LoadedGame& mine, const LoadedGame& theirs);

// An interface text used as a word, not a pattern ("%" stays "%").
std::string word(const CliOutput& io, Text key);
