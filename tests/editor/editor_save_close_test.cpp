// Saving over a table another program changed, the title's "*" and the close
// question that comes only after a change, what start-up tells about the folder.

#include "editor_fixture.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

namespace {

namespace fs = std::filesystem;

const std::string kChangedOnDisk = "Файл types\\TShips.txt изменён другой программой после того, как Orvex его "
                                   "прочитал. Эти поля изменили и она, и Orvex:\r\n";
const std::string kMergedNote = "Эти файлы изменила другая программа. Её изменения объединены с правками Orvex "
                                "и сохранены:\r\ntypes\\";

// The window edits the hull of the ship it shows (typing 7 after it) and the
// first laser's power, while another program changes the ship table. Changes
// that do not conflict are merged without a question: Save writes both, names
// the file, shows the other program's values, its lists name every ship and
// stay on the one shown, and the next Save asks nothing. A conflict is asked
// about in the window's words: Yes writes Orvex's table, No keeps the other
// program's and writes the rest, Cancel writes nothing; the title keeps its
// "*" and the next Save asks again.
TEST(EditorSave, MergesWhatDoesNotConflictAndAsksAboutTheRest) {
    struct Case {
        const char* what;
        std::function<void(GameState&)> other;
        int shown; // the ship edited
        int answer;
        std::string question;              // empty: merged, with the note
        const char* speed = nullptr;       // the first ship's speed shown after the merge
        const char* lastEntry = nullptr;   // the ship list's last entry after the merge
    };
    const auto removeFirst = [](GameState& s) { s.ships.records.erase(s.ships.records.begin()); };
    for (const Case& c : {
             Case{"another field", [](GameState& s) { s.ships.records[0].speed = 3330; }, 0, kIdOk, "", "15"},
             Case{"the same change", [](GameState& s) { s.ships.records[0].hullStrength = 50007; }, 0, kIdOk, ""},
             Case{"a ship added",
                  [](GameState& s) { s.ships.records.push_back(s.ships.records[1]), s.ships.records.back().objectId = "SS_SH_ADDED"; },
                  0, kIdOk, "", nullptr, "SS_SH_ADDED"},
             Case{"a ship removed before the shown one", removeFirst, 1, kIdOk, ""},
             Case{"the same field, No", [](GameState& s) { s.ships.records[0].hullStrength = 4000; }, 0, kIdNo,
                  kChangedOnDisk + "Кондор (SS_SH_CONDOR), Корпус: в Orvex 50007, в файле 4000\r\nЗаменить файл значениями Orvex?"},
             Case{"the edited ship removed, Yes", removeFirst, 0, kIdYes,
                  kChangedOnDisk + "Кондор (SS_SH_CONDOR): изменён в Orvex, удалён в файле\r\nЗаменить файл значениями Orvex?"},
             Case{"the edited ship removed, Cancel", removeFirst, 0, kIdCancel,
                  kChangedOnDisk + "Кондор (SS_SH_CONDOR): изменён в Orvex, удалён в файле\r\nЗаменить файл значениями Orvex?"},
         }) {
        SCOPED_TRACE(c.what);
        Editor t;
        ASSERT_NE(t.start(), nullptr);
        MainForm& f = *t.form;
        const std::string lasers = t.game.read("types/TLaser.txt");
        const std::string other = changedTableText(t.game, TableId::ships, c.other);
        const std::string shownId = t.state.ships.records[size_t(c.shown)].objectId;
        const bool written = c.question.empty() || c.answer == kIdYes;
        t.platform.choose(*f.shipList, c.shown);
        t.platform.type(*f.hullStrength, "7");
        t.platform.switchTab(*f.tabs, 1);
        t.platform.type(*f.laserPower, "9");
        t.platform.switchTab(*f.tabs, 0);
        t.check([&] { t.game.write("types/TShips.txt", other); });
        t.platform.click(*f.saveButton);
        t.platform.answer(c.answer);
        t.check([&] {
            EXPECT_EQ(controlText(*f.window), written ? "Orvex" : "*Orvex");
            EXPECT_EQ(t.game.read("types/TShips.txt"), written ? tableText(t.state, TableId::ships) : other);
            EXPECT_EQ(t.game.read("types/TLaser.txt"), c.answer == kIdCancel ? lasers : tableText(t.state, TableId::lasers));
            const int chosen = selectedIndex(*f.shipList);
            EXPECT_EQ(itemCount(*f.shipList), static_cast<int>(t.state.ships.records.size()));
            EXPECT_EQ(t.state.ships.records.at(size_t(chosen)).objectId, shownId) << "the list stays on its ship";
            EXPECT_EQ(controlText(*f.hullStrength), std::to_string(t.state.ships.records[size_t(chosen)].hullStrength));
            EXPECT_EQ(t.state.ships.records[size_t(chosen)].hullStrength % 10, 7) << "the window keeps its edit";
            if (c.speed) { EXPECT_EQ(controlText(*f.speed), c.speed) << "the window shows the merged value"; }
            if (c.lastEntry) { EXPECT_EQ(itemText(*f.shipList, itemCount(*f.shipList) - 1), c.lastEntry); }
        });
        t.platform.click(*f.saveButton); // asks again unless the file is Orvex's own now
        if (!written) t.platform.answer(kIdCancel);
        t.run();
        const auto& boxes = t.platform.messageBoxes();
        ASSERT_EQ(boxes.size(), written ? 2u : 3u); // boxes[0]: start-up's note
        EXPECT_EQ(std::tuple(boxes[1].text, boxes[1].caption, boxes[1].flags),
                  c.question.empty() ? std::tuple(Editor::cp(kMergedNote + "TShips.txt"), std::string(ORVEX_CAPTION), kMbOk | kMbIconInformation)
                                     : std::tuple(Editor::cp(c.question), std::string(ORVEX_CAPTION), kMbYesNoCancel | kMbIconExclamation));
        EXPECT_EQ(t.game.exists("types/TLaser.bak"), c.answer != kIdCancel);
    }
}

// A conflict is named as the window names it: the record by the entry its list
// shows and its objectId (once, when the entry is the id), the field by its
// label, or by its column where the window does not show it. The window's edit
// sets the field to 1, the other program's to 2.
TEST(EditorSave, ConflictsAreNamedInTheWindowsWords) {
    struct Case {
        TableId table;
        std::function<void(GameState&, int32_t)> set;
        std::string line;
    };
    for (const Case& c : {
             Case{TableId::ships, [](GameState& s, int32_t v) { s.ships.records[1].hullStrength = v; },
                  "SS_SH_NONAME, Корпус: в Orvex 1, в файле 2"},
             Case{TableId::ships, [](GameState& s, int32_t v) { s.ships.records[0].col0 = v; },
                  "Кондор (SS_SH_CONDOR), col0: в Orvex 1, в файле 2"},
             Case{TableId::stations, [](GameState& s, int32_t v) { s.stations.records[0].volume = v; },
                  "Рудник (Аргон) (SS_FACTORY_MINE), Занимаемый объем: в Orvex 1, в файле 2"},
             Case{TableId::wareT, [](GameState& s, int32_t v) { s.wareT.records.back().volume = v; },
                  "Руда (SS_WARE_ORE), Занимаемый объем: в Orvex 1, в файле 2"},
             Case{TableId::bullets, [](GameState& s, int32_t v) { s.bullets.records[0].shotEnergy = v; },
                  "Импульсный лазер (SS_BULLET_IRE), Энергия выстрела: в Orvex 1, в файле 2"},
             Case{TableId::cockpits, [](GameState& s, int32_t v) { s.cockpits.records[2].col0 = v; },
                  "SS_COCKPIT_C, col0: в Orvex 1, в файле 2"},
         }) {
        Editor t;
        ASSERT_NE(t.start(), nullptr);
        const std::string other = changedTableText(t.game, c.table, [&](GameState& s) { c.set(s, 2); });
        t.check([&] {
            c.set(t.state, 1);
            t.game.write("types/" + std::string(tableName(c.table).fileName.substr(6)), other);
        });
        t.platform.click(*t.form->saveButton);
        t.platform.answer(kIdCancel);
        t.run();
        ASSERT_EQ(t.platform.messageBoxes().size(), 2u);
        const std::string_view text = t.platform.messageBoxes()[1].text;
        const size_t from = text.find("\r\n") + 2;
        EXPECT_EQ(text.substr(from, text.find("\r\n", from) - from), Editor::cp(c.line));
    }
}

// Closing asks, Yes saves, and No to a table's own question leaves that table
// unwritten: the window stays open with its "*" rather than lose the edit, the
// other tables are written. Closing again asks again; No then closes.
TEST_F(EditorTest, ClosingKeepsTheWindowWhenATableIsLeftUnsaved) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    const std::string other = changedTableText(game, TableId::ships, [](GameState& s) { s.ships.records[0].hullStrength = 4000; });
    platform.type(*f.hullStrength, "7");
    platform.switchTab(*f.tabs, 1);
    platform.type(*f.laserPower, "9");
    check([&] { game.write("types/TShips.txt", other); });
    platform.pressClose(*f.window);
    platform.answer(kIdYes);
    platform.answer(kIdNo);
    check([&] {
        EXPECT_EQ(controlText(*f.window), "*Orvex") << "the window is still open";
        EXPECT_EQ(game.read("types/TShips.txt"), other);
        EXPECT_EQ(game.read("types/TLaser.txt"), tableText(state, TableId::lasers));
    });
    platform.pressClose(*f.window);
    platform.answer(kIdNo);
    run();
    EXPECT_FALSE(platform.ranDry()) << "the second close question closed the window";
    const auto& boxes = platform.messageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(std::tuple(boxes[1].text, boxes[3].text),
              std::tuple(cp("Файлы не сохранены! Сохранить?"), cp("Файлы не сохранены! Сохранить?")));
    EXPECT_TRUE(boxes[2].text.starts_with(cp(kChangedOnDisk)));
    EXPECT_EQ(state.ships.records[0].hullStrength, 50007) << "the edit was in the window to the end";
}

