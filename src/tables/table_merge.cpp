#include "tables/table_merge.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "tables/columns.h"
#include "tables/record_line.h"
#include "tables/table_rows.h"

namespace {

constexpr size_t kNone = SIZE_MAX;
constexpr size_t kSides = 3; // indexes: MergeSide
constexpr int32_t kBuiltInMissiles = 8; // the missile list's fixed names before the table's

size_t at(TableId id) { return static_cast<size_t>(id); }

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

// ---- Matching: which record of each side is which record of BASE ----

// For each record of `side`, the BASE record it is, or kNone (added). Records are
// matched by objectId; where an id is repeated and a side holds another number of
// it than BASE, equal records are matched first and the rest only where the gaps
// between them hold as many on both sides, so that a removal of one of the
// equals is not taken for a change of another.
template <class Record>
std::vector<size_t> matchSide(std::span<const Record> base, std::span<const Record> side) {
    std::vector<size_t> match = matchRecords(base, side);
    // Only an id with a record left unmatched on one side can be such a group.
    std::vector<bool> baseMatched(base.size(), false);
    for (size_t b : match)
        if (b != kNoMatch) baseMatched[b] = true;
    std::unordered_map<std::string_view, std::pair<size_t, size_t>> counts;
    for (size_t i = 0; i < side.size(); ++i)
        if (match[i] == kNoMatch) counts[side[i].objectId];
    for (size_t i = 0; i < base.size(); ++i)
        if (!baseMatched[i]) counts[base[i].objectId];
    if (counts.empty()) return match;
    for (const Record& r : base)
        if (auto c = counts.find(r.objectId); c != counts.end()) ++c->second.first;
    for (const Record& r : side)
        if (auto c = counts.find(r.objectId); c != counts.end()) ++c->second.second;
    std::unordered_map<std::string_view, std::pair<std::vector<size_t>, std::vector<size_t>>> groups;
    for (const auto& [id, n] : counts)
        if (n.first != n.second && n.first > 0 && n.second > 0 && std::max(n.first, n.second) > 1) groups[id];
    if (groups.empty()) return match;
    for (size_t i = 0; i < base.size(); ++i)
        if (auto g = groups.find(base[i].objectId); g != groups.end()) g->second.first.push_back(i);
    for (size_t i = 0; i < side.size(); ++i)
        if (auto g = groups.find(side[i].objectId); g != groups.end()) g->second.second.push_back(i);
    for (auto& [id, g] : groups) {
        const std::vector<size_t>&bs = g.first, &ss = g.second;
        if (bs.size() * ss.size() > (1u << 20)) continue; // a pathological group: by place
        for (size_t s : ss) match[s] = kNone;
        // The longest run of equal records, in order.
        const size_t w = ss.size() + 1;
        std::vector<uint32_t> lcs((bs.size() + 1) * w, 0);
        for (size_t i = bs.size(); i-- > 0;)
            for (size_t j = ss.size(); j-- > 0;)
                lcs[i * w + j] = base[bs[i]] == side[ss[j]] ? lcs[(i + 1) * w + j + 1] + 1
                                                             : std::max(lcs[(i + 1) * w + j], lcs[i * w + j + 1]);
        size_t i = 0, j = 0, gapB = 0, gapS = 0;
        const auto closeGap = [&](size_t endB, size_t endS) {
            if (endB - gapB == endS - gapS)
                for (size_t k = 0; k < endB - gapB; ++k) match[ss[gapS + k]] = bs[gapB + k];
        };
        while (i < bs.size() && j < ss.size()) {
            if (base[bs[i]] == side[ss[j]] && lcs[i * w + j] == lcs[(i + 1) * w + j + 1] + 1) {
                closeGap(i, j);
                match[ss[j]] = bs[i];
                gapB = ++i;
                gapS = ++j;
            } else if (lcs[(i + 1) * w + j] >= lcs[i * w + j + 1]) {
                ++i;
            } else {
                ++j;
            }
        }
        closeGap(bs.size(), ss.size());
    }
    return match;
}

// One record of the merged table to be: where it stands on each side.
struct Node {
    size_t at[kSides] = {kNone, kNone, kNone};
    bool present = false;
};

// The records of one table on the three sides as nodes: BASE's first (node b is
// BASE record b), then MINE's additions, then THEIRS' (an id both added is one node).
struct Nodes {
    bool built = false; // the table merges record by record (readable and present on MINE and THEIRS)
    std::vector<Node> nodes;
    std::vector<size_t> of[kSides]; // record position on a side -> node
    std::vector<size_t> order;      // the merged table's nodes, in order
    std::vector<size_t> position;   // node -> its place in the merged table (kNone: not there)
    std::vector<bool> filled;       // node -> its merged content is made
};

template <class Record>
void buildNodes(Nodes& n, std::span<const Record> b, std::span<const Record> m, std::span<const Record> t) {
    n.built = true;
    n.nodes.resize(b.size());
    n.of[0].resize(b.size());
    for (size_t i = 0; i < b.size(); ++i) n.nodes[i].at[0] = n.of[0][i] = i;
    const std::span<const Record> sides[] = {m, t};
    for (size_t s = 1; s < kSides; ++s) {
        const std::vector<size_t> match = matchSide(b, sides[s - 1]);
        n.of[s].assign(sides[s - 1].size(), kNone);
        for (size_t i = 0; i < match.size(); ++i)
            if (match[i] != kNone) n.nodes[match[i]].at[s] = i, n.of[s][i] = match[i];
    }
    // Additions; one id added on both sides is one record.
    std::vector<size_t> mineAdded, theirsAdded;
    std::vector<std::string_view> mineIds, theirsIds;
    for (size_t i = 0; i < m.size(); ++i)
        if (n.of[1][i] == kNone) mineAdded.push_back(i), mineIds.push_back(m[i].objectId);
    for (size_t i = 0; i < t.size(); ++i)
        if (n.of[2][i] == kNone) theirsAdded.push_back(i), theirsIds.push_back(t[i].objectId);
    for (size_t i : mineAdded) {
        n.of[1][i] = n.nodes.size();
        n.nodes.push_back({{kNone, i, kNone}});
    }
    const std::vector<size_t> twins = matchIds(mineIds, theirsIds);
    for (size_t k = 0; k < theirsAdded.size(); ++k) {
        const size_t j = theirsAdded[k];
        if (twins[k] != kNone) {
            const size_t node = n.of[1][mineAdded[twins[k]]];
            n.nodes[node].at[2] = j;
            n.of[2][j] = node;
        } else {
            n.of[2][j] = n.nodes.size();
            n.nodes.push_back({{kNone, kNone, j}});
        }
    }
}

// Whether a side's records stand in another order than BASE's.
bool reordered(const Nodes& n, size_t side) {
    size_t last = 0;
    bool any = false;
    for (size_t node : n.of[side]) {
        const size_t b = n.nodes[node].at[0];
        if (b == kNone) continue;
        if (any && b < last) return true;
        last = b;
        any = true;
    }
    return false;
}

// The merged order of the present nodes: the order of the side that changed it
// (MINE's when neither or both did), the other side's own records placed before
// the record they precede there; when both reordered, THEIRS' additions go last.
std::vector<size_t> mergeOrder(const Nodes& n) {
    const bool mineMoved = reordered(n, 1), theirsMoved = reordered(n, 2);
    const size_t lead = theirsMoved && !mineMoved ? 2 : 1, other = 3 - lead;
    const std::vector<size_t>& leadSeq = n.of[lead];
    const std::vector<size_t>& otherSeq = n.of[other];
    std::vector<size_t> leadIndex(n.nodes.size(), kNone);
    std::vector<char> placed(n.nodes.size(), 0);
    for (size_t k = 0; k < leadSeq.size(); ++k) leadIndex[leadSeq[k]] = k;

    std::vector<std::vector<size_t>> before(leadSeq.size() + 1); // nodes to put before lead record k
    if (mineMoved && theirsMoved) {
        for (size_t node : otherSeq)
            if (leadIndex[node] == kNone) before.back().push_back(node);
    } else {
        // Each of the other side's own records goes before the record it preceded
        // there (after the lead side's own records in that gap), or last.
        size_t next = leadSeq.size();
        for (size_t k = otherSeq.size(); k-- > 0;) {
            const size_t node = otherSeq[k];
            if (leadIndex[node] != kNone) next = leadIndex[node];
            else before[next].push_back(node);
        }
        for (std::vector<size_t>& nodes : before) std::reverse(nodes.begin(), nodes.end());
    }
    std::vector<size_t> order;
    order.reserve(n.nodes.size());
    const auto put = [&](size_t node) {
        if (n.nodes[node].present && !placed[node]) order.push_back(node), placed[node] = 1;
    };
    for (size_t k = 0; k <= leadSeq.size(); ++k) {
        for (size_t node : before[k]) put(node);
        if (k < leadSeq.size()) put(leadSeq[k]);
    }
    for (size_t node = 0; node < n.nodes.size(); ++node) put(node); // kept though both sides removed it
    return order;
}

// ---- References ----

// A reference as the record it names (a node of the target table) or, when it
// names no record there, its number.
struct Ref {
    bool node = false;
    int64_t value = 0;
    bool operator==(const Ref&) const = default;
};

struct RefColumn {
    std::string_view column;
    TableId target;
    int32_t offset; // the list entries before the table's first record
};
// A ship's shield, missile and the six mounts' cockpits.
constexpr size_t kShipRefs = 8;
constexpr RefColumn kRefColumns[kShipRefs] = {
    {"maxShieldType", TableId::shields, 0},
    {"maxMissileType", TableId::rockets, kBuiltInMissiles},
    {kMountColumns[0][0], TableId::cockpits, 0},
    {kMountColumns[1][0], TableId::cockpits, 0},
    {kMountColumns[2][0], TableId::cockpits, 0},
    {kMountColumns[3][0], TableId::cockpits, 0},
    {kMountColumns[4][0], TableId::cockpits, 0},
    {kMountColumns[5][0], TableId::cockpits, 0},
};
using ShipRefs = std::array<Ref, kShipRefs>;

int32_t* refField(TShips& r, size_t k) {
    return k == 0 ? &r.maxShieldType : k == 1 ? &r.maxMissileType : &r.turretMounts[k - 2].cockpitIndex;
}
int32_t refField(const TShips& r, size_t k) { return *refField(const_cast<TShips&>(r), k); }

// The ship's columns that hold references, by index in its cells.
const std::array<size_t, kShipRefs>& refCellIndexes() {
    static const std::array<size_t, kShipRefs> indexes = [] {
        std::array<size_t, kShipRefs> out{};
        for (size_t k = 0; k < kShipRefs; ++k)
            out[k] = static_cast<size_t>(columnIndex(recordColumns<TShips>(), kRefColumns[k].column));
        return out;
    }();
    return indexes;
}

// Columns merged as one unit; `shown` names the unit in a conflict.
struct Unit {
    std::string_view shown, first, second;
};
template <class Record> std::span<const Unit> unitsOf() {
    if constexpr (std::is_same_v<Record, TShips>) {
        static constexpr Unit units[] = {{"groups", "itemCount", "groups"}};
        return units;
    } else if constexpr (std::is_same_v<Record, TBullets>) {
        static constexpr Unit units[] = {{"flightTime", "flightTime", "projectileSpeed"}};
        return units;
    } else if constexpr (std::is_same_v<Record, TShields>) {
        static constexpr Unit units[] = {{"shieldPower", "shieldPower", "powerTenth"}};
        return units;
    } else {
        return {};
    }
}

// For each column of a record kind, the unit it belongs to, or -1.
template <class Record> const std::vector<int>& unitOfColumn() {
    static const std::vector<int> out = [] {
        const std::span<const Column> columns = recordColumns<Record>();
        std::vector<int> units(columns.size(), -1);
        const std::span<const Unit> list = unitsOf<Record>();
        for (size_t u = 0; u < list.size(); ++u) {
            units[static_cast<size_t>(columnIndex(columns, list[u].first))] = static_cast<int>(u);
            units[static_cast<size_t>(columnIndex(columns, list[u].second))] = static_cast<int>(u);
        }
        return units;
    }();
    return out;
}

// ---- The merge of a game ----

struct Merge {
    const GameState* sides[kSides];
    Prefer prefer;
    const MergeScope& scope;
    std::array<TableMerge, kTableCount>& reports;
    std::array<Nodes, kTableCount> nodes{};

