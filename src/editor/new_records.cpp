// New records and names from the window: the same edits orvex-cli add and
// rename make (objects/new_objects.h), on the window's tables and name page,
// then shown: the lists filled again and the new or renamed record chosen.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/name_page.h"
#include "objects/new_objects.h"
#include "tables/game_state.h"
#include "tables/ware_list.h"
#include "text/cp1251.h"
#include "ui/control.h"

namespace {

// The selector of table `id` and how to show its choice.
struct Chooser {
    Control* list;
    void (*show)(MainForm&);
};
Chooser chooserOf(MainForm& f, TableId id) {
    switch (id) {
    case TableId::ships: return {f.shipList, showShip};
    case TableId::lasers: return {f.laser.list, showLaser};
    case TableId::shields: return {f.shield.list, showShield};
    case TableId::rockets: return {f.rocket.list, showRocket};
    case TableId::stations: return {f.station.list, showStation};
    default: return {f.ware.list, showWare};
    }
}

// The entry of record `index` of table `id` in its list: for a ware, after the
// wares of the files before its own.
int entryOf(const MainForm& f, TableId id, size_t index) {
    size_t before = 0;
    if (id >= TableId::wareB)
        forEachWareFile(*f.game, [&](TableId t, const Table<TWares>& table) {
            if (t < id) before += table.records.size();
        });
    return static_cast<int>(before + index);
}

// After an edit: the page's names read again, the lists naming the table filled
// again with the record chosen and shown, and the title's "*".
void showEdited(MainForm& f, TableId id, size_t index) {
    readNamePage(*f.nameLines, f.page.bytes);
    refillRecordLists(f, id);
    chooseEntry(f, id, entryOf(f, id, index));
    markChanged(f, true);
}

} // namespace

bool within(const Control* c, const Control* ancestor) {
    for (; c != nullptr; c = c->parent)
        if (c == ancestor) return true;
    return false;
}

void chooseEntry(MainForm& f, TableId id, int entry) {
    const Chooser chooser = chooserOf(f, id);
    setSelectedIndex(*chooser.list, entry);
    chooser.show(f);
}

std::optional<std::pair<TableId, size_t>> recordOfGroup(const MainForm& f, const Control& control) {
    const auto record = [](TableId id, int32_t index, size_t count) -> std::optional<std::pair<TableId, size_t>> {
        if (index < 0 || static_cast<size_t>(index) >= count) return std::nullopt;
        return std::pair{id, static_cast<size_t>(index)};
    };
    const GameState& g = *f.game;
    const Selection& s = f.selection;
    if (within(&control, &tabPage(*f.tabs, 0))) return record(TableId::ships, s.ship, g.ships.records.size());
    if (within(&control, f.laser.box)) return record(TableId::lasers, s.laser, g.lasers.records.size());
    if (within(&control, f.shield.box)) return record(TableId::shields, s.shield, g.shields.records.size());
    if (within(&control, f.rocket.box)) return record(TableId::rockets, s.rocket, g.rockets.records.size());
    if (within(&control, f.station.box)) return record(TableId::stations, s.station, g.stations.records.size());
    if (within(&control, f.ware.box)) {
        const std::optional<WarePlace> place = warePlace(g, s.ware);
        if (place) return std::pair{place->table, place->index};
    }
    return std::nullopt;
}

std::string proposedCopyId(const MainForm& f, TableId id, size_t source) { return proposedId(*f.game, id, source); }

std::string proposedCopyName(const MainForm& f, TableId id, size_t source) {
    return proposedName(*f.game, f.nameLines.get(), id, source);
}

std::string duplicateRecord(MainForm& f, TableId id, size_t source, std::string_view objectId, std::string_view name) {
    const ObjectEdit edit = addObject(*f.game, f.page.bytes, id, source, objectId, cp1251::toUtf8(name));
    if (!edit.ok()) return objectFaultText(edit, id, f.language);
    showEdited(f, id, edit.index);
    return {};
}

std::string renameRecord(MainForm& f, TableId id, size_t index, std::string_view name) {
    const ObjectEdit edit = renameObject(*f.game, f.page.bytes, id, index, cp1251::toUtf8(name));
    if (!edit.ok()) return objectFaultText(edit, id, f.language);
    showEdited(f, id, index);
    return {};
}
