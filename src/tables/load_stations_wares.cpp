#include "tables/read_table_file.h"
#include "tables/load_tables.h"

namespace {

struct WareFile {
    const char* fileName;
    double priceMultiplier; // the basis of a ware's price estimate is coefficient x multiplier
};

constexpr WareFile kWareFiles[5] = {
    {"types\\TWareB.txt", 5.25},  {"types\\TWareE.txt", 4.0},   {"types\\TWareF.txt", 12.135},
    {"types\\TWareM.txt", 5.25},  {"types\\TWareT.txt", 28.075},
};

} // namespace

void loadCockpits(GameState& state) {
    state.cockpits.clear();
    loadTableFile(state.folder + "types\\tcockpits.txt", state.cockpits, state.cockpitsHeader,
                  state.cockpitCount, state.cockpitsFile);
}

void loadStations(GameState& state) {
    state.stations.clear();
    loadTableFile(state.folder + "types\\tfactories.txt", state.stations, state.stationsHeader,
                  state.stationCount, state.stationsFile);
}

void loadWares(GameState& state) {
    state.wares.clear();
    for (int g = 0; g < 5; ++g) {
        TWareInfo& info = state.wareGroups[g];
        info.fileName = kWareFiles[g].fileName;
        const double multiplier = kWareFiles[g].priceMultiplier;
        loadTableFile(state.folder + info.fileName, state.wares, info.headerValue,
                      info.recordCount, info.file,
                      [multiplier](TWares& ware) { ware.priceMultiplier = multiplier; });
    }
}

void loadAllTables(GameState& state) {
    loadShips(state);
    loadCockpits(state);
    loadLasers(state);
    loadBullets(state);
    loadShields(state);
    loadRockets(state);
    loadStations(state);
    loadWares(state);
}

void loadTableFrom(GameState& s, TableId id, std::string_view fileName) {
    const std::string path = s.folder + std::string(fileName);
    switch (id) {
    case TableId::ships:
        s.ships.clear();
        return loadTableFile(path, s.ships, s.shipsHeader, s.shipCount, s.shipsFile);
    case TableId::lasers:
        s.lasers.clear();
        return loadTableFile(path, s.lasers, s.lasersHeader, s.laserCount, s.lasersFile);
    case TableId::bullets:
        s.bullets.clear();
        return loadTableFile(path, s.bullets, s.bulletsHeader, s.bulletCount, s.bulletsFile);
    case TableId::shields:
        s.shields.clear();
        return loadTableFile(path, s.shields, s.shieldsHeader, s.shieldCount, s.shieldsFile);
    case TableId::rockets:
        s.rockets.clear();
        return loadTableFile(path, s.rockets, s.rocketsHeader, s.rocketCount, s.rocketsFile);
    case TableId::cockpits:
        s.cockpits.clear();
        return loadTableFile(path, s.cockpits, s.cockpitsHeader, s.cockpitCount, s.cockpitsFile);
    case TableId::stations:
        s.stations.clear();
        return loadTableFile(path, s.stations, s.stationsHeader, s.stationCount, s.stationsFile);
    default: {
        const int g = static_cast<int>(id) - static_cast<int>(TableId::wareB);
        TWareInfo& info = s.wareGroups[g];
        const double multiplier = kWareFiles[g].priceMultiplier;
        return loadTableFile(path, s.wares, info.headerValue, info.recordCount, info.file,
                             [multiplier](TWares& ware) { ware.priceMultiplier = multiplier; });
    }
    }
}