    // The record a node stands for on `side`, or null.
    template <class Record> const Record* recordOf(TableId id, size_t node, size_t side) const {
        const size_t i = nodes[at(id)].nodes[node].at[side];
        if (i == kNone) return nullptr;
        return visitTable(*sides[side], id, [&](const auto& v) -> const Record* {
            if constexpr (std::is_same_v<typename decltype(v.records)::value_type, Record>) return &v.records[i];
            else return nullptr;
        });
    }

    // A node's objectId: MINE's record's, else THEIRS', else BASE's.
    template <class Record> std::string idOf(TableId id, size_t node) const {
        for (size_t side : {size_t(1), size_t(2), size_t(0)})
            if (const Record* r = recordOf<Record>(id, node, side)) return r->objectId;
        return {};
    }

    Ref refOf(const TShips& r, size_t k, size_t side) const {
        const RefColumn& c = kRefColumns[k];
        const int32_t value = refField(r, k);
        const Nodes& n = nodes[at(c.target)];
        const int64_t index = int64_t(value) - c.offset;
        if (!n.built || index < 0 || static_cast<size_t>(index) >= n.of[side].size()) return {false, value};
        return {true, static_cast<int64_t>(n.of[side][static_cast<size_t>(index)])};
    }
    ShipRefs refsOf(const TShips& r, size_t side) const {
        ShipRefs refs{};
        for (size_t k = 0; k < kShipRefs; ++k) refs[k] = refOf(r, k, side);
        return refs;
    }