// Another program writes the lasers while Save's question about the shields
// (volume, 7 in the window, 4 on disk) is open; it is answered Yes. Save never
// writes over the lasers then: an untouched table takes the other program's
// values; one whose merge Save had already made is merged again with what the
// program wrote then; the window's own change to the same field is asked about.
TEST(EditorSave, ATableWrittenWhileSaveAsksIsMergedOrAskedAgain) {
    struct Case {
        const char* what;
        bool windowTypesPower;              // the laser's power 1500 becomes 15009
        std::optional<int32_t> powerBefore; // another program's, written before Save
        int lasersAnswer;                   // kIdOk: merged and told
    };
    for (const Case& c : {Case{"untouched in the window", false, {}, kIdOk},
                          Case{"merged already, written again", false, 222, kIdOk},
                          Case{"the window changed the same field", true, {}, kIdNo}}) {
        SCOPED_TRACE(c.what);
        Editor t;
        ASSERT_NE(t.start(), nullptr);
        MainForm& f = *t.form;
        const auto lasersWith = [&](int32_t power) {
            return changedTableText(t.game, TableId::lasers, [power](GameState& s) { s.lasers.records[0].laserPower = power; });
        };
        const std::string lasersBefore = lasersWith(c.powerBefore.value_or(1500)), lasersWhileAsking = lasersWith(333);
        const std::string shields = changedTableText(t.game, TableId::shields, [](GameState& s) { s.shields.records[0].volume = 4; });
        t.platform.switchTab(*f.tabs, 1);
        t.platform.type(*f.shield.volume, "7");
        if (c.windowTypesPower) t.platform.type(*f.laserPower, "9");
        t.check([&] {
            if (c.powerBefore) t.game.write("types/TLaser.txt", lasersBefore);
            t.game.write("types/TShields.txt", shields);
        });
        t.platform.click(*f.saveButton);
        t.platform.answer(kIdYes, [&] { t.game.write("types/TLaser.txt", lasersWhileAsking); });
        t.platform.answer(c.lasersAnswer);
        t.check([&] { EXPECT_EQ(controlText(*f.window), c.lasersAnswer == kIdOk ? "Orvex" : "*Orvex"); });
        t.platform.click(*f.saveButton); // asks again only about a table left as it is
        if (c.lasersAnswer == kIdNo) t.platform.answer(kIdCancel);
        t.run();
        const auto& boxes = t.platform.messageBoxes();
        ASSERT_EQ(boxes.size(), c.lasersAnswer == kIdNo ? 4u : 3u);
        EXPECT_TRUE(boxes[1].text.starts_with(Editor::cp("Файл types\\TShields.txt изменён")));
        EXPECT_EQ(t.game.read("types/TShields.txt"), tableText(t.state, TableId::shields)) << "Yes wrote the window's shields";
        EXPECT_EQ(t.game.read("types/TLaser.txt"), lasersWhileAsking) << "what the other program wrote last stays";
        if (c.lasersAnswer == kIdOk) {
            EXPECT_EQ(boxes[2].text, Editor::cp(kMergedNote + "TLaser.txt"));
            EXPECT_EQ(t.state.lasers.records[0].laserPower, 333) << "and is in the window";
        } else {
            EXPECT_EQ(boxes[2].text, Editor::cp("Файл types\\TLaser.txt изменён другой программой после того, как "
                                                "Orvex его прочитал. Эти поля изменили и она, и Orvex:\r\n"
                                                "Импульсный лазер (SS_LASER_IRE), Мощность лазера: в Orvex 15009, "
                                                "в файле 333\r\nЗаменить файл значениями Orvex?"));
            EXPECT_EQ(boxes[3].text, boxes[2].text) << "the next Save asks again";
        }
    }
}

