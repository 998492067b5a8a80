// orvex-cli's commands in process: the findings of check on a folder crafted to
// hold each of them, export and import round trips against the editor's save,
// a spreadsheet's CSV, refused imports, and rows added and removed.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "cli/command_list.h"
#include "cli/csv.h"
#include "support/cli_run.h"
#include "support/test_game.h"
#include "tables/table_rows.h"
#include "text/format.h"

namespace {

namespace fs = std::filesystem;

CliRun cli(std::vector<std::string> args) { return runCliIn(Language::ru, std::move(args)); }

// The parts one after another (appending steers clear of a false GCC 12 warning).
std::string join(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts) out += part;
    return out;
}

// The rows of a CSV, and a CSV of rows.
std::vector<CsvRow> rowsOf(const std::string& csv) {
    std::vector<CsvRow> rows;
    int bad = 0;
    EXPECT_TRUE(parseCsv(csv, rows, bad));
    return rows;
}
std::string csvOf(const std::vector<CsvRow>& rows) {
    std::string csv;
    for (const CsvRow& row : rows) appendCsvRow(csv, row.cells);
    return csv;
}

// Each table's state in a JSON report of check or diff.
std::map<std::string, std::string> statesOf(const nlohmann::json& doc) {
    std::map<std::string, std::string> states;
    for (const auto& t : doc.at("tables")) states[t.at("table")] = t.at("state");
    return states;
}

// A command and its exit status.
struct StatusCase {
    std::vector<std::string> args;
    int status;
};

// A ship line whose shield and missile counts are 1 unless given.
std::string ship(std::map<int, std::string> set, const std::string& groups, const std::string& id) {
    set.try_emplace(21, "1");
    set.try_emplace(23, "1");
    return shipLine(set, groups, id);
}

// Each finding once, in a folder that the editor would open (a count above the
// lines among them: the records present are still checked).
void writeCraftedGame(const TempGame& g) {
    std::string page = "<page id=\"17\">\r\n";
    for (const char* id : {"1001", "1002", "2001", "3001", "4001", "5001", "6001"})
        page += std::string("<t id=\"") + id + "\">Имя " + id + "</t>\r\n";
    g.write("t/70001.xml", page + "</page>\r\n");
    const std::string turret = "0;1;0;0;";
    std::string eightTurrets = "8;";
    for (int i = 0; i < 8; ++i) eightTurrets += "0;0;0;0;";
    g.writeLines("types/TShips.txt",
                 {"// made by hand", "1;3;",
                  ship({{6, "999"}, {20, "5"}, {21, "0"}, {22, "9"}, {23, "21"}, {28, "3"},
                        {29, "7"}, {41, "6"}},
                       "2;" + turret + turret, "SS_A"),
                  ship({{6, "1001"}}, "0;", "SS_B;9;9"), ship({{6, "1002"}}, eightTurrets, "SS_A")});
    g.writeLines("types/TLaser.txt", {"1;2;", recordLine(17, {{6, "2001"}, {14, "101"}, {16, "6"}}, "LA_A"),
                                      recordLine(17, {{6, "2001"}}, "LA_B")});
    g.writeLines("types/TBullets.txt", {"1;1;", recordLine(32, {}, "BU_A")});
    g.writeLines("types/TShields.txt", {"1;1;", recordLine(16, {{6, "3001"}}, "SH_A")});
    g.writeLines("types/TRockets.txt", {"1;1;", recordLine(30, {{6, "4001"}}, "RO_A")});
    g.writeLines("types/TCockpits.txt",
                 {"1;2;", recordLine(14, {}, "CO_A"), recordLine(14, {}, "CO_B"), recordLine(14, {}, "CO_C")});
    g.writeLines("types/TFactories.txt",
                 {"1;2;", recordLine(21, {{6, "5001"}, {13, "7"}}, "FA_A"), "0;0;0;"});
    g.writeLines("types/TWareB.txt", {"1;3;", recordLine(12, {{6, "6001"}}, "WA_B")}); // lines deleted
    g.writeLines("types/TWareF.txt", {"1;-5;"});
    g.writeLines("types/TWareM.txt", {"1;1;", recordLine(12, {{2, "0,58"}, {6, "6001"}}, "WA_M")});
    g.writeLines("types/TWareT.txt", {"1;1;", recordLine(12, {{6, "6001"}}, "WA_T")});
}

