// The window's own commands: closing with unsaved changes asks Yes / No /
// Cancel, and only Yes or No lets the window go; Find (Ctrl+F, F3) and the guide (F1).

#include "editor_fixture.h"

#include "editor/control_list.h"

#include <functional>
#include <tuple>

namespace {

// Cancel (and Esc, which answers it) keeps the window and its edit; No then
// closes without writing.
TEST_F(EditorTest, CancelOnTheCloseQuestionKeepsTheWindow) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    const std::string ships = game.read("types/TShips.txt");
    platform.type(*f.hullStrength, "7");
    platform.pressClose(*f.window);
    platform.answer(kIdCancel);
    check([&] { EXPECT_EQ(controlText(*f.window), "*Orvex"); });
    platform.pressClose(*f.window);
    platform.answer(kIdNo);
    run();
    ASSERT_EQ(platform.messageBoxes().size(), 3u);
    EXPECT_EQ(platform.messageBoxes()[1].flags, kMbYesNoCancel | kMbIconExclamation);
    EXPECT_EQ(game.read("types/TShips.txt"), ships);
}

// Find goes through the lists in page order from the shown record on, in any
// letter case, by name or objectId, and around; it shows the page and focuses
// the list. Ctrl+F's box holds the last text, selected; F3 finds the next; a
// text no list has is told in the box's tip and the dialog stays until Esc.
TEST_F(EditorTest, FindChoosesTheNextObjectWithTheTextInAnyList) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    struct Step {
        const char* typed; // UTF-8 for Ctrl+F and Enter; null: F3
        int page;
        Control* list;
        int entry;
    };
    const Step steps[] = {
        {"щит 5", 1, f.shield.list, 1},    // a name, small letters
        {"ware_ore", 2, f.ware.list, 2},   // an objectId, in the third ware file
        {"ss_SH_", 0, f.shipList, 0},      // from the ware list around to the ships
        {nullptr, 0, f.shipList, 1},       // F3: a ship without a name, by objectId
        {nullptr, 0, f.shipList, 2},
        {nullptr, 0, f.shipList, 0},       // around again
        {"нет такого", 0, f.shipList, 0},  // told; Esc keeps the shown record
    };
    std::string last;
    std::function<void(size_t)> play = [&](size_t i) {
        if (i == std::size(steps)) return;
        const Step& step = steps[i];
        const auto after = [&, i] {
            check([&, i] {
                SCOPED_TRACE(i);
                EXPECT_EQ(platform.openDialog(), nullptr);
                EXPECT_EQ(currentTab(*f.tabs), step.page);
                EXPECT_EQ(selectedIndex(*step.list), step.entry);
                EXPECT_EQ(platform.focused(), step.list);
                play(i + 1);
            });
        };
        if (step.typed == nullptr) {
            platform.pressKey(*f.window, kKeyF3, false);
            return after();
        }
        platform.pressKey(*f.window, 'F', true);
        check([&, i, after] {
            Control* dialog = platform.openDialog();
            ASSERT_NE(dialog, nullptr);
            Control* box = findControl(*dialog, controlNumber("find.what"));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(platform.focused(), box);
            EXPECT_EQ(std::tuple(controlText(*box), selection(*box).start, selection(*box).end),
                      std::tuple(last, 0, static_cast<int>(last.size())));
            last = cp(step.typed);
            platform.paste(*box, last);
            platform.pressEnter();
            if (i + 1 == std::size(steps)) {
                check([&, dialog, box] {
                    EXPECT_EQ(platform.openDialog(), dialog);
                    ASSERT_EQ(platform.tips().size(), 1u);
                    EXPECT_EQ(std::tuple(platform.tips()[0].box, platform.tips()[0].text),
                              std::tuple(box, cp("«нет такого» нет ни в названиях, ни в идентификаторах списков.")));
                });
                platform.pressEscape();
                check([&] { EXPECT_EQ(selectedIndex(*f.shipList), 0); });
                return;
            }
            after();
        });
    };
    play(0);
    run();
}

