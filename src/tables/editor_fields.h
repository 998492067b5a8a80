#pragma once
// The inputs of the editor, each described once: its label and unit in both
// languages, the table column it edits and how the value it shows comes from the
// stored one. The editor's display and its input handlers go through these
// descriptions, and a report of changes in the editor's words reads the same
// ones, so the two cannot disagree.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "tables/columns.h"
#include "tables/records.h"
#include "tables/typed_input.h"
#include "text/convert.h"
#include "text/texts.h"

enum class Shown {
    number,      // as stored
    speed,       // stored ÷ 222 in whole m/s; typed m/s × 222 (saturated at 32 bits)
    percent,     // stored fraction × 100; typed percent ÷ 100 (a decimal input)
    flightRange, // flightTime × projectileSpeed ÷ 222000, whole metres; typed metres
                 // × 1000 × 222 ÷ the stored projectileSpeed, kept when that is 0
    shieldPower, // as stored; typing also sets powerTenth to a tenth of it
    // Lists: the stored value less the list's lowest value (listedValues) is the
    // index of the entry shown.
    containerEntry, // kContainerTypeNames
    shieldEntry,    // the shields' names, in table order
    missileEntry,   // kFixedMissileNames, then the missiles' names
    percentEntry,   // "0" to "100"
    countEntry,     // "1" to "20"; a choice stores its number
};

// The container and bay type entries, numbered 0 to 5.
inline constexpr std::string_view kContainerTypeNames[6] = {"SM", "S", "M", "L", "XL", "ST"};

// The missile list's fixed entries, before the missiles of the table.
inline constexpr Text kFixedMissileNames[8] = {
    Text::missileMosquito, Text::missileWasp,   Text::missileDragonfly, Text::missileSilkworm,
    Text::missileHornet,   Text::missileSting,  Text::missileNeedle,    Text::missileThorn};

// The stored values a list offers, lowest first: the lists of numbers and of
// container types. Empty (high below low) for the lists of names, which the
// tables fill.
struct ListedValues {
    int32_t low = 0;
    int32_t high = -1;
};
constexpr ListedValues listedValues(Shown shown) {
    switch (shown) {
    case Shown::containerEntry: return {0, static_cast<int32_t>(std::size(kContainerTypeNames)) - 1};
    case Shown::percentEntry: return {0, 100};
    case Shown::countEntry: return {1, 20};
    default: return {};
    }
}

// The text of the entry for stored value `value` of a list listedValues gives:
// the container type's name or the number; empty outside the list.
std::string listedText(Shown shown, int64_t value);

template <class Record> struct FieldOf {
    Text label;
    std::optional<Text> unit;
    Shown shown;
    int32_t Record::*integer = nullptr; // the stored field: one of the two
    double Record::*real = nullptr;
    // The unit is squared (m/s²): the window raises a small "2" beside it, a
    // report writes "²" (Windows-1251 has no such letter).
    bool unitSquared = false;
};

// Finds the column whose field lives at `member` of one record.
struct MemberColumnFinder {
    const void* member;
    std::string_view found;
    void check(std::string_view name, const void* value) {
        if (found.empty() && value == member) found = name;
    }
    void operator()(std::string_view name, const int32_t& v) { check(name, &v); }
    void operator()(std::string_view name, const double& v) { check(name, &v); }
    void operator()(std::string_view, const std::string&) {}
    void manoeuvrability(std::string_view name, const double& v) { check(name, &v); }
    template <class Entry>
    std::span<const Entry> group(std::string_view name, const int32_t& count,
                                 const std::vector<Entry>&) {
        check(name, &count);
        return {};
    }
};

// The column the field edits: the one of its record kind's column list
// (columns.h) whose member it points to; empty when its member is none of them.
template <class Record> std::string_view columnOf(const FieldOf<Record>& field) {
    static const Record record{};
    MemberColumnFinder finder{field.integer ? static_cast<const void*>(&(record.*field.integer))
                                : field.real ? static_cast<const void*>(&(record.*field.real))
                                             : nullptr,
                  {}};
    if (finder.member) forEachColumn(record, finder);
    return finder.found;
}

inline bool isListField(Shown shown) { return shown >= Shown::containerEntry; }

// The scales between what an input shows and what the table stores.
inline constexpr int32_t kSpeedFactor = 222;
inline constexpr int32_t kMillisecondsPerSecond = 1000;
inline constexpr double kRangeDivisor = 222000.0; // ms × (m/s × 222) → m
inline constexpr int32_t kShieldPowerDivisor = 10;
inline constexpr int32_t kPercent = 100;

