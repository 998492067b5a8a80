// orvex-cli add and rename on the editor tests' game: a copy equals its source
// but for its identifier and name, the page gains one line and nothing else,
// and every refusal leaves every file of the folder as it was.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "names/name_page.h"
#include "support/cli_run.h"
#include "support/test_game.h"
#include "text/cp1251.h"
#include "text/files.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

// The page without the line holding `<t id="N">`: what it was before that line was added.
std::string withoutLine(std::string page, int32_t id) {
    const size_t at = page.find("<t id=\"" + std::to_string(id) + "\">");
    if (at == std::string::npos) return page;
    return page.erase(at, page.find('\n', at) + 1 - at);
}

// The table of `s` of the same kind as `like` (the one visitTable gives for `id`).
template <class T> const T& sameTable(const GameState& s, TableId id, const T&) {
    const T* found = nullptr;
    visitTable(s, id, [&](const auto& t) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(t)>, T>) found = &t;
    });
    return *found;
}

// "types/TShips.bak" for "types\TShips.txt".
std::string backupOf(TableId id) {
    const std::string_view file = tableName(id).fileName;
    return "types/" + std::string(file.substr(6, file.size() - 10)) + ".bak";
}

std::string nameOn(const TempGame& game, int32_t id) {
    NamePage page;
    readNamePage(page, game.read("t/70001.xml"));
    return cp1251::toUtf8(lookupName(page, id));
}

