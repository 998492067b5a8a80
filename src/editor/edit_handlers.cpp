// The input handlers: each converts the whole current text (or the chosen entry)
// from the shown unit to the stored one, as the field's description says, and
// writes it into the shown record.
// While a show operation fills the controls (MainForm::showing) they store
// nothing, so a record that is only looked at keeps its values exactly.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/editor_fields.h"
#include "tables/game_state.h"
#include "tables/typed_input.h"
#include "tables/ware_list.h"
#include "text/format.h"
#include "ui/control.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

MainForm& formOf(void* context) { return *static_cast<MainForm*>(context); }

template <class Table> auto* recordAt(Table& table, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[index] : nullptr;
}

// Stores the input `c` (a group's input; its tag is its index among `fields`)
// into the record, converting from the shown unit by its description, then
// refreshes the group's price label that the field feeds. A list stores only a
// chosen entry; while a show operation fills the inputs nothing is stored.
template <class Record, size_t N>
void storeInput(MainForm& f, Control& c, const FieldOf<Record> (&fields)[N], Record* r,
                PriceGroup group) {
    const int i = tag(c);
    if (f.showing || !r || i < 0 || static_cast<size_t>(i) >= N) return;
    const FieldOf<Record>& d = fields[static_cast<size_t>(i)];
    const Record before = *r;
    if (isListField(d.shown)) {
        const int index = selectedIndex(c);
        if (index < 0) return;
        storeEntry(d, *r, index, itemText(c, index));
    } else {
        storeTyped(d, *r, controlText(c));
    }
    // Typing a value back to what it was is no change.
    if (!(*r == before)) markChanged(f, true);
    // A new coefficient makes both price texts; ships and stations have no range.
    if constexpr (requires { r->priceCoefficient; })
        if (d.integer == &Record::priceCoefficient) refreshPrices(f, group);
    if constexpr (requires { r->averagePriceChange; })
        if (d.integer == &Record::averagePriceChange) refreshPriceRange(f, group);
}

} // namespace

void onShipSelected(void* context, Control&) { showShip(formOf(context)); }
void onTurretSelected(void* context, Control&) { showTurret(formOf(context)); }
void onLaserSelected(void* context, Control&) { showLaser(formOf(context)); }
void onShieldSelected(void* context, Control&) { showShield(formOf(context)); }
void onRocketSelected(void* context, Control&) { showRocket(formOf(context)); }
void onStationSelected(void* context, Control&) { showStation(formOf(context)); }
void onWareSelected(void* context, Control&) { showWare(formOf(context)); }

void onShipFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    storeInput(f, c, kShipFields, recordAt(f.game->ships.records, f.selection.ship),
               PriceGroup::Ships);
}

int32_t collectWeaponMask(const MainForm& f) {
    uint32_t mask = 0;
    for (const Control* box : f.weaponBoxes)
        if (isChecked(*box)) mask |= 1u << tag(*box);
    return static_cast<int32_t>(mask);
}

void storeWeaponMask(MainForm& f) {
    int32_t* target = chosenWeaponMask(f);
    if (!target) return;
    // Bits 24 to 31 have no box: they keep what the table holds.
    const uint32_t kept = static_cast<uint32_t>(*target) & 0xFF000000u;
    const int32_t mask = static_cast<int32_t>(kept | static_cast<uint32_t>(collectWeaponMask(f)));
    if (mask != *target) markChanged(f, true);
    *target = mask;
}

void onWeaponBoxClicked(void* context, Control&) {
    MainForm& f = formOf(context);
    if (!f.showing) storeWeaponMask(f);
}

void onLaserFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    storeInput(f, c, kLaserFields, recordAt(f.game->lasers.records, f.selection.laser),
               PriceGroup::Lasers);
}

// The projectile rows store into the bullet record at the laser's position, when
// the laser has one.
void onBulletFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    GameState& game = *f.game;
    const int32_t laser = f.selection.laser;
    TBullets* b = recordAt(game.lasers.records, laser) ? recordAt(game.bullets.records, laser) : nullptr;
    storeInput(f, c, kBulletFields, b, PriceGroup::Lasers);
    // The same flight time reaches another range at the new speed.
    if (b && !f.showing && &c == f.projectileSpeed) showFiringRange(f, *b);
}

void onShieldFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    storeInput(f, c, kShieldFields, recordAt(f.game->shields.records, f.selection.shield),
               PriceGroup::Shields);
}

void onRocketFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    storeInput(f, c, kRocketFields, recordAt(f.game->rockets.records, f.selection.rocket),
               PriceGroup::Rockets);
}

void onStationFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    storeInput(f, c, kStationFields, recordAt(f.game->stations.records, f.selection.station),
               PriceGroup::Stations);
}

void onWareFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    storeInput(f, c, kWareFields, wareAt(*f.game, f.selection.ware),
               PriceGroup::Wares);
}

namespace {

// What `box` takes of `inserted` in place of its selection, by the number boxes'
// one rule; when the rule refuses it, nothing, and the box's tip says why.
std::string numberTaken(MainForm& f, Control& box, std::string_view inserted, bool decimal) {
    const TextRange chosen = selection(box);
    const std::optional<std::string> taken =
        numberInput(controlText(box), static_cast<size_t>(std::max(chosen.start, 0)),
                    static_cast<size_t>(std::max(chosen.end, 0)), inserted, decimal);
    if (taken) return *taken;
    showInputTip(box, f.text(Text::inputRefused),
                 f.text(decimal ? Text::inputDigitsAndPoint : Text::inputDigits));
    return {};
}

void filterNumberKey(MainForm& f, Control& box, char& ch, bool decimal) {
    const auto code = static_cast<unsigned char>(ch);
    if (code < 0x20 || code == 0x7F) {
        // The editing keys arrive as control characters: Ctrl+A, C, V, X, Z and
        // backspace. Others (Enter, Esc, Ctrl+Backspace) have nothing to do here.
        const bool editingKey = ch == 1 || ch == 3 || ch == 8 || ch == 0x16 || ch == 0x18 || ch == 0x1A;
        if (!editingKey) ch = 0;
        return;
    }
    const std::string taken = numberTaken(f, box, std::string_view(&ch, 1), decimal);
    ch = taken.empty() ? '\0' : taken[0];
}

// Calls show(field, record) for the input c of a group whose record is shown;
// false when c is none of them.
template <class Record, size_t N, class Show>
bool withField(const std::vector<Control*>& inputs, const Control& c,
               const FieldOf<Record> (&fields)[N], const Record* r, Show show) {
    for (size_t i = 0; i < inputs.size() && i < N; ++i)
        if (inputs[i] == &c) {
            if (r) show(fields[i], *r);
            return true;
        }
    return false;
}

} // namespace

void digitsKeyFilter(void* context, Control& box, char& ch, unsigned) {
    filterNumberKey(formOf(context), box, ch, false);
}

void decimalKeyFilter(void* context, Control& box, char& ch, unsigned) {
    filterNumberKey(formOf(context), box, ch, true);
}

void digitsPasteFilter(void* context, Control& box, std::string& text) {
    text = numberTaken(formOf(context), box, text, false);
}

void decimalPasteFilter(void* context, Control& box, std::string& text) {
    text = numberTaken(formOf(context), box, text, true);
}

void onNumberBoxLeft(void* context, Control& box) {
    MainForm& f = formOf(context);
    if (f.showing) return; // the show operation puts in every text itself
    GameState& g = *f.game;
    auto show = [&](const auto& field, const auto& record) {
        const std::string stored = shownText(field, record);
        const std::string typed = controlText(box);
        if (typed == stored) return;
        // A number the table cannot hold is told before the box shows the limit
        // (a range is stored as a time, which rounds: never beyond).
        if (!field.real && field.shown != Shown::flightRange && typedBeyond(typed, stored)) {
            const std::string limit = field.unit ? stored + " " + std::string(f.text(*field.unit)) : stored;
            showInputTip(box, f.text(Text::inputLimitTitle), formatText(f.text(Text::inputLimit), {limit}));
        }
        ++f.showing;
        setControlText(box, stored);
        --f.showing;
    };
    const Selection& at = f.selection;
    const TLasers* laser = recordAt(g.lasers.records, at.laser);
    withField(f.shipFields, box, kShipFields, recordAt(g.ships.records, at.ship), show) ||
        withField(f.laser.fields, box, kLaserFields, laser, show) ||
        withField(f.bulletFields, box, kBulletFields, laser ? recordAt(g.bullets.records, at.laser) : nullptr, show) ||
        withField(f.shield.fields, box, kShieldFields, recordAt(g.shields.records, at.shield), show) ||
        withField(f.rocket.fields, box, kRocketFields, recordAt(g.rockets.records, at.rocket), show) ||
        withField(f.station.fields, box, kStationFields, recordAt(g.stations.records, at.station), show) ||
        withField(f.ware.fields, box, kWareFields, wareAt(g, at.ware), show);
}
