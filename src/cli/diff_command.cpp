// orvex-cli diff: what changed between two versions of a game's tables, record
// by record in the editor's words, as text lines, one JSON document or a Markdown
// changelog. The comparison is the core's; this file only words it.

#include <nlohmann/json.hpp>

#include <algorithm>

#include "cli/change_report.h"
#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "tables/load_tables.h"
#include "tables/table_diff.h"
#include "text/files.h"
#include "text/strings.h"

namespace {

std::string backupName(std::string_view fileName) { return changeExtension(fileName, ".bak"); }

} // namespace

// The tables asked for, each once, in the order of the list; all twelve without any.
bool chosenTables(const std::vector<std::string>& given, std::vector<const TableName*>& chosen, CliOutput& io) {
    std::vector<bool> wanted(kTableCount, given.empty());
    for (const std::string& table : given) {
        const TableName* name = tableOrSay(table, io);
        if (name == nullptr) return false;
        wanted[static_cast<size_t>(name->id)] = true;
    }
    for (const TableName& name : kTableNames)
        if (wanted[static_cast<size_t>(name.id)]) chosen.push_back(&name);
    return true;
}

int runDiff(const std::string& folder, const DiffOptions& options, CliOutput& io) {
    std::vector<const TableName*> chosen;
    if (!chosenTables(options.tables, chosen, io)) return kExitUsage;
    LoadedGame newGame, oldGame;
    if (!loadGame(folder, newGame, io)) return kExitUsage;
    if (options.backups) {
        oldGame.state.folder = folder;
        for (const TableName* name : chosen) loadTableFrom(oldGame.state, name->id, backupName(name->fileName));
    } else if (!loadGame(options.againstFolder, oldGame, io)) {
        return kExitUsage;
    }
    // Records of the backups are named by the folder's own name page.
    if (options.backups) loadNames(folder, oldGame);

    std::vector<TableReport> reports;
    int changed = 0, added = 0, removed = 0;
    bool differs = false, trouble = false, anyBackup = false;
    for (const TableName* name : chosen) {
        const std::string oldFile = options.backups ? folder + backupName(name->fileName)
                                                    : options.againstFolder + std::string(name->fileName);
        TableDiff d;
        if (options.backups && !fileExists(oldFile)) {
            d.table = name->id;
            d.state = DiffState::noBackup;
        } else {
            anyBackup = true;
            d = diffTable(oldGame.state, newGame.state, name->id);
        }
        trouble = trouble || d.state == DiffState::notComparable;
        TableReport t = reportTable(io, *name, std::move(d), oldGame, newGame, oldFile,
                                    folder + std::string(name->fileName));
        changed += static_cast<int>(t.diff.changed.size());
        added += static_cast<int>(t.diff.added.size());
        removed += static_cast<int>(t.diff.removed.size());
        differs = differs || hasDifferences(t.diff);
        reports.push_back(std::move(t));
    }
    // No backup at all: nothing was compared, which is no answer.
    if (options.backups && !anyBackup) trouble = true;

    if (options.format == "json") {
        nlohmann::json tables = nlohmann::json::array();
        for (const TableReport& t : reports) tables.push_back(tableJson(io, t));
        const nlohmann::json doc = {{"against", options.backups ? std::string("backups") : options.against},
                                    {"tables", std::move(tables)},
                                    {"totals", {{"changed", changed}, {"added", added}, {"removed", removed}}}};
        io.out += doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    } else if (options.format == "markdown") {
        // A changelog to paste: a heading and bullets per table with changes; what
        // could not be compared goes to the error stream.
        for (const TableReport& t : reports) {
            const std::vector<std::string> lines = tableLines(io, t, true);
            if (t.diff.state == DiffState::notComparable || t.diff.state == DiffState::noBackup) {
                sayError(io, std::string(t.name.fileName) + ": " + lines.front());
                continue;
            }
            if (lines.empty()) continue;
            io.out += "## " + std::string(t.name.fileName) + "\n\n";
            for (const std::string& line : lines) io.out += "- " + line + "\n";
            io.out += "\n";
        }
        if (!differs && !trouble) io.out += say(io, Text::cliDiffNone) + "\n";
    } else {
        for (const TableReport& t : reports)
            for (const std::string& line : tableLines(io, t, false))
                io.out += std::string(t.name.fileName) + ": " + line + "\n";
        // A table that could not be compared may differ: "no differences" would not be true.
        if (differs) io.out += say(io, Text::cliDiffTotals, {changed, added, removed}) + "\n";
        else if (!trouble) io.out += say(io, Text::cliDiffNone) + "\n";
    }
    return trouble ? kExitUsage : differs ? kExitFailed : kExitOk;
}