// A program that writes the table each time Save asks about it: Save asks
// three times, then gives up on that file and says so; the window keeps its "*".
TEST_F(EditorTest, SaveGivesUpOnATableAnotherProgramKeepsWriting) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    std::vector<std::string> writes;
    for (int32_t hull : {4001, 4002, 4003, 4004})
        writes.push_back(changedTableText(game, TableId::ships, [hull](GameState& s) { s.ships.records[0].hullStrength = hull; }));
    platform.type(*f.hullStrength, "7");
    check([&] { game.write("types/TShips.txt", writes[0]); });
    platform.click(*f.saveButton);
    for (size_t i = 1; i < writes.size(); ++i)
        platform.answer(kIdYes, [&, i] { game.write("types/TShips.txt", writes[i]); });
    platform.answer(kIdOk);
    check([&] { EXPECT_EQ(controlText(*f.window), "*Orvex"); });
    run();
    const auto& boxes = platform.messageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(std::tuple(boxes[4].text, boxes[4].flags),
              std::tuple(cp("Не удалось сохранить файлы:\r\ntypes\\TShips.txt — другая программа меняла файл, "
                            "пока Orvex сохранял\r\n\r\nОстальные таблицы сохранены."),
                         kMbOk | kMbIconError));
    EXPECT_EQ(game.read("types/TShips.txt"), writes.back());
    EXPECT_TRUE(game.exists("types/TLaser.bak")) << "the other tables were written";
}

