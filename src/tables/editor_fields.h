#pragma once
// The inputs of the editor, each described once: its label and unit in both
// languages, the table column it edits and how the value it shows comes from the
// stored one. The editor's display and its input handlers go through these
// descriptions, and a report of changes in the editor's words reads the same
// ones, so the two cannot disagree.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tables/records.h"
#include "text/texts.h"

enum class Shown {
    number,      // as stored
    speed,       // stored ÷ 222 in whole m/s; typed m/s × 222 (saturated at 32 bits)
    percent,     // stored fraction × 100; typed percent ÷ 100 (a decimal input)
    flightRange, // flightTime × projectileSpeed ÷ 222000, whole metres; typed metres
                 // × 1000 × 222 ÷ the stored projectileSpeed, kept when that is 0
    shieldPower, // as stored; typing also sets powerTenth to a tenth of it
    // Lists: the stored value is the index of the entry shown.
    containerEntry, // "SM", "S", "M", "L", "XL", "ST"
    shieldEntry,    // the shields' names, in table order
    missileEntry,   // eight fixed missile names, then the missiles' names
    percentEntry,   // "0" to "100"
    countEntry,     // a list of "1" to "20": the entry value − 1; a choice stores its number
};

// The container and bay type entries, numbered 0 to 5.
inline constexpr std::string_view kContainerTypeNames[6] = {"SM", "S", "M", "L", "XL", "ST"};

template <class Record> struct FieldOf {
    Text label;
    std::optional<Text> unit;
    std::string_view column; // the column's name, as the table's column list has it
    Shown shown;
    int32_t Record::*integer = nullptr; // the stored field: one of the two
    double Record::*real = nullptr;
    // The unit is squared (m/s²): the window raises a small "2" beside it, a
    // report writes "²" (Windows-1251 has no such letter).
    bool unitSquared = false;
};

inline bool isListField(Shown shown) { return shown >= Shown::containerEntry; }

// The text the input shows for the record (for number-like fields).
template <class Record> std::string shownText(const FieldOf<Record>& field, const Record& r);
// The list entry the input shows for the record; it may lie outside the list.
template <class Record> int64_t shownEntry(const FieldOf<Record>& field, const Record& r);
// The text of the entry a list input shows for the record when the core knows the
// list (containers, counts, percentages); empty for an entry outside the list and
// for the lists of names, which the name page gives.
template <class Record> std::string shownEntryText(const FieldOf<Record>& field, const Record& r);
// Stores what the user typed.
template <class Record>
void storeTyped(const FieldOf<Record>& field, Record& r, std::string_view typed);
// Stores the user's choice of entry `index` whose text is `entryText`.
template <class Record>
void storeEntry(const FieldOf<Record>& field, Record& r, int index, std::string_view entryText);

// The groups' inputs, in the order the window creates them (their tab order).
inline constexpr FieldOf<TShips> kShipFields[] = {
    {Text::largestShield, {}, "maxShieldType", Shown::shieldEntry, &TShips::maxShieldType},
    {Text::shieldCount, {}, "maxShieldCount", Shown::countEntry, &TShips::maxShieldCount},
    {Text::largestMissile, {}, "maxMissileType", Shown::missileEntry, &TShips::maxMissileType},
    {Text::missileCount, {}, "maxMissileCount", Shown::countEntry, &TShips::maxMissileCount},
    {Text::initialSpeed, Text::unitMetresPerSecond, "speed", Shown::speed, &TShips::speed},
    {Text::speedUpgrades, {}, "speedUpgrades", Shown::number, &TShips::speedUpgrades},
    {Text::manoeuvrabilityX, Text::unitPercent, "manoeuvrabilityX", Shown::percent, nullptr,
     &TShips::manoeuvrabilityX},
    {Text::manoeuvrabilityY, Text::unitPercent, "manoeuvrabilityY", Shown::percent, nullptr,
     &TShips::manoeuvrabilityY},
    {Text::manoeuvrabilityRotation, Text::unitPercent, "manoeuvrabilityRotation", Shown::percent,
     nullptr, &TShips::manoeuvrabilityRotation},
    {Text::manoeuvrabilityUpgrades, {}, "manoeuvrabilityUpgrades", Shown::number,
     &TShips::manoeuvrabilityUpgrades},
    {Text::hull, {}, "hullStrength", Shown::number, &TShips::hullStrength},
    {Text::acceleration, Text::unitMetresPerSecond, "acceleration", Shown::speed, &TShips::acceleration,
     nullptr, true},
    {Text::minCargoBay, Text::unitUnits, "minCargoSize", Shown::number, &TShips::minCargoSize},
    {Text::maxCargoBay, Text::unitUnits, "maxCargoSize", Shown::number, &TShips::maxCargoSize},
    {Text::cargoBayType, {}, "cargoBayType", Shown::containerEntry, &TShips::cargoBayType},
    {Text::hangarCapacity, {}, "hangarCapacity", Shown::number, &TShips::hangarCapacity},
    {Text::generatorPower, Text::unitMegawatts, "generatorPower", Shown::number, &TShips::generatorPower},
    {Text::priceCoefficient, {}, "priceCoefficient", Shown::number, &TShips::priceCoefficient},
};

