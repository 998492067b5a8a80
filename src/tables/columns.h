#pragma once
// The column lists of the tables. One list per record kind names and types every
// column and drives the reader, the writer and the column lists of table_rows.h
// (export, import, the check), so none of them can disagree about the order, the
// name or the type of a column. A visitor is called with each field in line order,
// the column's name first (names inside a group's entries name the entry's field):
//   v(name, int32_t&) / v(name, double&)  a numeric column (const for the writer),
//   v(name, std::string&)                 the objectId, always the last field,
//   v.manoeuvrability(name, double&)      the ship columns 2..4, written padded,
//   v.group(name, count, entries)         a counted group: the count column, then
//                                         the range of entries whose columns follow.

#include <concepts>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "tables/records.h"

inline constexpr std::string_view kMountColumns[6][2] = {
    {"turretMounts[0].cockpitIndex", "turretMounts[0].position"},
    {"turretMounts[1].cockpitIndex", "turretMounts[1].position"},
    {"turretMounts[2].cockpitIndex", "turretMounts[2].position"},
    {"turretMounts[3].cockpitIndex", "turretMounts[3].position"},
    {"turretMounts[4].cockpitIndex", "turretMounts[4].position"},
    {"turretMounts[5].cockpitIndex", "turretMounts[5].position"},
};

template <class R, class Kind>
concept RecordOf = std::same_as<std::remove_const_t<R>, Kind>;

// The fewest fields one entry of a counted group takes on the line.
template <class Entry> inline constexpr int kEntryFields = 0;
template <> inline constexpr int kEntryFields<TShipItem> = 4;
template <> inline constexpr int kEntryFields<TTurret> = 4;
template <> inline constexpr int kEntryFields<TGunGroup> = 6;

template <RecordOf<TShipItem> R, class V> void forEachColumn(R& r, V& v) {
    v("value0", r.value0);
    v("value1", r.value1);
    v("value2", r.value2);
    v("value3", r.value3);
}

template <RecordOf<TGunGroup> R, class V> void forEachColumn(R& r, V& v) {
    v("value0", r.value0);
    v("value1", r.value1);
    v("value2", r.value2);
    v("value3", r.value3);
    v("value4", r.value4);
    v("value5", r.value5);
}

// A ship line: 48 fixed columns (the last is itemCount), the items, turretCount,
// the turrets each with their gun groups, five tail numbers and objectId.
template <RecordOf<TShips> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v.manoeuvrability("manoeuvrabilityX", r.manoeuvrabilityX);
    v.manoeuvrability("manoeuvrabilityY", r.manoeuvrabilityY);
    v.manoeuvrability("manoeuvrabilityRotation", r.manoeuvrabilityRotation);
    v("col5", r.col5);
    v("nameTextId", r.nameTextId);
    v("speed", r.speed);
    v("acceleration", r.acceleration);
    v("col9", r.col9);
    v("col10", r.col10);
    v("col11", r.col11);
    v("col12", r.col12);
    v("generatorPower", r.generatorPower);
    v("col14", r.col14);
    v("col15", r.col15);
    v("col16", r.col16);
    v("col17", r.col17);
    v("mainWeaponMask", r.mainWeaponMask);
    v("col19", r.col19);
    v("maxShieldType", r.maxShieldType);
    v("maxShieldCount", r.maxShieldCount);
    v("maxMissileType", r.maxMissileType);
    v("maxMissileCount", r.maxMissileCount);
    v("speedUpgrades", r.speedUpgrades);
    v("manoeuvrabilityUpgrades", r.manoeuvrabilityUpgrades);
    v("minCargoSize", r.minCargoSize);
    v("maxCargoSize", r.maxCargoSize);
    for (size_t m = 0; m < std::size(kMountColumns); ++m) { // columns 28..39
        v(kMountColumns[m][0], r.turretMounts[m].cockpitIndex);
        v(kMountColumns[m][1], r.turretMounts[m].position);
    }
    v("hangarCapacity", r.hangarCapacity);
    v("cargoBayType", r.cargoBayType);
    v("col42", r.col42);
    v("hullStrength", r.hullStrength);
    v("col44", r.col44);
    v("col45", r.col45);
    v("col46", r.col46);
    for (auto& item : v.group("itemCount", r.itemCount, r.items)) // column 47 is itemCount
        forEachColumn(item, v);
    for (auto& turret : v.group("turretCount", r.turretCount, r.turrets)) {
        v("turretValue0", turret.turretValue0);
        v("gunCount", turret.gunCount);
        v("turretValue2", turret.turretValue2);
        for (auto& gunGroup : v.group("gunGroupCount", turret.gunGroupCount, turret.gunGroups))
            forEachColumn(gunGroup, v);
    }
    v("tail1", r.tail1);
    v("priceCoefficient", r.priceCoefficient);
    v("tail3", r.tail3);
    v("tail4", r.tail4);
    v("tail5", r.tail5);
    v("objectId", r.objectId);
}

template <RecordOf<TLasers> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v("col2", r.col2);
    v("col3", r.col3);
    v("col4", r.col4);
    v("col5", r.col5);
    v("nameTextId", r.nameTextId);
    v("fireDelay", r.fireDelay);
    v("col8", r.col8);
    v("col9", r.col9);
    v("laserPower", r.laserPower);
    v("col11", r.col11);
    v("volume", r.volume);
    v("priceCoefficient", r.priceCoefficient);
    v("averagePriceChange", r.averagePriceChange);
    v("col15", r.col15);
    v("containerType", r.containerType);
    v("objectId", r.objectId);
}