// The title carries "*" from the first change (a list's entry, a weapon box) to
// the next full save, and closing asks only then; Yes saves. Choosing the entry
// a list already shows, or typing a value that stores what the record holds,
// changes nothing.
TEST_F(EditorTest, TheTitleStarAndTheCloseQuestionFollowChanges) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    const auto title = [&](const char* expected) {
        check([&, expected] { EXPECT_EQ(controlText(*f.window), expected); });
    };
    title("Orvex");
    platform.choose(*f.maxShieldCountList, selectedIndex(*f.maxShieldCountList));
    check([&] { setControlText(*f.hullStrength, controlText(*f.hullStrength)); });
    title("Orvex");
    platform.choose(*f.maxShieldCountList, 3);
    title("*Orvex");
    platform.click(*f.saveButton);
    title("Orvex");
    check([&] { fs::remove(game.path("types/TShips.bak")); });
    platform.click(*f.weaponBoxes[5]);
    title("*Orvex");
    platform.pressClose(*f.window);
    platform.answer(kIdYes);
    run();
    EXPECT_FALSE(platform.ranDry());
    ASSERT_EQ(platform.messageBoxes().size(), 2u);
    EXPECT_EQ(platform.messageBoxes()[1].text, cp("Файлы не сохранены! Сохранить?"));
    EXPECT_TRUE(game.exists("types/TShips.bak")) << "Yes saved";
}

