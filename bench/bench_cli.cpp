// orvex-cli on the large generated game, as a user runs it (whole commands, in
// process): check of every table, and export plus import of the ship table.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "game_generator.h"

namespace {

namespace fs = std::filesystem;

struct BenchGame {
    BenchGame() {
        path = fs::temp_directory_path() /
               ("orvex-bench-cli-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(path);
        ok = generateGame(path.string());
    }
    ~BenchGame() { fs::remove_all(path); }
    std::string prefix() const { return path.string() + "/"; }
    fs::path path;
    bool ok = false;
};

int run(std::vector<std::string> args) {
    args.insert(args.begin(), "orvex-cli");
    CliOutput io;
    return runCli(args, io);
}

void checkLargeGame(benchmark::State& state) {
    BenchGame game;
    if (!game.ok) state.SkipWithError("the game was not generated");
    for (auto _ : state) benchmark::DoNotOptimize(run({"check", "--folder", game.prefix()}));
}
BENCHMARK(checkLargeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Export to a file and import it back: the 2,000-ship table written with its backup rule.
void exportImportShips(benchmark::State& state) {
    BenchGame game;
    if (!game.ok) state.SkipWithError("the game was not generated");
    const std::string csv = game.prefix() + "ships.csv";
    for (auto _ : state) {
        if (run({"export", "--folder", game.prefix(), "ships", "-o", csv}) != 0 ||
            run({"import", "--folder", game.prefix(), "ships", csv}) != 0)
            state.SkipWithError("export or import failed");
    }
}
BENCHMARK(exportImportShips)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
