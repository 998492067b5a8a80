// Showing the chosen record of each group: values converted to the units a
// player knows. Showing never changes a record; the change events that setting
// the texts raises are told apart through MainForm::showing.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/editor_fields.h"
#include "tables/game_state.h"
#include "tables/ship_turrets.h"
#include "tables/ware_list.h"
#include "text/format.h"
#include "ui/control.h"

#include <optional>
#include <string>

namespace {

struct ShowingGuard {
    MainForm& form;
    explicit ShowingGuard(MainForm& f) : form(f) { ++form.showing; }
    ~ShowingGuard() { --form.showing; }
};

// Chooses the entry; a value outside the list leaves no entry chosen.
void selectEntry(Control& list, int64_t index) {
    const bool inside = index >= 0 && index < itemCount(list);
    setSelectedIndex(list, inside ? static_cast<int>(index) : -1);
}

void setInputsEnabled(const std::vector<Control*>& inputs, bool on) {
    for (Control* c : inputs) setEnabled(*c, on);
}

void clearInputs(const std::vector<Control*>& inputs) {
    for (Control* c : inputs) {
        if (c->kind == ControlKind::List) setSelectedIndex(*c, -1);
        else setControlText(*c, "");
    }
}

// The chosen index of a selector when it names a record of a table of size n, else -1.
int32_t chosenRecord(Control& list, size_t n) {
    const int index = selectedIndex(list);
    return index >= 0 && static_cast<size_t>(index) < n ? index : -1;
}

// A group without a record to show: empty fields, no input accepted.
void showNoRecord(RecordGroup& g) {
    setControlText(*g.objectIdLabel, "");
    clearInputs(g.inputs);
    setInputsEnabled(g.inputs, false);
    if (g.averagePriceLabel) setControlText(*g.averagePriceLabel, "");
    if (g.priceRangeLabel) setControlText(*g.priceRangeLabel, "");
}

// Every input of a group from the record, each in its shown unit.
template <class Record, size_t N>
void showFields(const std::vector<Control*>& inputs, const FieldOf<Record> (&fields)[N],
                const Record& r) {
    for (size_t i = 0; i < N && i < inputs.size(); ++i) {
        if (isListField(fields[i].shown)) selectEntry(*inputs[i], shownEntry(fields[i], r));
        else setControlText(*inputs[i], shownText(fields[i], r));
    }
}

// A record group's inputs and objectId from its record, then its price labels.
template <class Record, size_t N>
void showGroup(MainForm& f, RecordGroup& g, const FieldOf<Record> (&fields)[N],
               const Record& r, PriceGroup group) {
    setInputsEnabled(g.inputs, true);
    setControlText(*g.objectIdLabel, r.objectId);
    showFields(g.fields, fields, r);
    refreshPriceEstimate(f, group);
    if (g.priceRangeLabel) refreshPriceRange(f, group);
}

std::string_view sideName(const MainForm& f, int32_t position) {
    static constexpr Text names[7] = {Text::sideMain,  Text::sideFront, Text::sideRear,
                                      Text::sideLeft,  Text::sideRight, Text::sideTop,
                                      Text::sideBottom};
    return position >= 0 && position < 7 ? f.text(names[position]) : std::string_view();
}

// The turret list of a ship: the main position when it has guns, then every
// further turret with guns that has a mount (turrets 1 to 6).
void fillTurretList(MainForm& f, const TShips& s) {
    f.turretOfEntry.clear();
    if (s.turrets.empty()) {
        f.selection.mainTurretListed = 0;
        return;
    }
    if (s.turrets[0].gunCount > 0) {
        addItem(*f.turretList, formatText("%s (%d)", {sideName(f, 0), s.turrets[0].gunCount}));
        f.turretOfEntry.push_back(0);
        f.selection.mainTurretListed = 1;
    } else {
        f.selection.mainTurretListed = 0;
    }
    const size_t mounted = std::min<size_t>(s.turrets.size(), 7);
    for (size_t t = 1; t < mounted; ++t) {
        if (s.turrets[t].gunCount <= 0) continue;
        const TTurretMount& mount = s.turretMounts[t - 1];
        addItem(*f.turretList,
                formatText("%s (%d)", {sideName(f, mount.position), s.turrets[t].gunCount}));
        f.turretOfEntry.push_back(static_cast<int>(t));
    }
}

} // namespace

// Where the weapon mask of the chosen turret entry lives, or nullptr when the
// entry names no turret or its mount names no cockpit.
int32_t* chosenWeaponMask(MainForm& f) {
    GameState& game = *f.game;
    const Selection& at = f.selection;
    if (at.ship < 0 || static_cast<size_t>(at.ship) >= game.ships.records.size()) return nullptr;
    if (at.turret < 0 || static_cast<size_t>(at.turret) >= f.turretOfEntry.size()) return nullptr;
    TShips& s = game.ships.records[at.ship];
    const int t = f.turretOfEntry[at.turret];
    if (t == 0) return &s.mainWeaponMask;
    if (t < 1 || t > 6) return nullptr;
    const int32_t cockpit = s.turretMounts[t - 1].cockpitIndex;
    if (cockpit < 0 || static_cast<size_t>(cockpit) >= game.cockpits.records.size()) return nullptr;
    return &game.cockpits.records[cockpit].weaponMask;
}