    // Equal in what the records mean: a ship's references compare as the records they name.
    template <class Record> bool same(const Record& a, size_t sideA, const Record& b, size_t sideB) const {
        if constexpr (std::is_same_v<Record, TShips>) {
            if (refsOf(a, sideA) != refsOf(b, sideB)) return false;
            TShips x = a, y = b;
            for (size_t k = 0; k < kShipRefs; ++k) *refField(x, k) = *refField(y, k) = 0;
            return x == y;
        } else {
            return a == b;
        }
    }

    static std::string token(const Ref& r) {
        std::string text(1, r.node ? 'n' : 'r');
        text += std::to_string(r.value);
        return text;
    }
    static Ref untoken(const std::string& t) { return {t[0] == 'n', std::stoll(t.substr(1))}; }

    // The cells a field merge compares: a ship's references as the records they name.
    template <class Record> std::vector<std::string> cellsOf(const Record& r, size_t side) const {
        std::vector<std::string> cells = recordCells(r);
        if constexpr (std::is_same_v<Record, TShips>) {
            const ShipRefs refs = refsOf(r, side);
            for (size_t k = 0; k < kShipRefs; ++k) cells[refCellIndexes()[k]] = token(refs[k]);
        }
        return cells;
    }

    template <class Record>
    MergeConflict fieldConflict(TableId id, std::string_view column, const Record* b, const Record& m,
                                const Record& t, size_t index) const {
        const std::span<const Column> columns = recordColumns<Record>();
        const int c = columnIndex(columns, column);
        MergeConflict k{m.objectId, column, {}, {}, {}, b != nullptr, {}, {}, {}, {}, index, {}, {}, false};
        if (c < 0) { // rest
            k.base = b ? b->rest : std::string();
            k.mine = m.rest;
            k.theirs = t.rest;
            return k;
        }
        k.base = b ? recordCells(*b)[static_cast<size_t>(c)] : std::string();
        k.mine = recordCells(m)[static_cast<size_t>(c)];
        k.theirs = recordCells(t)[static_cast<size_t>(c)];
        if (b) k.baseShown = showColumn(column, *b, id);
        k.mineShown = showColumn(column, m, id);
        k.theirsShown = showColumn(column, t, id);
        return k;
    }