// A whole number's text: intToText within 32 bits, all its digits beyond.
std::string numberText(int64_t value);

// The text the input shows for the record (for number-like fields).
template <class Record> std::string shownText(const FieldOf<Record>& field, const Record& r) {
    if (field.real) return realToText(r.*field.real * kPercent); // the one real kind: percent
    const int32_t stored = r.*field.integer;
    switch (field.shown) {
    case Shown::speed: return numberText(stored / kSpeedFactor);
    case Shown::flightRange:
        if constexpr (requires { r.projectileSpeed; }) {
            // The exact product passes 32 bits from about 9673 m on.
            const int64_t product = int64_t(stored) * int64_t(r.projectileSpeed);
            return numberText(static_cast<int64_t>(std::trunc(static_cast<double>(product) / kRangeDivisor)));
        }
        break;
    default: break;
    }
    return numberText(stored);
}

// The list entry the input shows for the record; it may lie outside the list.
template <class Record> int64_t shownEntry(const FieldOf<Record>& field, const Record& r) {
    return int64_t(r.*field.integer) - listedValues(field.shown).low;
}

// The text of the entry a list input shows for the record when the core knows the
// list (containers, counts, percentages); empty for an entry outside the list and
// for the lists of names, which the name page gives.
template <class Record> std::string shownEntryText(const FieldOf<Record>& field, const Record& r) {
    return listedText(field.shown, r.*field.integer);
}

// Stores what the user typed.
template <class Record> void storeTyped(const FieldOf<Record>& field, Record& r, std::string_view typed) {
    if (field.real) {
        r.*field.real = textToReal(typed) / kPercent;
        return;
    }
    int32_t& stored = r.*field.integer;
    switch (field.shown) {
    case Shown::speed: stored = typedScaledInt(typed, kSpeedFactor); break;
    case Shown::flightRange:
        // range × 1000 × 222 / the stored speed: for a speed typed in whole m/s
        // exactly range × 1000 / that speed. Kept when the speed is 0.
        if constexpr (requires { r.projectileSpeed; }) {
            const int32_t range = typedScaledInt(typed, kMillisecondsPerSecond);
            if (r.projectileSpeed == 0) return;
            const double scaled = static_cast<double>(range) * kSpeedFactor; // exact: below 2^53
            const double time = std::trunc(scaled / r.projectileSpeed);
            stored = static_cast<int32_t>(std::clamp<double>(time, INT32_MIN, INT32_MAX));
        }
        break;
    case Shown::shieldPower:
        stored = typedInt(typed);
        if constexpr (requires { r.powerTenth; }) r.powerTenth = stored / kShieldPowerDivisor;
        break;
    default: stored = typedInt(typed); break;
    }
}

// Stores the user's choice of entry `index` whose text is `entryText`.
template <class Record>
void storeEntry(const FieldOf<Record>& field, Record& r, int index, std::string_view entryText) {
    r.*field.integer = field.shown == Shown::countEntry ? textToInt(entryText) : index;
}

// The groups' inputs, in the order the window creates them (their tab order).
inline constexpr FieldOf<TShips> kShipFields[] = {
    {Text::largestShield, {}, Shown::shieldEntry, &TShips::maxShieldType},
    {Text::shieldCount, {}, Shown::countEntry, &TShips::maxShieldCount},
    {Text::largestMissile, {}, Shown::missileEntry, &TShips::maxMissileType},
    {Text::missileCount, {}, Shown::countEntry, &TShips::maxMissileCount},
    {Text::initialSpeed, Text::unitMetresPerSecond, Shown::speed, &TShips::speed},
    {Text::speedUpgrades, {}, Shown::number, &TShips::speedUpgrades},
    {Text::manoeuvrabilityX, Text::unitPercent, Shown::percent, nullptr,
     &TShips::manoeuvrabilityX},
    {Text::manoeuvrabilityY, Text::unitPercent, Shown::percent, nullptr,
     &TShips::manoeuvrabilityY},
    {Text::manoeuvrabilityRotation, Text::unitPercent, Shown::percent,
     nullptr, &TShips::manoeuvrabilityRotation},
    {Text::manoeuvrabilityUpgrades, {}, Shown::number,
     &TShips::manoeuvrabilityUpgrades},
    {Text::hull, {}, Shown::number, &TShips::hullStrength},
    {Text::acceleration, Text::unitMetresPerSecond, Shown::speed, &TShips::acceleration,
     nullptr, true},
    {Text::minCargoBay, Text::unitUnits, Shown::number, &TShips::minCargoSize},
    {Text::maxCargoBay, Text::unitUnits, Shown::number, &TShips::maxCargoSize},
    {Text::cargoBayType, {}, Shown::containerEntry, &TShips::cargoBayType},
    {Text::hangarCapacity, {}, Shown::number, &TShips::hangarCapacity},
    {Text::generatorPower, Text::unitMegawatts, Shown::number, &TShips::generatorPower},
    {Text::priceCoefficient, {}, Shown::number, &TShips::priceCoefficient},
};

