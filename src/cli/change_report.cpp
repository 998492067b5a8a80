#include "cli/change_report.h"

#include "cli/utf8_text.h"
#include "tables/load_tables.h"

namespace {

// Markdown's code span, for names from the code and raw cells.
std::string code(std::string_view text) {
    std::string span(1, '`');
    (span += text) += '`';
    return span;
}

std::string cellText(const std::string& cell, bool markdown) {
    if (cell.empty()) return "\"\"";
    return markdown ? code(cp1251ToUtf8(cell)) : cp1251ToUtf8(cell);
}

std::string nameAt(const LoadedGame& game, TableId id, size_t index, Language language) {
    return visitTable(game.state, id, [&](const auto& view) {
        return index < view.records.size() ? cp1251ToUtf8(recordName(game, view.records[index], language))
                                           : std::string();
    });
}

// What the input shows: the text, or for a list of names the entry's name from
// the side's own tables and name page; an entry outside its list says so.
std::string shownValue(const CliOutput& io, const ShownField& f, const LoadedGame& game) {
    constexpr int64_t kFixedMissiles = std::ssize(kFixedMissileNames);
    std::string text = cp1251ToUtf8(f.text);
    if (f.shown == Shown::shieldEntry && f.entry >= 0 && static_cast<size_t>(f.entry) < game.state.shields.records.size())
        text = cp1251ToUtf8(recordName(game, game.state.shields.records[static_cast<size_t>(f.entry)], io.language));
    if (f.shown == Shown::missileEntry && f.entry >= 0) {
        if (f.entry < kFixedMissiles)
            text = word(io, kFixedMissileNames[f.entry]);
        else if (static_cast<size_t>(f.entry - kFixedMissiles) < game.state.rockets.records.size())
            text = cp1251ToUtf8(recordName(game, game.state.rockets.records[static_cast<size_t>(f.entry - kFixedMissiles)],
                                           io.language));
    }
    if (isListField(f.shown) && text.empty()) text = word(io, Text::cliNoEntry);
    return text;
}

std::string unitText(const CliOutput& io, const ShownField& f) {
    if (!f.unit) return {};
    return word(io, *f.unit) + (f.unitSquared ? "\xC2\xB2" : ""); // "²"
}

// A field change: "Начальная скорость 125 → 140 м/с (speed 27750 → 31080)" as text,
// "Начальная скорость: 125 → 140 м/с" in Markdown (a list's raw cells kept beside);
// a price coefficient also with the window's estimate; a field the editor does
// not show by its column and cells.
std::string fieldText(const CliOutput& io, const FieldDiff& f, const LoadedGame& oldGame, const LoadedGame& newGame,
                      bool markdown) {
    const std::string raw = (markdown ? code(f.column) + ": " : std::string(f.column) + " ") +
                            cellText(f.oldCell, markdown) + std::string(kArrow) + cellText(f.newCell, markdown);
    if (!f.label) return raw;
    std::string shown = word(io, *f.label) + (markdown ? ": " : " ") + shownValue(io, f.oldShown, oldGame) +
                        std::string(kArrow) + shownValue(io, f.newShown, newGame);
    if (f.unit) (shown += " ") += unitText(io, f.newShown);
    if (!markdown || isListField(f.newShown.shown)) ((shown += " (") += raw) += ")";
    if (f.oldShown.price && f.newShown.price)
        (shown += ", ") += say(io, f.newShown.price->pattern,
                               {std::to_string(f.oldShown.price->credits) + std::string(kArrow) +
                                std::to_string(f.newShown.price->credits)});
    return shown;
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

} // namespace

std::string word(const CliOutput& io, Text key) { return cp1251ToUtf8(text(key, io.language)); }

std::string columnText(const CliOutput& io, std::string_view column, const std::string& cell, const ShownField& shown,
                       const LoadedGame& game) {
    const std::string raw = std::string(column) + " " + cellText(cell, false);
    if (!shown.label) return raw;
    std::string text = word(io, *shown.label) + " " + shownValue(io, shown, game);
    if (shown.unit) (text += " ") += unitText(io, shown);
    ((text += " (") += raw) += ")";
    if (shown.price) (text += ", ") += say(io, shown.price->pattern, {std::to_string(shown.price->credits)});
    return text;
}

std::string recordLabel(const std::string& name, const std::string& objectId, bool markdown) {
    const std::string plain = cp1251ToUtf8(objectId);
    const std::string id = markdown ? code(plain) : plain;
    // A record without a name is listed by its objectId: named once.
    return name.empty() || name == plain ? id : name + " (" + id + ")";
}

TableReport reportTable(const CliOutput& io, const TableName& name, TableDiff diff, const LoadedGame& oldGame,
                        const LoadedGame& newGame, const std::string& oldFile, const std::string& newFile) {
    TableReport t{name, std::move(diff), {}, {}, {}, {}, {}, {}, {}};
    const TableDiff& d = t.diff;
    if (d.state == DiffState::notComparable) {
        const bool newSide = d.refusedSide == DiffSide::newSide;
        const std::string problem = visitTable((newSide ? newGame : oldGame).state, name.id, [&](const auto& view) {
            return cp1251ToUtf8(problemText(view.file.problem, io.language));
        });
        t.reason = say(io, Text::cliDiffReason, {newSide ? newFile : oldFile, problem});
    }
    for (const RecordDiff& r : d.changed) {
        t.changedNames.push_back(nameAt(newGame, name.id, r.newIndex, io.language));
        std::vector<std::string>& text = t.fieldTexts.emplace_back();
        std::vector<std::string>& markdown = t.fieldMarkdown.emplace_back();
        auto& shown = t.fieldShown.emplace_back();
        for (const FieldDiff& f : r.fields) {
            shown.emplace_back(shownValue(io, f.oldShown, oldGame), shownValue(io, f.newShown, newGame));
            text.push_back(fieldText(io, f, oldGame, newGame, false));
            markdown.push_back(fieldText(io, f, oldGame, newGame, true));
        }
    }
    for (const RecordAt& r : d.added) t.addedNames.push_back(nameAt(newGame, name.id, r.index, io.language));
    for (const RecordAt& r : d.removed) t.removedNames.push_back(nameAt(oldGame, name.id, r.index, io.language));
    return t;
}

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
        lines.push_back(say(io, Text::cliDiffHeader) + " " + std::to_string(*d.oldHeader) + std::string(kArrow) +
                        std::to_string(*d.newHeader));
    if (d.remarksChanged) lines.push_back(say(io, Text::cliDiffRemarks));
    if (d.reordered) lines.push_back(say(io, Text::cliDiffReordered));
    for (size_t i = 0; i < d.changed.size(); ++i) {
        const std::string record = recordLabel(t.changedNames[i], d.changed[i].objectId, markdown) + ": ";
        if (markdown) { // one bullet per record
            std::string fields;
            for (const std::string& f : t.fieldMarkdown[i]) fields += (fields.empty() ? "" : "; ") + f;
            lines.push_back(record + fields);
        } else {
            for (const std::string& f : t.fieldTexts[i]) lines.push_back(record + f);
        }
    }
    for (size_t i = 0; i < d.added.size(); ++i)
        lines.push_back(say(io, Text::cliDiffAdded, {recordLabel(t.addedNames[i], d.added[i].objectId, markdown),
                                                     std::to_string(d.added[i].index)}));
    for (size_t i = 0; i < d.removed.size(); ++i)
        lines.push_back(say(io, Text::cliDiffRemoved, {recordLabel(t.removedNames[i], d.removed[i].objectId, markdown),
                                                       std::to_string(d.removed[i].index)}));
    return lines;
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
        for (size_t k = 0; k < r.fields.size(); ++k) {
            const FieldDiff& f = r.fields[k];
            nlohmann::json field = {{"column", f.column}, {"old", cp1251ToUtf8(f.oldCell)}, {"new", cp1251ToUtf8(f.newCell)}};
            if (f.label) {
                field["label"] = word(io, *f.label);
                field["shownOld"] = t.fieldShown[i][k].first;
                field["shownNew"] = t.fieldShown[i][k].second;
                field["unit"] = unitText(io, f.newShown);
                if (f.oldShown.price && f.newShown.price)
                    field["estimate"] = {{"old", f.oldShown.price->credits}, {"new", f.newShown.price->credits}};
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

namespace {

// A conflict's side as the window shows it, the raw cell beside; a side that
// removed the record (or file) says so.
std::string sideValue(const CliOutput& io, const MergeConflict& c, const std::string& cell, const ShownField& shown,
                      const LoadedGame& game, std::optional<MergeSide> side) {
    if (c.removedBy && side == c.removedBy) return word(io, Text::cliMergeRemoved);
    if (!c.inBase && side == MergeSide::base) return word(io, Text::cliMergeNoBase);
    if (c.column == "file") return word(io, Text::cliMergeChanged);
    if (!shown.label) return cellText(cell, false);
    std::string text = shownValue(io, shown, game);
    if (shown.unit) (text += " ") += unitText(io, shown);
    return text + " (" + cellText(cell, false) + ")";
}

std::string conflictLabel(const CliOutput& io, const MergeConflict& c) {
    if (c.column == "header") return say(io, Text::cliDiffHeader);
    if (c.column == "remarks") return word(io, Text::cliMergeRemarks);
    if (c.column == "record") return word(io, Text::cliMergeRecord);
    if (c.column == "file") return word(io, Text::cliMergeTableFile);
    if (c.column == "pairs") return word(io, Text::cliMergePairs);
    const ShownField& s = c.mineShown.label ? c.mineShown : c.theirsShown;
    return s.label ? word(io, *s.label) : std::string(c.column);
}

} // namespace

std::string conflictText(const CliOutput& io, const MergeConflict& c, const std::string& name,
                         const LoadedGame& base, const LoadedGame& mine, const LoadedGame& theirs) {
    std::string text = c.objectId.empty() ? std::string() : recordLabel(name, c.objectId, false) + ": ";
    text += conflictLabel(io, c) + ": ";
    text += say(io, Text::cliMergeSides,
                {sideValue(io, c, c.base, c.baseShown, base, MergeSide::base),
                 sideValue(io, c, c.mine, c.mineShown, mine, MergeSide::mine),
                 sideValue(io, c, c.theirs, c.theirsShown, theirs, MergeSide::theirs)});
    if (!c.namedId.empty()) (text += "; ") += say(io, Text::cliConflictNamesRemoved, {cp1251ToUtf8(c.namedId)});
    if (c.needsFolders) (text += "; ") += say(io, Text::cliConflictNeedsFolders);
    return text;
}

nlohmann::json conflictJson(const CliOutput& io, const MergeConflict& c, const std::string& name,
                            const LoadedGame&, const LoadedGame&, const LoadedGame&) {
    const auto value = [&](const std::string& cell, MergeSide side) -> nlohmann::json {
        if ((c.removedBy && side == c.removedBy) || (!c.inBase && side == MergeSide::base)) return nullptr;
        return cp1251ToUtf8(cell);
    };
    nlohmann::json conflict = {{"objectId", cp1251ToUtf8(c.objectId)}, {"name", name}, {"column", c.column},
                               {"label", conflictLabel(io, c)}, {"base", value(c.base, MergeSide::base)},
                               {"mine", value(c.mine, MergeSide::mine)}, {"theirs", value(c.theirs, MergeSide::theirs)}};
    if (!c.namedId.empty()) conflict["names"] = cp1251ToUtf8(c.namedId);
    if (c.needsFolders) conflict["needsFolders"] = true;
    return conflict;
}
