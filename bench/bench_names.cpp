// Name page: loading (reduction, conversion and index included) and the cost of
// one lookup, indexed and by scan, on the invented large game's 20,000-line page
// file, whose page 17 lies among other pages.

#include "names/name_page.h"

#include "game_generator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

struct GeneratedGame {
    std::filesystem::path folder;
    std::string pagePath;
    bool ok = false;

    GeneratedGame() {
        folder = std::filesystem::temp_directory_path() / "orvex-bench-names";
        ok = generateGame(folder.string());
        pagePath = (folder / "t" / "70001.xml").string();
    }
    ~GeneratedGame() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const GeneratedGame& game() {
    static const GeneratedGame generated;
    return generated;
}

// The ids of page 17 in a fixed shuffled order, then one absent id for every ten.
std::vector<int32_t> probeIds(const NamePage& page) {
    std::vector<int32_t> ids;
    for (const auto& entry : page.firstLineOfId) ids.push_back(entry.first);
    std::sort(ids.begin(), ids.end());
    std::shuffle(ids.begin(), ids.end(), std::mt19937(17));
    const int32_t absent = static_cast<int32_t>(ids.size() / 10);
    for (int32_t i = 0; i < absent; ++i) ids.push_back(-1 - i);
    return ids;
}

void loadNamePageBench(benchmark::State& state) {
    if (!game().ok) {
        state.SkipWithError("the game folder could not be generated");
        return;
    }
    for (auto _ : state) {
        NamePage page;
        benchmark::DoNotOptimize(loadNamePage(page, game().pagePath));
    }
}
BENCHMARK(loadNamePageBench)->Name("loadNamePage")->Unit(benchmark::kMillisecond);

template <std::string (*lookup)(const NamePage&, int32_t)>
void lookupBench(benchmark::State& state) {
    NamePage page;
    if (!game().ok || !loadNamePage(page, game().pagePath) || page.nameLines.count() == 0) {
        state.SkipWithError("the generated name page did not load");
        return;
    }
    const std::vector<int32_t> ids = probeIds(page);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookup(page, ids[next]));
        next = next + 1 == ids.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["nameLines"] = page.nameLines.count();
}
BENCHMARK(lookupBench<lookupName>)->Name("lookupName/indexed");
BENCHMARK(lookupBench<lookupNameByScan>)->Name("lookupName/scan")->Unit(benchmark::kMicrosecond);

} // namespace