inline constexpr FieldOf<TLasers> kLaserFields[] = {
    {Text::volume, Text::unitUnits, Shown::number, &TLasers::volume},
    {Text::containerType, {}, Shown::containerEntry, &TLasers::containerType},
    {Text::fireDelay, {}, Shown::number, &TLasers::fireDelay},
    {Text::laserPower, {}, Shown::number, &TLasers::laserPower},
    {Text::priceCoefficient, {}, Shown::number, &TLasers::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, Shown::percentEntry,
     &TLasers::averagePriceChange},
};

// The projectile rows of the laser group: the bullet record at the laser's index.
inline constexpr FieldOf<TBullets> kBulletFields[] = {
    {Text::shotEnergy, {}, Shown::number, &TBullets::shotEnergy},
    {Text::shieldDamage, {}, Shown::number, &TBullets::shieldDamage},
    {Text::hullDamage, {}, Shown::number, &TBullets::hullDamage},
    {Text::projectileSpeed, Text::unitMetresPerSecond, Shown::speed,
     &TBullets::projectileSpeed},
    {Text::firingRange, Text::unitMetres, Shown::flightRange, &TBullets::flightTime},
};

inline constexpr FieldOf<TShields> kShieldFields[] = {
    {Text::volume, Text::unitUnits, Shown::number, &TShields::volume},
    {Text::containerType, {}, Shown::containerEntry, &TShields::containerType},
    {Text::shieldPower, {}, Shown::shieldPower, &TShields::shieldPower},
    {Text::priceCoefficient, {}, Shown::number, &TShields::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, Shown::percentEntry,
     &TShields::averagePriceChange},
};

inline constexpr FieldOf<TRockets> kRocketFields[] = {
    {Text::volume, Text::unitUnits, Shown::number, &TRockets::volume},
    {Text::containerType, {}, Shown::containerEntry, &TRockets::containerType},
    {Text::missileSpeed, Text::unitMetresPerSecond, Shown::speed, &TRockets::missileSpeed},
    {Text::shieldDamage, {}, Shown::number, &TRockets::shieldDamage},
    {Text::priceCoefficient, {}, Shown::number, &TRockets::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, Shown::percentEntry,
     &TRockets::averagePriceChange},
};

inline constexpr FieldOf<TStations> kStationFields[] = {
    {Text::volume, {}, Shown::number, &TStations::volume},
    {Text::containerType, {}, Shown::containerEntry, &TStations::containerType},
    {Text::priceCoefficient, {}, Shown::number, &TStations::priceCoefficient},
};

inline constexpr FieldOf<TWares> kWareFields[] = {
    {Text::volume, {}, Shown::number, &TWares::volume},
    {Text::containerType, {}, Shown::containerEntry, &TWares::containerType},
    {Text::priceCoefficient, {}, Shown::number, &TWares::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, Shown::percentEntry,
     &TWares::averagePriceChange},
};

// The inputs the editor shows for a record kind (none for cockpits).
template <class Record> std::span<const FieldOf<Record>> editorFields() {
    if constexpr (std::is_same_v<Record, TShips>) return kShipFields;
    else if constexpr (std::is_same_v<Record, TLasers>) return kLaserFields;
    else if constexpr (std::is_same_v<Record, TBullets>) return kBulletFields;
    else if constexpr (std::is_same_v<Record, TShields>) return kShieldFields;
    else if constexpr (std::is_same_v<Record, TRockets>) return kRocketFields;
    else if constexpr (std::is_same_v<Record, TStations>) return kStationFields;
    else if constexpr (std::is_same_v<Record, TWares>) return kWareFields;
    else return {};
}

// The column of each of editorFields<Record>(), in their order, found once.
template <class Record> std::span<const std::string_view> editorColumns() {
    static const std::vector<std::string_view> columns = [] {
        std::vector<std::string_view> names;
        for (const FieldOf<Record>& input : editorFields<Record>()) names.push_back(columnOf(input));
        return names;
    }();
    return columns;
}
