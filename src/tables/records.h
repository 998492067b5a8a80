#pragma once
// The records of the game's tables. Fields are in the column order of the file
// line; columns the editor never shows are carried as colN. Every record keeps in
// `rest` the text that followed its last semicolon, written back unchanged.

#include <cstdint>
#include <string>
#include <vector>

// One of the four-number items on a ship line.
struct TShipItem {
    int32_t value0 = 0;
    int32_t value1 = 0;
    int32_t value2 = 0;
    int32_t value3 = 0;

    bool operator==(const TShipItem&) const = default;
};

// One of the six-number gun groups of a turret.
struct TGunGroup {
    int32_t value0 = 0;
    int32_t value1 = 0;
    int32_t value2 = 0;
    int32_t value3 = 0;
    int32_t value4 = 0;
    int32_t value5 = 0;

    bool operator==(const TGunGroup&) const = default;
};

// A ship's turret; turret 0 is the main position.
struct TTurret {
    int32_t turretValue0 = 0;
    int32_t gunCount = 0; // shown after the position name; below 1 the turret is not listed
    int32_t turretValue2 = 0;
    int32_t gunGroupCount = 0; // as read; a negative count leaves gunGroups empty
    std::vector<TGunGroup> gunGroups;

    bool operator==(const TTurret&) const = default;
};

// Turret k (1..6) of a ship is described by mount k - 1.
struct TTurretMount {
    int32_t cockpitIndex = 0; // position in the cockpit table
    int32_t position = 0;     // index into the position names

    bool operator==(const TTurretMount&) const = default;
};

struct TShips {
    int32_t col0 = 0;
    int32_t col1 = 0;
    double manoeuvrabilityX = 0; // a fraction; written padded to 7 characters
    double manoeuvrabilityY = 0;
    double manoeuvrabilityRotation = 0;
    int32_t col5 = 0;
    int32_t nameTextId = 0;
    int32_t speed = 0;        // metres per second x 222
    int32_t acceleration = 0; // metres per second squared x 222
    int32_t col9 = 0;
    int32_t col10 = 0;
    int32_t col11 = 0;
    int32_t col12 = 0;
    int32_t generatorPower = 0;
    int32_t col14 = 0;
    int32_t col15 = 0;
    int32_t col16 = 0;
    int32_t col17 = 0;
    int32_t mainWeaponMask = 0;
    int32_t col19 = 0;
    int32_t maxShieldType = 0; // position in the shield table
    int32_t maxShieldCount = 0;
    int32_t maxMissileType = 0; // position in the missile selector (8 fixed names first)
    int32_t maxMissileCount = 0;
    int32_t speedUpgrades = 0;
    int32_t manoeuvrabilityUpgrades = 0;
    int32_t minCargoSize = 0;
    int32_t maxCargoSize = 0;
    TTurretMount turretMounts[6] = {}; // columns 28..39, pair by pair
    int32_t hangarCapacity = 0;
    int32_t cargoBayType = 0;
    int32_t col42 = 0;
    int32_t hullStrength = 0;
    int32_t col44 = 0;
    int32_t col45 = 0;
    int32_t col46 = 0;
    int32_t itemCount = 0; // as read; a negative count leaves items empty
    std::vector<TShipItem> items;
    int32_t turretCount = 0; // as read; a negative count leaves turrets empty
    std::vector<TTurret> turrets;
    int32_t tail1 = 0;
    int32_t priceCoefficient = 0;
    int32_t tail3 = 0;
    int32_t tail4 = 0;
    int32_t tail5 = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TShips&) const = default;
};

struct TLasers {
    int32_t col0 = 0;
    int32_t col1 = 0;
    double col2 = 0;
    double col3 = 0;
    int32_t col4 = 0;
    int32_t col5 = 0;
    int32_t nameTextId = 0;
    int32_t fireDelay = 0;
    int32_t col8 = 0;
    int32_t col9 = 0;
    int32_t laserPower = 0;
    double col11 = 0;
    int32_t volume = 0;
    int32_t priceCoefficient = 0;
    int32_t averagePriceChange = 0;
    int32_t col15 = 0;
    int32_t containerType = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TLasers&) const = default;
};