using Place = std::tuple<std::string, int, int, std::string>; // file, line, field, code

TEST(Check, ReportsEachFindingWithItsPlace) {
    TempGame game;
    writeCraftedGame(game);
    const CliRun text = cli({"check", "--folder", game.folder()});
    EXPECT_EQ(text.status, 1) << "errors found";
    const std::set<Place> expected = {
        {"types\\TShips.txt", 3, 7, "no-name"},       {"types\\TShips.txt", 3, 21, "reference"},
        {"types\\TShips.txt", 3, 22, "reference"},    {"types\\TShips.txt", 3, 23, "reference"},
        {"types\\TShips.txt", 3, 24, "reference"},    {"types\\TShips.txt", 3, 29, "reference"},
        {"types\\TShips.txt", 3, 30, "reference"},    {"types\\TShips.txt", 3, 42, "reference"},
        {"types\\TShips.txt", 4, 0, "field-count"},   {"types\\TShips.txt", 5, 49, "reference"},
        {"types\\TShips.txt", 5, 87, "duplicate-id"}, {"types\\TLaser.txt", 2, 15, "reference"},
        {"types\\TLaser.txt", 2, 17, "reference"},    {"types\\TLaser.txt", 3, 0, "reference"},
        {"types\\TCockpits.txt", 1, 0, "count-lines"}, {"types\\TFactories.txt", 2, 14, "reference"},
        {"types\\TFactories.txt", 3, 0, "field-count"}, {"types\\TFactories.txt", 3, 7, "no-name"},
        {"types\\TFactories.txt", 3, 14, "reference"}, {"types\\TWareF.txt", 1, 0, "unreadable"},
        {"types\\TWareM.txt", 2, 3, "not-in-format"}, {"types\\TWareE.txt", 0, 0, "missing-table"},
        {"types\\TWareB.txt", 1, 2, "count-lines"},
    };
    const CliRun json = cli({"check", "--format", "json", "--folder", game.folder()});
    EXPECT_EQ(json.status, 1);
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    std::set<Place> found;
    for (const auto& f : doc.at("findings")) {
        found.insert({f.at("file").get<std::string>(), f.at("line").get<int>(), f.at("field").get<int>(),
                      f.at("code").get<std::string>()});
        // A count below the lines is a warning, one above them an error.
        const bool error = f.at("code") == "unreadable" || f.at("code") == "not-in-format" ||
                           (f.at("code") == "count-lines" && f.at("file") == "types\\TWareB.txt");
        EXPECT_EQ(f.at("severity"), error ? "error" : "warning") << f;
    }
    EXPECT_EQ(found, expected);
    // A station without a name is listed by its objectId and race (a line this
    // short has neither).
    EXPECT_TRUE(holds(text.out, "types\\TFactories.txt:3: warning: поле 7: nameTextId 0 — нет на странице имён, "
                                "в списке будет « ()»"));
    EXPECT_TRUE(holds(text.out, "types\\TWareB.txt:1: error: поле 2: в заголовке записей 3, а строк записей 1; "
                                "редактор не сохранит эту таблицу [count-lines]"));
    EXPECT_EQ(doc.at("errors"), 3);
    EXPECT_EQ(doc.at("warnings"), 20);
    EXPECT_TRUE(holds(text.out, "ошибок: 3, предупреждений: 20")) << text.out;
    std::map<std::string, std::string> states = statesOf(doc);
    EXPECT_EQ(states.size(), 12u);
    EXPECT_EQ(std::tuple(states["wareE"], states["wareF"], states["wareM"], states["ships"]),
              std::tuple("missing", "unreadable", "notInFormat", "ok"));
}

