// orvex-cli export and import: one table as a spreadsheet's CSV and back, each
// record a row of the writer's texts, read back by the loader's rules and
// written with the editor's writer.

#include <string_view>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/table_csv.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "names/display_names.h"
#include "tables/record_line.h"
#include "tables/save_tables.h"
#include "tables/table_diff.h"
#include "tables/table_list.h"
#include "tables/table_rows.h"
#include "text/files.h"
#include "text/strings.h"

namespace {

// A table the editor would not save is neither exported nor replaced, unless all
// its file's records are loaded (a count above the lines): export gives those,
// and an import replaces them with a count of its own.
bool refused(const TableFile& file, std::string_view fileName, CliOutput& io) {
    if (file.missing) sayError(io, say(io, Text::cliNoFile, {fileName}));
    else if (keptFromSaving(file) && !recordsLoaded(file))
        sayError(io, say(io, Text::cliTableKept,
                         {fileName, cp1251ToUtf8(problemText(file.problem, io.language))}));
    else return false;
    return true;
}

// The last two names of a path, folders split at "/" or "\\" (as the file layer
// does), "." steps skipped and Latin letters lowered: "types" and "tships.txt".
std::pair<std::string, std::string> lastTwoNames(std::string_view path) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            const std::string_view name = path.substr(start, i - start);
            if (!name.empty() && name != ".") names.push_back(lowerLatin(name));
            start = i + 1;
        }
    if (names.empty()) return {};
    return {names.size() > 1 ? names[names.size() - 2] : std::string(), names.back()};
}

// Whether `path` would be read as a game's table, name page or backup: a table
// file's name in a folder "types" or a name page's in a folder "t", of any game
// folder and in any letter case, any ".bak", or another name of one of the
// `folder`'s own tables (a link). A CSV there would replace what the game or the
// editor reads, or the backup that a save keeps.
bool isGameFile(const std::string& folder, const std::string& path) {
    const std::pair<std::string, std::string> names = lastTwoNames(path);
    const std::string& parent = names.first;
    const std::string& base = names.second;
    if (base.ends_with(".bak")) return true;
    const auto named = [&](std::string_view fileName) { // "types\\TShips.txt"
        const size_t slash = fileName.find('\\');
        return parent == lowerLatin(fileName.substr(0, slash)) && base == lowerLatin(fileName.substr(slash + 1));
    };
    for (std::string_view page : kNamePages)
        if (named(page)) return true;
    for (const TableName& t : kTableNames) {
        const std::string table = folder + std::string(t.fileName);
        if (named(t.fileName) || sameEntry(path, table) || sameEntry(path, changeExtension(table, ".bak")))
            return true;
    }
    return false;
}

// Writes the CSV beside `path` and puts it in place in one step, so that `path`
// keeps its old bytes after any failure and no temporary stays behind.
bool replaceWithCsv(const std::string& path, std::string_view csv) {
    const std::string temporary = path + ".orvex-new";
    if (!writeNewFileDurably(temporary, csv)) return false;
    if (replaceFile(temporary, path)) return true;
    removeFile(temporary);
    return false;
}

// The record lines an import rewrites although their records do not change (by
// diff's comparison): their numbers only take the writer's form ("0.58" for
// "0.58000", "0.1" for "1.0e-1"). The first one's line (from 1) and its first
// differing field, old and new, as an example.
struct Rewritten {
    int lines = 0;
    int firstLine = 0;
    std::string oldField, newField;
};

template <class Record>
Rewritten rewrittenLines(const std::string& path, const TableFile& file, const std::vector<Record>& before,
                         const TableDiff& diff) {
    Rewritten rewritten;
    LineList lines;
    if (!lines.loadFromFile(path)) return rewritten;
    std::vector<bool> differs(before.size());
    for (const RecordDiff& r : diff.changed) differs[r.oldIndex] = true;
    for (const RecordAt& r : diff.removed) differs[r.index] = true;
    const int firstLine = static_cast<int>(file.remarks.size()) + 1;
    std::string written;
    for (size_t i = 0; i < before.size(); ++i) {
        if (differs[i]) continue;
        written.clear();
        appendRecordLine(written, before[i]);
        written.resize(written.size() - 2); // CR LF
        const std::string_view old = lines.item(firstLine + static_cast<int>(i));
        if (old == written) continue;
        if (rewritten.lines++ > 0) continue;
        rewritten.firstLine = firstLine + static_cast<int>(i) + 1;
        std::string_view a = old, b = written;
        while (!a.empty() || !b.empty()) {
            const std::string_view fa = takeField(a), fb = takeField(b);
            if (fa == fb) continue;
            rewritten.oldField = fa;
            rewritten.newField = fb;
            break;
        }
    }
    return rewritten;
}

