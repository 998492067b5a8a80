// Any bytes as a game folder: the input is cut at the byte 0x1E into the files
// tships, tcockpits, tlaser, tbullets, tshields, trockets, tfactories, the five
// ware files and the name page (a file the input does not reach is missing).
// Loading, the name lookups and saving must not crash, hang or run away with
// memory; a table that loads unreadable or not in format must be left as it is
// (no backup either), whatever the writer writes must load in format, and a saved
// folder loaded and saved again must come back byte for byte.

#include "names/name_page.h"
#include "tables/fields.h"
#include "tables/game_state.h"
#include "tables/load_tables.h"
#include "tables/save_tables.h"
#include "tables/table_files.h"
#include "text/convert.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 13> kFiles = {
    "types/tships.txt",    "types/tcockpits.txt", "types/tlaser.txt",  "types/tbullets.txt",
    "types/tshields.txt",  "types/trockets.txt",  "types/tfactories.txt", "types/TWareB.txt",
    "types/TWareE.txt",    "types/TWareF.txt",    "types/TWareM.txt",  "types/TWareT.txt",
    "t/70001.xml"};

// Counts up to the loaders' limit are honest input, but a run that builds a
// million records takes seconds; such inputs are left to the unit tests.
constexpr int32_t kLargestFuzzedCount = 20'000;

const fs::path& folder() {
    static const fs::path path = [] {
        // A memory-backed folder where there is one: every save flushes its files.
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm")
                                                                  : fs::temp_directory_path();
        fs::path p = base / ("orvex-fuzz-tables-" + std::to_string(getpid()));
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(folder(), ignored);
        });
        return p;
    }();
    return path;
}

std::string prefix() { return folder().string() + "/"; }

std::map<std::string, std::string> folderBytes() {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder())) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

// Records and group entries in memory: a count a line cannot fill still builds
// its entries (up to the loaders' allowance), which is honest but slow to save.
size_t entriesOf(const GameState& game) {
    size_t n = 0;
    for (const TableName& t : kTableNames)
        n += visitTable(game, t.id, [](const auto& table) { return table.records.size(); });
    n -= game.ships.records.size(); // counted with their groups below
    for (const TShips& s : game.ships.records) {
        n += 1 + s.items.size() + s.turrets.size();
        for (const TTurret& t : s.turrets) n += t.gunGroups.size();
    }
    return n;
}

bool countTooLargeToFuzz(std::string_view file) {
    std::string_view header = file.substr(0, file.find_first_of("\r\n"));
    takeField(header);
    return textToInt(takeField(header)) > kLargestFuzzedCount;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::error_code ignored;
    fs::remove_all(folder(), ignored);
    fs::create_directories(folder() / "types");
    fs::create_directories(folder() / "t");
    for (const char* name : kFiles) {
        if (input.empty()) break;
        const size_t cut = std::min(input.find('\x1e'), input.size());
        const std::string_view file = input.substr(0, cut);
        input.remove_prefix(std::min(cut + 1, input.size()));
        if (countTooLargeToFuzz(file)) return -1; // not added to the corpus
        std::ofstream(folder() / name, std::ios::binary)
            .write(file.data(), static_cast<std::streamsize>(file.size()));
    }

    GameState first;
    first.folder = prefix();
    loadAllTables(first);
    if (entriesOf(first) > static_cast<size_t>(kLargestFuzzedCount)) return -1;
    NamePage page;
    loadNamePage(page, prefix() + "t\\70001.xml");
    for (const TShips& s : first.ships.records)
        if (lookupName(page, s.nameTextId) != lookupNameByScan(page, s.nameTextId))
            __builtin_trap();
    const auto loaded = folderBytes();
    saveAllTables(first);
    const auto saved = folderBytes();
    // tableFiles lists the tables in the order of kFiles.
    const std::vector<TableFileEntry> tables = tableFiles(first);
    for (size_t i = 0; i < tables.size(); ++i) {
        if (!keptFromSaving(*tables[i].file)) continue;
        const std::string path = (folder() / kFiles[i]).string();
        if (saved.count(path) == 0 || saved.at(path) != loaded.at(path)) __builtin_trap();
        if (fs::exists(fs::path(path).replace_extension(".bak"))) __builtin_trap();
    }

    GameState second;
    second.folder = prefix();
    loadAllTables(second);
    const std::vector<TableFileEntry> reloaded = tableFiles(second);
    for (size_t i = 0; i < tables.size(); ++i)
        if (keptFromSaving(*reloaded[i].file) && !keptFromSaving(*tables[i].file))
            __builtin_trap(); // the writer wrote what the loader refuses
    saveAllTables(second);
    if (folderBytes() != saved) __builtin_trap(); // a save of a save changes nothing
    return 0;
}
