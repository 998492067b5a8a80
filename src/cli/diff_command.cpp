// orvex-cli diff: what changed between two versions of a game's tables, record
// by record in the editor's words, as text lines, one JSON document or a Markdown
// changelog. The comparison is the core's; this file only words it.

#include <nlohmann/json.hpp>

#include <algorithm>

#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "tables/load_tables.h"
#include "tables/table_diff.h"
#include "text/files.h"
#include "text/strings.h"

namespace {

constexpr std::string_view kArrow = " \xE2\x86\x92 "; // " → "

// A table's comparison with its records named (UTF-8).
struct TableReport {
    const TableName& name;
    TableDiff diff;
    std::string reason; // not comparable: the side's file and the loader's reason
    std::vector<std::string> changedNames, addedNames, removedNames;
};

std::string nameAt(const LoadedGame& names, const GameState& state, TableId id, size_t index,
                   Language language) {
    return visitTable(state, id, [&](const auto& view) {
        return cp1251ToUtf8(recordName(names, view.records[index], language));
    });
}

// "Кондор (SS_SH_KND)", or the objectId alone for a record the editor lists by it
// or does not list.
// Markdown's code span, for names from the code and raw cells.
std::string code(std::string_view text) {
    std::string span(1, '`');
    (span += text) += '`';
    return span;
}

std::string recordLabel(const std::string& name, const std::string& objectId, bool markdown) {
    const std::string plain = cp1251ToUtf8(objectId);
    const std::string id = markdown ? code(plain) : plain;
    // A record without a name is listed by its objectId: named once.
    return name.empty() || name == plain ? id : name + " (" + id + ")";
}

std::string cellText(const std::string& cell, bool markdown) {
    if (cell.empty()) return "\"\"";
    return markdown ? code(cp1251ToUtf8(cell)) : cp1251ToUtf8(cell);
}

// A field change: "Начальная скорость 125 → 140 м/с (speed 27750 → 31080)" as text,
// "Начальная скорость: 125 → 140 м/с" in Markdown; a field the editor does not
// show by its column and cells.
std::string fieldText(const CliOutput& io, const FieldDiff& f, bool markdown) {
    const std::string raw = (markdown ? code(f.column) + ": " : std::string(f.column) + " ") +
                            cellText(f.oldCell, markdown) + std::string(kArrow) + cellText(f.newCell, markdown);
    if (!f.label) return raw;
    std::string shown = say(io, *f.label) + (markdown ? ": " : " ") + cp1251ToUtf8(f.shownOld) +
                        std::string(kArrow) + cp1251ToUtf8(f.shownNew);
    if (f.unit) (shown += " ") += say(io, *f.unit);
    if (!markdown) ((shown += " (") += raw) += ")";
    return shown;
}

// The lines of one table, each without the file: what the text form puts after
// "file: " and the Markdown form after "- ".
std::vector<std::string> tableLines(const CliOutput& io, const TableReport& t, bool markdown) {
    const TableDiff& d = t.diff;
    switch (d.state) {
    case DiffState::added: return {say(io, Text::cliDiffTableAdded)};
    case DiffState::removed: return {say(io, Text::cliDiffTableRemoved)};
    case DiffState::noBackup: return {say(io, Text::cliDiffNoBackup)};
    case DiffState::notComparable: return {say(io, Text::cliDiffNotComparable, {t.reason})};
    case DiffState::compared: break;
    }
    std::vector<std::string> lines;
    if (d.oldHeader)
        lines.push_back(say(io, Text::cliDiffHeader) + " " + std::to_string(*d.oldHeader) +
                        std::string(kArrow) + std::to_string(*d.newHeader));
    if (d.remarksChanged) lines.push_back(say(io, Text::cliDiffRemarks));
    if (d.reordered) lines.push_back(say(io, Text::cliDiffReordered));
    for (size_t i = 0; i < d.changed.size(); ++i) {
        const std::string record = recordLabel(t.changedNames[i], d.changed[i].objectId, markdown) + ": ";
        if (markdown) { // one bullet per record
            std::string fields;
            for (const FieldDiff& f : d.changed[i].fields) fields += (fields.empty() ? "" : "; ") + fieldText(io, f, true);
            lines.push_back(record + fields);
        } else {
            for (const FieldDiff& f : d.changed[i].fields) lines.push_back(record + fieldText(io, f, false));
        }
    }
    for (size_t i = 0; i < d.added.size(); ++i)
        lines.push_back(say(io, Text::cliDiffAdded, {recordLabel(t.addedNames[i], d.added[i].objectId, markdown),
                                                     std::to_string(d.added[i].index)}));
    for (size_t i = 0; i < d.removed.size(); ++i)
        lines.push_back(say(io, Text::cliDiffRemoved,
                            {recordLabel(t.removedNames[i], d.removed[i].objectId, markdown),
                             std::to_string(d.removed[i].index)}));
    return lines;
}

std::string_view stateKey(DiffState state) {
    switch (state) {
    case DiffState::added: return "added";
    case DiffState::removed: return "removed";
    case DiffState::noBackup: return "no-backup";
    case DiffState::notComparable: return "not-comparable";
    case DiffState::compared: break;
    }
    return "compared";
}

nlohmann::json tableJson(const CliOutput& io, const TableReport& t) {
    const TableDiff& d = t.diff;
    nlohmann::json table = {{"table", t.name.key}, {"file", t.name.fileName}, {"state", stateKey(d.state)}};
    if (d.state == DiffState::notComparable) table["reason"] = t.reason;
    if (d.oldHeader) table["header"] = {{"old", *d.oldHeader}, {"new", *d.newHeader}};
    table["remarksChanged"] = d.remarksChanged;
    table["reordered"] = d.reordered;
    nlohmann::json changed = nlohmann::json::array(), added = nlohmann::json::array(),
                   removed = nlohmann::json::array();
    for (size_t i = 0; i < d.changed.size(); ++i) {
        const RecordDiff& r = d.changed[i];
        nlohmann::json fields = nlohmann::json::array();
        for (const FieldDiff& f : r.fields) {
            nlohmann::json field = {{"column", f.column}, {"old", cp1251ToUtf8(f.oldCell)}, {"new", cp1251ToUtf8(f.newCell)}};
            if (f.label) {
                field["label"] = say(io, *f.label);
                field["shownOld"] = cp1251ToUtf8(f.shownOld);
                field["shownNew"] = cp1251ToUtf8(f.shownNew);
                field["unit"] = f.unit ? say(io, *f.unit) : std::string();
            }
            fields.push_back(std::move(field));
        }
        changed.push_back({{"objectId", cp1251ToUtf8(r.objectId)}, {"name", t.changedNames[i]},
                           {"oldIndex", r.oldIndex}, {"newIndex", r.newIndex}, {"fields", std::move(fields)}});
    }
    for (size_t i = 0; i < d.added.size(); ++i)
        added.push_back({{"objectId", cp1251ToUtf8(d.added[i].objectId)}, {"name", t.addedNames[i]},
                         {"index", d.added[i].index}});
    for (size_t i = 0; i < d.removed.size(); ++i)
        removed.push_back({{"objectId", cp1251ToUtf8(d.removed[i].objectId)}, {"name", t.removedNames[i]},
                           {"index", d.removed[i].index}});
    table["changed"] = std::move(changed);
    table["added"] = std::move(added);
    table["removed"] = std::move(removed);
    return table;
}

// The tables asked for, each once, in the order of the list; all twelve without any.
bool chosenTables(const std::vector<std::string>& given, std::vector<const TableName*>& chosen, CliOutput& io) {
    std::vector<bool> wanted(std::size(kTableNames), given.empty());
    for (const std::string& table : given) {
        const TableName* name = tableOrSay(table, io);
        if (name == nullptr) return false;
        wanted[static_cast<size_t>(name->id)] = true;
    }
    for (const TableName& name : kTableNames)
        if (wanted[static_cast<size_t>(name.id)]) chosen.push_back(&name);
    return true;
}

std::string backupName(std::string_view fileName) { return changeExtension(fileName, ".bak"); }

} // namespace

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
    const LoadedGame& oldNames = options.backups ? newGame : oldGame;

    std::vector<TableReport> reports;
    int changed = 0, added = 0, removed = 0;
    bool differs = false, trouble = false;
    for (const TableName* name : chosen) {
        TableReport t{*name, {}, {}, {}, {}, {}};
        const std::string oldFile = options.backups ? folder + backupName(name->fileName)
                                                    : options.againstFolder + std::string(name->fileName);
        if (options.backups && !fileExists(oldFile)) {
            t.diff.table = name->id;
            t.diff.state = DiffState::noBackup;
        } else {
            t.diff = diffTable(oldGame.state, newGame.state, name->id);
        }
        const TableDiff& d = t.diff;
        if (d.state == DiffState::notComparable) {
            const bool newSide = d.refusedSide == DiffSide::newSide;
            const GameState& side = newSide ? newGame.state : oldGame.state;
            const std::string problem = visitTable(side, name->id, [&](const auto& view) {
                return cp1251ToUtf8(problemText(view.file.problem, io.language));
            });
            t.reason = say(io, Text::cliDiffReason,
                           {newSide ? folder + std::string(name->fileName) : oldFile, problem});
            trouble = true;
        }
        for (const RecordDiff& r : d.changed)
            t.changedNames.push_back(nameAt(newGame, newGame.state, name->id, r.newIndex, io.language));
        for (const RecordAt& r : d.added)
            t.addedNames.push_back(nameAt(newGame, newGame.state, name->id, r.index, io.language));
        for (const RecordAt& r : d.removed)
            t.removedNames.push_back(nameAt(oldNames, oldGame.state, name->id, r.index, io.language));
        changed += static_cast<int>(d.changed.size());
        added += static_cast<int>(d.added.size());
        removed += static_cast<int>(d.removed.size());
        differs = differs || hasDifferences(d);
        reports.push_back(std::move(t));
    }

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
