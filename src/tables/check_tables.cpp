#include "tables/check_tables.h"
#include "tables/record_line.h"

#include <algorithm>
#include <unordered_map>

#include "tables/columns.h"
#include "tables/editor_fields.h"
#include "tables/ship_turrets.h"
#include "tables/table_list.h"
#include "tables/table_rows.h"
#include "text/texts.h"
#include "text/convert.h"
#include "text/format.h"
#include "text/line_list.h"

namespace {

int remarkCount(const TableFile& file) { return static_cast<int>(file.remarks.size()); }

bool usable(const TableFile& file) { return !file.missing && !keptFromSaving(file); }

// The fields a record's line needs: the column list, a ship's groups as it holds them.
template <class Record> int64_t neededFields(const Record& record) {
    return forEachField(record, [](std::string_view, int64_t) {});
}

template <class Record> int fieldOf(std::string_view column) {
    return columnIndex(recordColumns<Record>(), column) + 1;
}

struct IdPlace {
    std::string_view file;
    int line;
};

struct Checker {
    const GameState& state;
    NameCheck names;
    Language language;
    std::vector<Finding> findings;
    std::unordered_map<std::string_view, IdPlace> wareIds; // one table over five files
    std::unordered_map<std::string_view, IdPlace> ownIds;

    std::string_view say(Text key) const { return text(key, language); }

    void add(std::string_view file, int line, int field, Severity severity, std::string_view code,
             std::string message) {
        findings.push_back({file, line, field, severity, code, std::move(message)});
    }

    // "поле 21: maxShieldType 7 — <why>"
    template <class Record>
    void outside(std::string_view file, int line, std::string_view column, int32_t value,
                 std::string_view why, int field = 0) {
        if (field == 0) field = fieldOf<Record>(column);
        add(file, line, field, Severity::warning, "reference",
            formatText(say(Text::findingOutside), {field, column, value, why}));
    }

    template <class Record>
    void range(std::string_view file, int line, std::string_view column, int32_t value,
               int32_t low, int32_t high) {
        if (value >= low && value <= high) return;
        const int field = fieldOf<Record>(column);
        add(file, line, field, Severity::warning, "reference",
            formatText(say(Text::findingOutOfBounds), {field, column, value, low, high}));
    }

    // A position in another table: 0 .. count - 1 (plus `before` fixed entries).
    template <class Record>
    void inTable(std::string_view file, int line, std::string_view column, int32_t value,
                 const TableFile& target, int32_t count, std::string_view what, int before = 0,
                 int field = 0) {
        if (!usable(target) || (value >= 0 && value < count + before)) return;
        outside<Record>(file, line, column, value,
                        formatText(say(Text::findingBeyondTable), {what, count + before}),
                        field);
    }

    template <class Record> void table(std::string_view file, const Table<Record>& t) {
        if (t.file.missing) {
            add(file, 0, 0, Severity::warning, "missing-table", std::string(say(Text::findingMissingTable)));
            return;
        }
        if (keptFromSaving(t.file)) {
            const TableProblem& p = t.file.problem;
            std::string message = p.field > 0 ? formatText(say(Text::findingField), {p.field}) : "";
            message += problemReason(p, language);
            message += say(Text::findingKept);
            add(file, p.line, p.field, Severity::error,
                recordsLoaded(t.file) ? "count-lines"
                : t.file.unreadable   ? "unreadable"
                                      : "not-in-format",
                std::move(message));
            // The records a short file holds are real ones, worth checking as any.
            if (!recordsLoaded(t.file)) return;
        }
        LineList lines;
        if (!lines.loadFromFile(state.folder + std::string(file))) return;
        const int header = remarkCount(t.file); // 0-based line of the header
        countLines(file, t, lines, header);

        ownIds.clear();
        auto& seen = std::is_same_v<Record, TWares> ? wareIds : ownIds;
        // Every record has its line: the loader makes up none.
        for (size_t k = 0; k < t.records.size(); ++k) {
            const Record& r = t.records[k];
            const int index = header + 1 + static_cast<int>(k);
            const int line = index + 1;
            const int64_t needed = neededFields(r);
            fieldCount<Record>(file, line, lines.item(index), needed);
            references(file, line, r, static_cast<int32_t>(k));
            if (r.objectId.empty()) continue;
            const int idField = static_cast<int>(std::min<int64_t>(needed, INT32_MAX));
            const auto [place, fresh] = seen.try_emplace(r.objectId, IdPlace{file, line});
            if (!fresh) {
                const IdPlace& first = place->second;
                add(file, line, idField, Severity::warning, "duplicate-id",
                    first.file == file
                        ? formatText(say(Text::duplicateIdSameFile),
                                     {idField, r.objectId, first.line})
                        : formatText(say(Text::duplicateIdOtherFile),
                                     {idField, r.objectId, first.file, first.line}));
            }
        }
    }

    template <class Record>
    void countLines(std::string_view file, const Table<Record>& t, const LineList& lines, int header) {
        // Empty lines at the end beyond the records are no records the game misses.
        int end = lines.count();
        while (end > header + 1 + t.count && lines.item(end - 1).empty()) --end;
        // A count above the lines is the loader's finding (recordsLoaded).
        const int recordLines = std::max(0, end - header - 1);
        if (recordLines <= t.count) return;
        add(file, header + 1, 0, Severity::warning, "count-lines",
            header + 2 + t.count == end
                ? formatText(say(Text::countExtraLine), {t.count, recordLines, end})
                : formatText(say(Text::countExtraLines), {t.count, recordLines, header + 2 + t.count, end}));
    }