TEST(Check, ExitStatuses) {
    TempGame empty;
    fs::remove(empty.path("types"));
    const StatusCase cases[] = {
        {{"check", "--folder", ORVEX_SAMPLE_GAME}, 0},             // warnings only
        {{"check", "--strict", "--folder", ORVEX_SAMPLE_GAME}, 1}, // warnings count
        {{"check", "--folder", empty.folder()}, 2},                // no types folder
        {{"check", "--format", "xml"}, 2},
        {{"export", "--folder", ORVEX_SAMPLE_GAME, "planets"}, 2},
        {{"import", "ships"}, 2},
        {{"frobnicate"}, 2},
        {{}, 2},
        {{"import", "--help"}, 0},
        {{"--version"}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(cli(c.args).status, c.status) << testing::PrintToString(c.args);
    EXPECT_TRUE(holds(cli({"import", "--help"}).out, "--dry-run"));
    EXPECT_EQ(cli({"export", "--version"}).out, "orvex-cli " ORVEX_PROJECT_VERSION "\n");
    const std::string noCommand = cli({}).err;
    EXPECT_EQ(noCommand.substr(0, noCommand.find('\n')), "orvex-cli: нет команды: укажите одну из " + commandNames());
}

// The CSV of a table as a spreadsheet in a Russian locale saves it: semicolons,
// cells with semicolons quoted, a byte-order mark, CR LF.
std::string asRussianSpreadsheet(const std::string& csv, const std::function<void(CsvRow&)>& edit = {}) {
    std::string out(kUtf8Bom);
    for (CsvRow& row : rowsOf(csv)) {
        if (edit) edit(row);
        for (size_t i = 0; i < row.cells.size(); ++i) {
            const std::string& c = row.cells[i];
            out += (i ? ";" : "") + (c.find(';') != std::string::npos ? "\"" + c + "\"" : c);
        }
        out += "\r\n";
    }
    return out;
}

class Import : public ::testing::Test {
  protected:
    Import() {
        game.copyGame(ORVEX_SAMPLE_GAME);
        ships = cli({"export", "--folder", game.folder(), "ships"}).out;
        before = game.read("types/TShips.txt");
    }
    CliRun importShips(const std::string& csv, const char* option = nullptr) {
        game.write("ships.csv", csv);
        std::vector<std::string> args = {"import", "--folder", game.folder(), "ships", game.folder() + "ships.csv"};
        if (option) args.push_back(option);
        return cli(args);
    }
    TempGame game;
    std::string ships, before;
};

TEST_F(Import, RefusesEveryBadCellAndWritesNothing) {
    // Row 2: a decimal comma in an integer column; row 3: a groups cell one item
    // short of itemCount, and a name that is not in the code page (name is ignored).
    const auto edit = [](CsvRow& row) {
        if (row.row == 2) row.cells[8] = "0,58";
        if (row.row == 3) {
            row.cells[48] = std::to_string(std::stoi(row.cells[48]) + 1);
            row.cells[0] = "日本";
            row.cells[12] = "12abc";
        }
    };
    const CliRun run = importShips(asRussianSpreadsheet(ships, edit), "--dry-run");
    EXPECT_EQ(run.status, 1);
    const std::string file = game.folder() + "ships.csv";
    for (const std::string& line : {file + ":2: error: column speed: «0,58» — не число",
                                    file + ":3: error: column col11: «12abc» — не число",
                                    file + ":3: error: column groups: "})
        EXPECT_TRUE(holds(run.err, line)) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 4) << run.err; // three and "nothing written"
    EXPECT_EQ(game.read("types/TShips.txt"), before);
}

// The summary counts what diff reports between the table before and after, and
// the lines rewritten only into the writer's number form, alike in a dry run,
// which writes nothing. The CSV is a Russian spreadsheet's, its reals with a
// decimal comma.
TEST_F(Import, SummaryCountsAsDiffAndNamesRewrittenLines) {
    std::string untidy = before;
    const auto replace = [&](const std::string& from, const std::string& to) {
        ASSERT_NE(untidy.find(from), std::string::npos) << from;
        untidy.replace(untidy.find(from), from.size(), to);
    };
    replace("0.58000;0.58000;0.92000;2;1001;27750", "0.58;0.580;+0.92;2;1001;27750"); // unchanged: rewritten
    replace(";21090;1998;", ";0021090;1998;");                                          // SS_SH_SOK: rewritten
    replace("0.45000;0.45000;0.70000;2;1002;39960", "0.45;0.45;0.7;2;1002;39960");       // changed below
    game.write("types/TShips.txt", untidy);
    const std::string csv = asRussianSpreadsheet(
        cli({"export", "--folder", game.folder(), "ships"}).out, [](CsvRow& row) {
            if (row.row > 1) std::replace(row.cells[3].begin(), row.cells[3].end(), '.', ',');
            if (row.cells.back() == "" && row.cells[row.cells.size() - 2] == "SS_SH_YAS") row.cells[8] = "40000";
            if (row.cells[row.cells.size() - 2] == "SS_SH_ALB") row.cells[row.cells.size() - 2] = "SS_SH_NEW";
        });
    const std::string expected = "types\\TShips.txt: записей было 6, %s 6; %s 1, %s 1, %s 1; ещё строк %s "
                                 "только в записи чисел редактора: 2 (строка 2: «0.58» %s «0.58000»)\n";
    const CliRun dry = importShips(csv, "--dry-run");
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out.substr(0, dry.out.find('\n') + 1),
              formatText(expected, {"будет", "изменится", "добавится", "удалится", "перепишется", "станет"}));
    EXPECT_FALSE(game.exists("types/TShips.bak"));
    const CliRun run = importShips(csv);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1),
              formatText(expected, {"стало", "изменено", "добавлено", "удалено", "переписано", "стало"}));
    EXPECT_EQ(game.read("types/TShips.bak"), untidy);
    const nlohmann::json diff = nlohmann::json::parse(
        cli({"diff", "--folder", game.folder(), "--backups", "--format", "json", "ships"}).out);
    EXPECT_EQ(diff.at("totals"), (nlohmann::json{{"changed", 1}, {"added", 1}, {"removed", 1}}));
}

