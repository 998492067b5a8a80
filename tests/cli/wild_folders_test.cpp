// Every front held to the same promises over game folders as modders' tools
// leave them (support/wild_game.h): export and import against the editor's Save,
// diff, merge.
// ORVEX_WILD_SEEDS=N runs N seeds instead of the suite's (scripts/wild-folders.sh).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/test_game.h"
#include "support/wild_game.h"

namespace {

namespace fs = std::filesystem;

CliRun cli(std::vector<std::string> args) { return runCliIn(Language::en, std::move(args)); }

uint32_t seedCount() {
    const char* n = std::getenv("ORVEX_WILD_SEEDS");
    return n && *n ? static_cast<uint32_t>(std::strtoul(n, nullptr, 10)) : 24u;
}

std::string lowered(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Names the files that differ rather than printing whole folders.
void expectSameFiles(const std::map<std::string, std::string>& got,
                     const std::map<std::string, std::string>& expected) {
    for (const auto& [name, bytes] : expected) {
        const auto found = got.find(name);
        if (found == got.end()) ADD_FAILURE() << name << " is missing";
        else EXPECT_EQ(found->second, bytes) << name;
    }
    for (const auto& [name, bytes] : got)
        if (!expected.count(name)) ADD_FAILURE() << name << " should not be there";
}

// What the seed made of a table, by the file name the editor gives it.
const WildTable& made(const WildGame& wild, std::string_view fileName) {
    static const WildTable none;
    for (const WildTable& t : wild)
        if (lowered(t.fileName) == lowered(fileName.substr(6))) return t; // after "types\\"
    return none;
}

// Export then import of every table writes what one Save of the editor writes.
// A table the editor keeps from saving is refused by export, unless its header
// only counts more records than the file has: export gives the records there
// are, and import writes them under a header counting them.
TEST(WildFolders, ExportThenImportEqualsOneSave) {
    for (uint32_t seed = 0; seed < seedCount(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TempGame viaCli, viaEditor;
        const WildGame wild = writeWildGame(viaCli, ORVEX_SAMPLE_GAME, seed);
        writeWildGame(viaEditor, ORVEX_SAMPLE_GAME, seed);
        const GameState before = loadedGame(viaEditor);
        ASSERT_TRUE(saveAllTables(before).failed.empty());
        auto expected = viaEditor.files("types");
        for (const TableName& t : kTableNames) {
            const WildTable& table = made(wild, t.fileName);
            const std::string csv = viaCli.folder() + std::string(t.key) + ".csv";
            const CliRun out = cli({"export", "--folder", viaCli.folder(), std::string(t.key), "-o", csv});
            const bool exported = !table.keptFromSaving() || table.recordsLoaded();
            ASSERT_EQ(out.status, exported ? 0 : 1) << t.key << out.err;
            if (!exported) continue;
            const CliRun in = cli({"import", "--allow-empty", "--folder", viaCli.folder(), std::string(t.key), csv});
            EXPECT_EQ(in.status, 0) << t.key << in.err;
            fs::remove(csv);
            if (table.recordsLoaded()) {
                // Imported as the records there are: what Save would write once
                // the count is mended, and the file as it was kept as its backup.
                visitTable(before, t.id, [&](const auto& v) {
                    expected[table.fileName] = tableFileText(v.headerValue, forReplacement(v.file), v.records);
                });
                for (const auto& [name, bytes] : viaCli.files("types"))
                    if (lowered(name) == lowered(fs::path(table.fileName).replace_extension(".bak").string()))
                        expected[name] = bytes;
            }
        }
        expectSameFiles(viaCli.files("types"), expected);
    }
}

// diff of a folder against its copy finds nothing, and a merge of a folder with
// itself on both sides is the folder: nothing is written into MINE, and the
// merged copy (a new folder) is MINE's files byte for byte, its name page with them.
TEST(WildFolders, DiffAndMergeOfAFolderWithItsCopiesChangeNothing) {
    const auto lowerNames = [](const std::map<std::string, std::string>& files) {
        std::map<std::string, std::string> lower;
        for (const auto& [name, bytes] : files) lower[lowered(name)] = bytes;
        return lower;
    };
    for (uint32_t seed = 0; seed < seedCount(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TempGame base, mine, theirs, out;
        for (const TempGame* g : {&base, &mine, &theirs}) writeWildGame(*g, ORVEX_SAMPLE_GAME, seed, false);
        const CliRun same = cli({"diff", "--folder", mine.folder(), "--against", base.folder()});
        EXPECT_EQ(same.status, 0) << same.out << same.err;
        const auto before = mine.files("types");
        const CliRun merged =
            cli({"merge", base.folder(), mine.folder(), theirs.folder(), "-o", out.folder() + "mods/merged"});
        ASSERT_EQ(merged.status, 0) << merged.out << merged.err;
        expectSameFiles(mine.files("types"), before);
        expectSameFiles(lowerNames(out.files("mods/merged/types")), lowerNames(before));
        EXPECT_EQ(out.read("mods/merged/t/70001.xml"), mine.read("t/70001.xml"));
    }
}

} // namespace
