// orvex-cli merge, merge-file, diff-files, show-file and git-setup on copies of
// the sample game, and a real git repository that merges branches through the
// driver.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "cli/run_program.h"
#include "support/cli_run.h"
#include "support/test_game.h"
#include "text/files.h"

namespace {

namespace fs = std::filesystem;

CliRun cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--lang", "ru"});
    return runCliIn(Language::ru, std::move(args));
}

// A path as messages show it: the platform's separators.
std::string shown(const fs::path& path) { return fs::path(path).make_preferred().string(); }

class Merge : public ::testing::Test {
  protected:
    Merge() {
        for (const TempGame* g : {&base, &mine, &theirs}) g->copyGame(ORVEX_SAMPLE_GAME);
    }
    CliRun merge(std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"merge", base.folder(), mine.folder(), theirs.folder()};
        args.insert(args.end(), more.begin(), more.end());
        return cli(args);
    }
    TempGame base, mine, theirs;
};

} // namespace

TEST_F(Merge, FieldsConflictsPreferenceAndTrouble) {
    editGame(mine, [](GameState& s) { s.ships.records[0].speed = 31080; });
    editGame(theirs, [](GameState& s) { s.ships.records[0].hullStrength = 4321; });
    const std::string mineBefore = mine.read("types/TShips.txt");

    // Different fields of one ship: both, written into MINE with its backup.
    CliRun r = merge();
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    const TShips merged = loadedGame(mine).ships.records[0];
    EXPECT_EQ(std::pair(merged.speed, merged.hullStrength), std::pair(31080, 4321));
    EXPECT_EQ(mine.read("types/TShips.bak"), mineBefore);
    EXPECT_TRUE(holds(r.out, "Корпус")) << r.out;

    // The same field changed differently: a conflict, nothing written.
    editGame(theirs, [](GameState& s) { s.ships.records[0].speed = 33300; });
    const std::string mergedBytes = mine.read("types/TShips.txt");
    r = merge({"--format", "json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(mine.read("types/TShips.txt"), mergedBytes);
    const nlohmann::json doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc.at("tables")[0].at("conflicts")[0],
              (nlohmann::json{{"objectId", "SS_SH_KND"}, {"name", "Кондор"}, {"column", "speed"},
                              {"label", "Начальная скорость"}, {"base", "27750"}, {"mine", "31080"},
                              {"theirs", "33300"}}));
    EXPECT_FALSE(doc.at("written"));
    EXPECT_TRUE(holds(merge().out, "Начальная скорость: в основе 125 м/с (27750), у меня 140 м/с (31080), у них 150 м/с (33300)"));

    // --prefer settles it; -o makes a game folder at any depth (named without a
    // separator at the end) that the editor opens: MINE's name page goes with it.
    TempGame out;
    const std::string ported = out.folder() + "mods/ported";
    r = merge({"--prefer", "theirs", "-o", ported});
    EXPECT_EQ(r.status, 0) << r.err;
    const GameState portedGame = loadedGame(out.path("mods/ported").string() + "/");
    EXPECT_EQ(portedGame.ships.records[0].speed, 33300);
    EXPECT_EQ(portedGame.lasers.records, loadedGame(mine).lasers.records);
    EXPECT_EQ(out.read("mods/ported/t/70001.xml"), mine.read("t/70001.xml"));
    EXPECT_EQ(cli({"check", "--folder", ported}).status, 0);
    EXPECT_EQ(mine.read("types/TShips.txt"), mergedBytes);
    EXPECT_EQ(cli({"merge", base.folder(), mine.folder(), mine.folder() + "types"}).status, 2);
}


// A ware table of another version of the game (more fields, a number where the
// objectId stands) is named once by check and by diff.
TEST_F(Merge, AnotherVersionsTableIsNamedOnce) {
    std::string lines = "1;3;\r\n";
    for (int i = 0; i < 3; ++i) lines += "0;1;0.5;1;0;0;6001;1;16;10;0;1;140;0;0;0;SS_WARE_" + std::to_string(i) + ";\r\n";
    mine.write("types/TWareE.txt", lines);
    const CliRun check = cli({"check", "--folder", mine.folder()});
    size_t count = 0;
    for (size_t at = check.out.find("TWareE.txt"); at != std::string::npos; at = check.out.find("TWareE.txt", at + 1)) ++count;
    EXPECT_EQ(count, 1u) << check.out;
    EXPECT_TRUE(holds(check.out, "«140» на месте objectId")) << check.out;
    const CliRun diff = cli({"diff", "--folder", mine.folder(), "--against", base.folder(), "wareE"});
    EXPECT_EQ(diff.status, 2);
    EXPECT_TRUE(holds(diff.out, "таблица другой версии игры")) << diff.out;
    EXPECT_FALSE(holds(diff.out, "добавлена запись")) << diff.out;
}

// Standard output holds the report alone, in JSON one document and nothing
// after it. A table a side cannot read stops the merge: it is named on the error
// stream, and standard output claims no merge of the other tables.
TEST_F(Merge, ReportOnStandardOutputMessagesOnTheErrorStream) {
    editGame(theirs, [](GameState& s) { s.ships.records[0].hullStrength = 4321; });
    const std::string rockets = theirs.read("types/TRockets.txt");
    const std::string unreadable = shown(theirs.path("types/TRockets.txt")) + ": строка 3, поле 2: «x» — не число";
    for (const bool broken : {false, true}) {
        if (broken) theirs.writeLines("types/TRockets.txt", {"// by hand", "12;1;", "0;x;"});
        for (const std::string format : {"text", "markdown", "json"}) {
            SCOPED_TRACE(format + (broken ? ", unreadable" : ""));
            TempGame out;
            const CliRun r = merge({"--format", format, "-o", out.folder() + "merged"});
            EXPECT_EQ(r.status, broken ? 2 : 0) << r.err;
            // "Merged" on the report's stream, the error stream under JSON; what went wrong on the error stream.
            EXPECT_EQ(std::tuple(holds(r.out, "Слито"), holds(r.err, "Слито"), holds(r.out, "Корпус"),
                                 holds(r.err, unreadable), holds(r.err, "Ничего не записано."), out.exists("merged")),
                      std::tuple(!broken && format != "json", !broken && format == "json", !broken, broken, broken,
                                 !broken))
                << r.out << r.err;
            if (format == "json") {
                nlohmann::json doc;
                ASSERT_NO_THROW(doc = nlohmann::json::parse(r.out)) << r.out;
                EXPECT_EQ(doc.at("written"), !broken);
                EXPECT_EQ(doc.at("tables").size(), broken ? 1u : 12u);
            }
        }
    }
    theirs.write("types/TRockets.txt", rockets);
}

// A merge writes all its tables or none. An obstacle at a later table stops it
// before an earlier one is replaced, names the entry with the system's reason
// and leaves no temporary or backup behind; MINE is as wild as tools leave it.
TEST_F(Merge, WritesAllTablesOrNone) {
    // MINE's ships: a remark, LF ends, a lower-case name; THEIRS changes them and the shields.
    std::string ships = mine.read("types/TShips.txt");
    std::erase(ships, '\r');
    fs::remove(mine.path("types/TShips.txt"));
    mine.write("types/tships.txt", "// made with a table tool\n" + ships);
    editGame(theirs, [](GameState& s) {
        s.ships.records[0].hullStrength = 4321;
        s.shields.records[0].shieldPower += 1;
    }, {TableId::ships, TableId::shields});
    TempGame out;
    fs::create_directories(out.path("ported/types"));
    enum Obstacle { folder, file, readOnly };
    const struct {
        const TempGame& game;
        const char* entry; // where the obstacle stands, named in the message
        Obstacle obstacle;
        const char* reason;
    } cases[] = {
        {mine, "types/TShields.orvex-new", folder, "ошибка записи"},
        {mine, "types/TShields.bak", folder, "ошибка записи"},
        {mine, "types/TShields.txt", readOnly, "файл только для чтения"},
        {out, "ported/types/TShields.txt", folder, "ошибка записи"},
        {out, "ported/t", file, "ошибка записи"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        if (c.obstacle == folder) fs::create_directories(c.game.path(c.entry));
        if (c.obstacle == file) c.game.write(c.entry, "in the way");
        if (c.obstacle == readOnly)
            fs::permissions(c.game.path(c.entry), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        const auto mineBefore = mine.files(), outBefore = out.files();
        const CliRun r = &c.game == &out ? merge({"-o", out.folder() + "ported"}) : merge();
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_TRUE(holds(r.err, shown(c.game.path(c.entry)) + ": " + c.reason + "; ничего не записано")) << r.err;
        EXPECT_EQ(std::pair(mine.files(), out.files()), std::pair(mineBefore, outBefore));
        if (c.obstacle == readOnly) fs::permissions(c.game.path(c.entry), fs::perms::owner_write, fs::perm_options::add);
        else fs::remove_all(c.game.path(c.entry));
    }

#ifndef _WIN32
    // With the way clear both are written, and a table keeps its permissions.
    fs::permissions(mine.path("types/tships.txt"), fs::perms(0664));
#endif
    const CliRun r = merge();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(loadedGame(mine).ships.records[0].hullStrength, 4321);
    EXPECT_EQ(loadedGame(mine).shields.records[0].shieldPower, loadedGame(theirs).shields.records[0].shieldPower);
    EXPECT_FALSE(holds(mine.read("types/tships.txt"), "\r"));
    EXPECT_EQ(mine.read("types/TShips.bak"), "// made with a table tool\n" + ships);
#ifndef _WIN32
    EXPECT_EQ(fs::status(mine.path("types/tships.txt")).permissions(), fs::perms(0664));
#endif
}


// git's drivers on files: merge-file into MINE, diff-files by a path in any case.
TEST_F(Merge, MergeFileAndDiffFiles) {
    editGame(mine, [](GameState& s) { s.ships.records[0].speed = 31080; });
    editGame(theirs, [](GameState& s) { s.ships.records[0].hullStrength = 4321; });
    const std::string b = base.path("types/TShips.txt").string(), m = mine.path("types/TShips.txt").string(),
                      t = theirs.path("types/TShips.txt").string();
    CliRun r = cli({"merge-file", b, m, t, "--path", "Mod/TYPES/tships.TXT"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(loadedGame(mine).ships.records[0].hullStrength, 4321);
    EXPECT_FALSE(mine.exists("types/TShips.bak"));

    // A conflict names the ship from the name page of the game around the path.
    editGame(theirs, [](GameState& s) { s.ships.records[0].speed = 33300; });
    r = cli({"merge-file", b, m, t, "--path", mine.folder() + "types/TShips.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(loadedGame(mine).ships.records[0].speed, 31080); // MINE's value, still a table
    EXPECT_TRUE(holds(r.err, "Кондор (SS_SH_KND): Начальная скорость: в основе 125 м/с")) << r.err;

    r = cli({"diff-files", b, m, "--path", mine.folder() + "types/TShips.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(holds(r.out, "Кондор (SS_SH_KND): Начальная скорость 125 → 140 м/с")) << r.out;

    // A side that cannot be compared (NUL bytes after the last line) is never "no differences".
    const std::string ships = base.read("types/TShips.txt");
    theirs.write("types/TShips.txt", ships + std::string(8, '\0'));
    const std::vector<std::string> runs[] = {
        {"diff-files", b, t, "--path", "types/TShips.txt"},
        {"diff", "--folder", theirs.folder(), "--against", base.folder(), "ships"},
        {"diff", "--folder", theirs.folder(), "--against", base.folder(), "ships", "--format", "markdown"},
    };
    // diff-files, git's driver, falls back to git's line diff and exits as a diff
    // does; where git cannot be run (the Windows tests under Wine) it is trouble.
    std::string version;
    const int lineDiff = runProgram({"git", "--version"}, version) == 0 ? 1 : 2;
    for (const std::vector<std::string>& args : runs) {
        r = cli(args);
        EXPECT_EQ(r.status, args[0] == "diff-files" ? lineDiff : 2) << args[0];
        EXPECT_TRUE(holds(r.out + r.err, "нулевой байт")) << r.out << r.err;
        EXPECT_FALSE(holds(r.out + r.err, "Различий нет")) << r.out << r.err;
    }
}

// git's textconv: a table in the editor's words, a line per field naming its
// record; anything the loader cannot read as it is, so that git never fails on it.
TEST_F(Merge, ShowFileInWordsOrAsItIs) {
    const std::string ships = base.read("types/TShips.txt");
    mine.write("git-blob/Xy12_tships.TXT", ships);  // a name git's temporary may end with
    mine.write("types/notes.txt", ships);            // no table's file name
    mine.write("cut/TShips.txt", ships.substr(0, 1000)); // cut in the middle of a line
    const struct {
        const char* file;
        bool inWords;
    } cases[] = {{"git-blob/Xy12_tships.TXT", true}, {"types/notes.txt", false}, {"cut/TShips.txt", false}};
    for (const auto& c : cases) {
        const CliRun r = cli({"show-file", mine.path(c.file).string(), "--folder", base.folder()});
        EXPECT_EQ(r.status, 0) << c.file << r.err;
        if (c.inWords) {
            EXPECT_TRUE(holds(r.out, "\nКондор (SS_SH_KND): Начальная скорость 125 м/с (speed 27750)\n")) << r.out;
            EXPECT_TRUE(holds(r.out, "\nКондор (SS_SH_KND): Максимальный щит Щит 5 МДж (maxShieldType 1)\n"))
                << r.out; // named from the folder's shields
        } else {
            EXPECT_EQ(r.out, mine.read(c.file));
        }
    }
}

#ifdef ORVEX_CLI_PROGRAM
namespace {

// THEIRS turns the shields round, with LF line ends, and re-points its ships so
// each keeps its shield; it also gives the last ship more hull.
void reverseShields(GameState& s) {
    std::reverse(s.shields.records.begin(), s.shields.records.end());
    s.shields.file.lfOnly = true;
    const int32_t last = static_cast<int32_t>(s.shields.records.size()) - 1;
    for (TShips& ship : s.ships.records)
        if (ship.maxShieldType >= 0 && ship.maxShieldType <= last) ship.maxShieldType = last - ship.maxShieldType;
    s.ships.records.back().hullStrength += 100;
}

std::vector<std::string> shieldsNamed(const GameState& s) {
    std::vector<std::string> names;
    for (const TShips& ship : s.ships.records)
        names.push_back(ship.maxShieldType >= 0 && ship.maxShieldType < int32_t(s.shields.records.size())
                            ? s.shields.records[size_t(ship.maxShieldType)].objectId
                            : "?");
    return names;
}

// A git repository of the sample game, with a modder's notes beside the tables,
// set up by the built program itself. git runs with a PATH that holds git but
// not orvex-cli, so every driver is found by the full path git-setup wrote.
class Git : public ::testing::Test {
  protected:
    Git() {
        repo.copyGame(ORVEX_SAMPLE_GAME);
        repo.write("types/notes.txt", "speed\nhull\nshields\nguns\nprice\n");
        repo.write(".gitattributes", std::string(kEveryTextFile) + "\n*.png binary\n"); // as earlier versions wrote
        path = fs::path(ORVEX_GIT).parent_path().string() + ":/usr/bin:/bin";
        EXPECT_NE(run("command -v orvex-cli"), 0) << "orvex-cli must not be on the test's PATH";
        EXPECT_EQ(run("git init -q -b main ."), 0);
        EXPECT_EQ(run(std::string("'") + ORVEX_CLI_PROGRAM + "' git-setup"), 0);
        EXPECT_EQ(run("git add -A && git commit -qm base"), 0);
    }
    // Runs a shell command in the repository, in Russian; its output (both
    // streams) in `output` when given.
    int run(const std::string& command, std::string* output = nullptr) {
        const std::string shown = scratch.path("output.txt").string();
        const int status = std::system(("cd '" + repo.folder() + "' && export PATH='" + path +
                                        "' ORVEX_LANG=ru GIT_CONFIG_GLOBAL=/dev/null GIT_AUTHOR_NAME=t "
                                        "GIT_AUTHOR_EMAIL=t@t GIT_COMMITTER_NAME=t GIT_COMMITTER_EMAIL=t@t && (" +
                                        command + ") >'" + shown + "' 2>&1")
                                           .c_str());
        if (output != nullptr) *output = scratch.read("output.txt");
        return status;
    }
    // A branch from main whose one commit is `edit` on the tables.
    void branch(const std::string& name, const std::function<void(GameState&)>& edit,
                std::initializer_list<TableId> tables = {TableId::ships, TableId::lasers}) {
        ASSERT_EQ(run("git checkout -q -b " + name + " main"), 0);
        editGame(repo, edit, tables);
        ASSERT_EQ(run("git commit -qam " + name), 0);
    }
    static constexpr std::string_view kEveryTextFile = "**/[Tt][Yy][Pp][Ee][Ss]/*.[Tt][Xx][Tt] merge=orvex diff=orvex";
    TempGame repo, scratch;
    std::string path;
};

} // namespace

// The attributes name the twelve tables in any letter case, in place of the
// line that took every .txt; setting up again changes nothing. The drivers call
// the program by its full path.
TEST_F(Git, SetupNamesEachTableOnce) {
    const std::string attributes = repo.read(".gitattributes");
    ASSERT_EQ(run(std::string("'") + ORVEX_CLI_PROGRAM + "' git-setup"), 0);
    EXPECT_EQ(repo.read(".gitattributes"), attributes);
    EXPECT_FALSE(holds(attributes, kEveryTextFile)) << attributes;
    EXPECT_TRUE(holds(attributes, "\n*.png binary\n")) << attributes;
    const struct {
        const char* file;
        const char* driver;
    } cases[] = {{"types/TShips.txt", "orvex"},     {"mod/TYPES/tships.TXT", "orvex"},
                 {"Types/TWareT.txt", "orvex"},     {"types/notes.txt", "unspecified"},
                 {"TShips.txt", "unspecified"},     {"types/old/TShips.txt", "unspecified"}};
    for (const auto& c : cases) {
        std::string shown;
        run(std::string("git check-attr merge diff -- ") + c.file, &shown);
        EXPECT_EQ(shown, std::string(c.file) + ": merge: " + c.driver + "\n" + c.file + ": diff: " + c.driver + "\n");
    }
    std::string drivers;
    run("git config --get-regexp '^(merge|diff)[.]orvex[.](driver|command|textconv)$'", &drivers);
    for (const char* called : {" merge-file %O %A %B --path %P", " diff-files ", " show-file"})
        EXPECT_TRUE(holds(drivers, "'" + fs::canonical(ORVEX_CLI_PROGRAM).string() + "'" + called)) << drivers;
}

// Without its own full path git-setup has the drivers call orvex-cli by name,
// and warns when the PATH lacks it.
TEST_F(Git, WarnsWhenThePathLacksTheProgram) {
    const std::string saved = std::getenv("PATH");
    const struct {
        std::string path;
        bool warns;
    } cases[] = {{path, true}, {fs::path(ORVEX_CLI_PROGRAM).parent_path().string() + ":" + path, false}};
    for (const auto& c : cases) {
        setenv("PATH", c.path.c_str(), 1);
        CliOutput io;
        io.language = Language::en;
        EXPECT_EQ(runGitSetup(repo.folder(), "", io), 0) << io.err;
        EXPECT_EQ(io.err.find("orvex-cli is not on the PATH") != std::string::npos, c.warns) << c.path << io.err;
    }
    setenv("PATH", saved.c_str(), 1);
    std::string driver;
    run("git config merge.orvex.driver", &driver);
    EXPECT_EQ(driver, "orvex-cli merge-file %O %A %B --path %P\n");
}

// A table git's drivers cannot read (cut in the middle of a line) goes to git's
// own line diff and merge: git diff goes on to the other tables, a merge of it
// ends as git's would, and git show shows its lines as they are.
TEST_F(Git, ACutTableFallsBackToLines) {
    const std::string ships = repo.read("types/TShips.txt");
    const size_t cut = ships.rfind("SS_SH_SOK;") + 5;
    const std::string cutLine = ships.substr(ships.rfind('\n', cut) + 1, cut - ships.rfind('\n', cut) - 1);
    const std::string lastLine = ships.substr(ships.rfind('\n', ships.size() - 3) + 1);
    branch("cut", [](GameState& s) { s.lasers.records[0].nameTextId = 4444; });
    repo.write("types/TShips.txt", ships.substr(0, cut));
    ASSERT_EQ(run("git commit -qam cut-ships"), 0);
    branch("price", [](GameState& s) { s.ships.records[0].priceCoefficient = 4300; });

    std::string shown;
    EXPECT_EQ(run("git diff main cut", &shown), 0) << shown;
    for (const std::string& expected : {std::string("types/TLaser.txt: SS_LA_IMP: nameTextId "), "\n-" + lastLine, "\n+" + cutLine + "\n"})
        EXPECT_TRUE(holds(shown, expected)) << expected << "\n" << shown;
    EXPECT_EQ(run("git show cut -- types/TShips.txt", &shown), 0) << shown;
    EXPECT_TRUE(holds(shown, "\n+" + cutLine + "\n")) << shown;

    // The cut table and a change of the first ship's line: git's line merge takes both.
    ASSERT_EQ(run("git checkout -q cut"), 0);
    EXPECT_EQ(run("git merge --no-edit price", &shown), 0) << shown;
    const std::string merged = repo.read("types/TShips.txt");
    EXPECT_TRUE(holds(merged, ";4300;0;2;5;SS_SH_KND;")) << merged;
    EXPECT_TRUE(merged.ends_with(cutLine)) << merged;
}

// A real conflict leaves loadable tables and a failed merge, names each ship as
// the window does, and keeps the list in git's folder: a file after a file,
// afresh for a new merge.
TEST_F(Git, ConflictsStayListedInTheGitFolder) {
    branch("slow", [](GameState& s) {
        s.ships.records[0].speed = 22200;
        s.lasers.records[0].nameTextId = 4444;
    });
    branch("fast", [](GameState& s) {
        s.ships.records[0].speed = 44400;
        s.lasers.records[0].nameTextId = 5555;
    });
    std::string shown, gitFolder;
    ASSERT_EQ(run("git rev-parse --absolute-git-dir", &gitFolder), 0);
    gitFolder.pop_back();
    const std::string list = gitFolder + "/orvex-conflicts.txt";
    const std::string ship = "types/TShips.txt: конфликт: Кондор (SS_SH_KND): Начальная скорость: в основе 125 м/с "
                             "(27750), у меня 200 м/с (44400), у них 100 м/с (22200)\n";
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_NE(run("git merge --no-edit slow", &shown), 0);
        EXPECT_TRUE(holds(shown, ship)) << shown;
        EXPECT_TRUE(holds(shown, "orvex-cli: список конфликтов слияния: " + list + "\n")) << shown;
        std::string kept;
        ASSERT_TRUE(readWholeFile(list, kept)) << list;
        EXPECT_TRUE(holds(kept, ship)) << kept;
        EXPECT_EQ(kept.find(ship), kept.rfind(ship)) << kept; // the merge tried again starts afresh
        EXPECT_TRUE(holds(kept, "\ntypes/TLaser.txt: конфликт: ")) << kept;
        const GameState conflicted = loadedGame(repo);
        EXPECT_EQ(conflicted.ships.records[0].speed, 44400);
        EXPECT_FALSE(keptFromSaving(conflicted.ships.file));
        if (attempt == 0) {
            ASSERT_EQ(run("git merge --abort"), 0);
        }
    }
}
// One branch turns the shields round and re-points its ships, the other raises a
// speed: the driver reads the shields of all three commits from git, so every
// ship keeps its shield. Outside a merge git runs, the driver cannot see them: a
// changed shield number is a conflict that names the whole-folder merge.
TEST_F(Git, ReferencesKeepTheirRecordsAcrossBranches) {
    const std::vector<std::string> meant = shieldsNamed(loadedGame(repo));
    branch("speed", [](GameState& s) { s.ships.records[0].speed = 31080; });
    branch("round", reverseShields, {TableId::ships, TableId::shields});
    ASSERT_EQ(run("git checkout -q speed"), 0);
    std::string shown;
    EXPECT_EQ(run("git merge --no-edit round", &shown), 0) << shown;
    EXPECT_EQ(shieldsNamed(loadedGame(repo)), meant);
    EXPECT_EQ(loadedGame(repo).ships.records[0].speed, 31080);

    TempGame files;
    GameState b = loadedGame(repo), m = b, t = b;
    m.ships.records[0].maxShieldType = 1;
    t.ships.records[0].maxShieldType = 2;
    t.ships.records[1].speed += 222;
    b.ships.records[0].maxShieldType = 1;
    const auto put = [&](const GameState& g, const char* name) {
        files.write(name, tableText(g, TableId::ships));
        return files.path(name).string();
    };
    const CliRun r = cli({"merge-file", put(b, "b"), put(m, "m"), put(t, "t"), "--path", "types/TShips.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(holds(r.err, "orvex-cli merge")) << r.err;
}
#endif
