// orvex-cli merge-file and diff-files: git's drivers for one table file. git
// hands over temporary files and the file's path in the repository; the path's
// file name tells the table, whatever its letter case.

#include <algorithm>
#include <optional>

#include "cli/change_report.h"
#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/run_program.h"
#include "cli/utf8_text.h"
#include "tables/load_tables.h"
#include "tables/save_tables.h"
#include "tables/table_merge.h"
#include "text/files.h"
#include "text/strings.h"

namespace {

std::string_view fileNameOf(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The table that `path` names by its file name ("types/tships.txt"), else null
// with the message.
const TableName* tableOfPath(const std::string& path, CliOutput& io) {
    const std::string_view name = fileNameOf(path);
    const TableName* table = name.size() > 4 && lowerLatin(name.substr(name.size() - 4)) == ".txt" ? findTable(name)
                                                                                                  : nullptr;
    if (table == nullptr) sayError(io, say(io, Text::cliPathNotTable, {path}));
    return table;
}

// One table file read into `game` by the loader's rules; an empty file (git's
// side of an added or deleted file) or one that is not there stays missing.
void loadFile(LoadedGame& game, TableId id, const std::string& file) {
    std::string bytes;
    if (file == "/dev/null" || !readWholeFile(file, bytes) || bytes.empty()) {
        loadTableFrom(game.state, id, ""); // no file of that name: the loader marks the table missing
        return;
    }
    loadTableFrom(game.state, id, file);
}

// The folder prefix of the game that holds `path` ("mod/types/TShips.txt" ->
// "mod/", "types/TShips.txt" -> ""), or none for a path not inside a types folder.
std::optional<std::string> gameFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return std::nullopt;
    const std::string folder = path.substr(0, slash);
    if (lowerLatin(fileNameOf(folder)) != "types") return std::nullopt;
    const size_t up = folder.find_last_of("/\\");
    return up == std::string::npos ? std::string() : folder.substr(0, up + 1);
}

// The other tables' three versions, read from git while it merges `path`: BASE
// from the merge base, MINE from HEAD, THEIRS from the commit git names in a
// GITHEAD_<commit> variable. False, with nothing read, outside such a merge, with
// more than one merge base, or when git's own three files of `path` are not those
// commits' versions of it.
bool readOtherTables(const std::string& path, TableId own, const std::string* const files[3], LoadedGame sides[3]) {
    std::string theirs;
    for (const std::string& name : environmentNames()) {
        if (name.rfind("GITHEAD_", 0) != 0) continue;
        if (!theirs.empty()) return false;
        theirs = name.substr(8);
    }
    std::string bases;
    if (theirs.empty() || runProgramOutput({"git", "merge-base", "--all", "HEAD", theirs}, bases) != 0) return false;
    while (!bases.empty() && (bases.back() == '\n' || bases.back() == '\r')) bases.pop_back();
    if (bases.empty() || bases.find('\n') != std::string::npos) return false;
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return false;
    const std::string folder = path.substr(0, slash + 1);
    const std::string commits[3] = {bases, "HEAD", theirs};
    GameState read[3];
    for (int s = 0; s < 3; ++s) {
        std::string listing;
        if (runProgramOutput({"git", "ls-tree", "--name-only", "-z", commits[s], "--", folder}, listing) != 0)
            return false;
        std::vector<std::string> entries;
        for (size_t start = 0, end; start < listing.size(); start = end + 1) {
            end = listing.find('\0', start);
            if (end == std::string::npos) end = listing.size();
            entries.push_back(listing.substr(start, end - start));
        }
        read[s].folder = sides[s].state.folder;
        for (const TableName& t : kTableNames) {
            const std::string_view fileName = fileNameOf(t.fileName);
            const auto entry = std::find_if(entries.begin(), entries.end(), [&](const std::string& e) {
                return lowerLatin(fileNameOf(e)) == lowerLatin(fileName);
            });
            std::string bytes;
            if (entry == entries.end() ||
                runProgramOutput({"git", "cat-file", "blob", commits[s] + ":" + *entry}, bytes) != 0) {
                if (t.id == own) return false;
                loadTableFrom(read[s], t.id, ""); // not in that commit: missing
                continue;
            }
            if (t.id == own) {
                std::string given;
                readWholeFile(*files[s], given);
                if (given != bytes) return false;
                continue;
            }
            loadTableBytes(read[s], t.id, std::move(bytes));
        }
    }
    for (int s = 0; s < 3; ++s)
        for (const TableName& t : kTableNames)
            if (t.id != own) copyTable(read[s], t.id, sides[s].state);
    return true;
}

std::string reasonOf(const CliOutput& io, const LoadedGame& game, TableId id, const std::string& file) {
    return say(io, Text::cliDiffReason, {file, visitTable(game.state, id, [&](const auto& view) {
                                              return cp1251ToUtf8(problemText(view.file.problem, io.language));
                                          })});
}

} // namespace

