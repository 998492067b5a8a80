// Saving over a table another program changed, the title's "*" and the close
// question that comes only after a change, what start-up tells about the folder.

#include "editor_fixture.h"
#include "tables/load_tables.h"
#include "tables/save_tables.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <map>
#include <span>

namespace {

namespace fs = std::filesystem;

// An editor of its own, beside a test's (or several, one after another).
struct Editor : EditorTest {
    void TestBody() override {}
    using EditorTest::application, EditorTest::check, EditorTest::form, EditorTest::game,
        EditorTest::language, EditorTest::platform, EditorTest::run, EditorTest::start,
        EditorTest::state, EditorTest::cp;
};

// The ship table as another program left it while the editor was open.
const std::string kOtherShips = "5;1;\r\n" + shipLine({{kNameId, "1001"}}, "0;", "SS_SH_OTHER", "11;5000;13;14;15;");

// The ship and laser tables are edited; another program rewrites the ship table;
// Save asks about it once, naming it. Yes writes Orvex's ships, No keeps the
// other program's and still writes the lasers, Cancel writes nothing at all. A
// second Save asks again only while the file differs from what Orvex last wrote.
TEST(EditorSave, AsksBeforeOverwritingATableChangedOnDisk) {
    struct Case {
        int answer;
        bool shipsWritten, lasersWritten, askedAgain;
    };
    for (const Case c : {Case{kIdYes, true, true, false}, Case{kIdNo, false, true, true},
                         Case{kIdCancel, false, false, true}}) {
        SCOPED_TRACE(c.answer);
        Editor t; // a fresh editor per answer
        writeEditorGame(t.game);
        ASSERT_NE(t.start(false), nullptr);
        MainForm& f = *t.form;
        const std::string originalLasers = t.game.read("types/TLaser.txt");
        t.platform.type(*f.hullStrength, "7");
        t.platform.switchTab(*f.tabs, 1);
        t.platform.type(*f.laserPower, "9");
        t.check([&] { t.game.write("types/TShips.txt", kOtherShips); });
        t.platform.click(*f.saveButton);
        t.platform.answer(c.answer);
        t.check([&] { EXPECT_EQ(controlText(*f.window), c.answer == kIdYes ? "Orvex" : "*Orvex"); });
        t.platform.click(*f.saveButton); // asks again unless Yes wrote Orvex's table
        if (c.askedAgain) t.platform.answer(kIdCancel);
        t.run();
        const auto& boxes = t.platform.messageBoxes();
        ASSERT_EQ(boxes.size(), c.askedAgain ? 3u : 2u); // boxes[0]: start-up's note
        EXPECT_EQ(std::tuple(boxes[1].text, boxes[1].caption, boxes[1].flags),
                  std::tuple(Editor::cp("Файл types\\TShips.txt изменён другой программой после того, как "
                                "Orvex его прочитал. Эти поля изменили и она, и Orvex:\r\n"
                                "Кондор (SS_SH_CONDOR): изменён в Orvex, удалён в файле\r\n"
                                "Заменить файл значениями Orvex?"),
                             std::string(ORVEX_CAPTION), kMbYesNoCancel | kMbIconExclamation));
        EXPECT_EQ(t.game.read("types/TShips.txt"), c.shipsWritten ? tableText(t.state, TableId::ships) : kOtherShips);
        EXPECT_NE(tableText(t.state, TableId::ships), kOtherShips);
        const std::string lasers = t.game.read("types/TLaser.txt");
        EXPECT_EQ(lasers, c.lasersWritten ? tableText(t.state, TableId::lasers) : originalLasers);
        EXPECT_NE(tableText(t.state, TableId::lasers), originalLasers) << "the laser edit reached the record";
        EXPECT_EQ(t.game.exists("types/TLaser.bak"), c.lasersWritten);
    }
}

// The window changes the first ship's hull (5000 becomes 50007) while another
// program changes a field of the same ship. A change to another field, or the
// same change, merges: Save writes both without a question, says which file it
// merged, takes the other program's value into the window, and the next Save
// asks nothing and writes nothing new. The same field changed differently is
// asked about, the conflict listed in the window's words; No leaves the file. A
// ship added on disk merges too: the ship list names it, and stays on its ship.
TEST(EditorSave, MergesATableChangedOnDiskWhereTheChangesDoNotConflict) {
    struct Case {
        const char* what;
        Language language;
        int32_t TShips::*field;
        int32_t value;
        std::string question; // empty: merged without one
    };
    const std::string merged = "Эти файлы изменила другая программа. Её изменения объединены с правками Orvex "
                               "и сохранены:\r\ntypes\\TShips.txt";
    for (const Case& c : {
             Case{"another field", Language::ru, &TShips::speed, 3330, ""},
             Case{"another field, English", Language::en, &TShips::speed, 3330, ""},
             Case{"the same change", Language::ru, &TShips::hullStrength, 50007, ""},
             Case{"a ship added", Language::ru, nullptr, 0, ""},
             Case{"the same field", Language::ru, &TShips::hullStrength, 4000,
                  "Файл types\\TShips.txt изменён другой программой после того, как Orvex его прочитал. "
                  "Эти поля изменили и она, и Orvex:\r\nКондор (SS_SH_CONDOR), Корпус: в Orvex 50007, в файле 4000\r\n"
                  "Заменить файл значениями Orvex?"},
             Case{"the same field, English", Language::en, &TShips::hullStrength, 4000,
                  "types\\TShips.txt was changed by another program after Orvex read it. Both it and Orvex "
                  "changed these fields:\r\n" + Editor::cp("Кондор") + " (SS_SH_CONDOR), Hull: 50007 in Orvex, 4000 in the file\r\n"
                  "Overwrite the file with Orvex's values?"},
         }) {
        SCOPED_TRACE(c.what);
        Editor t;
        t.language = c.language;
        writeEditorGame(t.game);
        ASSERT_NE(t.start(false), nullptr);
        MainForm& f = *t.form;
        const std::string other = changedTableText(t.game, TableId::ships, [&](GameState& s) {
            if (c.field) s.ships.records[0].*c.field = c.value; // else a ship added at the end
            else s.ships.records.push_back(s.ships.records[1]), s.ships.records.back().objectId = "SS_SH_ADDED";
        });
        t.platform.type(*f.hullStrength, "7");
        t.check([&] { t.game.write("types/TShips.txt", other); });
        t.platform.click(*f.saveButton);
        t.platform.answer(c.question.empty() ? kIdOk : kIdNo);
        std::string shownSpeed, written, lastEntry;
        int entries = 0, chosen = -1;
        t.check([&] {
            shownSpeed = controlText(*f.speed);
            written = t.game.read("types/TShips.txt");
            entries = itemCount(*f.shipList);
            chosen = selectedIndex(*f.shipList);
            lastEntry = itemText(*f.shipList, entries - 1);
        });
        t.platform.click(*f.saveButton); // again: a merged table is Orvex's own now
        if (!c.question.empty()) t.platform.answer(kIdCancel);
        t.run();
        const auto& boxes = t.platform.messageBoxes();
        ASSERT_EQ(boxes.size(), c.question.empty() ? 2u : 3u); // boxes[0]: start-up's note
        if (c.question.empty()) {
            EXPECT_EQ(boxes[1].text, c.language == Language::ru
                                         ? Editor::cp(merged)
                                         : "Another program had changed these files. Its changes were merged with "
                                           "Orvex's edits and saved:\r\ntypes\\TShips.txt");
            EXPECT_EQ(boxes[1].flags, kMbOk | kMbIconInformation);
            if (c.field) {
                EXPECT_EQ(t.state.ships.records[0].*c.field, c.value) << "the other program's value is in memory";
            }
            EXPECT_EQ(entries, static_cast<int>(t.state.ships.records.size())) << "the ship list names every ship";
            EXPECT_EQ(chosen, 0) << "and stays on the ship it showed";
            if (!c.field) {
                EXPECT_EQ(lastEntry, "SS_SH_ADDED");
            }
            EXPECT_EQ(t.state.ships.records[0].hullStrength, 50007) << "and the window's edit";
            EXPECT_EQ(written, tableText(t.state, TableId::ships));
            EXPECT_EQ(t.game.read("types/TShips.txt"), written);
            if (c.field == &TShips::speed) {
                EXPECT_EQ(shownSpeed, "15") << "the window shows the merged value";
            }
        } else {
            EXPECT_EQ(boxes[1].text, c.language == Language::ru ? Editor::cp(c.question) : c.question);
            EXPECT_EQ(written, other) << "No leaves the file as the other program wrote it";
            EXPECT_EQ(t.state.ships.records[0].hullStrength, 50007) << "the window keeps its edit";
        }
    }
}

// Another program removes the ship before the one the window edits: Save merges,
// and the ship list, one entry shorter, stays on the edited ship.
TEST_F(EditorTest, AMergeThatRemovesAShipKeepsTheListOnTheShownShip) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    platform.choose(*f.shipList, 1);
    platform.type(*f.hullStrength, "7");
    check([&] {
        game.write("types/TShips.txt", changedTableText(game, TableId::ships, [](GameState& s) {
            s.ships.records.erase(s.ships.records.begin());
        }));
    });
    platform.click(*f.saveButton);
    platform.answer(kIdOk);
    check([&] {
        EXPECT_EQ(itemCount(*f.shipList), 2);
        EXPECT_EQ(selectedIndex(*f.shipList), 0);
        EXPECT_EQ(controlText(*f.objectIdCaption), "SS_SH_NONAME");
        EXPECT_EQ(controlText(*f.hullStrength), std::to_string(state.ships.records[0].hullStrength));
        EXPECT_EQ(state.ships.records[0].hullStrength % 10, 7) << "the edit is kept";
    });
    run();
}