    // Whether a ship's reference into a table whose versions are not at hand
    // differs between the sides: then even a change on one side wants the person.
    template <class Record> bool unknownRefsDiffer(const Record* b, const Record& m, const Record& t) const {
        if constexpr (std::is_same_v<Record, TShips>) {
            for (size_t k = 0; k < kShipRefs; ++k)
                if (!scope.known[at(kRefColumns[k].target)] &&
                    (refField(m, k) != refField(t, k) || (b != nullptr && refField(*b, k) != refField(m, k))))
                    return true;
        }
        (void)b, (void)m, (void)t;
        return false;
    }

    // Field by field, linked fields as one unit; `b` null for a record both sides
    // added with one id. A ship's merged references go to `refs`.
    template <class Record>
    Record mergeRecord(TableId id, const Record* b, const Record& m, const Record& t, size_t index, ShipRefs* refs) {
        TableMerge& report = reports[at(id)];
        const auto keep = [&](const Record& r, size_t side) {
            if constexpr (std::is_same_v<Record, TShips>) *refs = refsOf(r, side);
            return r;
        };
        if (!unknownRefsDiffer(b, m, t)) {
            if (same(m, 1, t, 2) || (b != nullptr && same(*b, 0, t, 2))) return keep(m, 1);
            if (b != nullptr && same(*b, 0, m, 1)) return keep(t, 2);
        }
        const std::span<const Column> columns = recordColumns<Record>();
        const std::vector<int>& unitOf = unitOfColumn<Record>();
        const std::span<const Unit> units = unitsOf<Record>();
        const std::vector<std::string> cm = cellsOf(m, 1), ct = cellsOf(t, 2);
        const std::vector<std::string> cb = b != nullptr ? cellsOf(*b, 0) : std::vector<std::string>();
        std::vector<std::string> out = cm;
        std::vector<bool> done(columns.size(), false);
        for (size_t c = 0; c < columns.size(); ++c) {
            if (done[c]) continue;
            if (unitOf[c] >= 0) {
                const Unit& u = units[static_cast<size_t>(unitOf[c])];
                const size_t c1 = static_cast<size_t>(columnIndex(columns, u.first));
                const size_t c2 = static_cast<size_t>(columnIndex(columns, u.second));
                done[c1] = done[c2] = true;
                using Pair = std::pair<std::string, std::string>;
                const Pair pm{cm[c1], cm[c2]}, pt{ct[c1], ct[c2]};
                const Pair pb = b ? Pair{cb[c1], cb[c2]} : Pair{};
                Pair po;
                if (!pickValue(b ? &pb : nullptr, pm, pt, prefer, po))
                    report.conflicts.push_back(fieldConflict(id, u.shown, b, m, t, index));
                out[c1] = po.first;
                out[c2] = po.second;
                continue;
            }
            if (!pickValue(b ? &cb[c] : nullptr, cm[c], ct[c], prefer, out[c]))
                report.conflicts.push_back(fieldConflict(id, columns[c].name, b, m, t, index));
            if constexpr (std::is_same_v<Record, TShips>) {
                // A reference into a table whose versions are not at hand: any
                // difference may be a move, so only the person can tell.
                const auto& refCells = refCellIndexes();
                const auto k = std::find(refCells.begin(), refCells.end(), c);
                if (k != refCells.end() && !scope.known[at(kRefColumns[k - refCells.begin()].target)] &&
                    !(cm[c] == ct[c] && (b == nullptr || cb[c] == cm[c]))) {
                    const bool counted = !report.conflicts.empty() && report.conflicts.back().column == columns[c].name &&
                                         report.conflicts.back().index == index;
                    if (!counted) report.conflicts.push_back(fieldConflict(id, columns[c].name, b, m, t, index));
                    report.conflicts.back().needsFolders = true;
                }
            }
        }
        std::string rest;
        if (!pickValue(b ? &b->rest : nullptr, m.rest, t.rest, prefer, rest))
            report.conflicts.push_back(fieldConflict(id, "rest", b, m, t, index));
        if constexpr (std::is_same_v<Record, TShips>) {
            for (size_t k = 0; k < kShipRefs; ++k) {
                std::string& cell = out[refCellIndexes()[k]];
                (*refs)[k] = untoken(cell);
                cell = "0"; // the number is written once the merged tables' order is known
            }
        }
        Record r{};
        // Units keep counts and groups together, so the cells always make a record.
        if (!recordFromCells(out, rest, r, Language::ru).empty()) return prefer == Prefer::theirs ? keep(t, 2) : keep(m, 1);
        return r;
    }

