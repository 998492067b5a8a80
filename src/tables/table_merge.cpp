#include "tables/table_merge.h"

#include <span>
#include <type_traits>
#include <utility>

#include "tables/record_line.h"
#include "tables/table_rows.h"

namespace {

// The one value of three: a side's change wins, a change alike on both sides is
// taken; false on a conflict (`out` then holds the preferred side's value).
template <class T> bool pickValue(const T* base, const T& mine, const T& theirs, Prefer prefer, T& out) {
    if (mine == theirs || (base != nullptr && *base == theirs)) {
        out = mine;
        return true;
    }
    if (base != nullptr && *base == mine) {
        out = theirs;
        return true;
    }
    out = prefer == Prefer::theirs ? theirs : mine;
    return false;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) (text += text.empty() ? "" : "\n") += line;
    return text;
}

template <class Record> struct Merger {
    std::span<const Record> base, mine, theirs;
    Prefer prefer;
    TableMerge& report;

    void conflict(MergeConflict c) { report.conflicts.push_back(std::move(c)); }

    // Field by field; `b` null for a record both sides added with the same id.
    Record mergeRecord(const Record* b, const Record& m, const Record& t, size_t index) {
        if (m == t || (b != nullptr && *b == t)) return m;
        if (b != nullptr && *b == m) return t;
        const std::span<const Column> columns = recordColumns<Record>();
        const std::vector<std::string> cm = recordCells(m), ct = recordCells(t);
        const std::vector<std::string> cb = b != nullptr ? recordCells(*b) : std::vector<std::string>();
        std::vector<std::string> out = cm;
        bool fromTheirs = false;
        const auto field = [&](std::string_view column, const std::string* cellBase, const std::string& cellMine,
                               const std::string& cellTheirs, std::string& cellOut) {
            if (!pickValue(cellBase, cellMine, cellTheirs, prefer, cellOut)) {
                MergeConflict c{m.objectId, column, cellBase ? *cellBase : std::string(), cellMine, cellTheirs,
                                b != nullptr, {}, {}, {}, {}, index};
                if (column != "rest") {
                    if (b != nullptr) c.baseShown = showColumn(column, *b, report.table);
                    c.mineShown = showColumn(column, m, report.table);
                    c.theirsShown = showColumn(column, t, report.table);
                }
                conflict(std::move(c));
            }
            fromTheirs = fromTheirs || cellOut != cellMine;
        };
        for (size_t c = 0; c < columns.size(); ++c)
            field(columns[c].name, b ? &cb[c] : nullptr, cm[c], ct[c], out[c]);
        std::string rest;
        field("rest", b ? &b->rest : nullptr, m.rest, t.rest, rest);
        if (!fromTheirs) return m;
        Record r{};
        // A ship's counts and groups taken from different sides may not fit
        // together: the whole record of the side that wins the conflict then.
        if (!recordFromCells(out, rest, r, Language::ru).empty()) // the reason is not shown
            return prefer == Prefer::theirs ? t : m;
        return r;
    }

    // The record's line as the writer writes it, without its line end.
    static std::string lineOf(const Record& r) {
        std::string text;
        appendRecordLine(text, r);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }

    MergeConflict recordConflict(const Record& kept, const Record& b, MergeSide removedBy, size_t index) {
        MergeConflict c{kept.objectId, "record", lineOf(b), {}, {}, true, removedBy, {}, {}, {}, index};
        (removedBy == MergeSide::mine ? c.theirs : c.mine) = lineOf(kept);
        return c;
    }

    std::vector<Record> records() {
        const std::vector<size_t> mineBase = matchRecords(base, mine), theirsBase = matchRecords(base, theirs);
        std::vector<size_t> mineOf(base.size(), kNoMatch), theirsOf(base.size(), kNoMatch);
        for (size_t i = 0; i < mine.size(); ++i)
            if (mineBase[i] != kNoMatch) mineOf[mineBase[i]] = i;
        for (size_t i = 0; i < theirs.size(); ++i)
            if (theirsBase[i] != kNoMatch) theirsOf[theirsBase[i]] = i;

        // Records both sides added with one id are one record, merged without a base.
        std::vector<size_t> mineAdded, theirsAdded;
        std::vector<std::string_view> mineAddedIds, theirsAddedIds;
        for (size_t i = 0; i < mine.size(); ++i)
            if (mineBase[i] == kNoMatch) mineAdded.push_back(i), mineAddedIds.push_back(mine[i].objectId);
        for (size_t i = 0; i < theirs.size(); ++i)
            if (theirsBase[i] == kNoMatch) theirsAdded.push_back(i), theirsAddedIds.push_back(theirs[i].objectId);
        const std::vector<size_t> pairs = matchIds(mineAddedIds, theirsAddedIds);
        std::vector<size_t> theirsTwin(mine.size(), kNoMatch); // mine index -> theirs index
        std::vector<bool> theirsPaired(theirs.size());
        for (size_t k = 0; k < theirsAdded.size(); ++k)
            if (pairs[k] != kNoMatch) {
                theirsTwin[mineAdded[pairs[k]]] = theirsAdded[k];
                theirsPaired[theirsAdded[k]] = true;
            }

        std::vector<Record> out;
        out.reserve(mine.size() + theirsAdded.size());
        for (size_t i = 0; i < mine.size(); ++i) {
            const size_t b = mineBase[i];
            if (b == kNoMatch) {
                const size_t twin = theirsTwin[i];
                out.push_back(twin == kNoMatch ? mine[i] : mergeRecord(nullptr, mine[i], theirs[twin], i));
                continue;
            }
            const size_t t = theirsOf[b];
            if (t != kNoMatch) {
                out.push_back(mergeRecord(&base[b], mine[i], theirs[t], i));
            } else if (!(mine[i] == base[b])) { // THEIRS removed what MINE changed
                conflict(recordConflict(mine[i], base[b], MergeSide::theirs, i));
                if (prefer != Prefer::theirs) out.push_back(mine[i]);
            }
        }
        // THEIRS' additions, and what MINE removed but THEIRS changed, in THEIRS' order.
        for (size_t i = 0; i < theirs.size(); ++i) {
            const size_t b = theirsBase[i];
            if (b == kNoMatch) {
                if (!theirsPaired[i]) out.push_back(theirs[i]);
            } else if (mineOf[b] == kNoMatch && !(theirs[i] == base[b])) {
                conflict(recordConflict(theirs[i], base[b], MergeSide::mine, i));
                if (prefer == Prefer::theirs) out.push_back(theirs[i]);
            }
        }
        return out;
    }
};