// A conflict is named as the window names it: the record by the entry its list
// shows and its objectId (once, when the entry is the id), the field by its
// label, or by its column where the window does not show it. The window's edit
// sets the field to 1, the other program's to 2.
TEST(EditorSave, ConflictsAreNamedInTheWindowsWords) {
    struct Case {
        const char* what;
        TableId table;
        std::function<void(GameState&, int32_t)> set;
        std::string line;
    };
    for (const Case& c : {
             Case{"a ship without a name", TableId::ships,
                  [](GameState& s, int32_t v) { s.ships.records[1].hullStrength = v; },
                  "SS_SH_NONAME, Корпус: в Orvex 1, в файле 2"},
             Case{"a field the window does not show", TableId::ships,
                  [](GameState& s, int32_t v) { s.ships.records[0].col0 = v; },
                  "Кондор (SS_SH_CONDOR), col0: в Orvex 1, в файле 2"},
             Case{"a station, listed with its race", TableId::stations,
                  [](GameState& s, int32_t v) { s.stations.records[0].volume = v; },
                  "Рудник (Аргон) (SS_FACTORY_MINE), Занимаемый объем: в Orvex 1, в файле 2"},
             Case{"a ware of the last ware file", TableId::wareT,
                  [](GameState& s, int32_t v) { s.wares.back().volume = v; },
                  "Руда (SS_WARE_ORE), Занимаемый объем: в Orvex 1, в файле 2"},
             Case{"a bullet, under the laser whose group shows it", TableId::bullets,
                  [](GameState& s, int32_t v) { s.bullets.records[0].shotEnergy = v; },
                  "Импульсный лазер (SS_BULLET_IRE), Энергия выстрела: в Orvex 1, в файле 2"},
             Case{"a cockpit, in no list", TableId::cockpits,
                  [](GameState& s, int32_t v) { s.cockpits.records[2].col0 = v; },
                  "SS_COCKPIT_C, col0: в Orvex 1, в файле 2"},
         }) {
        SCOPED_TRACE(c.what);
        Editor t;
        writeEditorGame(t.game);
        ASSERT_NE(t.start(false), nullptr);
        const std::string other = changedTableText(t.game, c.table, [&](GameState& s) { c.set(s, 2); });
        t.check([&] {
            c.set(t.state, 1);
            t.game.write(std::string("types/") + std::string(tableName(c.table).fileName.substr(6)), other);
        });
        t.platform.click(*t.form->saveButton);
        t.platform.answer(kIdCancel);
        t.run();
        const auto& boxes = t.platform.messageBoxes();
        ASSERT_EQ(boxes.size(), 2u);
        const std::string_view text = boxes[1].text;
        const size_t from = text.find("\r\n") + 2;
        EXPECT_EQ(text.substr(from, text.find("\r\n", from) - from), Editor::cp(c.line));
    }
}