    MergeConflict recordConflict(TableId id, const std::string& kept, const std::string& base, MergeSide removedBy,
                                 const std::string& objectId, size_t index) const {
        MergeConflict c{objectId, "record", base, {}, {}, true, removedBy, {}, {}, {}, index, {}, {}, false};
        (removedBy == MergeSide::mine ? c.theirs : c.mine) = kept;
        (void)id;
        return c;
    }

    template <class Record> static std::string lineOf(const Record& r) {
        std::string text;
        appendRecordLine(text, r);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }

    // What a record that a reference won back holds: MINE's, else THEIRS', else BASE's.
    template <class Record> void fillKept(TableId id, std::vector<Record>& content) {
        const Nodes& n = nodes[at(id)];
        for (size_t node = 0; node < n.nodes.size(); ++node) {
            if (!n.nodes[node].present || n.filled[node]) continue;
            for (size_t side : {size_t(1), size_t(2), size_t(0)})
                if (const Record* r = recordOf<Record>(id, node, side)) {
                    content[node] = *r;
                    break;
                }
        }
    }

    // Decides which records stay and what each holds; the content by node.
    template <class Record>
    void mergeRecords(TableId id, std::vector<Record>& content, std::vector<ShipRefs>& refs) {
        Nodes& n = nodes[at(id)];
        TableMerge& report = reports[at(id)];
        content.resize(n.nodes.size());
        n.filled.assign(n.nodes.size(), false);
        if constexpr (std::is_same_v<Record, TShips>) refs.resize(n.nodes.size());
        ShipRefs scratch{};
        for (size_t node = 0; node < n.nodes.size(); ++node) {
            Node& x = n.nodes[node];
            const Record* b = recordOf<Record>(id, node, 0);
            const Record* m = recordOf<Record>(id, node, 1);
            const Record* t = recordOf<Record>(id, node, 2);
            ShipRefs* r = std::is_same_v<Record, TShips> ? &refs[node] : &scratch;
            const auto take = [&](const Record& rec, size_t side) {
                content[node] = rec;
                n.filled[node] = true;
                if constexpr (std::is_same_v<Record, TShips>) *r = refsOf(rec, side);
            };
            if (m && t) {
                content[node] = mergeRecord(id, b, *m, *t, x.at[1], r);
                n.filled[node] = true;
                x.present = true;
            } else if (b && m) { // THEIRS removed it
                if (same(*m, 1, *b, 0)) continue;
                report.conflicts.push_back(
                    recordConflict(id, lineOf(*m), lineOf(*b), MergeSide::theirs, m->objectId, x.at[1]));
                take(*m, 1);
                x.present = prefer != Prefer::theirs;
            } else if (b && t) { // MINE removed it
                if (same(*t, 2, *b, 0)) continue;
                report.conflicts.push_back(
                    recordConflict(id, lineOf(*t), lineOf(*b), MergeSide::mine, t->objectId, x.at[2]));
                take(*t, 2);
                x.present = prefer == Prefer::theirs;
            } else if (m || t) { // added on one side
                take(m ? *m : *t, m ? 1 : 2);
                x.present = true;
            }
        }
    }

