// The lists that name a table's records filled again, after Save took in records
// another program added, removed, reordered or renamed: each selector stays on
// the record it showed (by objectId), or on the entry at its place when that
// record is gone. And the entry a list names one record under, for messages.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/display_names.h"
#include "tables/game_state.h"
#include "tables/ware_list.h"
#include "ui/control.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

namespace {

template <class Record> std::string entryOf(const MainForm& f, const Record& r) {
    if constexpr (std::is_same_v<Record, TStations>)
        return listedName(f.nameLines.get(), r.nameTextId, r.objectId, r.race, f.language);
    else
        return listedName(f.nameLines.get(), r.nameTextId, r.objectId, std::nullopt, f.language);
}

// Fills `selector` with `records`, and `alsoNaming` too, a field list that names
// the same records after entries of its own. The selector stays on the record
// its group's objectId label still names, else on the entry at its place.
template <class Record>
void refill(const MainForm& f, Control& selector, const Control& objectIdLabel,
            const std::vector<Record>& records, Control* alsoNaming = nullptr) {
    const int was = selectedIndex(selector);
    const std::string shown = controlText(objectIdLabel);
    std::vector<std::string> ownEntries;
    if (alsoNaming)
        for (int i = 0; i < itemCount(*alsoNaming) - itemCount(selector); ++i)
            ownEntries.push_back(itemText(*alsoNaming, i));

    clearItems(selector);
    if (alsoNaming) clearItems(*alsoNaming);
    for (const std::string& entry : ownEntries) addItem(*alsoNaming, entry);
    for (const Record& r : records) {
        const std::string entry = entryOf(f, r);
        addItem(selector, entry);
        if (alsoNaming) addItem(*alsoNaming, entry);
    }
    const auto same = std::find_if(records.begin(), records.end(),
                                   [&](const Record& r) { return !shown.empty() && r.objectId == shown; });
    const int last = static_cast<int>(records.size()) - 1;
    setSelectedIndex(selector, same != records.end() ? static_cast<int>(same - records.begin())
                                                     : std::clamp(was, std::min(0, last), last));
}

} // namespace

void refillRecordLists(MainForm& f, TableId id) {
    const GameState& game = *f.game;
    switch (id) {
    case TableId::ships: return refill(f, *f.shipList, *f.objectIdCaption, game.ships.records);
    case TableId::lasers: return refill(f, *f.laser.list, *f.laser.objectIdLabel, game.lasers.records);
    case TableId::shields:
        return refill(f, *f.shield.list, *f.shield.objectIdLabel, game.shields.records, f.maxShieldTypeList);
    case TableId::rockets:
        return refill(f, *f.rocket.list, *f.rocket.objectIdLabel, game.rockets.records, f.maxMissileTypeList);
    case TableId::stations: return refill(f, *f.station.list, *f.station.objectIdLabel, game.stations.records);
    case TableId::bullets:
    case TableId::cockpits: return; // named in no list
    default: {
        std::vector<TWares> wares; // the ware list's records, in its order
        forEachWareFile(game, [&](TableId, const Table<TWares>& t) {
            wares.insert(wares.end(), t.records.begin(), t.records.end());
        });
        return refill(f, *f.ware.list, *f.ware.objectIdLabel, wares);
    }
    }
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