// Closing asks, Yes saves, and No to a table's own question leaves that table
// unwritten: the window stays open with its "*" rather than lose the edit, the
// other tables are written. Closing again asks again; No then closes.
TEST_F(EditorTest, ClosingKeepsTheWindowWhenATableIsLeftUnsaved) {
    writeEditorGame(game);
    ASSERT_NE(start(false), nullptr);
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
    EXPECT_TRUE(boxes[2].text.starts_with(cp("Файл types\\TShips.txt изменён другой программой")));
    EXPECT_EQ(state.ships.records[0].hullStrength, 50007) << "the edit was in the window to the end";
}

// Another program writes a table while Save's question about another one is
// open. Save never writes over that file: it merges it like any table changed
// on disk, or asks about it, once the question is answered. An untouched table
// takes the other program's values; one whose merge Save had already made is
// merged again with what the program wrote then (a third value of the field it
// had changed is no conflict); the window's own change to the same field is asked
// about. The shields conflict (volume, 7 in the window, 4 on disk) is answered Yes.
TEST(EditorSave, ATableWrittenWhileSaveAsksIsMergedOrAskedAgain) {
    struct Case {
        const char* what;
        bool windowTypesPower;              // the laser's power 1500 becomes 15009
        std::optional<int32_t> powerBefore; // another program's, written before Save
        int32_t powerWhileAsking;           // written while the shields question is open
        int lasersAnswer;                   // kIdOk: merged and told
    };
    for (const Case& c : {
             Case{"untouched in the window", false, {}, 333, kIdOk},
             Case{"merged already, written again", false, 222, 333, kIdOk},
             Case{"the window changed the same field", true, {}, 333, kIdNo},
         }) {
        SCOPED_TRACE(c.what);
        Editor t;
        writeEditorGame(t.game);
        ASSERT_NE(t.start(false), nullptr);
        MainForm& f = *t.form;
        const auto power = [](int32_t value) {
            return [value](GameState& s) { s.lasers.records[0].laserPower = value; };
        };
        const std::string lasersBefore = c.powerBefore ? changedTableText(t.game, TableId::lasers, power(*c.powerBefore)) : "";
        const std::string lasersWhileAsking = changedTableText(t.game, TableId::lasers, power(c.powerWhileAsking));
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
        std::string title;
        t.check([&] { title = controlText(*f.window); });
        t.platform.click(*f.saveButton); // asks again only about a table left as it is
        if (c.lasersAnswer == kIdNo) t.platform.answer(kIdCancel);
        t.run();

        const auto& boxes = t.platform.messageBoxes();
        ASSERT_EQ(boxes.size(), c.lasersAnswer == kIdNo ? 4u : 3u);
        EXPECT_TRUE(boxes[1].text.starts_with(Editor::cp("Файл types\\TShields.txt изменён")));
        EXPECT_EQ(t.game.read("types/TShields.txt"), tableText(t.state, TableId::shields)) << "Yes wrote the window's shields";
        EXPECT_EQ(t.game.read("types/TLaser.txt"), lasersWhileAsking) << "what the other program wrote last stays";
        if (c.lasersAnswer == kIdOk) {
            EXPECT_EQ(boxes[2].text, Editor::cp("Эти файлы изменила другая программа. Её изменения объединены с "
                                                "правками Orvex и сохранены:\r\ntypes\\TLaser.txt"));
            EXPECT_EQ(t.state.lasers.records[0].laserPower, c.powerWhileAsking) << "and is in the window";
            EXPECT_EQ(title, "Orvex");
        } else {
            EXPECT_EQ(boxes[2].text, Editor::cp("Файл types\\TLaser.txt изменён другой программой после того, как "
                                                "Orvex его прочитал. Эти поля изменили и она, и Orvex:\r\n"
                                                "Импульсный лазер (SS_LASER_IRE), Мощность лазера: в Orvex 15009, "
                                                "в файле 333\r\nЗаменить файл значениями Orvex?"));
            EXPECT_EQ(boxes[3].text, boxes[2].text) << "the next Save asks again";
            EXPECT_EQ(title, "*Orvex");
        }
    }
}