template <class Record>
int importRows(const LoadedGame& game, const TableName& name, const Table<Record>& table,
               const std::string& csvFile, std::string& text, const ImportOptions& options, CliOutput& io) {
    const bool dryRun = options.dryRun;
    const auto problem = [&](int row, std::string_view column, const std::string& why) {
        io.err += csvFile + ":" + std::to_string(row) + ": error: ";
        if (!column.empty()) io.err += "column " + std::string(column) + ": ";
        io.err += why + "\n";
    };
    std::vector<int> rowNumbers;
    std::vector<Record> records;
    std::vector<CsvProblem> problems;
    const bool read = recordsFromCsv(text, name.key, rowNumbers, records, problems, io.language);
    // The records hold all the CSV said: its text need not stay beside the
    // written table and its read-back (a large import's peak memory).
    std::string().swap(text);
    for (const CsvProblem& p : problems) problem(p.row, p.column, p.reason);
    if (!read) {
        io.err += say(io, Text::cliNothingWritten) + "\n";
        return kExitFailed;
    }
    const std::span<const Column> columns = recordColumns<Record>();

    const std::string file(name.fileName);
    if (records.empty() && !options.allowEmpty) {
        sayError(io, say(io, Text::cliEmptyImport, {file}));
        io.err += say(io, Text::cliNothingWritten) + "\n";
        return kExitFailed;
    }
    // The bytes about to be written must load back as these very records, or the
    // editor would refuse the table the game then reads.
    const TableFile asWritten = forReplacement(table.file);
    const ReadBackProblem readBack = readBackProblem(table.headerValue, asWritten,
                                                     std::span<const Record>(records), io.language);
    if (readBack.record >= 0) {
        problem(rowNumbers[static_cast<size_t>(readBack.record)],
                readBack.column < 0 ? "rest" : columns[static_cast<size_t>(readBack.column)].name,
                cp1251ToUtf8(readBack.reason));
        io.err += say(io, Text::cliNothingWritten) + "\n";
        return kExitFailed;
    }

    // Counted as diff counts them, on the records as they will be written.
    TableDiff changes;
    changes.table = name.id;
    diffRecords(std::span<const Record>(table.records), std::span<const Record>(records), changes);
    const Rewritten rewritten =
        rewrittenLines(game.state.folder + file, table.file, table.records, changes);
    if (!dryRun) warnIfOpenInEditor(game.state.folder, io);
    if (!dryRun && !saveTableFile(game.state.folder, name.fileName, table.headerValue, asWritten, records)) {
        sayError(io, say(io, Text::cliWriteFailedKept, {file}));
        return kExitFailed;
    }
    io.out += say(io, dryRun ? Text::cliImportDry : Text::cliImportDone,
                  {file, std::to_string(table.records.size()), std::to_string(records.size()),
                   std::to_string(changes.changed.size()), std::to_string(changes.added.size()),
                   std::to_string(changes.removed.size())});
    if (changes.reordered) io.out += say(io, dryRun ? Text::cliReorderDry : Text::cliReorderDone);
    if (rewritten.lines > 0)
        io.out += say(io, dryRun ? Text::cliRewrittenDry : Text::cliRewrittenDone,
                      {std::to_string(rewritten.lines), std::to_string(rewritten.firstLine),
                       cp1251ToUtf8(rewritten.oldField), cp1251ToUtf8(rewritten.newField)});
    io.out += "\n";
    io.out += (dryRun ? say(io, Text::cliDryRunDone) : say(io, Text::cliWritten, {file})) + "\n";
    return kExitOk;
}

} // namespace

int runExport(const std::string& folder, const std::string& table, const std::string& outFile,
              CliOutput& io) {
    const TableName* name = tableOrSay(table, io);
    LoadedGame game;
    if (name == nullptr || !loadGame(folder, game, io, name->id, true)) return kExitUsage;
    return visitTable(game.state, name->id, [&](const auto& view) {
        if (refused(view.file, name->fileName, io)) return kExitFailed;
        const std::string csv = tableCsv(view.records, [&](const auto& r) {
            return recordName(game, r, io.language);
        });
        if (outFile.empty()) {
            io.out += csv;
        } else if (isGameFile(folder, outFile)) {
            sayError(io, say(io, Text::cliOutputIsTable, {outFile}));
            return kExitFailed;
        } else if (!replaceWithCsv(outFile, csv)) {
            sayError(io, say(io, Text::cliWriteFailed, {outFile}));
            return kExitFailed;
        }
        return kExitOk;
    });
}

int runImport(const std::string& folder, const std::string& table, const std::string& csvFile,
              const ImportOptions& options, CliOutput& io) {
    const TableName* name = tableOrSay(table, io);
    LoadedGame game;
    if (name == nullptr || !loadGame(folder, game, io, name->id, false)) return kExitUsage;
    std::string text;
    if (!readWholeFile(csvFile, text)) {
        sayError(io, say(io, Text::cliReadFailed, {csvFile}));
        return kExitFailed;
    }
    return visitTable(game.state, name->id, [&](const auto& view) {
        if (refused(view.file, name->fileName, io)) return kExitFailed;
        return importRows(game, *name, view, csvFile, text, options, io);
    });
}