void setTurretSectionEnabled(MainForm& f, bool on) {
    clearItems(*f.turretList);
    f.turretOfEntry.clear();
    setEnabled(*f.turretList, on);
    setEnabled(*f.turretLabel, on);
    for (Control* box : f.weaponBoxes) setEnabled(*box, on);
    setColour(*f.turretList, on ? kColourWindow : kColourFace);
}

void showWeaponMask(MainForm& f, int32_t mask) {
    const uint32_t bits = static_cast<uint32_t>(mask);
    for (Control* box : f.weaponBoxes) setChecked(*box, (bits >> tag(*box)) & 1u);
}

void showTurret(MainForm& f) {
    f.selection.turret = selectedIndex(*f.turretList);
    const int32_t* mask = chosenWeaponMask(f);
    showWeaponMask(f, mask ? *mask : 0);
    // The boxes edit the cockpit's mask: say so when other ships mount that cockpit too.
    const Selection& at = f.selection;
    const auto& ships = f.game->ships.records;
    std::optional<int32_t> cockpit;
    if (at.ship >= 0 && static_cast<size_t>(at.ship) < ships.size() && at.turret >= 0 &&
        static_cast<size_t>(at.turret) < f.turretOfEntry.size())
        cockpit = turretCockpit(ships[at.ship], static_cast<size_t>(f.turretOfEntry[at.turret]));
    const int users = cockpit ? shipsUsingCockpit(ships, *cockpit) : 0;
    const bool one = users % 10 == 1 && users % 100 != 11;
    setControlText(*f.turretShared,
                   users > 1 ? formatText(f.text(one ? Text::cockpitSharedOne : Text::cockpitShared), {users}) : "");
}

void showShip(MainForm& f) {
    ShowingGuard guard(f);
    GameState& game = *f.game;
    f.selection.ship = chosenRecord(*f.shipList, game.ships.records.size());
    if (f.selection.ship < 0) {
        setControlText(*f.objectIdCaption, "");
        clearInputs(f.shipInputs);
        setInputsEnabled(f.shipInputs, false);
        setTurretSectionEnabled(f, false);
        setControlText(*f.shipPriceLabel, "");
        showTurret(f);
        return;
    }
    setInputsEnabled(f.shipInputs, true);
    const TShips& s = game.ships.records[f.selection.ship];
    setControlText(*f.objectIdCaption, s.objectId);
    if (s.itemCount == 0 && s.turretCount == 0) {
        setTurretSectionEnabled(f, false);
    } else {
        setTurretSectionEnabled(f, true);
        fillTurretList(f, s);
    }
    showFields(f.shipFields, kShipFields, s);
    refreshPriceEstimate(f, PriceGroup::Ships);
    showTurret(f);
}

void showFiringRange(MainForm& f, const TBullets& b) {
    ShowingGuard guard(f);
    for (size_t i = 0; i < std::size(kBulletFields); ++i)
        if (kBulletFields[i].shown == Shown::flightRange)
            setControlText(*f.bulletFields[i], shownText(kBulletFields[i], b));
}

void showLaser(MainForm& f) {
    ShowingGuard guard(f);
    GameState& game = *f.game;
    RecordGroup& g = f.laser;
    f.selection.laser = chosenRecord(*g.list, game.lasers.records.size());
    if (f.selection.laser < 0) {
        showNoRecord(g);
        clearInputs(f.bulletInputs);
        setInputsEnabled(f.bulletInputs, false);
        return;
    }
    const TLasers& l = game.lasers.records[f.selection.laser];
    const bool hasBullet = static_cast<size_t>(f.selection.laser) < game.bullets.records.size();
    setInputsEnabled(f.bulletInputs, hasBullet);
    if (hasBullet) showFields(f.bulletFields, kBulletFields, game.bullets.records[f.selection.laser]);
    else clearInputs(f.bulletInputs);
    showGroup(f, g, kLaserFields, l, PriceGroup::Lasers);
}

void showShield(MainForm& f) {
    ShowingGuard guard(f);
    GameState& game = *f.game;
    RecordGroup& g = f.shield;
    f.selection.shield = chosenRecord(*g.list, game.shields.records.size());
    if (f.selection.shield < 0) return showNoRecord(g);
    showGroup(f, g, kShieldFields, game.shields.records[f.selection.shield], PriceGroup::Shields);
}

void showRocket(MainForm& f) {
    ShowingGuard guard(f);
    GameState& game = *f.game;
    RecordGroup& g = f.rocket;
    f.selection.rocket = chosenRecord(*g.list, game.rockets.records.size());
    if (f.selection.rocket < 0) return showNoRecord(g);
    showGroup(f, g, kRocketFields, game.rockets.records[f.selection.rocket], PriceGroup::Rockets);
}

void showStation(MainForm& f) {
    ShowingGuard guard(f);
    GameState& game = *f.game;
    RecordGroup& g = f.station;
    f.selection.station = chosenRecord(*g.list, game.stations.records.size());
    if (f.selection.station < 0) return showNoRecord(g);
    showGroup(f, g, kStationFields, game.stations.records[f.selection.station],
              PriceGroup::Stations);
}

void showWare(MainForm& f) {
    ShowingGuard guard(f);
    GameState& game = *f.game;
    RecordGroup& g = f.ware;
    f.selection.ware = chosenRecord(*g.list, wareCount(game));
    if (f.selection.ware < 0) return showNoRecord(g);
    showGroup(f, g, kWareFields, *wareAt(game, f.selection.ware), PriceGroup::Wares);
}