int runMergeFile(const std::string& base, const std::string& mine, const std::string& theirs, const std::string& path,
                 CliOutput& io) {
    const TableName* name = tableOfPath(path, io);
    if (name == nullptr) return kExitUsage;
    LoadedGame sides[3];
    const std::string* const files[3] = {&base, &mine, &theirs};
    for (int i = 0; i < 3; ++i) loadFile(sides[i], name->id, *files[i]);
    LoadedGame merged;
    MergeScope scope;
    scope.tables = {name->id};
    // Without the other tables, a reference that differs between the sides is a conflict.
    if (!readOtherTables(path, name->id, files, sides)) {
        scope.known.fill(false);
        scope.known[static_cast<size_t>(name->id)] = true;
    }
    // MINE's value stays in every conflicting field: the file stays a table.
    GameMerge game = mergeGame(sides[0].state, sides[1].state, sides[2].state, Prefer::mine, scope);
    merged.state = std::move(game.merged);
    const TableMerge& m = game.tables[static_cast<size_t>(name->id)];
    if (!m.merged) {
        const int side = m.refusedSide == MergeSide::base ? 0 : m.refusedSide == MergeSide::mine ? 1 : 2;
        sayError(io, say(io, Text::cliDiffNotComparable, {reasonOf(io, sides[side], name->id, *files[side])}));
        return kExitUsage;
    }
    if (m.changesMine) {
        // The editor's bytes, put in place of MINE in one step.
        std::string text;
        if (m.wholeFile == MergeSide::theirs) readWholeFile(theirs, text); // THEIRS' file as it stands
        else text = visitTable(merged.state, name->id, [&](const auto& view) {
            return tableFileText(view.headerValue, view.file, view.records);
        });
        const std::string temporary = mine + ".orvex-new";
        if (!writeNewFileDurably(temporary, text) || !replaceFile(temporary, mine)) {
            removeFile(temporary);
            sayError(io, say(io, Text::cliMergeWriteFailed, {mine}));
            return kExitUsage;
        }
    }
    if (m.conflicts.empty()) return kExitOk;
    for (const MergeConflict& c : m.conflicts) {
        const LoadedGame& game = c.removedBy == MergeSide::mine ? sides[2] : sides[1];
        const std::string recordName = visitTable(game.state, name->id, [&](const auto& view) {
            return c.index < view.records.size() && !c.objectId.empty()
                       ? cp1251ToUtf8(::recordName(game, view.records[c.index], io.language))
                       : std::string();
        });
        io.err += path + ": " + say(io, Text::cliConflictHeading) + ": " +
                  conflictText(io, c, recordName, sides[0], sides[1], sides[2]) + "\n";
    }
    sayError(io, say(io, Text::cliMergeKeptMine, {static_cast<int32_t>(m.conflicts.size())}));
    return kExitFailed;
}

int runDiffFiles(const std::string& oldFile, const std::string& newFile, const std::string& path, CliOutput& io) {
    const TableName* name = tableOfPath(path, io);
    if (name == nullptr) return kExitUsage;
    LoadedGame oldGame, newGame;
    loadFile(oldGame, name->id, oldFile);
    loadFile(newGame, name->id, newFile);
    // Names from the name page of the game folder around the file, when found.
    if (const std::optional<std::string> folder = gameFolderOf(path)) {
        loadNames(*folder, oldGame);
        loadNames(*folder, newGame);
    }
    TableReport t = reportTable(io, *name, diffTable(oldGame.state, newGame.state, name->id), oldGame, newGame,
                                oldFile, newFile);
    for (const std::string& line : tableLines(io, t, false)) io.out += path + ": " + line + "\n";
    // A file that could not be compared may differ: "no differences" would not be true.
    if (t.diff.state == DiffState::notComparable) return kExitUsage;
    const bool differs = hasDifferences(t.diff);
    io.out += (differs ? say(io, Text::cliDiffTotals, {static_cast<int32_t>(t.diff.changed.size()),
                                                       static_cast<int32_t>(t.diff.added.size()),
                                                       static_cast<int32_t>(t.diff.removed.size())})
                       : say(io, Text::cliDiffNone)) +
              "\n";
    return differs ? kExitFailed : kExitOk;
}