// The projectile fired by the laser at the same table position.
struct TBullets {
    int32_t col0 = 0;
    int32_t col1 = 0;
    double col2 = 0;
    double col3 = 0;
    double col4 = 0;
    int32_t col5 = 0;
    int32_t col6 = 0;
    int32_t shieldDamage = 0;
    int32_t shotEnergy = 0;
    int32_t col9 = 0;
    int32_t flightTime = 0;      // milliseconds
    int32_t projectileSpeed = 0; // metres per second x 222
    int32_t col12 = 0;
    int32_t col13 = 0;
    int32_t col14 = 0;
    int32_t col15 = 0;
    double col16 = 0;
    double col17 = 0;
    int32_t col18 = 0;
    int32_t col19 = 0;
    int32_t col20 = 0;
    int32_t col21 = 0;
    int32_t hullDamage = 0;
    int32_t col23 = 0;
    int32_t col24 = 0;
    int32_t col25 = 0;
    int32_t col26 = 0;
    int32_t col27 = 0;
    int32_t col28 = 0;
    int32_t col29 = 0;
    int32_t col30 = 0;
    int32_t col31 = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TBullets&) const = default;
};

struct TShields {
    int32_t col0 = 0;
    int32_t col1 = 0;
    double col2 = 0;
    double col3 = 0;
    int32_t col4 = 0;
    int32_t col5 = 0;
    int32_t nameTextId = 0;
    int32_t powerTenth = 0; // shieldPower / 10, kept in step by the editor
    int32_t shieldPower = 0;
    int32_t col9 = 0;
    double col10 = 0;
    int32_t volume = 0;
    int32_t priceCoefficient = 0;
    int32_t averagePriceChange = 0;
    int32_t col14 = 0;
    int32_t containerType = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TShields&) const = default;
};

struct TRockets {
    int32_t col0 = 0;
    int32_t col1 = 0;
    double col2 = 0;
    double col3 = 0;
    int32_t col4 = 0;
    int32_t col5 = 0;
    int32_t nameTextId = 0;
    int32_t missileSpeed = 0; // metres per second x 222
    int32_t col8 = 0;
    int32_t col9 = 0;
    int32_t col10 = 0;
    int32_t col11 = 0;
    int32_t shieldDamage = 0;
    int32_t col13 = 0;
    int32_t col14 = 0;
    int32_t col15 = 0;
    int32_t col16 = 0;
    int32_t col17 = 0;
    int32_t col18 = 0;
    int32_t col19 = 0;
    int32_t col20 = 0;
    int32_t col21 = 0;
    int32_t col22 = 0;
    int32_t col23 = 0;
    int32_t col24 = 0;
    int32_t volume = 0;
    int32_t priceCoefficient = 0;
    int32_t averagePriceChange = 0;
    int32_t col28 = 0;
    int32_t containerType = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TRockets&) const = default;
};

// A turret cockpit, addressed by its table position from a ship's turret mounts.
struct TCockpits {
    int32_t col0 = 0;
    int32_t col1 = 0;
    int32_t col2 = 0;
    int32_t col3 = 0;
    int32_t col4 = 0;
    int32_t col5 = 0;
    int32_t col6 = 0;
    int32_t col7 = 0;
    int32_t weaponMask = 0;
    int32_t col9 = 0;
    int32_t col10 = 0;
    int32_t col11 = 0;
    int32_t col12 = 0;
    int32_t col13 = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TCockpits&) const = default;
};

struct TStations {
    int32_t col0 = 0;
    int32_t col1 = 0;
    int32_t col2 = 0;
    int32_t col3 = 0;
    int32_t col4 = 0;
    int32_t col5 = 0;
    int32_t nameTextId = 0;
    int32_t col7 = 0;
    double col8 = 0;
    int32_t col9 = 0;
    int32_t col10 = 0;
    int32_t col11 = 0;
    int32_t col12 = 0;
    int32_t race = 0; // 1..6
    int32_t col14 = 0;
    int32_t col15 = 0;
    int32_t volume = 0;
    int32_t priceCoefficient = 0;
    int32_t col18 = 0;
    int32_t col19 = 0;
    int32_t containerType = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TStations&) const = default;
};

struct TWares {
    int32_t col0 = 0;
    int32_t col1 = 0;
    double col2 = 0;
    double col3 = 0;
    int32_t col4 = 0;
    int32_t col5 = 0;
    int32_t nameTextId = 0;
    int32_t volume = 0;
    int32_t priceCoefficient = 0;
    int32_t averagePriceChange = 0;
    int32_t col10 = 0;
    int32_t containerType = 0;
    std::string objectId;
    std::string rest;

    bool operator==(const TWares&) const = default;
};