// Without a `types` folder start-up names only that.
TEST_F(EditorTest, StartUpNamesAMissingTypesFolderAlone) {
    language = Language::en;
    game.write("t/70001.xml", namePage());
    fs::remove_all(game.path("types"));
    ASSERT_NE(start(false), nullptr);
    EXPECT_EQ(form->startupNotes, "There is no types folder here. Is this the game's folder?");
    run();
    EXPECT_EQ(platform.messageBoxes().size(), 1u);
}

// A second editor on the folder, however it is spelled, is told so at start-up
// and still opens; once the first has closed, the folder is free again.
TEST_F(EditorTest, ASecondEditorOnTheFolderIsToldAndGoesOn) {
    ASSERT_NE(start(), nullptr);
    const auto second = [&](bool toldOpen) {
        Editor t;
        t.state.folder = game.folder() + "types/../";
        t.application = &createApplication(t.platform, ORVEX_CAPTION);
        t.form = buildMainWindow(*t.application, t.state, t.language);
        ASSERT_NE(t.form, nullptr);
        EXPECT_EQ(t.form->startupNotes.starts_with(cp("Эта папка игры уже открыта в Orvex.")), toldOpen);
        EXPECT_EQ(itemText(*t.form->shipList, 0), cp("Кондор")) << "it goes on";
        t.platform.answer(kIdOk);
        t.run();
    };
    second(true);
    run(); // the first editor closes
    second(false);
}

// Another program (an import) moves the last ship to the front and turns the
// shields round, re-pointing its ships, while the window raises a hull; with
// `hull` it changes that hull too. Save merges: the files keep the other
// program's order, every ship its shield, and the window's hull. With the
// conflict No leaves the ships, and with them the shields they name by place, as
// the files hold them: the window's ship still shows its own shield.
TEST(EditorSave, MovedRecordsKeepWhatEachShipNames) {
    const auto shieldOf = [](const GameState& s) {
        std::map<std::string, std::string> named;
        for (const TShips& ship : s.ships.records)
            named[ship.objectId] = s.shields.records.at(static_cast<size_t>(ship.maxShieldType)).objectId;
        return named;
    };
    for (const std::optional<int32_t> hull : {std::optional<int32_t>(), std::optional<int32_t>(4000)}) {
        Editor t;
        ASSERT_NE(t.start(), nullptr);
        MainForm& f = *t.form;
        GameState other = loadedGame(t.game);
        const std::map<std::string, std::string> meant = shieldOf(other);
        if (hull) other.ships.records[0].hullStrength = *hull;
        std::rotate(other.ships.records.rbegin(), other.ships.records.rbegin() + 1, other.ships.records.rend());
        std::reverse(other.shields.records.begin(), other.shields.records.end());
        for (TShips& ship : other.ships.records) ship.maxShieldType = 2 - ship.maxShieldType;
        std::string shield;
        t.platform.type(*f.hullStrength, "7");
        t.check([&] {
            shield = itemText(*f.maxShieldTypeList, selectedIndex(*f.maxShieldTypeList));
            t.game.write("types/TShips.txt", tableText(other, TableId::ships));
            t.game.write("types/TShields.txt", tableText(other, TableId::shields));
        });
        t.platform.click(*f.saveButton);
        t.platform.answer(hull ? kIdNo : kIdOk);
        t.check([&] {
            EXPECT_EQ(itemText(*f.maxShieldTypeList, selectedIndex(*f.maxShieldTypeList)), shield);
            EXPECT_EQ(controlText(*f.window), hull ? "*Orvex" : "Orvex");
            if (hull) {
                EXPECT_EQ(t.game.read("types/TShields.txt"), tableText(other, TableId::shields));
                return;
            }
            const GameState now = loadedGame(t.game);
            for (size_t i = 0; i < other.ships.records.size(); ++i)
                EXPECT_EQ(now.ships.records[i].objectId, other.ships.records[i].objectId) << "the other program's order";
            EXPECT_EQ(shieldOf(now), meant);
            EXPECT_EQ(now.ships.records[1].hullStrength % 10, 7) << "the window's hull";
        });
        t.run();
    }
}

} // namespace