    template <class Record>
    void fieldCount(std::string_view file, int line, std::string_view text, int64_t needed) {
        const int64_t present = std::count(text.begin(), text.end(), ';');
        if (present == needed) return;
        const int32_t have = static_cast<int32_t>(std::min<int64_t>(present, INT32_MAX));
        const int32_t need = static_cast<int32_t>(std::min<int64_t>(needed, INT32_MAX));
        std::string message =
            present < needed
                ? formatText(say(Text::fieldsMissing),
                             {have, need})
                : formatText(say(Text::fieldsExtra),
                             {have, need});
        if (std::is_same_v<Record, TShips> && present > needed)
            message += say(Text::wrongGroupCount);
        add(file, line, 0, Severity::warning, "field-count", std::move(message));
    }

    template <class Record> void noName(std::string_view file, int line, const Record& r) {
        if (names.hasName == nullptr || names.hasName(names.context, r.nameTextId)) return;
        const int field = fieldOf<Record>("nameTextId");
        std::optional<int32_t> race;
        if constexpr (std::is_same_v<Record, TStations>) race = r.race;
        const std::string shown = names.listed(names.context, r.nameTextId, r.objectId, race, language);
        add(file, line, field, Severity::warning, "no-name",
            formatText(say(Text::noNameOnPage), {field, r.nameTextId, shown}));
    }

    template <class Record>
    void references(std::string_view file, int line, const Record& r, int32_t position) {
        using R = Record;
        if constexpr (requires { r.nameTextId; }) noName(file, line, r);
        const std::span<const FieldOf<R>> inputs = editorFields<R>();
        for (size_t i = 0; i < inputs.size(); ++i)
            if (isListField(inputs[i].shown)) listEntry(file, line, editorColumns<R>()[i], inputs[i], r);
        if constexpr (std::is_same_v<R, TStations>) range<R>(file, line, "race", r.race, 1, 6);
        if constexpr (std::is_same_v<R, TLasers>) {
            if (usable(state.bullets.file) && position >= state.bullets.count)
                add(file, line, 0, Severity::warning, "reference",
                    formatText(say(Text::laserWithoutBullet),
                               {position + 1, state.bullets.count}));
        }
        if constexpr (std::is_same_v<R, TShips>) {
            turrets(file, line, r);
            manoeuvrability(file, line, r);
        }
    }

    // Above 10 (1000 %) a manoeuvrability is a slip: no ship turns that fast.
    void manoeuvrability(std::string_view file, int line, const TShips& r) {
        constexpr double kLimit = 10;
        for (const auto& [column, value] : {std::pair{"manoeuvrabilityX", r.manoeuvrabilityX},
                                            {"manoeuvrabilityY", r.manoeuvrabilityY},
                                            {"manoeuvrabilityRotation", r.manoeuvrabilityRotation}})
            if (value > kLimit) {
                const int field = fieldOf<TShips>(column);
                add(file, line, field, Severity::warning, "manoeuvrability",
                    formatText(say(Text::findingManoeuvrability), {field, column, manoeuvrabilityText(value)}));
            }
    }

    // A list input's value: one of the entries the editor's list offers.
    template <class Record>
    void listEntry(std::string_view file, int line, std::string_view column, const FieldOf<Record>& input,
                   const Record& r) {
        const int32_t value = r.*input.integer;
        switch (input.shown) {
        case Shown::shieldEntry:
            return inTable<Record>(file, line, column, value, state.shields.file, state.shields.count,
                                   say(Text::ofShieldTable));
        case Shown::missileEntry:
            return inTable<Record>(file, line, column, value, state.rockets.file, state.rockets.count,
                                   say(Text::ofMissileList), static_cast<int>(std::size(kFixedMissileNames)));
        default: {
            const ListedValues values = listedValues(input.shown);
            return range<Record>(file, line, column, value, values.low, values.high);
        }
        }
    }

    void turrets(std::string_view file, int line, const TShips& r) {
        using R = TShips;
        // Turrets 1..6 that the editor lists (with guns) are described by their mounts.
        const int listed = std::min<int>(kMountedTurrets, static_cast<int>(r.turrets.size()));
        for (int k = 1; k < listed; ++k) {
            if (r.turrets[static_cast<size_t>(k)].gunCount < 1) continue;
            const TTurretMount& mount = r.turretMounts[k - 1];
            const std::string_view cockpit = kMountColumns[k - 1][0];
            const std::string_view position = kMountColumns[k - 1][1];
            const int cockpitField = fieldOf<R>(cockpit);
            inTable<R>(file, line, cockpit, mount.cockpitIndex, state.cockpits.file,
                       state.cockpits.count, say(Text::ofCockpitTable), 0, cockpitField);
            if (mount.position < 0 || mount.position > 6)
                outside<R>(file, line, position, mount.position, say(Text::positionOutside),
                           cockpitField + 1);
        }
        if (r.turretCount > kMountedTurrets) {
            const int field = static_cast<int>(fieldNumber(r, "turretCount"));
            outside<R>(file, line, "turretCount", r.turretCount,
                       say(Text::turretsWithoutMounts), field);
        }
    }
};

} // namespace

std::vector<Finding> checkTables(const GameState& state, NameCheck names, Language language) {
    Checker checker{state, names, language, {}, {}, {}};
    for (const TableName& name : kTableNames)
        visitTable(state, name.id, [&](const auto& table) { checker.table(name.fileName, table); });
    return std::move(checker.findings);
}