inline constexpr FieldOf<TLasers> kLaserFields[] = {
    {Text::volume, Text::unitUnits, "volume", Shown::number, &TLasers::volume},
    {Text::containerType, {}, "containerType", Shown::containerEntry, &TLasers::containerType},
    {Text::fireDelay, {}, "fireDelay", Shown::number, &TLasers::fireDelay},
    {Text::laserPower, {}, "laserPower", Shown::number, &TLasers::laserPower},
    {Text::priceCoefficient, {}, "priceCoefficient", Shown::number, &TLasers::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, "averagePriceChange", Shown::percentEntry,
     &TLasers::averagePriceChange},
};

// The projectile rows of the laser group: the bullet record at the laser's index.
inline constexpr FieldOf<TBullets> kBulletFields[] = {
    {Text::shotEnergy, {}, "shotEnergy", Shown::number, &TBullets::shotEnergy},
    {Text::shieldDamage, {}, "shieldDamage", Shown::number, &TBullets::shieldDamage},
    {Text::hullDamage, {}, "hullDamage", Shown::number, &TBullets::hullDamage},
    {Text::projectileSpeed, Text::unitMetresPerSecond, "projectileSpeed", Shown::speed,
     &TBullets::projectileSpeed},
    {Text::firingRange, Text::unitMetres, "flightTime", Shown::flightRange, &TBullets::flightTime},
};

inline constexpr FieldOf<TShields> kShieldFields[] = {
    {Text::volume, Text::unitUnits, "volume", Shown::number, &TShields::volume},
    {Text::containerType, {}, "containerType", Shown::containerEntry, &TShields::containerType},
    {Text::shieldPower, {}, "shieldPower", Shown::shieldPower, &TShields::shieldPower},
    {Text::priceCoefficient, {}, "priceCoefficient", Shown::number, &TShields::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, "averagePriceChange", Shown::percentEntry,
     &TShields::averagePriceChange},
};

inline constexpr FieldOf<TRockets> kRocketFields[] = {
    {Text::volume, Text::unitUnits, "volume", Shown::number, &TRockets::volume},
    {Text::containerType, {}, "containerType", Shown::containerEntry, &TRockets::containerType},
    {Text::missileSpeed, Text::unitMetresPerSecond, "missileSpeed", Shown::speed, &TRockets::missileSpeed},
    {Text::shieldDamage, {}, "shieldDamage", Shown::number, &TRockets::shieldDamage},
    {Text::priceCoefficient, {}, "priceCoefficient", Shown::number, &TRockets::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, "averagePriceChange", Shown::percentEntry,
     &TRockets::averagePriceChange},
};

inline constexpr FieldOf<TStations> kStationFields[] = {
    {Text::volume, {}, "volume", Shown::number, &TStations::volume},
    {Text::containerType, {}, "containerType", Shown::containerEntry, &TStations::containerType},
    {Text::priceCoefficient, {}, "priceCoefficient", Shown::number, &TStations::priceCoefficient},
};

inline constexpr FieldOf<TWares> kWareFields[] = {
    {Text::volume, {}, "volume", Shown::number, &TWares::volume},
    {Text::containerType, {}, "containerType", Shown::containerEntry, &TWares::containerType},
    {Text::priceCoefficient, {}, "priceCoefficient", Shown::number, &TWares::priceCoefficient},
    {Text::averagePriceChange, Text::unitPercent, "averagePriceChange", Shown::percentEntry,
     &TWares::averagePriceChange},
};