// The three views of one table; base empty when its file is missing.
template <class Record>
void mergeViews(const TableView<Record>& b, const TableView<Record>& m, const TableView<Record>& t, Prefer prefer,
                TableMerge& report, int32_t& header, TableFile& file, std::vector<Record>& records) {
    const bool hasBase = !b.file.missing;
    Merger<Record> merger{hasBase ? b.records : std::span<const Record>(), m.records, t.records, prefer, report};
    records = merger.records();
    file = m.file;
    const auto kept = [&](std::string_view column, auto TableFile::*part) {
        const auto& mine = m.file.*part;
        const auto& theirs = t.file.*part;
        if (!pickValue(hasBase ? &(b.file.*part) : nullptr, mine, theirs, prefer, file.*part)) {
            MergeConflict c{{}, column, {}, {}, {}, hasBase, {}, {}, {}, {}, 0};
            if constexpr (std::is_same_v<std::decay_t<decltype(mine)>, std::string>) {
                c.base = hasBase ? b.file.*part : std::string();
                c.mine = mine;
                c.theirs = theirs;
            } else {
                c.base = hasBase ? joinLines(b.file.*part) : std::string();
                c.mine = joinLines(mine);
                c.theirs = joinLines(theirs);
            }
            report.conflicts.push_back(std::move(c));
        }
    };
    kept("remarks", &TableFile::remarks);
    kept("remarks", &TableFile::headerRest);
    kept("remarks", &TableFile::trailingLines);
    if (!pickValue(hasBase ? &b.headerValue : nullptr, m.headerValue, t.headerValue, prefer, header))
        report.conflicts.push_back({{}, "header", hasBase ? std::to_string(b.headerValue) : std::string(),
                                    std::to_string(m.headerValue), std::to_string(t.headerValue), hasBase,
                                    {}, {}, {}, {}, 0});
}