// One cell of row 2 of the ships' CSV set to a value: taken (and written as
// the writer writes it) or refused with its row and column.
TEST_F(Import, TakesOrRefusesEachCell) {
    const struct {
        std::string column, value;
        std::string written; // text the first record's line then holds, with its neighbours
        std::string error;   // the reason when refused
    } cases[] = {
        // Any text the loader gives back is taken; a byte that ends lines is not.
        {"rest", "\tcomment", ";\tcomment\r\n", ""},
        {"objectId", "SS\x01X\t", ";SS\x01X\t;", ""},
        {"objectId", std::string("SS\0_WA_QUARTZ", 14), "", "column objectId: "},
        {"objectId", "SS\rX", "", "column objectId: знак конца строки (код 13) внутри ячейки"},
        {"rest", "a\rb", "", "column rest: знак конца строки (код 13) внутри ячейки"},
        // A real the writer would give back as another number: its own column.
        {"manoeuvrabilityX", "0." + std::string(120, '1'), "",
         "column manoeuvrabilityX: «0.11111111111111111111111111111111111111…» записывается как "
         "«0.111111111111111» и читается другим числом"},
        {"manoeuvrabilityY", "0,30000000000000004", "", "column manoeuvrabilityY: «0.30000000000000004» записывается как «0.30000»"},
        {"manoeuvrabilityX", "0,6", ";1;0.60000;0.58000;", ""},
        {"manoeuvrabilityY", "-1,25E3", ";0.58000;-1250.0;0.92000;", ""},
        {"speed", "31080", ";1001;31080;3996;", ""},
        {"manoeuvrabilityX", "1,2,3", "", "column manoeuvrabilityX: «1,2,3» — не число"},
        {"speed", "", "", "column speed: ячейка пуста, а в столбце число"},
        {"groups", "0;;", "", "column groups: ячейка пуста, а в столбце число"},
    };
    const std::vector<CsvRow> rows = rowsOf(ships);
    const auto& header = rows[0].cells;
    for (const auto& c : cases) {
        std::vector<CsvRow> edited = rows;
        edited[1].cells[std::find(header.begin(), header.end(), c.column) - header.begin()] = c.value;
        if (c.column == "groups") edited[1].cells[48] = "0";
        const CliRun run = importShips(csvOf(edited));
        const std::string file = game.read("types/TShips.txt");
        if (c.error.empty()) {
            EXPECT_EQ(run.status, 0) << c.value << run.err;
            EXPECT_TRUE(holds(file.substr(0, file.find("\r\n", file.find("\r\n") + 2) + 2), c.written))
                << c.column << file.substr(0, 400);
        } else {
            EXPECT_EQ(run.status, 1) << c.column << " " << c.value;
            EXPECT_TRUE(holds(run.err, "ships.csv:2: error: " + c.error)) << run.err;
            EXPECT_EQ(file, before);
        }
        game.write("types/TShips.txt", before);
    }
}