// A copy in each named table: its record equals the source's but for its objectId
// and text id, its text id is new, the page gains exactly its line, and the first
// write of each file keeps a ".bak" that a second write leaves alone.
TEST(AddCommand, CopiesTheRecordAndAddsOneNameLine) {
    const struct {
        const char* table;
        TableId id;
        const char* source;
    } cases[] = {{"ships", TableId::ships, "SS_SH_CONDOR"},    {"shields", TableId::shields, "SS_SHIELD_5"},
                 {"rockets", TableId::rockets, "SS_MISSILE_NEEDLE"}, {"stations", TableId::stations, "SS_FACTORY_MINE"},
                 {"wareT", TableId::wareT, "SS_WARE_ORE"},     {"TLaser.txt", TableId::lasers, "SS_LASER_PAC"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        TempGame game;
        writeEditorGame(game);
        // Laser i fires bullet i: as many bullets as lasers. A ship uses the id
        // after page 17's largest without a line of its own.
        editGame(game, [](GameState& s) { s.lasers.records.pop_back(), s.ships.records[1].nameTextId = 6003; },
                 {TableId::lasers, TableId::ships});
        const GameState before = loadedGame(game);
        const std::string page = game.read("t/70001.xml");
        const CliRun run = runCliIn(Language::en, {"add", "--folder", game.folder(), c.table, "--copy", c.source,
                                                   "--id", "NEW_ONE", "--name", "Kestrel & <Co>", "--format", "json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json doc = nlohmann::json::parse(run.out);
        const int32_t textId = doc["textId"];
        const GameState after = loadedGame(game);
        visitTable(after, c.id, [&](const auto& t) {
            const auto& old = sameTable(before, c.id, t);
            ASSERT_EQ(t.records.size(), old.records.size() + 1);
            EXPECT_EQ(doc["index"], old.records.size());
            auto copy = t.records.back();
            EXPECT_EQ(copy.objectId, "NEW_ONE");
            if constexpr (requires { copy.nameTextId; }) {
                EXPECT_EQ(copy.nameTextId, textId);
                EXPECT_EQ(textId, 6004);
                for (const auto& r : old.records) {
                    if (r.objectId != c.source) continue;
                    copy.objectId = r.objectId;
                    copy.nameTextId = r.nameTextId;
                    EXPECT_EQ(copy, r);
                }
            }
        });
        EXPECT_EQ(withoutLine(game.read("t/70001.xml"), textId), page);
        EXPECT_EQ(nameOn(game, textId), "Kestrel & <Co>");
        EXPECT_EQ(game.read("t/70001.bak"), page);
        if (c.id == TableId::lasers) {
            EXPECT_EQ(doc["bullet"]["index"], 2);
            EXPECT_EQ(loadedGame(game).bullets.records.back().objectId, "SS_BULLET_PAC_2");
        }
        const std::string firstBak = game.read(backupOf(c.id));
        ASSERT_EQ(runCliIn(Language::en, {"add", "--folder", game.folder(), c.table, "--copy", c.source, "--id",
                                          "NEW_TWO", "--name", "Second"}).status, 0);
        EXPECT_EQ(game.read("t/70001.bak"), page);
        EXPECT_EQ(game.read(backupOf(c.id)), firstBak);
    }
}

// Each refusal: exit 2, its reason on err, and not a byte of the folder changed.
TEST(AddCommand, RefusalsChangeNothing) {
    const struct {
        std::vector<std::string> args;
        const char* says;
        const char* page = nullptr; // the name page's bytes, when not the game's own
    } cases[] = {
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "SS_SH_SHARED"}, "already used in types\\TShips.txt"},
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "ss_sh_shared"}, "already used"},
        {{"add", "wareT", "--copy", "SS_WARE_ORE", "--id", "SS_WARE_BATTERY"}, "already used in the ware files"},
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", ""}, "the identifier is empty"},
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "A;B"}, "a blank or a control character"},
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "A B"}, "a blank or a control character"},
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "A\xE2\x9C\x93"}, "Windows-1251 lacks"},
        {{"add", "ships", "--copy", "SS_SH_NOSUCH", "--id", "X"}, "has no object \"SS_SH_NOSUCH\""},
        {{"add", "bullets", "--copy", "SS_BULLET_IRE", "--id", "X"}, "have no names"},
        {{"add", "cockpits", "--copy", "SS_COCKPIT_A", "--id", "X"}, "have no names"},
        {{"add", "lasers", "--copy", "SS_LASER_IRE", "--id", "X"}, "laser i fires bullet i"},
        {{"add", "wareM", "--copy", "X", "--id", "Y"}, "has no object"},
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "X"}, "no page 17", "<page id=\"3\">\r\n</page>\r\n"},
        {{"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "X"}, "not in format", "<page id=\"17\">\r\n<t id=\"1\">A</t>"},
        {{"rename", "ships", "SS_SH_NOSUCH"}, "has no object"},
        {{"rename", "cockpits", "SS_COCKPIT_A"}, "have no names"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        TempGame game;
        writeEditorGame(game);
        if (c.page) game.write("t/70001.xml", c.page);
        const auto before = game.files();
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, {"--folder", game.folder()});
        args.insert(args.end(), {"--name", "Kestrel"});
        const CliRun run = runCliIn(Language::en, args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(holds(run.err, c.says)) << run.err;
        EXPECT_TRUE(holds(run.err, "Nothing written.")) << run.err;
        EXPECT_EQ(game.files(), before);
    }
    TempGame noPage;
    writeEditorGame(noPage);
    fs::remove(noPage.path("t/70001.xml"));
    const CliRun run = runCliIn(Language::ru, {"add", "--folder", noPage.folder(), "ships", "--copy", "SS_SH_CONDOR",
                                               "--id", "X", "--name", "Y"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(holds(run.err, "нет страницы имён")) << run.err;
}

// rename changes the object's own line alone; a text id shared with another
// object, or one without a line, gives the object a new id and line instead.
TEST(RenameCommand, ChangesOnlyThisObjectsName) {
    const struct {
        const char* table;
        const char* object;
        int32_t oldId;
        bool newId;
        bool sharedWithShield = false; // a shield uses the ship's text id too
    } cases[] = {{"ships", "SS_SH_CONDOR", 1001, false},
                 {"ships", "SS_SH_CONDOR", 1001, true, true},
                 {"stations", "SS_FACTORY_NORACE", 5001, true}, // shared with SS_FACTORY_MINE
                 {"ships", "SS_SH_NONAME", 1999, true}};        // no line on page 17
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        TempGame game;
        writeEditorGame(game);
        if (c.sharedWithShield)
            editGame(game, [](GameState& s) { s.shields.records[0].nameTextId = 1001; }, {TableId::shields});
        const std::string page = game.read("t/70001.xml");
        const std::string oldName = nameOn(game, c.oldId);
        const CliRun run = runCliIn(Language::en, {"rename", "--folder", game.folder(), c.table, c.object, "--name",
                                                   "Сокол \"2\"", "--format", "json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const int32_t textId = nlohmann::json::parse(run.out)["textId"];
        EXPECT_EQ(nameOn(game, textId), "Сокол \"2\"");
        EXPECT_EQ(textId != c.oldId, c.newId);
        EXPECT_EQ(game.exists("types/TShips.bak") || game.exists("types/TFactories.bak"), c.newId);
        if (c.newId) {
            EXPECT_EQ(withoutLine(game.read("t/70001.xml"), textId), page);
            EXPECT_EQ(nameOn(game, c.oldId), oldName);
        }
    }
}

// Two mods that each made objects merge with every object keeping the name its
// side gave it: THEIRS' new names move to ids of their own when MINE's took the
// same ids, and the records follow. One object named differently on both sides
// is a conflict, settled by --prefer.
TEST(MergeNames, EveryObjectKeepsItsSidesName) {
    using Args = std::vector<std::string>;
    const struct {
        const char* what;
        Args mine, theirs, prefer;
        int status;
        std::map<std::string, std::string> names; // objectId -> its name in the merge
    } cases[] = {
        {"both added", {"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "SS_SH_MINE", "--name", "Mine"},
         {"add", "shields", "--copy", "SS_SHIELD_1", "--id", "SS_SHIELD_THEIRS", "--name", "Theirs"}, {}, 0,
         {{"SS_SH_MINE", "Mine"}, {"SS_SHIELD_THEIRS", "Theirs"}, {"SS_SH_CONDOR", "Кондор"}}},
        {"a rename and an addition", {"add", "ships", "--copy", "SS_SH_CONDOR", "--id", "SS_SH_MINE", "--name", "Mine"},
         {"rename", "ships", "SS_SH_CONDOR", "--name", "Кондор-М"}, {}, 0,
         {{"SS_SH_MINE", "Mine"}, {"SS_SH_CONDOR", "Кондор-М"}}},
        {"one name twice", {"rename", "ships", "SS_SH_CONDOR", "--name", "A"},
         {"rename", "ships", "SS_SH_CONDOR", "--name", "B"}, {}, 1, {{"SS_SH_CONDOR", "A"}}},
        {"one name twice, theirs", {"rename", "ships", "SS_SH_CONDOR", "--name", "A"},
         {"rename", "ships", "SS_SH_CONDOR", "--name", "B"}, {"--prefer", "theirs"}, 0, {{"SS_SH_CONDOR", "B"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempGame base, mine, theirs;
        for (const TempGame* g : {&base, &mine, &theirs}) writeEditorGame(*g);
        for (auto [game, args] : {std::pair{&mine, c.mine}, {&theirs, c.theirs}}) {
            args.insert(args.begin() + 1, {"--folder", game->folder()});
            ASSERT_EQ(runCliIn(Language::en, args).status, 0);
        }
        Args merge = {"merge", base.folder(), mine.folder(), theirs.folder()};
        merge.insert(merge.end(), c.prefer.begin(), c.prefer.end());
        const CliRun run = runCliIn(Language::en, merge);
        EXPECT_EQ(run.status, c.status) << run.out << run.err;
        const GameState merged = loadedGame(mine);
        for (const auto& [objectId, name] : c.names) {
            int32_t textId = -1;
            for (const TableName& t : kTableNames)
                visitTable(merged, t.id, [&](const auto& table) {
                    if constexpr (requires { table.records[0].nameTextId; })
                        for (const auto& r : table.records)
                            if (r.objectId == objectId) textId = r.nameTextId;
                });
            EXPECT_EQ(nameOn(mine, textId), name) << objectId;
        }
    }
}

#ifdef _WIN32
// A folder an Orvex window has open (its mark made here as the window makes
// it): the commands that write there warn, and still write.
TEST(OpenInEditor, WritingCommandsWarnAndWrite) {
    TempGame game;
    writeEditorGame(game);
    const auto warned = [&](std::vector<std::string> args) {
        const CliRun run = runCliIn(Language::en, args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.err.find("is open in Orvex; the changes are written") != std::string::npos;
    };
    const std::string csv = game.folder() + "ships.csv";
    HANDLE mark = CreateMutexA(nullptr, FALSE, folderMarkName(game.folder()).c_str());
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(warned({"add", "--folder", game.folder(), "ships", "--copy", "SS_SH_CONDOR", "--id", "A", "--name", "A"}));
    ASSERT_EQ(runCliIn(Language::en, {"export", "--folder", game.folder(), "ships", "-o", csv}).status, 0);
    EXPECT_TRUE(warned({"import", "--folder", game.folder(), "ships", csv}));
    CloseHandle(mark);
    EXPECT_FALSE(warned({"rename", "--folder", game.folder(), "ships", "A", "--name", "B"}));
}
#endif

} // namespace