// F1 opens the guide of the window's language beside the program.
TEST_F(EditorTest, F1OpensTheGuide) {
    ASSERT_NE(start(), nullptr);
    platform.pressKey(*form->window, kKeyF1, false);
    platform.pressClose(*form->window);
    run();
    EXPECT_EQ(platform.openedFiles(), std::vector<std::string>{"guide.ru.html"});
}

// Activated again after another program changed tables: a table without the
// window's edits is shown as the file holds it, one with edits merged with
// them, both at once with a notice; a conflict waits for Save's question.
TEST_F(EditorTest, AnActivatedWindowShowsTablesAnotherProgramChanged) {
    struct Case {
        const char* what;
        const char* typedHull; // the window's edit of ship 0's hull ("" for none)
        const char* typedSpeed;
        int32_t otherHull; // another program's
        const char* shownHull;
        bool taken;
    };
    const Case cases[] = {
        {"no edits: the file's table", "", "", 4000, "4000", true},
        {"edits elsewhere: merged", "", "\b\b\b\b3", 4000, "4000", true},
        {"the same field both ways: waits for Save", "\b\b\b\b7", "", 4000, "7", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Editor t;
        ASSERT_NE(t.start(), nullptr);
        MainForm& f = *t.form;
        const std::string other =
            changedTableText(t.game, TableId::ships, [&](GameState& s) { s.ships.records[0].hullStrength = c.otherHull; });
        if (*c.typedHull) t.platform.type(*f.hullStrength, c.typedHull);
        if (*c.typedSpeed) t.platform.type(*f.speed, c.typedSpeed);
        t.platform.choose(*f.shipList, 1);
        t.check([&] { t.game.write("types/TShips.txt", other); });
        t.platform.activate(*f.window);
        t.platform.choose(*f.shipList, 0);
        t.check([&] {
            EXPECT_EQ(controlText(*f.hullStrength), c.shownHull);
            if (*c.typedSpeed) {
                EXPECT_EQ(controlText(*f.speed), "3");
            }
            EXPECT_EQ(controlText(*f.window), *c.typedHull || *c.typedSpeed ? "*Orvex" : "Orvex");
            const size_t notices = t.platform.tips().size();
            ASSERT_EQ(notices, c.taken ? 1u : 0u);
            if (c.taken) {
                EXPECT_EQ(t.platform.tips()[0].text,
                          t.cp("Другая программа изменила types\\TShips.txt; окно показывает их такими, "
                               "вместе со своими правками."));
            }
        });
        // Save then asks only about what waited.
        t.platform.click(*f.saveButton);
        if (!c.taken) t.platform.answer(kIdYes);
        t.platform.pressClose(*f.window);
        t.run();
        EXPECT_EQ(t.platform.messageBoxes().size() - 1, c.taken ? 0u : 1u) << "after the start-up note";
        EXPECT_EQ(loadedGame(t.game).ships.records[0].hullStrength, c.taken ? c.otherHull : 7);
    }
}

// A name another program gave is listed once the window is activated, unless
// the window has names of its own (Save merges those).
TEST_F(EditorTest, AnActivatedWindowListsNamesAnotherProgramGave) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    std::string page = game.read("t/70001.xml");
    page.replace(page.find("Кондор"), std::string("Кондор").size(), "Пустельга");
    check([&] { game.write("t/70001.xml", page); });
    platform.activate(*f.window);
    check([&] {
        EXPECT_EQ(itemText(*f.shipList, 0), cp("Пустельга"));
        EXPECT_EQ(selectedIndex(*f.shipList), 0);
        ASSERT_EQ(platform.tips().size(), 1u);
        EXPECT_NE(platform.tips()[0].text.find("t\\70001.xml"), std::string::npos);
        EXPECT_EQ(renameRecord(f, TableId::lasers, 0, cp("Лазер")), "");
        game.write("t/70001.xml", namePage());
    });
    platform.activate(*f.window);
    check([&] { EXPECT_EQ(itemText(*f.shipList, 0), cp("Пустельга")) << "the window's own names wait for Save"; });
    platform.pressClose(*f.window);
    platform.answer(kIdNo);
    run();
}

} // namespace