// A file without a column, a header row alone (which would empty the table unless
// asked for) and a table that cannot be written write nothing, and a failed write
// says only that: no counts as if the table were written.
TEST_F(Import, WholeFileRefusalsWriteNothing) {
    std::string noHull = ships;
    noHull.erase(noHull.find(",hullStrength"), 13);
    const std::string headerOnly = ships.substr(0, ships.find('\n') + 1);
    const auto noWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const struct {
        std::string csv;
        bool readOnly;
        std::string says;
    } cases[] = {{noHull, false, ":1: error: column hullStrength: столбца нет в файле"},
                 {headerOnly, false, "--allow-empty"},
                 {ships, true, "не удалось записать types\\TShips.txt"}};
    for (const auto& c : cases) {
        if (c.readOnly) fs::permissions(game.path("types/TShips.txt"), noWrite, fs::perm_options::remove);
        const CliRun run = importShips(c.csv);
        fs::permissions(game.path("types/TShips.txt"), fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(std::pair(run.status, run.out), std::pair(1, std::string())) << c.says;
        EXPECT_TRUE(holds(run.err, c.says)) << run.err;
        EXPECT_EQ(game.read("types/TShips.txt"), before);
        EXPECT_FALSE(game.exists("types/TShips.bak"));
    }
    const CliRun allowed = importShips(headerOnly, "--allow-empty");
    EXPECT_EQ(allowed.status, 0) << allowed.err;
    EXPECT_EQ(cli({"export", "--folder", game.folder(), "ships"}).out, headerOnly);
}

// The bytes about to be written are read back as the loader reads them: an
// objectId with a NUL (which the CSV check refuses earlier) would end its line.
TEST(ReadBack, NamesTheRecordAndColumnThatWouldNotComeBack) {
    const struct {
        std::string objectId; // of the second laser
        double col11;         // of the third
        int record;
        std::string_view column, says;
    } cases[] = {
        {std::string("LA\0X", 4), 0, 1, "objectId", ""},
        {"LA;X", 0, 1, "objectId", "\"LA\" instead of \"LA;X\""}, // loads in format, as another objectId and rest
        {"LA_X", 0, -1, "", ""},
        {"LA_X", 1.0 / 3, 2, "col11", "\"0.333333333333333\""}, // the same cells, another value
    };
    for (const auto& c : cases) {
        std::vector<TLasers> lasers(3);
        lasers[1].objectId = c.objectId;
        lasers[2].col11 = c.col11;
        const ReadBackProblem p = readBackProblem(1, TableFile{}, std::span<const TLasers>(lasers), Language::en);
        EXPECT_EQ(std::tuple(p.record, p.column, p.reason.empty()),
                  std::tuple(c.record, c.column.empty() ? -1 : columnIndex(recordColumns<TLasers>(), c.column),
                             c.record < 0))
            << c.objectId;
        EXPECT_TRUE(holds(p.reason, c.says)) << p.reason;
    }
}

// export -o never replaces a table, a name page or a backup, of this game folder
// or any other, however the path spells it.
TEST(Export, RefusesATableFileOrBackupAsItsOutput) {
    TempGame game, other;
    game.copyGame(ORVEX_SAMPLE_GAME);
    other.copyGame(ORVEX_SAMPLE_GAME);
    const std::string before = game.read("types/TShips.txt");
    std::vector<std::pair<const char*, std::string>> outs; // the table exported, the output
    for (const char* out : {"types/TShips.txt", "types/tships.TXT", "types/../types/TLaser.txt", "types/./TWareB.txt",
                            "types/TShips.bak", "types/TWareT.bak", "mine.BAK", "t/70001.xml", "T/440001.XML",
                            "elsewhere/TYPES/TFactories.txt"})
        outs.emplace_back("ships", game.folder() + out);
    // Another game folder's table, in another letter case.
    for (const char* out : {"types/TShips.txt", "types/tships.txt", "TYPES/TShips.txt"})
        outs.emplace_back("lasers", other.folder() + out);
    // Another name of the table's own file, where the system has them.
    std::error_code linked;
    fs::create_hard_link(game.path("types/TShips.txt"), game.path("ships-link.txt"), linked);
    if (!linked) outs.emplace_back("ships", game.folder() + "ships-link.txt");
    for (const auto& [table, out] : outs) {
        const CliRun run = cli({"export", "--folder", game.folder(), table, "-o", out});
        EXPECT_EQ(run.status, 1) << out;
        EXPECT_TRUE(holds(run.err, "резервная копия")) << run.err;
    }
    EXPECT_EQ(std::pair(game.read("types/TShips.txt"), other.read("types/TShips.txt")), std::pair(before, before));
    EXPECT_FALSE(game.exists("types/TShips.bak"));
    // A table's name outside a types folder is an ordinary file.
    EXPECT_EQ(cli({"export", "--folder", game.folder(), "ships", "-o", game.folder() + "TShips.txt"}).status, 0);
}

} // namespace

