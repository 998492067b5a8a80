// orvex-cli on the large generated game, as a user runs it (whole commands, in
// process): check of every table, export plus import of the ship table, and diff
// against an edited copy.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "game_generator.h"
#include "tables/load_tables.h"

namespace {

namespace fs = std::filesystem;

struct BenchGame {
    explicit BenchGame(const GameSize& size = kLargeGame) {
        path = fs::temp_directory_path() /
               ("orvex-bench-cli-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(path);
        ok = generateGame(path.string(), size);
    }
    ~BenchGame() { fs::remove_all(path); }
    std::string prefix() const { return path.string() + "/"; }
    fs::path path;
    bool ok = false;
};

int run(std::vector<std::string> args) {
    args.insert(args.begin(), "orvex-cli");
    CliOutput io;
    return runCli(args, io, Language::ru);
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

// Every hundredth record of each table gets a new value in its second column
// (from record `first` on).
void editGame(const BenchGame& game, size_t first = 0) {
    for (const auto& entry : fs::directory_iterator(game.path / "types")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {}), edited;
        size_t line = 0, start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1, ++line) {
            std::string_view l(text.data() + start, end + 1 - start);
            const size_t field = l.find(';') + 1;
            if (line >= 1 && line % 100 == first && field > 0 && field < l.size() && l[field] >= '0' && l[field] <= '8') {
                edited.append(l.substr(0, field)).push_back(static_cast<char>(l[field] + 1));
                edited.append(l.substr(field + 1));
            } else {
                edited.append(l);
            }
        }
        std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << edited << text.substr(start);
    }
}

// The generated game against a copy with 1 % of its records edited.
void diffLargeGame(benchmark::State& state) {
    BenchGame before, after;
    if (!before.ok || !after.ok) state.SkipWithError("the game was not generated");
    editGame(after);
    const std::vector<std::string> args = {"diff", "--folder", after.prefix(), "--against", before.prefix()};
    if (run(args) != 1) state.SkipWithError("no differences found");
    for (auto _ : state) benchmark::DoNotOptimize(run(args));
}
BENCHMARK(diffLargeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The huge game (100 times a real one): what diff and merge cost against
// loading the folders they read (two for diff, three for merge).
constexpr GameSize kHugeGame = realGameTimes(100);

void loadHugeFolder(benchmark::State& state) {
    BenchGame game(kHugeGame);
    if (!game.ok) state.SkipWithError("the game was not generated");
    for (auto _ : state) {
        GameState s;
        s.folder = game.prefix();
        loadAllTables(s);
        benchmark::DoNotOptimize(s.wareT.records.data());
    }
}
BENCHMARK(loadHugeFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

void diffHugeGame(benchmark::State& state) {
    BenchGame before(kHugeGame), after(kHugeGame);
    if (!before.ok || !after.ok) state.SkipWithError("the game was not generated");
    editGame(after);
    const std::vector<std::string> args = {"diff", "--folder", after.prefix(), "--against", before.prefix()};
    for (auto _ : state)
        if (run(args) != 1) state.SkipWithError("no differences found");
}
BENCHMARK(diffHugeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// MINE and THEIRS each edit 1 % of the records, apart; the merged game is
// written to a fourth folder.
void mergeHugeGame(benchmark::State& state) {
    BenchGame base(kHugeGame), mine(kHugeGame), theirs(kHugeGame);
    if (!base.ok || !mine.ok || !theirs.ok) state.SkipWithError("the game was not generated");
    editGame(mine);
    editGame(theirs, 50);
    const fs::path out = base.path.string() + "-merged";
    const std::vector<std::string> args = {"merge", base.prefix(), mine.prefix(), theirs.prefix(), "-o",
                                           out.string() + "/"};
    for (auto _ : state)
        if (run(args) != 0) state.SkipWithError("the merge failed");
    fs::remove_all(out);
}
BENCHMARK(mergeHugeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// One ship added to the huge game: the whole folder loaded, the copy made, the
// ship table and the name page written. Compare with loadHugeFolder.
void addShipHugeGame(benchmark::State& state) {
    BenchGame game(kHugeGame);
    if (!game.ok) state.SkipWithError("the game was not generated");
    GameState s;
    s.folder = game.prefix();
    loadTable(s, TableId::ships);
    const std::string source = s.ships.records.at(0).objectId;
    int n = 0;
    for (auto _ : state)
        if (run({"add", "--folder", game.prefix(), "ships", "--copy", source, "--id", "SS_SH_BENCH_" + std::to_string(++n),
                 "--name", "Kestrel"}) != 0)
            state.SkipWithError("the copy was refused");
}
BENCHMARK(addShipHugeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
