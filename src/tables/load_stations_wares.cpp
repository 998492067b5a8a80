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