// A program that writes the table each time Save asks about it: Save asks
// three times, then gives up on that file and says so, and the window keeps
// its "*".
TEST_F(EditorTest, SaveGivesUpOnATableAnotherProgramKeepsWriting) {
    writeEditorGame(game);
    ASSERT_NE(start(false), nullptr);
    MainForm& f = *form;
    const auto hull = [&](int32_t value) {
        return changedTableText(game, TableId::ships, [value](GameState& s) { s.ships.records[0].hullStrength = value; });
    };
    const std::string last = hull(4004);
    const std::vector<std::string> writes = {hull(4001), hull(4002), hull(4003)};
    platform.type(*f.hullStrength, "7");
    check([&] { game.write("types/TShips.txt", writes[0]); });
    platform.click(*f.saveButton);
    platform.answer(kIdYes, [&] { game.write("types/TShips.txt", writes[1]); });
    platform.answer(kIdYes, [&] { game.write("types/TShips.txt", writes[2]); });
    platform.answer(kIdYes, [&] { game.write("types/TShips.txt", last); });
    platform.answer(kIdOk);
    check([&] { EXPECT_EQ(controlText(*f.window), "*Orvex"); });
    run();
    const auto& boxes = platform.messageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(std::tuple(boxes[4].text, boxes[4].flags),
              std::tuple(cp("Не удалось сохранить файлы:\r\ntypes\\TShips.txt — другая программа меняла файл, "
                            "пока Orvex сохранял\r\n\r\nОстальные таблицы сохранены."),
                         kMbOk | kMbIconError));
    EXPECT_EQ(game.read("types/TShips.txt"), last);
    EXPECT_TRUE(game.exists("types/TLaser.bak")) << "the other tables were written";
}

