#include "tables/table_files.h"

std::vector<TableFileEntry> tableFiles(const GameState& state) {
    std::vector<TableFileEntry> files = {
        {"types\\TShips.txt", &state.shipsFile},       {"types\\TCockpits.txt", &state.cockpitsFile},
        {"types\\TLaser.txt", &state.lasersFile},      {"types\\TBullets.txt", &state.bulletsFile},
        {"types\\TShields.txt", &state.shieldsFile},   {"types\\TRockets.txt", &state.rocketsFile},
        {"types\\TFactories.txt", &state.stationsFile},
    };
    for (const TWareInfo& info : state.wareGroups) files.push_back({info.fileName, &info.file});
    return files;
}
