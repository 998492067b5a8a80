// orvex-cli merge: three game folders merged table by table in the core; this
// file loads them, words the result (what the merge changes in MINE and each
// conflict with the three sides' values) and writes it, all of it or nothing.

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "cli/change_report.h"
#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "names/display_names.h"
#include "objects/merged_names.h"
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


// The bytes of each table the merge writes: into MINE the tables it changes,
// into another folder every table, one it leaves as MINE's with MINE's bytes.
std::vector<FileBytes> mergedTables(const MergeOptions& o, const GameState& merged,
                                    const std::vector<TableMerge>& merges, CliOutput& io, bool& readable) {
    std::vector<FileBytes> files;
    readable = true;
    for (const TableMerge& m : merges) {
        if (!m.exists || (!o.toOut && !m.changesMine)) continue;
        FileBytes& file = files.emplace_back();
        file.name = tableName(m.table).fileName;
        visitTable(merged, m.table, [&](const auto& view) {
            if (m.changesMine && m.wholeFile != MergeSide::theirs)
                file.bytes = tableFileText(view.headerValue, view.file, view.records);
        });
        // A table only THEIRS changed is THEIRS' file as it stands; one the merge
        // leaves as MINE's is MINE's.
        const bool whole = m.wholeFile == MergeSide::theirs;
        const std::string& from = whole ? o.theirs : o.mine;
        if ((whole || !m.changesMine) && !readWholeFile(from + file.name, file.bytes)) {
            sayError(io, say(io, Text::cliReadFailed, {platformPath(from + file.name)}));
            readable = false;
        }
    }
    return files;
}

// The folders on the way to `folder` (itself included) that are not there yet,
// the deepest first.
std::vector<std::string> missingFolders(const std::string& folder) {
    std::vector<std::string> missing;
    for (std::string up = folder; !up.empty() && !folderExists(up);) {
        missing.push_back(up);
        const size_t end = up.find_last_not_of("/\\");
        const size_t separator = end == std::string::npos ? end : up.find_last_of("/\\", end);
        up = separator == std::string::npos ? std::string() : up.substr(0, separator + 1);
    }
    return missing;
}

// Writes the merged tables, each given by its name as the editor names it
// ("types\TShips.txt") and its bytes, into MINE or into the folder OUT (made at
// any depth, with MINE's name page copied in so that the game and the editor
// start there), all of them or none. False, with the file and the system's
// reason on err, when nothing or not all was written.
bool writeMerged(const MergeOptions& o, std::vector<FileBytes> files, CliOutput& io) {
    const std::string target = o.toOut ? o.out : o.mine;
    warnIfOpenInEditor(target, io);
    const auto refused = [&](const std::string& path, FileFault fault) {
        sayError(io, say(io, Text::cliMergeWriteFault, {platformPath(path), faultWord(io, fault)}));
        return false;
    };
    if (o.toOut) {
        const std::string page = findNamePage(o.mine);
        const bool merged = std::any_of(files.begin(), files.end(), [&](const FileBytes& f) {
            return !page.empty() && f.name == page.substr(o.mine.size());
        });
        if (!page.empty() && !merged) {
            FileBytes copy{page.substr(o.mine.size()), {}};
            if (!readWholeFile(page, copy.bytes)) {
                sayError(io, say(io, Text::cliReadFailed, {platformPath(page)}));
                io.err += say(io, Text::cliNothingWritten) + "\n";
                return false;
            }
            files.push_back(std::move(copy));
        }
    }
    // A file that holds its bytes already stays as it is (and gets no ".bak").
    std::erase_if(files, [&](const FileBytes& f) {
        std::string there;
        return readWholeFile(target + f.name, there) && there == f.bytes;
    });
    // The folders the files go into; a failure takes away again those it made.
    std::vector<std::string> made; // deepest first
    const auto unmake = [&] {
        for (const std::string& folder : made) removeFolder(folder);
    };
    for (const FileBytes& f : files) {
        const size_t slash = f.name.find_last_of('\\');
        if (slash == std::string::npos) continue;
        const std::string folder = target + f.name.substr(0, slash);
        const std::vector<std::string> missing = missingFolders(folder);
        made.insert(made.begin(), missing.begin(), missing.end());
        if (!makeFolders(folder)) {
            const FileFault fault = lastFileFault();
            unmake();
            return refused(folder, fault);
        }
    }
    const TogetherReport report = writeFilesTogether(target, files);
    if (report.failure && report.written.empty()) unmake();
    return sayWritten(target, report, io);
}

