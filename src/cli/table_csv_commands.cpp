// orvex-cli export and import: one table as a spreadsheet's CSV and back, each
// record a row of the writer's texts, read back by the loader's rules and
// written with the editor's writer.

#include <map>

#include "cli/commands.h"
#include "cli/table_csv.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "names/display_names.h"
#include "tables/record_line.h"
#include "tables/save_tables.h"
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

// Whether `path` names one of the game folder's table files or their backups,
// existing or not: the CSV would replace a table, or become the backup that the
// next save keeps instead of the table's own bytes.
bool isGameTableFile(const std::string& folder, const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    const std::string base = lowerLatin(slash == std::string::npos ? path : path.substr(slash + 1));
    std::string parent = slash == std::string::npos ? "." : path.substr(0, slash);
    if (parent.empty()) parent = path.substr(0, 1); // the root
    const bool inTypes = sameEntry(parent, folder + "types");
    for (const TableName& t : kTableNames) {
        const std::string table = folder + std::string(t.fileName);
        const std::string backup = changeExtension(table, ".bak");
        if (sameEntry(path, table) || sameEntry(path, backup)) return true;
        if (inTypes && (base == lowerLatin(table.substr(table.find_last_of('\\') + 1)) ||
                        base == lowerLatin(backup.substr(backup.find_last_of('\\') + 1))))
            return true;
    }
    return false;
}

struct Changes {
    int changed = 0, added = 0, removed = 0;
    bool reordered = false;
};

// Records are matched by objectId, in order among equal ones.
template <class Record>
Changes compare(std::span<const Record> before, const std::vector<Record>& after) {
    std::map<std::string_view, std::vector<size_t>> byId;
    for (size_t i = before.size(); i-- > 0;) byId[before[i].objectId].push_back(i);
    Changes changes;
    std::vector<bool> matched(before.size());
    size_t lastMatched = 0;
    for (const Record& r : after) {
        auto found = byId.find(r.objectId);
        if (found == byId.end() || found->second.empty()) {
            ++changes.added;
            continue;
        }
        const size_t i = found->second.back();
        found->second.pop_back();
        matched[i] = true;
        if (i < lastMatched) changes.reordered = true;
        lastMatched = i;
        // Equal fields write equal lines (the price multiplier of wares is no field
        // but is the same for every record of a file).
        Record same = r;
        if constexpr (std::is_same_v<Record, TWares>) same.priceMultiplier = before[i].priceMultiplier;
        if (!(before[i] == same)) ++changes.changed;
    }
    for (bool m : matched) changes.removed += m ? 0 : 1;
    return changes;
}

template <class Record>
int importRows(const LoadedGame& game, const TableView<Record>& table, const std::string& csvFile,
               std::string_view text, const ImportOptions& options, CliOutput& io) {
    const bool dryRun = options.dryRun;
    const auto problem = [&](int row, std::string_view column, const std::string& why) {
        io.err += csvFile + ":" + std::to_string(row) + ": error: ";
        if (!column.empty()) io.err += "column " + std::string(column) + ": ";
        io.err += why + "\n";
    };
    std::vector<CsvRow> rows;
    std::vector<Record> records;
    std::vector<CsvProblem> problems;
    const bool read = recordsFromCsv(text, table.name.key, rows, records, problems, io.language);
    for (const CsvProblem& p : problems) problem(p.row, p.column, p.reason);
    if (!read) {
        io.err += say(io, Text::cliNothingWritten) + "\n";
        return kExitFailed;
    }
    const std::span<const Column> columns = recordColumns<Record>();

    const std::string file(table.name.fileName);
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
        problem(rows[static_cast<size_t>(readBack.record) + 1].row,
                readBack.column < 0 ? "rest" : columns[static_cast<size_t>(readBack.column)].name,
                cp1251ToUtf8(readBack.reason));
        io.err += say(io, Text::cliNothingWritten) + "\n";
        return kExitFailed;
    }

    const Changes changes = compare(table.records, records);
    if (!dryRun && !saveTableFile(game.state.folder, table.name.fileName, table.headerValue,
                                  asWritten, std::span<const Record>(records))) {
        sayError(io, say(io, Text::cliWriteFailedKept, {file}));
        return kExitFailed;
    }
    io.out += say(io, dryRun ? Text::cliImportDry : Text::cliImportDone,
                  {file, std::to_string(table.records.size()), std::to_string(records.size()),
                   std::to_string(changes.changed), std::to_string(changes.added),
                   std::to_string(changes.removed)});
    if (changes.reordered) io.out += say(io, dryRun ? Text::cliReorderDry : Text::cliReorderDone);
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
        } else if (isGameTableFile(folder, outFile)) {
            sayError(io, say(io, Text::cliOutputIsTable, {outFile}));
            return kExitFailed;
        } else if (!writeWholeFile(outFile, csv)) {
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
        return importRows(game, view, csvFile, text, options, io);
    });
}
