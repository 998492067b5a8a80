// orvex-cli merge: three game folders merged table by table in the core; this
// file loads them, words the result (what the merge changes in MINE and each
// conflict with the three sides' values) and writes it with the editor's writer.

#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/change_report.h"
#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "tables/save_tables.h"
#include "tables/table_merge.h"
#include "text/files.h"

namespace {

// The record a conflict is about, as the editor lists it (UTF-8).
std::string conflictName(const MergeConflict& c, const LoadedGame& mine, const LoadedGame& theirs, TableId id,
                         Language language) {
    if (c.objectId.empty()) return {};
    // The index is THEIRS' when MINE removed the record, else MINE's.
    const LoadedGame& game = c.removedBy == MergeSide::mine ? theirs : mine;
    return visitTable(game.state, id, [&](const auto& view) {
        return c.index < view.records.size() ? cp1251ToUtf8(recordName(game, view.records[c.index], language))
                                             : std::string();
    });
}

std::string problemOf(const CliOutput& io, const LoadedGame& game, TableId id) {
    return visitTable(game.state, id, [&](const auto& view) {
        return cp1251ToUtf8(problemText(view.file.problem, io.language));
    });
}

} // namespace

int runMerge(const MergeOptions& o, CliOutput& io) {
    std::vector<const TableName*> chosen;
    if (!chosenTables(o.tables, chosen, io)) return kExitUsage;
    LoadedGame base, mine, theirs, merged;
    // The other sides' name pages only name list entries in conflicts: read when there are some.
    if (!loadGame(o.base, base, io, false) || !loadGame(o.mine, mine, io) || !loadGame(o.theirs, theirs, io, false))
        return kExitUsage;
    const Prefer prefer = o.prefer == "mine" ? Prefer::mine : o.prefer == "theirs" ? Prefer::theirs : Prefer::none;
    merged.page = mine.page;
    merged.pagePath = mine.pagePath;

    MergeScope scope;
    for (const TableName* name : chosen) scope.tables.push_back(name->id);
    GameMerge game = mergeGame(base.state, mine.state, theirs.state, prefer, scope);
    merged.state = std::move(game.merged);

    std::vector<TableMerge> merges;
    std::vector<TableReport> reports;
    bool trouble = false;
    int conflicts = 0, changedTables = 0;
    // The tables asked for, and those linked to them, in the tables' order.
    for (const TableName& table : kTableNames) {
        if (!game.tables[static_cast<size_t>(table.id)].chosen) continue;
        const TableName* name = &table;
        TableMerge m = std::move(game.tables[static_cast<size_t>(table.id)]);
        TableDiff d = diffTable(mine.state, merged.state, name->id);
        std::string reason;
        if (!m.merged) {
            const LoadedGame& side = m.refusedSide == MergeSide::base ? base : m.refusedSide == MergeSide::mine ? mine : theirs;
            const std::string& folder = m.refusedSide == MergeSide::base ? o.base : m.refusedSide == MergeSide::mine ? o.mine : o.theirs;
            d = TableDiff{};
            d.table = name->id;
            d.state = DiffState::notComparable;
            reason = say(io, Text::cliDiffReason, {folder + std::string(name->fileName), problemOf(io, side, name->id)});
            trouble = true;
        }
        TableReport t = reportTable(io, *name, std::move(d), mine, merged, o.mine + std::string(name->fileName),
                                    o.mine + std::string(name->fileName));
        if (!m.merged) t.reason = reason;
        conflicts += static_cast<int>(m.conflicts.size());
        changedTables += m.changesMine ? 1 : 0;
        merges.push_back(std::move(m));
        reports.push_back(std::move(t));
    }
    const bool write = !trouble && (conflicts == 0 || prefer != Prefer::none);
    if (conflicts > 0) {
        loadNames(o.base, base);
        loadNames(o.theirs, theirs);
    }

    // The report: per table what the merge changes in MINE, then its conflicts.
    if (o.format == "json") {
        nlohmann::json tables = nlohmann::json::array();
        for (size_t i = 0; i < reports.size(); ++i) {
            nlohmann::json table = tableJson(io, reports[i]);
            nlohmann::json list = nlohmann::json::array();
            for (const MergeConflict& c : merges[i].conflicts)
                list.push_back(conflictJson(io, c, conflictName(c, mine, theirs, merges[i].table, io.language), base,
                                            mine, theirs));
            table["conflicts"] = std::move(list);
            tables.push_back(std::move(table));
        }
        const nlohmann::json doc = {{"tables", std::move(tables)}, {"written", write},
                                    {"totals", {{"conflicts", conflicts}, {"tablesChanged", changedTables}}}};
        io.out += doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    } else {
        const bool markdown = o.format == "markdown";
        for (size_t i = 0; i < reports.size(); ++i) {
            std::vector<std::string> lines = tableLines(io, reports[i], markdown);
            for (const MergeConflict& c : merges[i].conflicts)
                lines.push_back(say(io, Text::cliConflictHeading) + ": " +
                                conflictText(io, c, conflictName(c, mine, theirs, merges[i].table, io.language), base,
                                             mine, theirs));
            if (lines.empty()) continue;
            const std::string file(reports[i].name.fileName);
            if (markdown) {
                io.out += "## " + file + "\n\n";
                for (const std::string& line : lines) io.out += "- " + line + "\n";
                io.out += "\n";
            } else {
                for (const std::string& line : lines) io.out += file + ": " + line + "\n";
            }
        }
    }

    if (trouble) return kExitUsage;
    if (!write) {
        sayError(io, say(io, Text::cliMergeConflicts, {conflicts}));
        return kExitFailed;
    }
    // Into MINE only the tables the merge changes; into another folder every table.
    const std::string target = o.out.empty() ? o.mine : o.out;
    if (!o.out.empty() && !folderExists(target + "types")) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::u8path(target + "types"), error);
    }
    bool failed = false;
    for (size_t i = 0; i < merges.size(); ++i) {
        if (!merges[i].exists || (o.out.empty() && !merges[i].changesMine)) continue;
        if (merges[i].wholeFile == MergeSide::theirs) { // THEIRS' file as it stands
            const std::string from = o.theirs + std::string(tableName(merges[i].table).fileName);
            std::string bytes;
            if (!readWholeFile(from, bytes) || !writeTableBytes(target, tableName(merges[i].table).fileName, bytes)) {
                sayError(io, say(io, Text::cliMergeWriteFailed, {target + std::string(tableName(merges[i].table).fileName)}));
                failed = true;
            }
            continue;
        }
        visitTable(merged.state, merges[i].table, [&](const auto& view) {
            if (!saveTableFile(target, view.name.fileName, view.headerValue, view.file, view.records)) {
                sayError(io, say(io, Text::cliMergeWriteFailed, {target + std::string(view.name.fileName)}));
                failed = true;
            }
        });
    }
    if (failed) return kExitUsage;
    if (conflicts > 0) io.out += say(io, Text::cliMergeSettled, {conflicts, prefer == Prefer::theirs ? "THEIRS" : "MINE"}) + "\n";
    io.out += (changedTables > 0 ? say(io, Text::cliMergeDone, {changedTables}) : say(io, Text::cliMergeNothing)) + "\n";
    return kExitOk;
}