// A table removed by another program is changed too; the English window asks in English.
TEST_F(EditorTest, TheEnglishQuestionNamesTheFileToo) {
    language = Language::en;
    ASSERT_NE(start(), nullptr);
    check([&] { fs::remove(game.path("types/TBullets.txt")); });
    platform.click(*form->saveButton);
    platform.answer(kIdNo);
    run();
    ASSERT_EQ(platform.messageBoxes().size(), 2u);
    EXPECT_EQ(platform.messageBoxes()[1].text,
              "types\\TBullets.txt was changed by another program after Orvex read it. "
              "Overwrite it with Orvex's values?");
    EXPECT_FALSE(game.exists("types/TBullets.txt")) << "No leaves it as it is: removed";
}

// The title carries "*" from the first change to the next full save; closing asks
// only in between. Choosing the entry a list already shows, or typing a value
// that stores what the record holds, changes nothing.
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
    platform.pressClose(*f.window); // saved: nothing to ask, the window closes
    run();
    EXPECT_FALSE(platform.ranDry());
    EXPECT_EQ(platform.messageBoxes().size(), 1u) << "only start-up's note";
}

TEST_F(EditorTest, ClosingAfterAWeaponBoxClickAsksAndYesSaves) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    platform.click(*f.weaponBoxes[5]);
    check([&] { EXPECT_EQ(controlText(*f.window), "*Orvex"); });
    platform.pressClose(*f.window);
    platform.answer(kIdYes);
    run();
    ASSERT_EQ(platform.messageBoxes().size(), 2u);
    EXPECT_EQ(platform.messageBoxes()[1].text, cp("Файлы не сохранены! Сохранить?"));
    EXPECT_TRUE(game.exists("types/TShips.bak"));
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
    const std::string sameFolder = game.folder() + "types/../";
    const auto second = [&](bool toldOpen) {
        Editor t;
        t.state.folder = sameFolder;
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

} // namespace

