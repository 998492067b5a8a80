// Start-up of the editor on the headless platform over a large invented game:
// the name page, every table, every list filled and the first record of each
// group shown, as before the window first appears.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "game_generator.h"
#include "tables/game_state.h"
#include "tables/ware_list.h"
#include "ui/control.h"
#include "ui/headless/headless_platform.h"
#include "version.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

namespace {

struct LargeGameFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / "orvex-bench-editor-game";
    LargeGameFolder() { generateGame(path.string() + "/"); }
    ~LargeGameFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

void editorStartup(benchmark::State& run) {
    static LargeGameFolder folder;
    size_t entries = 0;
    for (auto _ : run) {
        HeadlessPlatform platform;
        GameState game;
        game.folder = folder.path.string() + "/";
        Control& application = createApplication(platform, ORVEX_CAPTION);
        MainForm* form = buildMainWindow(application, game, Language::ru);
        if (!form) run.SkipWithError("start-up found no name page");
        else entries = itemCount(*form->shipList) + itemCount(*form->ware.list);
        runMessageLoop(application); // nothing queued: creates the windows, then releases
    }
    run.counters["ship+ware entries"] = static_cast<double>(entries);
}
BENCHMARK(editorStartup)->Unit(benchmark::kMillisecond)->UseRealTime();

// The editor on the huge game (100 times a real one), started; `work` runs
// inside its loop, as a user's actions do.
void onHugeGame(benchmark::State& run, const char* name, const std::function<void(MainForm&, GameState&)>& work) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    generateGame(path.string() + "/", realGameTimes(100));
    HeadlessPlatform platform;
    GameState game;
    game.folder = path.string() + "/";
    Control& application = createApplication(platform, ORVEX_CAPTION);
    MainForm* form = buildMainWindow(application, game, Language::ru);
    if (!form) run.SkipWithError("start-up found no name page");
    else platform.call([&] { work(*form, game); });
    runMessageLoop(application);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

// Ctrl+D's copy of the shown ship in the huge game, then Save: every table and
// the name page written.
void copyShipAndSaveHugeGame(benchmark::State& run) {
    onHugeGame(run, "orvex-bench-editor-huge", [&](MainForm& form, GameState&) {
        int n = 0;
        for (auto _ : run)
            if (!duplicateRecord(form, TableId::ships, 0, "SS_SH_BENCH_" + std::to_string(++n), "Kestrel").empty() ||
                !saveTables(form))
                run.SkipWithError("the copy or Save failed");
    });
}
BENCHMARK(copyShipAndSaveHugeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// F3 from the ship list for the last ware's identifier in the huge game (about
// 30,000 wares): every list read through, in every letter case, to the last entry.
void findLastWareHugeGame(benchmark::State& run) {
    onHugeGame(run, "orvex-bench-editor-find", [&](MainForm& form, GameState& game) {
        const int last = static_cast<int>(wareCount(game)) - 1;
        form.findText = wareAt(game, last)->objectId;
        const auto f3 = std::find_if(form.window->keyCommands.begin(), form.window->keyCommands.end(),
                                     [](const KeyCommand& k) { return k.key == kKeyF3; });
        for (auto _ : run) {
            f3->slot.fn(f3->slot.context, *form.shipList);
            if (selectedIndex(*form.ware.list) != last) run.SkipWithError("F3 did not reach the last ware");
        }
        run.counters["wares"] = last + 1;
    });
}
BENCHMARK(findLastWareHugeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
