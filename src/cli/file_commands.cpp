// orvex-cli merge-file and diff-files: git's drivers for one table file. git
// hands over temporary files and the file's path in the repository; the path's
// file name tells the table, whatever its letter case.

#include <optional>

#include "cli/change_report.h"
#include "cli/commands.h"
#include "cli/game_folder.h"
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
    const std::string* files[3] = {&base, &mine, &theirs};
    for (int i = 0; i < 3; ++i) loadFile(sides[i], name->id, *files[i]);
    LoadedGame merged;
    merged.state = sides[1].state;
    // MINE's value stays in every conflicting field: the file stays a table.
    const TableMerge m = mergeTable(sides[0].state, sides[1].state, sides[2].state, name->id, Prefer::mine, merged.state);
    if (!m.merged) {
        const int side = m.refusedSide == MergeSide::base ? 0 : m.refusedSide == MergeSide::mine ? 1 : 2;
        sayError(io, say(io, Text::cliDiffNotComparable, {reasonOf(io, sides[side], name->id, *files[side])}));
        return kExitUsage;
    }
    if (m.changesMine) {
        // The editor's bytes, put in place of MINE in one step.
        const std::string text = visitTable(merged.state, name->id, [&](const auto& view) {
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