    // A present record's reference to a record that is not kept: the reference
    // wins the record back, and the person is told.
    void keepNamed(TableId id, size_t node, const TShips& ship, size_t k, const Ref& ref) {
        const RefColumn& c = kRefColumns[k];
        Nodes& target = nodes[at(c.target)];
        if (!ref.node || !target.built || target.nodes[static_cast<size_t>(ref.value)].present) return;
        target.nodes[static_cast<size_t>(ref.value)].present = true;
        const Node& x = nodes[at(id)].nodes[node];
        const size_t side = x.at[1] != kNone ? 1 : 2;
        MergeConflict m{ship.objectId, c.column, {}, {}, {}, x.at[0] != kNone, {}, {}, {}, {}, x.at[side], c.target,
                        {}, false};
        const TShips* sides3[kSides] = {recordOf<TShips>(id, node, 0), recordOf<TShips>(id, node, 1),
                                        recordOf<TShips>(id, node, 2)};
        std::string* cells[kSides] = {&m.base, &m.mine, &m.theirs};
        ShownField* shown[kSides] = {&m.baseShown, &m.mineShown, &m.theirsShown};
        for (size_t s = 0; s < kSides; ++s)
            if (sides3[s]) {
                *cells[s] = std::to_string(refField(*sides3[s], k));
                *shown[s] = showColumn(c.column, *sides3[s], id);
            }
        for (size_t s = 0; s < kSides && m.namedId.empty(); ++s)
            visitTable(*sides[s], c.target, [&](const auto& v) {
                const size_t i = target.nodes[static_cast<size_t>(ref.value)].at[s];
                if (i != kNone) m.namedId = v.records[i].objectId;
            });
        reports[at(id)].conflicts.push_back(std::move(m));
    }
};

// Views of two kinds are never the same table (clang instantiates the calls
// in the branches for mixed kinds, so both must compile).
template <class A, class B> bool sameTable(const A& a, const B& b) {
    if constexpr (!std::is_same_v<A, B>) {
        return false;
    } else {
        return a.headerValue == b.headerValue && a.file.remarks == b.file.remarks &&
               a.file.headerRest == b.file.headerRest && a.file.trailingLines == b.file.trailingLines &&
               a.file.lfOnly == b.file.lfOnly && a.file.finalLineEnd == b.file.finalLineEnd &&
               std::equal(a.records.begin(), a.records.end(), b.records.begin(), b.records.end());
    }
}

// Whether `side` holds what BASE held: the same bytes, or (for tables not read
// from a file) the same table.
template <class View> bool unchanged(const View& base, const View& side) {
    if (base.file.identity.present || side.file.identity.present) return base.file.identity == side.file.identity;
    return sameTable(base, side);
}

// Puts the merged table in place of table `id` of `s`.
template <class Record>
void putTable(GameState& s, TableId id, int32_t header, TableFile file, std::vector<Record> records) {
    visitTable(s, id, [&](auto& table) {
        if constexpr (std::is_same_v<decltype(table.records), std::vector<Record>>) {
            table.headerValue = header;
            table.count = static_cast<int32_t>(records.size());
            table.file = std::move(file);
            table.records = std::move(records);
        }
    });
}

// The tables asked for, with those they are linked to.
std::array<bool, kTableCount> chosenTables(const MergeScope& scope) {
    std::array<bool, kTableCount> chosen{};
    if (scope.tables.empty()) chosen.fill(true);
    for (TableId id : scope.tables) chosen[at(id)] = true;
    const auto link = [&](std::initializer_list<TableId> group) {
        bool any = false;
        for (TableId id : group) any = any || chosen[at(id)];
        for (TableId id : group) chosen[at(id)] = chosen[at(id)] || any;
    };
    link({TableId::ships, TableId::shields, TableId::rockets, TableId::cockpits});
    link({TableId::lasers, TableId::bullets});
    return chosen;
}

// The tables that cannot merge record by record: unreadable on a side, or a file
// missing on MINE or THEIRS. True when settled here.
template <class View>
bool settleWhole(const View& b, const View& m, const View& t, TableMerge& report, GameState& result) {
    using Record = typename decltype(b.records)::value_type;
    for (auto [side, file] : {std::pair{MergeSide::mine, &m.file}, std::pair{MergeSide::theirs, &t.file},
                              std::pair{MergeSide::base, &b.file}})
        if (keptFromSaving(*file)) {
            report.readable = false;
            report.refusedSide = side;
            return true;
        }
    if (m.file.missing && t.file.missing) {
        report.exists = false;
        return true;
    }
    if (!m.file.missing && !t.file.missing) return false;
    const bool mineGone = m.file.missing;
    if (b.file.missing) { // added on one side: that side's table
        if (mineGone) {
            putTable(result, report.table, t.headerValue, t.file, std::vector<Record>(t.records.begin(), t.records.end()));
            report.changesMine = true;
            report.wholeFile = MergeSide::theirs;
        }
        return true;
    }
    if (mineGone && sameTable(t, b)) { // removed by MINE, unchanged by THEIRS
        report.exists = false;
        return true;
    }
    if (!mineGone && sameTable(m, b)) { // removed by THEIRS, unchanged by MINE: the writer never deletes
        report.exists = true;
    }
    // The writer never deletes a table file: a removal wants the person.
    report.conflicts.push_back({{}, "file", {}, {}, {}, true, mineGone ? MergeSide::mine : MergeSide::theirs, {}, {},
                                {}, 0, {}, {}, false});
    if (mineGone) report.exists = false;
    return true;
}

// The header value and the text a file keeps besides its records, merged like fields.
template <class View>
void mergeKept(const View& b, const View& m, const View& t, Prefer prefer, TableMerge& report, int32_t& header,
               TableFile& file) {
    const bool hasBase = !b.file.missing;
    file = m.file;
    const auto kept = [&](std::string_view column, auto TableFile::*part) {
        const auto& mine = m.file.*part;
        const auto& theirs = t.file.*part;
        if (!pickValue(hasBase ? &(b.file.*part) : nullptr, mine, theirs, prefer, file.*part)) {
            MergeConflict c{{}, column, {}, {}, {}, hasBase, {}, {}, {}, {}, 0, {}, {}, false};
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
    // Line ends follow the side that changed them; no person need decide them.
    pickValue(hasBase ? &b.file.lfOnly : nullptr, m.file.lfOnly, t.file.lfOnly, Prefer::unsettled, file.lfOnly);
    pickValue(hasBase ? &b.file.finalLineEnd : nullptr, m.file.finalLineEnd, t.file.finalLineEnd, Prefer::unsettled,
              file.finalLineEnd);
    if (!pickValue(hasBase ? &b.headerValue : nullptr, m.headerValue, t.headerValue, prefer, header))
        report.conflicts.push_back({{}, "header", hasBase ? std::to_string(b.headerValue) : std::string(),
                                    std::to_string(m.headerValue), std::to_string(t.headerValue), hasBase, {}, {},
                                    {}, {}, 0, {}, {}, false});
}

// A side's lasers and bullets still pair up as BASE's did: laser i of BASE with
// bullet i, each added laser with a bullet added at its place. Else the first
// place where they do not.
std::optional<size_t> unpaired(const Nodes& lasers, const Nodes& bullets, size_t side) {
    const size_t nl = lasers.of[side].size(), nb = bullets.of[side].size();
    const int64_t baseGap = int64_t(lasers.of[0].size()) - int64_t(bullets.of[0].size());
    const size_t common = std::min(nl, nb);
    for (size_t p = 0; p < common; ++p)
        if (lasers.nodes[lasers.of[side][p]].at[0] != bullets.nodes[bullets.of[side][p]].at[0]) return p;
    if (int64_t(nl) - int64_t(nb) != baseGap) return common;
    return std::nullopt;
}

// Table `id` of `s` with its record kind (the caller knows the kind).
template <class Record> const Table<Record>& tableOf(const GameState& s, TableId id) {
    return visitTable(s, id, [](const auto& table) -> const Table<Record>& {
        if constexpr (std::is_same_v<decltype(table.records), std::vector<Record>>) return table;
        else std::abort(); // one table, one record kind
    });
}

// Puts the merged records of a table in place, with its merged header and kept
// text, and tells whether that changes MINE's and whether it is a side's file.
template <class Record>
void placeTable(const Table<Record>& b, const Table<Record>& m, const Table<Record>& th,
                std::vector<Record> records, Prefer prefer, TableMerge& report, GameState& merged) {
    Table<Record> result;
    mergeKept(b, m, th, prefer, report, result.headerValue, result.file);
    result.count = static_cast<int32_t>(records.size());
    result.records = std::move(records);
    if (sameTable(result, th) && (unchanged(b, m) || sameTable(result, m)) && !unchanged(m, th)) {
        report.wholeFile = MergeSide::theirs;
        result.file.identity = th.file.identity;
    } else if (unchanged(b, th) && sameTable(result, m)) {
        report.wholeFile = MergeSide::mine;
    }
    report.changesMine = !sameTable(result, m) || (report.wholeFile == MergeSide::theirs && !unchanged(m, th));
    if (report.changesMine)
        putTable(merged, report.table, result.headerValue, std::move(result.file), std::move(result.records));
}

// The merged records of every table, by node, while the merge makes them.
struct Contents {
    GameState tables;               // each table's records, by node
    std::vector<ShipRefs> shipRefs; // each ship's references, by node

    template <class F> void of(TableId id, F&& f) {
        visitTable(tables, id, [&](auto& table) { f(table.records); });
    }
};

// Settles the tables that merge whole and makes the nodes of the others.
void matchTables(Merge& x, const std::array<bool, kTableCount>& chosen, GameMerge& out) {
    for (const TableName& t : kTableNames) {
        if (!chosen[at(t.id)] || !x.scope.known[at(t.id)]) continue;
        TableMerge& report = out.tables[at(t.id)];
        visitTable(*x.sides[0], t.id, [&](const auto& b) {
            using View = std::decay_t<decltype(b)>;
            visitTable(*x.sides[1], t.id, [&](const auto& m) {
                visitTable(*x.sides[2], t.id, [&](const auto& th) {
                    if constexpr (std::is_same_v<View, std::decay_t<decltype(m)>> &&
                                  std::is_same_v<View, std::decay_t<decltype(th)>>) {
                        using Record = typename decltype(b.records)::value_type;
                        if (settleWhole(b, m, th, report, out.merged)) return;
                        const bool hasBase = !b.file.missing;
                        buildNodes<Record>(x.nodes[at(t.id)], hasBase ? b.records : std::span<const Record>(),
                                           m.records, th.records);
                    }
                });
            });
        });
    }
}

// Lasers and bullets move together: for each laser node its bullet's, or none
// when a side no longer pairs them (a conflict). A laser kept without its bullet,
// or a bullet without its laser, keeps both and is a conflict.
std::optional<std::vector<size_t>> pairLasersAndBullets(Merge& x, TableMerge& report) {
    Nodes& nl = x.nodes[at(TableId::lasers)];
    Nodes& nb = x.nodes[at(TableId::bullets)];
    if (!nl.built || !nb.built) return std::nullopt;
    bool paired = true;
    for (size_t side : {size_t(1), size_t(2)})
        if (const std::optional<size_t> p = unpaired(nl, nb, side)) {
            paired = false;
            MergeConflict c{{}, "pairs", {}, {}, {}, true, {}, {}, {}, {}, *p, {}, {}, false};
            if (*p < nl.of[side].size()) c.objectId = x.idOf<TLasers>(TableId::lasers, nl.of[side][*p]);
            (side == 1 ? c.mine : c.theirs) =
                std::to_string(nl.of[side].size()) + "/" + std::to_string(nb.of[side].size());
            report.conflicts.push_back(std::move(c));
        }
    if (!paired) return std::nullopt;
    std::vector<size_t> bulletOf(nl.nodes.size(), kNone);
    for (size_t side = 0; side < kSides; ++side)
        for (size_t p = 0; p < std::min(nl.of[side].size(), nb.of[side].size()); ++p)
            bulletOf[nl.of[side][p]] = nb.of[side][p];
    for (size_t l = 0; l < bulletOf.size(); ++l) {
        const size_t bn = bulletOf[l];
        if (bn == kNone || nl.nodes[l].present == nb.nodes[bn].present) continue;
        const bool laserKept = nl.nodes[l].present;
        nl.nodes[l].present = nb.nodes[bn].present = true;
        MergeConflict c{x.idOf<TLasers>(TableId::lasers, l), "pairs", {}, {}, {}, nl.nodes[l].at[0] != kNone, {}, {},
                        {}, {}, nl.nodes[l].at[1] != kNone ? nl.nodes[l].at[1] : nl.nodes[l].at[2],
                        laserKept ? TableId::bullets : TableId::lasers, {}, false};
        c.namedId = laserKept ? x.idOf<TBullets>(TableId::bullets, bn) : x.idOf<TLasers>(TableId::lasers, l);
        report.conflicts.push_back(std::move(c));
    }
    return bulletOf;
}

// The merged order of every table and each node's place in it; bullets in their
// lasers' order when they pair (bullets no laser fires last).
void orderTables(Merge& x, const std::optional<std::vector<size_t>>& bulletOf) {
    for (const TableName& t : kTableNames) {
        Nodes& n = x.nodes[at(t.id)];
        if (n.built && !(t.id == TableId::bullets && bulletOf)) n.order = mergeOrder(n);
    }
    if (bulletOf) {
        Nodes& nb = x.nodes[at(TableId::bullets)];
        std::vector<char> placed(nb.nodes.size(), 0);
        for (size_t l : x.nodes[at(TableId::lasers)].order) {
            const size_t bn = (*bulletOf)[l];
            if (bn != kNone && nb.nodes[bn].present && !placed[bn]) nb.order.push_back(bn), placed[bn] = 1;
        }
        for (size_t bn : mergeOrder(nb))
            if (!placed[bn]) nb.order.push_back(bn), placed[bn] = 1;
    }
    for (Nodes& n : x.nodes) {
        n.position.assign(n.nodes.size(), kNone);
        for (size_t p = 0; p < n.order.size(); ++p) n.position[n.order[p]] = p;
    }
}

// Each merged ship's references as the merged places of the records they name.
void writeShipRefs(const Merge& x, Contents& c) {
    for (size_t node : x.nodes[at(TableId::ships)].order)
        for (size_t k = 0; k < kShipRefs; ++k) {
            const Ref& r = c.shipRefs[node][k];
            if (!r.node) {
                *refField(c.tables.ships.records[node], k) = static_cast<int32_t>(r.value);
                continue;
            }
            const size_t place = x.nodes[at(kRefColumns[k].target)].position[static_cast<size_t>(r.value)];
            if (place != kNone) // always: a named record is kept
                *refField(c.tables.ships.records[node], k) = static_cast<int32_t>(int64_t(place) + kRefColumns[k].offset);
        }
}

} // namespace

GameMerge mergeGame(const GameState& base, const GameState& mine, const GameState& theirs, Prefer prefer,
                    const MergeScope& scope) {
    GameMerge out;
    out.merged = mine;
    const std::array<bool, kTableCount> chosen = chosenTables(scope);
    Merge x{{&base, &mine, &theirs}, prefer, scope, out.tables};
    for (const TableName& t : kTableNames) {
        TableMerge& report = out.tables[at(t.id)];
        report.table = t.id;
        report.chosen = chosen[at(t.id)] && scope.known[at(t.id)];
    }
    matchTables(x, chosen, out);

    // Record by record, ships last: their references name the others' records,
    // which a reference wins back when the other side removed them.
    Contents c;
    std::vector<ShipRefs> none;
    for (const TableName& t : kTableNames)
        if (t.id != TableId::ships && x.nodes[at(t.id)].built)
            c.of(t.id, [&](auto& content) { x.mergeRecords(t.id, content, none); });
    const Nodes& ships = x.nodes[at(TableId::ships)];
    if (ships.built) {
        x.mergeRecords(TableId::ships, c.tables.ships.records, c.shipRefs);
        for (size_t node = 0; node < ships.nodes.size(); ++node)
            if (ships.nodes[node].present)
                for (size_t k = 0; k < kShipRefs; ++k)
                    x.keepNamed(TableId::ships, node, c.tables.ships.records[node], k, c.shipRefs[node][k]);
    }
    const std::optional<std::vector<size_t>> bulletOf = pairLasersAndBullets(x, out.tables[at(TableId::lasers)]);
    for (const TableName& t : kTableNames)
        if (x.nodes[at(t.id)].built) c.of(t.id, [&](auto& content) { x.fillKept(t.id, content); });

    orderTables(x, bulletOf);
    if (ships.built) writeShipRefs(x, c);
    for (const TableName& t : kTableNames) {
        const Nodes& n = x.nodes[at(t.id)];
        if (!n.built) continue;
        c.of(t.id, [&](auto& content) {
            using Record = typename std::decay_t<decltype(content)>::value_type;
            std::vector<Record> records;
            records.reserve(n.order.size());
            for (size_t node : n.order) records.push_back(std::move(content[node]));
            placeTable(tableOf<Record>(base, t.id), tableOf<Record>(mine, t.id), tableOf<Record>(theirs, t.id),
                       std::move(records), prefer, out.tables[at(t.id)], out.merged);
        });
    }
    return out;
}

void copyTable(const GameState& from, TableId id, GameState& to) {
    visitTable(from, id, [&](const auto& v) {
        using Record = typename decltype(v.records)::value_type;
        putTable<Record>(to, id, v.headerValue, v.file, std::vector<Record>(v.records.begin(), v.records.end()));
    });
}