// A copy of the sample game changed by the editor's writer and by import, against
// the sample itself: every kind of change the diff reports, in its three forms.
class Diff : public ::testing::Test {
  protected:
    Diff() {
        before.copyGame(ORVEX_SAMPLE_GAME);
        after.copyGame(ORVEX_SAMPLE_GAME);
        fs::remove(before.path("types/TWareT.txt")); // a table only the new side has
        editGame(after, [&](GameState& s) {
            s.ships.records[0].speed = 31080; // shown as 125 → 140 m/s
            s.ships.records[0].col11 = 36;    // a column the editor does not show
            s.ships.records[0].manoeuvrabilityRotation = 0.95;
            s.ships.records[0].acceleration = 4440;
            s.ships.records[0].cargoBayType = 4;
            s.ships.records[0].maxShieldType = 2;
            s.ships.records[0].priceCoefficient = 5000;
            std::swap(s.cockpits.records[0], s.cockpits.records[1]);
            s.shields.file.remarks.push_back("// tuned");
            goneId = s.stations.records[1].objectId;
            s.stations.records.erase(s.stations.records.begin() + 1);
            ++s.stations.headerValue;
        }, {TableId::ships, TableId::cockpits, TableId::shields, TableId::stations});
        after.write("types/TShips.bak", before.read("types/TShips.txt")); // as a first save leaves it
        std::string wares = after.read("types/TWareF.txt");
        after.write("types/TWareF.txt", wares.replace(wares.find(";60;20;"), 7, ";100;20;"));
        // Import: a copy of the first laser as a new record at the end.
        std::vector<CsvRow> rows = rowsOf(cli({"export", "--folder", after.folder(), "lasers"}).out);
        rows.push_back(rows[1]);
        rows.back().cells[18] = "SS_LA_NEW";
        after.write("lasers.csv", csvOf(rows));
        EXPECT_EQ(cli({"import", "--folder", after.folder(), "lasers", after.folder() + "lasers.csv"}).status, 0);
    }
    CliRun diff(std::vector<std::string> more) {
        std::vector<std::string> args = {"diff", "--folder", after.folder(), "--against", before.folder()};
        args.insert(args.end(), more.begin(), more.end());
        return cli(args);
    }
    TempGame before, after;
    std::string goneId;
};

