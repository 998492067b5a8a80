// The input handlers: each converts the whole current text (or the chosen entry)
// from the shown unit to the stored one and writes it into the shown record.
// While a show operation fills the controls (MainForm::showing) they store
// nothing, so a record that is only looked at keeps its values exactly.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "editor/typed_input.h"
#include "tables/game_state.h"
#include "text/convert.h"
#include "ui/control.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kSpeedFactor = 222;
constexpr int32_t kMillisecondsPerSecond = 1000;
constexpr int32_t kShieldPowerDivisor = 10;

MainForm& formOf(void* context) { return *static_cast<MainForm*>(context); }

template <class Table> auto* recordAt(Table& table, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[index] : nullptr;
}

double typedPercent(const Control& c) { return textToReal(controlText(c)) / 100; }

// The chosen entry of a list that the user has just chosen, or -1.
int chosen(const Control& list) { return selectedIndex(list); }

// Flight time from the typed range and the bullet's speed as stored (m/s × 222):
// range × 1000 × 222 / stored speed, which for a speed typed in whole m/s is
// exactly range × 1000 / typed speed. Kept when the speed is 0.
void storeFlightTime(MainForm& f, TBullets& b) {
    const int32_t range = typedScaledInt(controlText(*f.firingRange), kMillisecondsPerSecond);
    if (b.projectileSpeed == 0) return;
    const double scaled = static_cast<double>(range) * kSpeedFactor; // exact: below 2^53
    const double time = std::trunc(scaled / b.projectileSpeed);
    b.flightTime = static_cast<int32_t>(std::clamp<double>(time, INT32_MIN, INT32_MAX));
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
    TShips* s = recordAt(f.game->ships, f.game->curShip);
    if (f.showing || !s) return;
    const std::string text = controlText(c);
    if (&c == f.speed) s->speed = typedScaledInt(text, kSpeedFactor);
    else if (&c == f.speedUpgrades) s->speedUpgrades = typedInt(text);
    else if (&c == f.manoeuvrabilityX) s->manoeuvrabilityX = typedPercent(c);
    else if (&c == f.manoeuvrabilityY) s->manoeuvrabilityY = typedPercent(c);
    else if (&c == f.manoeuvrabilityRotation) s->manoeuvrabilityRotation = typedPercent(c);
    else if (&c == f.manoeuvrabilityUpgrades) s->manoeuvrabilityUpgrades = typedInt(text);
    else if (&c == f.hullStrength) s->hullStrength = typedInt(text);
    else if (&c == f.acceleration) s->acceleration = typedScaledInt(text, kSpeedFactor);
    else if (&c == f.minCargoSize) s->minCargoSize = typedInt(text);
    else if (&c == f.maxCargoSize) s->maxCargoSize = typedInt(text);
    else if (&c == f.hangarCapacity) s->hangarCapacity = typedInt(text);
    else if (&c == f.generatorPower) s->generatorPower = typedInt(text);
    else if (&c == f.shipPriceCoefficient) {
        s->priceCoefficient = typedInt(text);
        refreshPriceEstimate(f, PriceGroup::Ships);
    }
}

void onShipListChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TShips* s = recordAt(f.game->ships, f.game->curShip);
    const int index = chosen(c);
    if (f.showing || !s || index < 0) return;
    if (&c == f.maxShieldTypeList) s->maxShieldType = index;
    else if (&c == f.maxShieldCountList) s->maxShieldCount = textToInt(itemText(c, index));
    else if (&c == f.maxMissileTypeList) s->maxMissileType = index;
    else if (&c == f.maxMissileCountList) s->maxMissileCount = textToInt(itemText(c, index));
    else if (&c == f.cargoBayType) s->cargoBayType = index;
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
    *target = static_cast<int32_t>(kept | static_cast<uint32_t>(collectWeaponMask(f)));
}

void onWeaponBoxClicked(void* context, Control&) {
    MainForm& f = formOf(context);
    if (!f.showing) storeWeaponMask(f);
}

void onLaserFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    GameState& game = *f.game;
    TLasers* l = recordAt(game.lasers, game.curLaser);
    if (f.showing || !l) return;
    TBullets* b = recordAt(game.bullets, game.curLaser);
    const std::string text = controlText(c);
    if (&c == f.laser.volume) l->volume = typedInt(text);
    else if (&c == f.fireDelay) l->fireDelay = typedInt(text);
    else if (&c == f.laserPower) l->laserPower = typedInt(text);
    else if (&c == f.laser.priceCoefficient) {
        l->priceCoefficient = typedInt(text);
        refreshPrices(f, PriceGroup::Lasers);
    } else if (!b) {
        return; // no bullet record at the laser's position: nothing to store
    } else if (&c == f.shotEnergy) b->shotEnergy = typedInt(text);
    else if (&c == f.bulletShieldDamage) b->shieldDamage = typedInt(text);
    else if (&c == f.hullDamage) b->hullDamage = typedInt(text);
    else if (&c == f.projectileSpeed) {
        b->projectileSpeed = typedScaledInt(text, kSpeedFactor);
        showFiringRange(f, *b); // the same flight time reaches another range
    }
    else if (&c == f.firingRange) storeFlightTime(f, *b);
}

void onLaserListChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TLasers* l = recordAt(f.game->lasers, f.game->curLaser);
    const int index = chosen(c);
    if (f.showing || !l || index < 0) return;
    if (&c == f.laser.containerType) l->containerType = index;
    else if (&c == f.laser.averagePriceChange) {
        l->averagePriceChange = index;
        refreshPriceRange(f, PriceGroup::Lasers);
    }
}

void onShieldFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TShields* h = recordAt(f.game->shields, f.game->curShield);
    if (f.showing || !h) return;
    const std::string text = controlText(c);
    if (&c == f.shield.volume) h->volume = typedInt(text);
    else if (&c == f.shieldPower) {
        h->shieldPower = typedInt(text);
        h->powerTenth = h->shieldPower / kShieldPowerDivisor;
    } else if (&c == f.shield.priceCoefficient) {
        h->priceCoefficient = typedInt(text);
        refreshPrices(f, PriceGroup::Shields);
    }
}

void onShieldListChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TShields* h = recordAt(f.game->shields, f.game->curShield);
    const int index = chosen(c);
    if (f.showing || !h || index < 0) return;
    if (&c == f.shield.containerType) h->containerType = index;
    else if (&c == f.shield.averagePriceChange) {
        h->averagePriceChange = index;
        refreshPriceRange(f, PriceGroup::Shields);
    }
}

void onRocketFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TRockets* r = recordAt(f.game->rockets, f.game->curRocket);
    if (f.showing || !r) return;
    const std::string text = controlText(c);
    if (&c == f.rocket.volume) r->volume = typedInt(text);
    else if (&c == f.missileSpeed) r->missileSpeed = typedScaledInt(text, kSpeedFactor);
    else if (&c == f.rocketShieldDamage) r->shieldDamage = typedInt(text);
    else if (&c == f.rocket.priceCoefficient) {
        r->priceCoefficient = typedInt(text);
        refreshPrices(f, PriceGroup::Rockets);
    }
}

void onRocketListChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TRockets* r = recordAt(f.game->rockets, f.game->curRocket);
    const int index = chosen(c);
    if (f.showing || !r || index < 0) return;
    if (&c == f.rocket.containerType) r->containerType = index;
    else if (&c == f.rocket.averagePriceChange) {
        r->averagePriceChange = index;
        refreshPriceRange(f, PriceGroup::Rockets);
    }
}

void onStationFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TStations* st = recordAt(f.game->stations, f.game->curStation);
    if (f.showing || !st) return;
    const std::string text = controlText(c);
    if (&c == f.station.volume) st->volume = typedInt(text);
    else if (&c == f.station.priceCoefficient) {
        st->priceCoefficient = typedInt(text);
        refreshPriceEstimate(f, PriceGroup::Stations);
    }
}

void onStationListChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TStations* st = recordAt(f.game->stations, f.game->curStation);
    const int index = chosen(c);
    if (f.showing || !st || index < 0) return;
    if (&c == f.station.containerType) st->containerType = index;
}

void onWareFieldChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TWares* w = recordAt(f.game->wares, f.game->curWare);
    if (f.showing || !w) return;
    const std::string text = controlText(c);
    if (&c == f.ware.volume) w->volume = typedInt(text);
    else if (&c == f.ware.priceCoefficient) {
        w->priceCoefficient = typedInt(text);
        refreshPrices(f, PriceGroup::Wares);
    }
}

void onWareListChange(void* context, Control& c) {
    MainForm& f = formOf(context);
    TWares* w = recordAt(f.game->wares, f.game->curWare);
    const int index = chosen(c);
    if (f.showing || !w || index < 0) return;
    if (&c == f.ware.containerType) w->containerType = index;
    else if (&c == f.ware.averagePriceChange) {
        w->averagePriceChange = index;
        refreshPriceRange(f, PriceGroup::Wares);
    }
}

void decimalKeyFilter(void*, Control&, char& ch, unsigned) {
    // Keyboard layouts with a decimal comma type ',' on the number pad's decimal key.
    if (ch == ',') ch = '.';
    // The editing keys arrive as control characters: Ctrl+A, C, V, X, Z and backspace.
    const bool editingKey = ch == 1 || ch == 3 || ch == 8 || ch == 0x16 || ch == 0x18 || ch == 0x1A;
    const bool passes = editingKey || ch == '.' || (ch >= '0' && ch <= '9');
    if (!passes) ch = 0;
}

void digitsPasteFilter(void*, Control&, std::string& text) { text = pastedNumber(text, false); }

void decimalPasteFilter(void*, Control&, std::string& text) { text = pastedNumber(text, true); }