std::string jsonText(const nlohmann::json& doc) {
    return doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

// The three sides and the merge, as loaded and made.
struct MergeSides {
    LoadedGame base, mine, theirs, merged;
};

// The report of a table that one side cannot read.
TableReport refusedTable(const MergeOptions& o, const MergeSides& s, const TableName& name, const TableMerge& m,
                         CliOutput& io) {
    const LoadedGame& side = m.refusedSide == MergeSide::base ? s.base : m.refusedSide == MergeSide::mine ? s.mine : s.theirs;
    const std::string& folder = m.refusedSide == MergeSide::base ? o.base : m.refusedSide == MergeSide::mine ? o.mine : o.theirs;
    TableDiff d;
    d.table = name.id;
    d.state = DiffState::notComparable;
    TableReport t = reportTable(io, name, std::move(d), s.mine, s.merged, {}, {});
    t.reason = say(io, Text::cliDiffReason, {platformPath(folder + std::string(name.fileName)), problemOf(io, side, name.id)});
    return t;
}

// The name page of the merge, when THEIRS changed its own: MINE's page ("t\70001.xml")
// with THEIRS' names merged in (objects/merged_names.h).
struct MergedPage {
    std::string name;
    std::string mine, theirs;
    MergedNames names;
    bool merged = false; // THEIRS changed its page: `names` holds the merge
};

// False, with the file on err, when a page cannot be read.
bool mergePage(const MergeOptions& o, MergeSides& s, MergedPage& page, CliOutput& io) {
    const std::string basePath = findNamePage(o.base), minePath = findNamePage(o.mine),
                      theirsPath = findNamePage(o.theirs);
    if (minePath.empty() || theirsPath.empty()) return true; // nothing to merge: MINE's page stays
    std::string base;
    std::string& theirs = page.theirs;
    for (const auto& [path, bytes] : {std::pair{&minePath, &page.mine}, {&theirsPath, &theirs}, {&basePath, &base}})
        if (!path->empty() && !readWholeFile(*path, *bytes)) {
            sayError(io, say(io, Text::cliReadFailed, {platformPath(*path)}));
            return false;
        }
    page.name = minePath.substr(o.mine.size());
    if (theirs == base || theirs == page.mine) return true;
    page.names = mergeNames(base, page.mine, theirs, s.mine.state, s.theirs.state, s.merged.state);
    page.merged = true;
    return true;
}

// The page's lines of the report: its conflicts, or a change beyond its name lines, and the names renumbered.
void sayPage(const MergedPage& page, CliOutput& io) {
    if (!page.merged) return;
    const std::string& file = page.name;
    if (page.names.wholeFile) io.out += file + ": " + say(io, Text::cliConflictHeading) + ": " + say(io, Text::cliPageWhole) + "\n";
    for (const NameConflict& c : page.names.conflicts)
        io.out += file + ": " + say(io, Text::cliConflictHeading) + ": " +
                  say(io, Text::cliPageConflict, {static_cast<int64_t>(c.textId), cp1251ToUtf8(c.mine), cp1251ToUtf8(c.theirs)}) + "\n";
    if (page.names.renumbered > 0) io.out += file + ": " + say(io, Text::cliPageRenumbered, {page.names.renumbered}) + "\n";
}

// The page's bytes once the conflicts are settled for `prefer`; none when MINE's stays.
std::optional<FileBytes> settledPage(const MergedPage& page, Prefer prefer, const GameState& merged) {
    if (!page.merged) return std::nullopt;
    FileBytes file{page.name, page.names.wholeFile && prefer == Prefer::theirs ? page.theirs : page.names.bytes};
    if (prefer == Prefer::theirs && !page.names.wholeFile)
        for (const NameConflict& c : page.names.conflicts) takeTheirName(file.bytes, c, merged);
    if (file.bytes == page.mine) return std::nullopt;
    return file;
}

// A table a side cannot read stops the whole merge: nothing merged, nothing written.
int refuseMerge(const std::vector<TableReport>& refused, bool json, CliOutput& io) {
    for (const TableReport& t : refused) sayError(io, t.reason);
    io.err += say(io, Text::cliNothingWritten) + "\n";
    if (json) {
        nlohmann::json tables = nlohmann::json::array();
        for (const TableReport& t : refused) tables.push_back(tableJson(io, t));
        io.out += jsonText({{"tables", std::move(tables)}, {"written", false},
                            {"totals", {{"conflicts", 0}, {"tablesChanged", 0}}}});
    }
    return kExitUsage;
}

// The report: per table what the merge changes in MINE, then its conflicts.
void sayMergeReport(const MergeOptions& o, const MergeSides& s, const std::vector<TableReport>& reports,
                    const std::vector<TableMerge>& merges, bool written, int conflicts, int changedTables,
                    CliOutput& io) {
    const auto nameOf = [&](const MergeConflict& c, size_t i) {
        return conflictName(c, s.mine, s.theirs, merges[i].table, io.language);
    };
    if (o.format == "json") {
        nlohmann::json tables = nlohmann::json::array();
        for (size_t i = 0; i < reports.size(); ++i) {
            nlohmann::json table = tableJson(io, reports[i]);
            nlohmann::json list = nlohmann::json::array();
            for (const MergeConflict& c : merges[i].conflicts)
                list.push_back(conflictJson(io, c, nameOf(c, i), s.base, s.mine, s.theirs));
            table["conflicts"] = std::move(list);
            tables.push_back(std::move(table));
        }
        io.out += jsonText({{"tables", std::move(tables)}, {"written", written},
                            {"totals", {{"conflicts", conflicts}, {"tablesChanged", changedTables}}}});
        return;
    }
    const bool markdown = o.format == "markdown";
    for (size_t i = 0; i < reports.size(); ++i) {
        std::vector<std::string> lines = tableLines(io, reports[i], markdown);
        for (const MergeConflict& c : merges[i].conflicts)
            lines.push_back(say(io, Text::cliConflictHeading) + ": " +
                            conflictText(io, c, nameOf(c, i), s.base, s.mine, s.theirs));
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

} // namespace

int runMerge(const MergeOptions& o, CliOutput& io) {
    std::vector<const TableName*> chosen;
    if (!chosenTables(o.tables, chosen, io)) return kExitUsage;
    MergeSides s;
    // The other sides' name pages only name list entries in conflicts: read when there are some.
    if (!loadGame(o.base, s.base, io, false) || !loadGame(o.mine, s.mine, io) || !loadGame(o.theirs, s.theirs, io, false))
        return kExitUsage;
    const Prefer prefer = o.prefer == "mine" ? Prefer::mine : o.prefer == "theirs" ? Prefer::theirs : Prefer::unsettled;
    const bool json = o.format == "json";
    s.merged.page = s.mine.page;
    s.merged.pagePath = s.mine.pagePath;

    MergeScope scope;
    for (const TableName* name : chosen) scope.tables.push_back(name->id);
    GameMerge game = mergeGame(s.base.state, s.mine.state, s.theirs.state, prefer, scope);
    s.merged.state = std::move(game.merged);
    MergedPage page;
    if (!mergePage(o, s, page, io)) {
        io.err += say(io, Text::cliNothingWritten) + "\n";
        return kExitUsage;
    }
    if (page.merged) { // the merge's records are named from the merged page
        s.merged.page = std::make_shared<NamePage>();
        readNamePage(*s.merged.page, page.names.bytes);
    }
    // A table whose records took new text ids is written from the merge.
    for (TableId id : page.names.tables) {
        TableMerge& m = game.tables[static_cast<size_t>(id)];
        m.wholeFile.reset();
        m.changesMine = true;
    }

    std::vector<TableMerge> merges;
    std::vector<TableReport> reports, refused;
    int conflicts = 0, changedTables = 0;
    // The tables asked for, and those linked to them, in the tables' order.
    for (const TableName& table : kTableNames) {
        TableMerge& m = game.tables[static_cast<size_t>(table.id)];
        if (!m.chosen) continue;
        if (!m.readable) {
            refused.push_back(refusedTable(o, s, table, m, io));
            continue;
        }
        reports.push_back(reportTable(io, table, diffTable(s.mine.state, s.merged.state, table.id), s.mine, s.merged, {}, {}));
        conflicts += static_cast<int>(m.conflicts.size());
        changedTables += m.changesMine ? 1 : 0;
        merges.push_back(std::move(m));
    }
    if (!refused.empty()) return refuseMerge(refused, json, io);
    conflicts += static_cast<int>(page.names.conflicts.size()) + (page.names.wholeFile ? 1 : 0);

    const bool settled = conflicts == 0 || prefer != Prefer::unsettled;
    bool written = false, readable = true;
    if (settled) {
        std::vector<FileBytes> files = mergedTables(o, s.merged.state, merges, io, readable);
        if (std::optional<FileBytes> merged = settledPage(page, prefer, s.merged.state)) files.push_back(std::move(*merged));
        written = readable && writeMerged(o, std::move(files), io);
        if (!readable) io.err += say(io, Text::cliNothingWritten) + "\n";
    }
    if (conflicts > 0) {
        loadNames(o.base, s.base);
        loadNames(o.theirs, s.theirs);
    }
    sayMergeReport(o, s, reports, merges, written, conflicts, changedTables, io);
    if (!json) sayPage(page, io);

    if (!settled) {
        sayError(io, say(io, Text::cliMergeConflicts, {conflicts}));
        return kExitFailed;
    }
    if (!written) return kExitUsage;
    // The closing lines; standard output holds the JSON document alone.
    std::string& closing = json ? io.err : io.out;
    if (conflicts > 0)
        closing += say(io, Text::cliMergeSettled, {conflicts, prefer == Prefer::theirs ? "THEIRS" : "MINE"}) + "\n";
    closing += (changedTables > 0 ? say(io, Text::cliMergeDone, {changedTables}) : say(io, Text::cliMergeNothing)) +
               "\n";
    return kExitOk;
}
