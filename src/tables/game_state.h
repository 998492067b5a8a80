#pragma once
// The program's one state object: every table with its header value and count,
// what is remembered of each table file, and the editor's current-record indexes.
// Created at start-up and passed to whatever needs it; several can live side by
// side (tests load several game folders at once).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tables/records.h"
#include "tables/table_file.h"

struct GameState {
    // Prepended to every table path: empty for the current folder, otherwise a
    // folder ending in its separator ("/tmp/game/", "C:\\game\\").
    std::string folder;

    std::vector<TShips> ships;
    int32_t shipsHeader = 0;
    int32_t shipCount = 0;
    TableFile shipsFile;

    std::vector<TLasers> lasers;
    int32_t lasersHeader = 0;
    int32_t laserCount = 0;
    TableFile lasersFile;

    std::vector<TBullets> bullets;
    int32_t bulletsHeader = 0;
    int32_t bulletCount = 0;
    TableFile bulletsFile;

    std::vector<TShields> shields;
    int32_t shieldsHeader = 0;
    int32_t shieldCount = 0;
    TableFile shieldsFile;

    std::vector<TRockets> rockets;
    int32_t rocketsHeader = 0;
    int32_t rocketCount = 0;
    TableFile rocketsFile;

    std::vector<TCockpits> cockpits;
    int32_t cockpitsHeader = 0;
    int32_t cockpitCount = 0;
    TableFile cockpitsFile;

    std::vector<TStations> stations;
    int32_t stationsHeader = 0;
    int32_t stationCount = 0;
    TableFile stationsFile;

    // The records of the five ware files, in the file order B, E, F, M, T.
    std::vector<TWares> wares;
    // Each ware file's header value, count and file state (table_list.h names them).
    std::array<TWareInfo, 5> wareGroups;

    // Set by the editor's show operations.
    int32_t curShip = 0;
    int32_t curTurret = -1;
    int32_t mainTurretListed = 0;
    int32_t curLaser = 0; // also the index of the laser's bullet record
    int32_t curShield = 0;
    int32_t curRocket = 0;
    int32_t curStation = 0;
    int32_t curWare = 0;
};