TEST_F(Diff, ReportsEveryChangeAlikeInItsThreeForms) {
    const CliRun json = diff({"--format", "json"}), text = diff({}), markdown = diff({"--format", "markdown"});
    EXPECT_EQ(std::tuple(json.status, text.status, markdown.status), std::tuple(1, 1, 1));
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    const auto str = [](const nlohmann::json& j) { return j.is_string() ? j.get<std::string>() : j.dump(); };
    std::set<std::string> seen; // "table state [header old>new] [remarks] [reordered] changes…"
    for (const auto& t : doc.at("tables")) {
        std::string line = join({str(t.at("table")), " ", str(t.at("state"))});
        if (t.contains("header")) line += join({" header ", str(t["header"].at("old")), ">", str(t["header"].at("new"))});
        if (t.at("remarksChanged")) line += " remarks";
        if (t.at("reordered")) line += " reordered";
        for (const auto& r : t.at("changed"))
            for (const auto& f : r.at("fields"))
                line += join({" ", str(f.at("column")), " ", str(f.at("old")), ">", str(f.at("new"))});
        for (const char* side : {"added", "removed"})
            for (const auto& r : t.at(side)) line += join({" ", side, " ", str(r.at("objectId")), "@", str(r.at("index"))});
        seen.insert(line);
    }
    const std::set<std::string> expected = {
        "ships compared manoeuvrabilityRotation 0.92000>0.95000 speed 27750>31080 acceleration 3996>4440 col11 35>36 "
        "maxShieldType 1>2 cargoBayType 1>4 priceCoefficient 4200>5000", "lasers compared added SS_LA_NEW@5",
        "bullets compared", "shields compared remarks", "rockets compared", "cockpits compared reordered",
        "stations compared header 14>15 removed " + goneId + "@1",
        "wareB compared", "wareE compared", "wareF compared priceCoefficient 60>100", "wareM compared", "wareT added"};
    EXPECT_EQ(seen, expected) << json.out;
    EXPECT_EQ(doc.at("totals"), (nlohmann::json{{"changed", 2}, {"added", 1}, {"removed", 1}}));
    // In the editor's words: units whole, list entries by their text, prices as
    // the window makes them (a ware's by the factor of its own file, F: 12.135).
    for (const char* expected :
         {"types\\TShips.txt: Кондор (SS_SH_KND): Начальная скорость 125 → 140 м/с (speed 27750 → 31080)",
          "→ XL (cargoBayType", "Примерная стоимость корабля 272680 → 324620 кр.",
          "Ценовой коэффициент 60 → 100 (priceCoefficient 60 → 100), Средняя стоимость 728 → 1213 кр."})
        EXPECT_TRUE(holds(text.out, expected)) << expected << "\n" << text.out;
    EXPECT_TRUE(holds(diff({"--lang", "en", "ships"}).out, ": Speed 125 → 140 m/s (speed 27750 → 31080)"));
    EXPECT_TRUE(holds(markdown.out, "## types\\TShips.txt\n\n- Кондор (`SS_SH_KND`): Маневренность вращения: 92 → 95 %; "
                                    "Начальная скорость: 125 → 140 м/с; Ускорение: 18 → 20 м/с²; `col11`: `35` → `36`;"))
        << markdown.out;
}

TEST_F(Diff, BackupsSidesNotInFormatAndExitStatuses) {
    const CliRun backups = cli({"diff", "--folder", after.folder(), "--backups", "--format", "json"});
    EXPECT_EQ(backups.status, 1) << backups.err;
    std::map<std::string, std::string> states = statesOf(nlohmann::json::parse(backups.out));
    EXPECT_EQ(std::tuple(states["ships"], states["lasers"], states["rockets"]),
              std::tuple("compared", "compared", "no-backup"));

    before.writeLines("types/TRockets.txt", {"12;1;", "0;x;"}); // a side not in format
    const StatusCase cases[] = {
        {{"diff", "--folder", ORVEX_SAMPLE_GAME, "--against", ORVEX_SAMPLE_GAME}, 0},
        {{"diff", "--folder", after.folder(), "--against", before.folder(), "wareB", "TWareE.txt"}, 0},
        {{"diff", "--folder", after.folder(), "--against", before.folder(), "ships"}, 1},
        {{"diff", "--folder", after.folder(), "--against", before.folder(), "rockets"}, 2},
        {{"diff", "--folder", after.folder()}, 2},
        {{"diff", "--folder", after.folder(), "--backups", "--against", before.folder()}, 2},
        {{"diff", "--folder", after.folder(), "--against", after.folder() + "types"}, 2},
        {{"diff", "--folder", after.folder(), "--backups", "planets"}, 2},
        {{"diff", "--folder", ORVEX_SAMPLE_GAME, "--backups"}, 2}, // no backup at all is no answer
    };
    for (const auto& c : cases) EXPECT_EQ(cli(c.args).status, c.status) << c.args.back();
}