// Puts the merged table in place of table `id` of `s`.
template <class Record>
void putTable(GameState& s, TableId id, int32_t header, TableFile file, std::vector<Record> records) {
    withTable(s, id, [&](const auto& slot) {
        if constexpr (std::is_same_v<typename std::decay_t<decltype(slot)>::Record, Record>) {
            slot.facts.headerValue = header;
            slot.facts.count = static_cast<int32_t>(records.size());
            slot.facts.file = std::move(file);
            replaceRecords(slot, std::move(records));
        }
    });
}

// Views of two kinds are never the same table (clang instantiates the calls
// in the branches mergeTable discards for mixed kinds, so both must compile).
template <class A, class B> bool sameTable(const A& a, const B& b) {
    if constexpr (!std::is_same_v<A, B>) {
        return false;
    } else {
        return a.headerValue == b.headerValue && a.file.remarks == b.file.remarks &&
               a.file.headerRest == b.file.headerRest && a.file.trailingLines == b.file.trailingLines &&
               std::equal(a.records.begin(), a.records.end(), b.records.begin(), b.records.end());
    }
}

} // namespace

TableMerge mergeTable(const GameState& base, const GameState& mine, const GameState& theirs, TableId id,
                      Prefer prefer, GameState& result) {
    TableMerge report;
    report.table = id;
    visitTable(base, id, [&](const auto& b) {
        using View = std::decay_t<decltype(b)>;
        using Record = typename decltype(b.records)::value_type;
        visitTable(mine, id, [&](const auto& m) {
            visitTable(theirs, id, [&](const auto& t) {
                if constexpr (std::is_same_v<View, std::decay_t<decltype(m)>> &&
                              std::is_same_v<View, std::decay_t<decltype(t)>>) {
                    for (auto [side, file] : {std::pair{MergeSide::mine, &m.file}, std::pair{MergeSide::theirs, &t.file},
                                              std::pair{MergeSide::base, &b.file}})
                        if (keptFromSaving(*file)) {
                            report.merged = false;
                            report.refusedSide = side;
                            return;
                        }
                    if (m.file.missing && t.file.missing) {
                        report.exists = false;
                        return;
                    }
                    if (m.file.missing || t.file.missing) {
                        const bool mineGone = m.file.missing;
                        const View& present = mineGone ? t : m;
                        if (b.file.missing) { // added on one side: that side's table
                            if (mineGone) {
                                putTable(result, id, t.headerValue, t.file,
                                         std::vector<Record>(t.records.begin(), t.records.end()));
                                report.changesMine = true;
                            }
                            return;
                        }
                        if (mineGone && sameTable(present, b)) { // removed by MINE, unchanged by THEIRS
                            report.exists = false;
                            return;
                        }
                        // The writer never deletes a table file: a removal wants the person.
                        report.conflicts.push_back({{}, "file", {}, {}, {}, true,
                                                    mineGone ? MergeSide::mine : MergeSide::theirs, {}, {}, {}, 0});
                        if (mineGone) report.exists = false;
                        return;
                    }
                    int32_t header = 0;
                    TableFile file;
                    std::vector<Record> records;
                    mergeViews<Record>(b, m, t, prefer, report, header, file, records);
                    const TableView<Record> merged{m.name, records, header, static_cast<int32_t>(records.size()), file};
                    report.changesMine = !sameTable(merged, m);
                    if (report.changesMine) putTable(result, id, header, std::move(file), std::move(records));
                }
            });
        });
    });
    return report;
}

void copyTable(const GameState& from, TableId id, GameState& to) {
    visitTable(from, id, [&](const auto& v) {
        using Record = typename decltype(v.records)::value_type;
        putTable<Record>(to, id, v.headerValue, v.file, std::vector<Record>(v.records.begin(), v.records.end()));
    });
}
