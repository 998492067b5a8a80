#pragma once
// The column lists of the tables. One list per record kind drives both the reader
// and the writer, so the two can never disagree about the order or the type of a
// column. A visitor is called with each field in line order:
//   v(int32_t&) / v(double&)      a numeric column (const for the writer),
//   v(std::string&)               the objectId, always the last field,
//   v.manoeuvrability(double&)    the ship columns 2..4, written padded,
//   v.group(count, entries)       a counted group: the count column, then the
//                                 range of entries whose columns follow.

#include <concepts>
#include <type_traits>

#include "tables/records.h"

template <class R, class Kind>
concept RecordOf = std::same_as<std::remove_const_t<R>, Kind>;

// The fewest fields one entry of a counted group takes on the line.
template <class Entry> inline constexpr int kEntryFields = 0;
template <> inline constexpr int kEntryFields<TShipItem> = 4;
template <> inline constexpr int kEntryFields<TTurret> = 4;
template <> inline constexpr int kEntryFields<TGunGroup> = 6;

template <RecordOf<TShipItem> R, class V> void forEachColumn(R& r, V& v) {
    v(r.value0);
    v(r.value1);
    v(r.value2);
    v(r.value3);
}

template <RecordOf<TGunGroup> R, class V> void forEachColumn(R& r, V& v) {
    v(r.value0);
    v(r.value1);
    v(r.value2);
    v(r.value3);
    v(r.value4);
    v(r.value5);
}

// A ship line: 48 fixed columns (the last is itemCount), the items, turretCount,
// the turrets each with their gun groups, five tail numbers and objectId.
template <RecordOf<TShips> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v.manoeuvrability(r.manoeuvrabilityX);
    v.manoeuvrability(r.manoeuvrabilityY);
    v.manoeuvrability(r.manoeuvrabilityRotation);
    v(r.col5);
    v(r.nameTextId);
    v(r.speed);
    v(r.acceleration);
    v(r.col9);
    v(r.col10);
    v(r.col11);
    v(r.col12);
    v(r.generatorPower);
    v(r.col14);
    v(r.col15);
    v(r.col16);
    v(r.col17);
    v(r.mainWeaponMask);
    v(r.col19);
    v(r.maxShieldType);
    v(r.maxShieldCount);
    v(r.maxMissileType);
    v(r.maxMissileCount);
    v(r.speedUpgrades);
    v(r.manoeuvrabilityUpgrades);
    v(r.minCargoSize);
    v(r.maxCargoSize);
    for (auto& mount : r.turretMounts) { // columns 28..39
        v(mount.cockpitIndex);
        v(mount.position);
    }
    v(r.hangarCapacity);
    v(r.cargoBayType);
    v(r.col42);
    v(r.hullStrength);
    v(r.col44);
    v(r.col45);
    v(r.col46);
    for (auto& item : v.group(r.itemCount, r.items)) // column 47 is itemCount
        forEachColumn(item, v);
    for (auto& turret : v.group(r.turretCount, r.turrets)) {
        v(turret.turretValue0);
        v(turret.gunCount);
        v(turret.turretValue2);
        for (auto& gunGroup : v.group(turret.gunGroupCount, turret.gunGroups))
            forEachColumn(gunGroup, v);
    }
    v(r.tail1);
    v(r.priceCoefficient);
    v(r.tail3);
    v(r.tail4);
    v(r.tail5);
    v(r.objectId);
}

template <RecordOf<TLasers> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v(r.col2);
    v(r.col3);
    v(r.col4);
    v(r.col5);
    v(r.nameTextId);
    v(r.fireDelay);
    v(r.col8);
    v(r.col9);
    v(r.laserPower);
    v(r.col11);
    v(r.volume);
    v(r.priceCoefficient);
    v(r.averagePriceChange);
    v(r.col15);
    v(r.containerType);
    v(r.objectId);
}

template <RecordOf<TBullets> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v(r.col2);
    v(r.col3);
    v(r.col4);
    v(r.col5);
    v(r.col6);
    v(r.shieldDamage);
    v(r.shotEnergy);
    v(r.col9);
    v(r.flightTime);
    v(r.projectileSpeed);
    v(r.col12);
    v(r.col13);
    v(r.col14);
    v(r.col15);
    v(r.col16);
    v(r.col17);
    v(r.col18);
    v(r.col19);
    v(r.col20);
    v(r.col21);
    v(r.hullDamage);
    v(r.col23);
    v(r.col24);
    v(r.col25);
    v(r.col26);
    v(r.col27);
    v(r.col28);
    v(r.col29);
    v(r.col30);
    v(r.col31);
    v(r.objectId);
}

template <RecordOf<TShields> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v(r.col2);
    v(r.col3);
    v(r.col4);
    v(r.col5);
    v(r.nameTextId);
    v(r.powerTenth);
    v(r.shieldPower);
    v(r.col9);
    v(r.col10);
    v(r.volume);
    v(r.priceCoefficient);
    v(r.averagePriceChange);
    v(r.col14);
    v(r.containerType);
    v(r.objectId);
}

template <RecordOf<TRockets> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v(r.col2);
    v(r.col3);
    v(r.col4);
    v(r.col5);
    v(r.nameTextId);
    v(r.missileSpeed);
    v(r.col8);
    v(r.col9);
    v(r.col10);
    v(r.col11);
    v(r.shieldDamage);
    v(r.col13);
    v(r.col14);
    v(r.col15);
    v(r.col16);
    v(r.col17);
    v(r.col18);
    v(r.col19);
    v(r.col20);
    v(r.col21);
    v(r.col22);
    v(r.col23);
    v(r.col24);
    v(r.volume);
    v(r.priceCoefficient);
    v(r.averagePriceChange);
    v(r.col28);
    v(r.containerType);
    v(r.objectId);
}

template <RecordOf<TCockpits> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v(r.col2);
    v(r.col3);
    v(r.col4);
    v(r.col5);
    v(r.col6);
    v(r.col7);
    v(r.weaponMask);
    v(r.col9);
    v(r.col10);
    v(r.col11);
    v(r.col12);
    v(r.col13);
    v(r.objectId);
}

template <RecordOf<TStations> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v(r.col2);
    v(r.col3);
    v(r.col4);
    v(r.col5);
    v(r.nameTextId);
    v(r.col7);
    v(r.col8);
    v(r.col9);
    v(r.col10);
    v(r.col11);
    v(r.col12);
    v(r.race);
    v(r.col14);
    v(r.col15);
    v(r.volume);
    v(r.priceCoefficient);
    v(r.col18);
    v(r.col19);
    v(r.containerType);
    v(r.objectId);
}

// priceMultiplier is not a column.
template <RecordOf<TWares> R, class V> void forEachColumn(R& r, V& v) {
    v(r.col0);
    v(r.col1);
    v(r.col2);
    v(r.col3);
    v(r.col4);
    v(r.col5);
    v(r.nameTextId);
    v(r.volume);
    v(r.priceCoefficient);
    v(r.averagePriceChange);
    v(r.col10);
    v(r.containerType);
    v(r.objectId);
}
