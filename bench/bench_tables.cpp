// Loading and saving tables: a 20,000-line ship table in MB/s, and a game folder
// about ten times a real one, loaded whole and saved whole.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "game_generator.h"
#include "tables/load_tables.h"
#include "tables/save_tables.h"
#include "tables/table_files.h"

namespace {

namespace fs = std::filesystem;

// A folder under the temporary folder, removed at the end of the benchmark.
struct BenchFolder {
    explicit BenchFolder(const char* name)
        : path(fs::temp_directory_path() / (std::string(name) + "-" +
                         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
        fs::remove_all(path);
        fs::create_directories(path / "types");
    }
    ~BenchFolder() { fs::remove_all(path); }
    std::string prefix() const { return path.string() + "/"; }
    fs::path path;
};

void loadShipTable(benchmark::State& state) {
    BenchFolder folder("orvex-bench-ships");
    const std::string text = generatedShipTable(20000);
    std::ofstream(folder.path / "types" / "TShips.txt", std::ios::binary) << text;
    int32_t loaded = 0;
    for (auto _ : state) {
        // A fresh state each time, as at start-up; releasing it is not measured.
        auto game = std::make_unique<GameState>();
        game->folder = folder.prefix();
        loadTable(*game, TableId::ships);
        loaded = game->ships.count;
        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
    if (loaded != 20000) state.SkipWithError("the ship table did not load");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(loadShipTable)->Unit(benchmark::kMillisecond)->UseRealTime();

void loadLargeGame(benchmark::State& state) {
    BenchFolder folder("orvex-bench-load");
    if (!generateGame(folder.path.string())) state.SkipWithError("the game was not generated");
    size_t records = 0;
    for (auto _ : state) {
        auto game = std::make_unique<GameState>();
        game->folder = folder.prefix();
        loadAllTables(*game);
        records = 0;
        for (const TableName& table : kTableNames)
            visitTable(*game, table.id, [&](const auto& view) { records += view.records.size(); });
        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(loadLargeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every save after the first: twelve files built, written, flushed and replaced.
void saveLargeGame(benchmark::State& state) {
    BenchFolder folder("orvex-bench-save");
    if (!generateGame(folder.path.string())) state.SkipWithError("the game was not generated");
    GameState game;
    game.folder = folder.prefix();
    loadAllTables(game);
    if (!saveAllTables(game).failed.empty()) state.SkipWithError("the first save failed");
    for (auto _ : state) benchmark::DoNotOptimize(saveAllTables(game));
}
BENCHMARK(saveLargeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// What Save adds before it writes: every table of the large game read and
// hashed to tell whether another program changed it (compare with loadLargeGame).
void checkLargeGameOnDisk(benchmark::State& state) {
    BenchFolder folder("orvex-bench-identity");
    if (!generateGame(folder.path.string())) state.SkipWithError("the game was not generated");
    GameState game;
    game.folder = folder.prefix();
    loadAllTables(game);
    for (auto _ : state)
        if (!tablesChangedOnDisk(game).empty()) state.SkipWithError("a table reads as changed");
}
BENCHMARK(checkLargeGameOnDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
