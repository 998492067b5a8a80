// The bundled sample game folder: complete, valid, and already in the writer's form.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tables/load_tables.h"
#include "tables/save_tables.h"
#include "tables/temp_game.h"

namespace {

namespace fs = std::filesystem;

TEST(SampleGame, LoadsEveryTableAndSavesBackByteForByte) {
    TempGame game;
    fs::copy(fs::path(ORVEX_SAMPLE_GAME) / "types", game.path("types"),
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    GameState state;
    state.folder = game.folder();
    loadAllTables(state);

    EXPECT_EQ(state.ships.size(), 6u);
    EXPECT_EQ(state.cockpits.size(), 4u);
    EXPECT_EQ(state.lasers.size(), 5u);
    EXPECT_EQ(state.bullets.size(), 5u);
    EXPECT_EQ(state.shields.size(), 4u);
    EXPECT_EQ(state.rockets.size(), 4u);
    EXPECT_EQ(state.stations.size(), 5u);
    EXPECT_EQ(state.wares.size(), 14u);
    for (const TableFile* file : {&state.shipsFile, &state.cockpitsFile, &state.lasersFile,
                                  &state.bulletsFile, &state.shieldsFile, &state.rocketsFile,
                                  &state.stationsFile}) {
        EXPECT_FALSE(file->missing || file->unreadable);
        EXPECT_TRUE(file->trailingLines.empty() && file->headerRest.empty());
    }
    for (const TWareInfo& info : state.wareGroups) {
        EXPECT_GE(info.recordCount, 2) << info.fileName;
        EXPECT_FALSE(info.file.missing || info.file.unreadable) << info.fileName;
    }
    // every ship's turrets have mounts and every mount a cockpit
    for (const TShips& ship : state.ships) {
        EXPECT_EQ(ship.turrets.size(), static_cast<size_t>(ship.turretCount)) << ship.objectId;
        EXPECT_LE(ship.turretCount, 7) << ship.objectId;
        for (int k = 1; k < ship.turretCount; ++k)
            EXPECT_LT(ship.turretMounts[k - 1].cockpitIndex, state.cockpitCount) << ship.objectId;
        EXPECT_TRUE(ship.rest.empty()) << ship.objectId;
    }

    std::vector<std::string> before;
    for (const auto& entry : fs::directory_iterator(game.path("types")))
        before.push_back(game.read("types/" + entry.path().filename().string()));
    ASSERT_EQ(saveAllTables(state), std::vector<std::string>{});
    std::vector<std::string> after;
    for (const auto& entry : fs::directory_iterator(game.path("types")))
        if (entry.path().extension() == ".txt")
            after.push_back(game.read("types/" + entry.path().filename().string()));
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
}

} // namespace
