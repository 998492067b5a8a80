// The lists that name a table's records: filled at start-up, and filled again
// after Save took in records another program added, removed, reordered or
// renamed, when each selector stays on the record it showed (by objectId), or
// on the entry at its place when that record is gone. And the entry a list
// names one record under, for messages.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/display_names.h"
#include "tables/editor_fields.h"
#include "tables/game_state.h"
#include "tables/ware_list.h"
#include "ui/control.h"

#include <algorithm>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// A record of a list, or of the ware list's pointers to the five files' records.
template <class Record> const Record& recordOf(const Record& r) { return r; }
template <class Record> const Record& recordOf(const Record* r) { return *r; }

template <class Record> std::string entryOf(const MainForm& f, const Record& r) {
    if constexpr (std::is_same_v<Record, TStations>)
        return listedName(f.nameLines.get(), r.nameTextId, r.objectId, r.race, f.language);
    else
        return listedName(f.nameLines.get(), r.nameTextId, r.objectId, std::nullopt, f.language);
}

// The lists naming one table's records: its group's selector, with the label
// that shows the chosen record's objectId, and a field list of the ship page
// that names the same records after entries of its own.
struct RecordLists {
    Control* selector = nullptr;
    const Control* objectIdLabel = nullptr;
    Control* alsoNaming = nullptr;
    std::span<const Text> ownEntries = {};
};

// Calls visit(records, lists) with the records of table `id` and the lists that
// name them; nothing for the tables no list names.
template <class Visit> void withRecordLists(MainForm& f, TableId id, Visit visit) {
    const GameState& game = *f.game;
    switch (id) {
    case TableId::ships: return visit(game.ships.records, RecordLists{f.shipList, f.objectIdCaption});
    case TableId::lasers:
        return visit(game.lasers.records, RecordLists{f.laser.list, f.laser.objectIdLabel});
    case TableId::shields:
        return visit(game.shields.records,
                     RecordLists{f.shield.list, f.shield.objectIdLabel, f.maxShieldTypeList});
    case TableId::rockets:
        return visit(game.rockets.records, RecordLists{f.rocket.list, f.rocket.objectIdLabel,
                                                       f.maxMissileTypeList, kFixedMissileNames});
    case TableId::stations:
        return visit(game.stations.records, RecordLists{f.station.list, f.station.objectIdLabel});
    case TableId::bullets:
    case TableId::cockpits: return; // named in no list
    default: { // a ware file: the one ware list names the records of all five
        std::vector<const TWares*> wares;
        wares.reserve(wareCount(game));
        forEachWareFile(game, [&](TableId, const Table<TWares>& t) {
            for (const TWares& w : t.records) wares.push_back(&w);
        });
        return visit(wares, RecordLists{f.ware.list, f.ware.objectIdLabel});
    }
    }
}

// Fills the lists with the records' entries, each computed once; the first
// entry of each list is chosen.
template <class Records> void fill(const MainForm& f, const Records& records, const RecordLists& lists) {
    clearItems(*lists.selector);
    if (lists.alsoNaming) {
        clearItems(*lists.alsoNaming);
        for (Text own : lists.ownEntries) addItem(*lists.alsoNaming, f.text(own));
    }
    for (const auto& r : records) {
        const std::string entry = entryOf(f, recordOf(r));
        addItem(*lists.selector, entry);
        if (lists.alsoNaming) addItem(*lists.alsoNaming, entry);
    }
}

} // namespace

void fillRecordLists(MainForm& f, TableId id) {
    withRecordLists(f, id, [&](const auto& records, const RecordLists& lists) { fill(f, records, lists); });
}

void refillRecordLists(MainForm& f, TableId id) {
    withRecordLists(f, id, [&](const auto& records, const RecordLists& lists) {
        Control& selector = *lists.selector;
        const int was = selectedIndex(selector);
        const std::string shown = controlText(*lists.objectIdLabel);
        fill(f, records, lists);
        const auto same = std::find_if(records.begin(), records.end(),
                                       [&](const auto& r) { return !shown.empty() && recordOf(r).objectId == shown; });
        const int last = static_cast<int>(records.size()) - 1;
        setSelectedIndex(selector, same != records.end() ? static_cast<int>(same - records.begin())
                                                         : std::clamp(was, std::min(0, last), last));
    });
}

std::string listedEntry(const MainForm& f, TableId id, size_t index) {
    const GameState& game = *f.game;
    // A bullet is shown in the group of the laser at its index, under that laser's entry.
    if (id == TableId::bullets)
        return index < game.lasers.records.size() ? entryOf(f, game.lasers.records[index]) : std::string();
    return visitTable(game, id, [&](const auto& v) {
        using Record = typename decltype(v.records)::value_type;
        if constexpr (std::is_same_v<Record, TCockpits> || std::is_same_v<Record, TBullets>) return std::string();
        else return index < v.records.size() ? entryOf(f, v.records[index]) : std::string();
    });
}