// Another program (an import) moves the last ship to the front and turns the
// shields round, re-pointing its ships; the window raised a hull meanwhile.
// Save merges: the files keep the other program's order, every ship its shield,
// and the window's hull.
TEST_F(EditorTest, SaveKeepsWhatEachShipNamesWhenAnotherProgramMovedRecords) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    platform.type(*f.hullStrength, "7");
    const auto shieldOf = [](const GameState& s) {
        std::map<std::string, std::string> named;
        for (const TShips& ship : s.ships.records)
            named[ship.objectId] = s.shields.records.at(static_cast<size_t>(ship.maxShieldType)).objectId;
        return named;
    };
    std::map<std::string, std::string> meant;
    std::vector<std::string> order;
    check([&] {
        GameState other = loadedGame(game);
        meant = shieldOf(other);
        std::rotate(other.ships.records.rbegin(), other.ships.records.rbegin() + 1, other.ships.records.rend());
        std::reverse(other.shields.records.begin(), other.shields.records.end());
        for (TShips& ship : other.ships.records) ship.maxShieldType = 2 - ship.maxShieldType;
        for (const TShips& ship : other.ships.records) order.push_back(ship.objectId);
        game.write("types/TShips.txt", tableText(other, TableId::ships));
        game.write("types/TShields.txt", tableText(other, TableId::shields));
    });
    platform.click(*f.saveButton);
    platform.answer(kIdOk); // which files were merged
    check([&] {
        const GameState now = loadedGame(game);
        std::vector<std::string> ids;
        for (const TShips& ship : now.ships.records) ids.push_back(ship.objectId);
        EXPECT_EQ(ids, order);
        EXPECT_EQ(shieldOf(now), meant);
        EXPECT_EQ(now.ships.records[1].hullStrength % 10, 7) << "the window's hull";
        EXPECT_EQ(controlText(*f.window), "Orvex");
    });
    run();
}

// The same moves with a conflict on the ships: No leaves the ships, and with them
// the shields they name by place, as the files hold them, so the window's ship
// still shows its own shield and both tables wait for a later Save.
TEST_F(EditorTest, NoToAConflictLeavesTheTablesItsRecordsNameToo) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    platform.type(*f.hullStrength, "7");
    std::string shield, shieldsOnDisk;
    check([&] {
        shield = itemText(*f.maxShieldTypeList, selectedIndex(*f.maxShieldTypeList));
        GameState other = loadedGame(game);
        std::reverse(other.shields.records.begin(), other.shields.records.end());
        for (TShips& ship : other.ships.records) ship.maxShieldType = 2 - ship.maxShieldType;
        other.ships.records[0].hullStrength = 4000;
        game.write("types/TShips.txt", tableText(other, TableId::ships));
        shieldsOnDisk = tableText(other, TableId::shields);
        game.write("types/TShields.txt", shieldsOnDisk);
    });
    platform.click(*f.saveButton);
    platform.answer(kIdNo);
    check([&] {
        EXPECT_EQ(itemText(*f.maxShieldTypeList, selectedIndex(*f.maxShieldTypeList)), shield);
        EXPECT_EQ(game.read("types/TShields.txt"), shieldsOnDisk);
        EXPECT_EQ(controlText(*f.window), "*Orvex");
    });
    run();
}
