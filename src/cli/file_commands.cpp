// orvex-cli merge-file, diff-files and show-file: git's drivers and textconv for
// one table file. git hands over temporary files and the file's path in the
// repository; the end of a file name tells the table, whatever its letter case.
// A file the table's rules cannot read goes to git's own line merge and line
// diff, or is shown as it is, so that git never stops on it.

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
#include "tables/table_rows.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
#include "text/strings.h"

namespace {

// Where the conflicts of a merge stay, in the repository's git folder.
constexpr std::string_view kConflictList = "orvex-conflicts.txt";

std::string_view fileNameOf(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The table whose file name ends `path`, in any letter case: "types/tships.txt",
// and git's temporary "/tmp/git-blob-Qu7rpw/TShips.txt" or "Xy12_TShips.txt";
// null for any other file.
const TableName* tableAtEnd(std::string_view path) {
    const std::string name = lowerLatin(fileNameOf(path));
    for (const TableName& t : kTableNames)
        if (name.ends_with(lowerLatin(fileNameOf(t.fileName)))) return &t;
    return nullptr;
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

// What names a table's records as the window does, from the game folder
// `folder`: its name page, and the shields and missiles a ship's lists show
// (unless `id`, the table read from the file, is one of them).
void loadNaming(LoadedGame& game, const std::string& folder, TableId id) {
    loadNames(folder, game);
    GameState& s = game.state;
    const std::string own = s.folder;
    s.folder = folder;
    for (const TableId listed : {TableId::shields, TableId::rockets})
        if (listed != id) loadTable(s, listed);
    s.folder = own;
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
    if (theirs.empty() || runProgram({"git", "merge-base", "--all", "HEAD", theirs}, bases) != 0) return false;
    while (!bases.empty() && (bases.back() == '\n' || bases.back() == '\r')) bases.pop_back();
    if (bases.empty() || bases.find('\n') != std::string::npos) return false;
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return false;
    const std::string folder = path.substr(0, slash + 1);
    const std::string commits[3] = {bases, "HEAD", theirs};
    GameState read[3];
    for (int s = 0; s < 3; ++s) {
        std::string listing;
        if (runProgram({"git", "ls-tree", "--name-only", "-z", commits[s], "--", folder}, listing) != 0)
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
                runProgram({"git", "cat-file", "blob", commits[s] + ":" + *entry}, bytes) != 0) {
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

std::string reasonOf(const CliOutput& io, const LoadedGame& game, TableId id, const std::string& side) {
    return say(io, Text::cliDiffReason, {side, visitTable(game.state, id, [&](const auto& view) {
                                              return cp1251ToUtf8(problemText(view.file.problem, io.language));
                                          })});
}

// Keeps `lines`, a file's conflicts, where the user finds them after the merge:
// in the git folder of the repository that holds `mine`, and says where on err.
// A merge starts the list afresh: it goes on only while git's index is the one
// it started with (git writes the index only when a merge ends or is aborted).
// Outside a repository nothing is kept.
void keepConflicts(const std::string& mine, const std::string& lines, CliOutput& io) {
    const size_t slash = mine.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? std::string(".") : mine.substr(0, slash + 1);
    std::string gitFolder;
    if (runProgram({"git", "-C", folder, "rev-parse", "--absolute-git-dir"}, gitFolder) != 0) return;
    while (!gitFolder.empty() && (gitFolder.back() == '\n' || gitFolder.back() == '\r')) gitFolder.pop_back();
    if (gitFolder.empty()) return;
    const FileFingerprint index = fingerprintOnDisk(gitFolder + "/index");
    const std::string stamp = "# orvex-cli merge-file; git index " + std::to_string(index.size) + " " +
                              std::to_string(index.hash) + "\n";
    const std::string list = gitFolder + "/" + std::string(kConflictList);
    std::string text;
    readWholeFile(list, text);
    if (!text.starts_with(stamp)) text = stamp;
    text += lines;
    const std::string temporary = list + ".orvex-new";
    if (!writeNewFileDurably(temporary, text) || !replaceFile(temporary, list)) {
        removeFile(temporary);
        sayError(io, say(io, Text::cliMergeWriteFailed, {list}));
        return;
    }
    sayError(io, say(io, Text::cliConflictList, {list}));
}

// git's own line merge of the three files into `mine`, for a file whose table
// `reason` says cannot be read: git merge-file's exit status (0 merged, else the
// number of conflicts, marked in the file as git marks them), 2 when git did not run.
int lineMerge(const std::string& base, const std::string& mine, const std::string& theirs, const std::string& path,
              const std::string& reason, CliOutput& io) {
    sayError(io, say(io, Text::cliLineMerge, {path, reason}));
    const int status = runProgram({"git", "merge-file", "-L", "MINE", "-L", "BASE", "-L", "THEIRS", mine, base, theirs});
    if (status < 0) {
        sayError(io, say(io, Text::cliGitFailed, {"git merge-file"}));
        return kExitUsage;
    }
    // Above 127 git tells trouble, not a count.
    if (status > 0 && status <= 127)
        keepConflicts(mine, path + ": " + say(io, Text::cliLineConflicts, {status}) + "\n", io);
    return status;
}

// git's own line diff of the two files, named by `path`, for a file whose table
// `reason` says cannot be read: 0 same, 1 different, 2 when git did not run.
int lineDiff(const std::string& oldFile, const std::string& newFile, const std::string& path, const std::string& reason,
             CliOutput& io) {
    io.out += path + ": " + say(io, Text::cliDiffNotComparable, {reason}) + "; " + say(io, Text::cliLineDiff) + "\n";
    std::string diff;
    const int status = runProgram(
        {"git", "diff", "--no-index", "--no-color", "--no-ext-diff", "--no-textconv", "--", oldFile, newFile}, diff);
    if (status != 0 && status != 1) {
        sayError(io, say(io, Text::cliGitFailed, {"git diff --no-index"}));
        return kExitUsage;
    }
    // git names its two files; the path names them here, before the first hunk.
    const size_t hunks = diff.starts_with("@@") ? 0 : diff.find("\n@@");
    if (hunks == std::string::npos) {
        io.out += diff;
        return status;
    }
    io.out += (oldFile == "/dev/null" ? std::string("--- /dev/null") : "--- a/" + path) + "\n";
    io.out += (newFile == "/dev/null" ? std::string("+++ /dev/null") : "+++ b/" + path) + "\n";
    io.out += diff.substr(hunks == 0 ? 0 : hunks + 1);
    return status;
}

} // namespace

int runMergeFile(const std::string& base, const std::string& mine, const std::string& theirs, const std::string& path,
                 CliOutput& io) {
    const TableName* name = tableAtEnd(path);
    if (name == nullptr) return lineMerge(base, mine, theirs, path, say(io, Text::cliPathNotTable, {path}), io);
    LoadedGame sides[3];
    const std::string* const files[3] = {&base, &mine, &theirs};
    const std::optional<std::string> folder = gameFolderOf(path);
    for (int i = 0; i < 3; ++i) {
        loadFile(sides[i], name->id, *files[i]);
        if (folder) loadNaming(sides[i], *folder, name->id);
    }
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
    if (!m.readable) {
        const int side = m.refusedSide == MergeSide::base ? 0 : m.refusedSide == MergeSide::mine ? 1 : 2;
        constexpr const char* kSides[] = {"BASE", "MINE", "THEIRS"};
        return lineMerge(base, mine, theirs, path, reasonOf(io, sides[side], name->id, kSides[side]), io);
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
    std::string lines;
    for (const MergeConflict& c : m.conflicts) {
        const LoadedGame& game = c.removedBy == MergeSide::mine ? sides[2] : sides[1];
        const std::string recordName = visitTable(game.state, name->id, [&](const auto& view) {
            return c.index < view.records.size() && !c.objectId.empty()
                       ? cp1251ToUtf8(::recordName(game, view.records[c.index], io.language))
                       : std::string();
        });
        lines += path + ": " + say(io, Text::cliConflictHeading) + ": " +
                 conflictText(io, c, recordName, sides[0], sides[1], sides[2]) + "\n";
    }
    io.err += lines;
    sayError(io, say(io, Text::cliMergeKeptMine, {static_cast<int32_t>(m.conflicts.size())}));
    keepConflicts(mine, lines, io);
    return kExitFailed;
}

int runDiffFiles(const std::string& oldFile, const std::string& newFile, const std::string& path, CliOutput& io) {
    const TableName* name = tableAtEnd(path);
    if (name == nullptr) return lineDiff(oldFile, newFile, path, say(io, Text::cliPathNotTable, {path}), io);
    LoadedGame oldGame, newGame;
    loadFile(oldGame, name->id, oldFile);
    loadFile(newGame, name->id, newFile);
    // Named from the game folder around the file, when found.
    if (const std::optional<std::string> folder = gameFolderOf(path)) {
        loadNaming(oldGame, *folder, name->id);
        loadNaming(newGame, *folder, name->id);
    }
    TableReport t = reportTable(io, *name, diffTable(oldGame.state, newGame.state, name->id), oldGame, newGame,
                                oldFile, newFile);
    if (t.diff.state == DiffState::notComparable) return lineDiff(oldFile, newFile, path, t.reason, io);
    for (const std::string& line : tableLines(io, t, false)) io.out += path + ": " + line + "\n";
    const bool differs = hasDifferences(t.diff);
    io.out += (differs ? say(io, Text::cliDiffTotals, {static_cast<int32_t>(t.diff.changed.size()),
                                                       static_cast<int32_t>(t.diff.added.size()),
                                                       static_cast<int32_t>(t.diff.removed.size())})
                       : say(io, Text::cliDiffNone)) +
              "\n";
    return differs ? kExitFailed : kExitOk;
}

int runShowFile(const std::string& file, const std::string& folder, CliOutput& io) {
    std::string bytes;
    if (!readWholeFile(file, bytes)) {
        sayError(io, say(io, Text::cliReadFailed, {file}));
        return kExitUsage;
    }
    const TableName* name = tableAtEnd(file);
    LoadedGame game;
    if (name != nullptr) loadTableBytes(game.state, name->id, bytes);
    // What the loader cannot read is shown as it is: git then shows its lines.
    if (name == nullptr || bytes.empty() ||
        visitTable(game.state, name->id, [](const auto& view) { return keptFromSaving(view.file); })) {
        io.out += bytes;
        return kExitOk;
    }
    loadNaming(game, folder, name->id);
    visitTable(game.state, name->id, [&](const auto& view) {
        using Record = typename std::decay_t<decltype(view.records)>::value_type;
        for (const std::string& line : view.file.remarks) io.out += cp1251ToUtf8(line) + "\n";
        io.out += say(io, Text::cliDiffHeader) + " " + std::to_string(view.headerValue) +
                  (view.file.headerRest.empty() ? std::string() : " " + cp1251ToUtf8(view.file.headerRest)) + "\n";
        const std::span<const Column> columns = recordColumns<Record>();
        // Each field on a line of its own that names its record, so that a change
        // in a line diff names both.
        for (const Record& r : view.records) {
            const std::string label =
                recordLabel(cp1251ToUtf8(recordName(game, r, io.language)), r.objectId, false) + ": ";
            const std::vector<std::string> cells = recordCells(r);
            for (size_t c = 0; c < columns.size(); ++c)
                if (columns[c].name != "objectId")
                    io.out += label + columnText(io, columns[c].name, cells[c], showColumn(columns[c].name, r, name->id),
                                                 game) + "\n";
            if (!r.rest.empty()) io.out += label + "rest " + cp1251ToUtf8(r.rest) + "\n";
        }
        for (const std::string& line : view.file.trailingLines) io.out += cp1251ToUtf8(line) + "\n";
    });
    return kExitOk;
}