template <RecordOf<TBullets> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v("col2", r.col2);
    v("col3", r.col3);
    v("col4", r.col4);
    v("col5", r.col5);
    v("col6", r.col6);
    v("shieldDamage", r.shieldDamage);
    v("shotEnergy", r.shotEnergy);
    v("col9", r.col9);
    v("flightTime", r.flightTime);
    v("projectileSpeed", r.projectileSpeed);
    v("col12", r.col12);
    v("col13", r.col13);
    v("col14", r.col14);
    v("col15", r.col15);
    v("col16", r.col16);
    v("col17", r.col17);
    v("col18", r.col18);
    v("col19", r.col19);
    v("col20", r.col20);
    v("col21", r.col21);
    v("hullDamage", r.hullDamage);
    v("col23", r.col23);
    v("col24", r.col24);
    v("col25", r.col25);
    v("col26", r.col26);
    v("col27", r.col27);
    v("col28", r.col28);
    v("col29", r.col29);
    v("col30", r.col30);
    v("col31", r.col31);
    v("objectId", r.objectId);
}

template <RecordOf<TShields> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v("col2", r.col2);
    v("col3", r.col3);
    v("col4", r.col4);
    v("col5", r.col5);
    v("nameTextId", r.nameTextId);
    v("powerTenth", r.powerTenth);
    v("shieldPower", r.shieldPower);
    v("col9", r.col9);
    v("col10", r.col10);
    v("volume", r.volume);
    v("priceCoefficient", r.priceCoefficient);
    v("averagePriceChange", r.averagePriceChange);
    v("col14", r.col14);
    v("containerType", r.containerType);
    v("objectId", r.objectId);
}

template <RecordOf<TRockets> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v("col2", r.col2);
    v("col3", r.col3);
    v("col4", r.col4);
    v("col5", r.col5);
    v("nameTextId", r.nameTextId);
    v("missileSpeed", r.missileSpeed);
    v("col8", r.col8);
    v("col9", r.col9);
    v("col10", r.col10);
    v("col11", r.col11);
    v("shieldDamage", r.shieldDamage);
    v("col13", r.col13);
    v("col14", r.col14);
    v("col15", r.col15);
    v("col16", r.col16);
    v("col17", r.col17);
    v("col18", r.col18);
    v("col19", r.col19);
    v("col20", r.col20);
    v("col21", r.col21);
    v("col22", r.col22);
    v("col23", r.col23);
    v("col24", r.col24);
    v("volume", r.volume);
    v("priceCoefficient", r.priceCoefficient);
    v("averagePriceChange", r.averagePriceChange);
    v("col28", r.col28);
    v("containerType", r.containerType);
    v("objectId", r.objectId);
}

template <RecordOf<TCockpits> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v("col2", r.col2);
    v("col3", r.col3);
    v("col4", r.col4);
    v("col5", r.col5);
    v("col6", r.col6);
    v("col7", r.col7);
    v("weaponMask", r.weaponMask);
    v("col9", r.col9);
    v("col10", r.col10);
    v("col11", r.col11);
    v("col12", r.col12);
    v("col13", r.col13);
    v("objectId", r.objectId);
}

template <RecordOf<TStations> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v("col2", r.col2);
    v("col3", r.col3);
    v("col4", r.col4);
    v("col5", r.col5);
    v("nameTextId", r.nameTextId);
    v("col7", r.col7);
    v("col8", r.col8);
    v("col9", r.col9);
    v("col10", r.col10);
    v("col11", r.col11);
    v("col12", r.col12);
    v("race", r.race);
    v("col14", r.col14);
    v("col15", r.col15);
    v("volume", r.volume);
    v("priceCoefficient", r.priceCoefficient);
    v("col18", r.col18);
    v("col19", r.col19);
    v("containerType", r.containerType);
    v("objectId", r.objectId);
}

template <RecordOf<TWares> R, class V> void forEachColumn(R& r, V& v) {
    v("col0", r.col0);
    v("col1", r.col1);
    v("col2", r.col2);
    v("col3", r.col3);
    v("col4", r.col4);
    v("col5", r.col5);
    v("nameTextId", r.nameTextId);
    v("volume", r.volume);
    v("priceCoefficient", r.priceCoefficient);
    v("averagePriceChange", r.averagePriceChange);
    v("col10", r.col10);
    v("containerType", r.containerType);
    v("objectId", r.objectId);
}

// Walks a record's line as the writer writes it, calling f(name, field) for each
// field with its number from 1 (a group's count column, then its entries' columns,
// as many entries as the record holds). Returns the number of fields.
template <class F> struct FieldNumbering {
    F& f;
    int64_t field = 0;
    template <class T> void operator()(std::string_view name, const T&) { f(name, ++field); }
    void manoeuvrability(std::string_view name, const double&) { f(name, ++field); }
    template <class Entry>
    std::span<const Entry> group(std::string_view name, const int32_t&,
                                 const std::vector<Entry>& entries) {
        f(name, ++field);
        return entries;
    }
};
template <class Record, class F> int64_t forEachField(const Record& record, F&& f) {
    FieldNumbering<std::remove_reference_t<F>> numbering{f};
    forEachColumn(record, numbering);
    return numbering.field;
}

// The number of the first field named `name` on the record's line; 0 when none is.
template <class Record> int64_t fieldNumber(const Record& record, std::string_view name) {
    int64_t found = 0;
    forEachField(record, [&](std::string_view column, int64_t field) {
        if (found == 0 && column == name) found = field;
    });
    return found;
}
