// The copy and rename dialogs as a person works them: Ctrl+D from a group's
// control or a record list's context menu, the proposals, Enter, Esc, and a
// refusal told at its box while the dialog stays.

#include "editor_fixture.h"

#include "editor/control_list.h"

#include <tuple>

namespace {

enum class Open { ctrlD, menuDuplicate, menuRename };
enum class Tip { none, name, objectId };

// A record group: its page, its selector, and an input of it Ctrl+D is pressed from.
struct Group {
    int page;
    Control* (*list)(MainForm&);
    Control* (*input)(MainForm&);
};
const Group kShips{0, [](MainForm& f) { return f.shipList; }, [](MainForm& f) { return f.hullStrength; }};
const Group kShields{1, [](MainForm& f) { return f.shield.list; }, [](MainForm& f) { return f.shieldPower; }};
const Group kWares{2, [](MainForm& f) { return f.ware.list; }, [](MainForm& f) { return f.ware.volume; }};

struct Case {
    const char* what;
    const Group& group;
    Open open;
    const char* proposedName; // UTF-8; null: the name the list shows
    const char* proposedId;   // "" for the rename dialog
    const char* pastedName;   // null: the proposal stays
    const char* pastedId;     // null: the proposal stays
    bool escape;              // Esc ends it instead of Enter
    Tip tip;                  // where Enter's refusal is told (Esc then ends it)
    const char* tipText;      // UTF-8
    int added;                // entries the list gained
    const char* listed;       // UTF-8: the list's chosen entry afterwards; null: as before
};

const Case kCases[] = {
    {"Ctrl+D from a ship's field copies the shown ship", kShips, Open::ctrlD, "Кондор 2", "SS_SH_CONDOR_2",
     "Пустельга", nullptr, false, Tip::none, "", 1, "Пустельга"},
    {"the list's Duplicate… with the proposals", kShields, Open::menuDuplicate, "Щит 1 МДж 2", "SS_SHIELD_1_2",
     nullptr, nullptr, false, Tip::none, "", 1, "Щит 1 МДж 2"},
    {"the list's Rename…", kWares, Open::menuRename, nullptr, "", "Аккумуляторы", nullptr, false, Tip::none, "",
     0, "Аккумуляторы"},
    {"Esc changes nothing", kShields, Open::ctrlD, "Щит 1 МДж 2", "SS_SHIELD_1_2", "Щит 2 МДж", nullptr, true,
     Tip::none, "", 0, nullptr},
    {"a used identifier is told at its box", kShips, Open::ctrlD, "Кондор 2", "SS_SH_CONDOR_2", nullptr,
     "SS_SH_SHARED", true, Tip::objectId, "идентификатор «SS_SH_SHARED» уже есть в types\\TShips.txt", 0,
     nullptr},
    {"an empty name is told at its box", kShips, Open::menuRename, nullptr, "", "  ", nullptr, true, Tip::name,
     "имя пустое", 0, nullptr},
};

TEST(EditorRecordDialog, OpensForTheShownRecordAndMakesOrRefusesTheEdit) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        Editor t;
        ASSERT_NE(t.start(), nullptr);
        MainForm& f = *t.form;
        Control& list = *c.group.list(f);
        const std::string page = f.page.bytes;
        if (c.group.page != 0) t.platform.switchTab(*f.tabs, c.group.page);
        int entries = 0;
        std::string listed;
        t.check([&] { entries = itemCount(list), listed = controlText(list); });
        if (c.open == Open::ctrlD) {
            t.platform.focus(*c.group.input(f));
            t.platform.pressKey(*f.window, 'D', true);
        } else {
            t.platform.openContextMenu(list, c.open == Open::menuRename ? 1 : 0);
        }
        Control* dialog = nullptr;
        t.check([&] {
            dialog = t.platform.openDialog();
            ASSERT_NE(dialog, nullptr);
            Control* name = findControl(*dialog, controlNumber("dialog.name"));
            Control* id = findControl(*dialog, controlNumber("dialog.objectId"));
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(dialog->text, t.cp(c.open == Open::menuRename ? "Переименовать" : "Создать копию"));
            EXPECT_EQ(controlText(*name), c.proposedName ? t.cp(c.proposedName) : listed);
            EXPECT_EQ(id ? controlText(*id) : "", c.proposedId);
            EXPECT_EQ(t.platform.focused(), name);
            EXPECT_EQ(std::tuple(selection(*name).start, selection(*name).end),
                      std::tuple(0, static_cast<int>(controlText(*name).size())));
            EXPECT_FALSE(isEnabled(*f.window)) << "the window takes no input while the dialog shows";
            if (c.pastedName) t.platform.paste(*name, t.cp(c.pastedName));
            if (c.pastedId) t.platform.paste(*id, c.pastedId);
            if (c.tip != Tip::none) {
                t.platform.pressEnter();
                t.platform.call([&, name, id] {
                    EXPECT_EQ(t.platform.openDialog(), dialog) << "a refusal keeps it";
                    ASSERT_EQ(t.platform.tips().size(), 1u);
                    const ShownTip& tip = t.platform.tips()[0];
                    EXPECT_EQ(tip.box, c.tip == Tip::name ? name : id);
                    EXPECT_EQ(tip.text, t.cp(c.tipText));
                });
            }
            if (c.escape) t.platform.pressEscape();
            else t.platform.pressEnter();
            // Queued here, the check comes after the dialog's actions.
            t.platform.call([&] {
                EXPECT_EQ(t.platform.openDialog(), nullptr);
                EXPECT_EQ(itemCount(list), entries + c.added);
                EXPECT_EQ(controlText(list), c.listed ? t.cp(c.listed) : listed);
                const bool changed = !c.escape;
                EXPECT_EQ(controlText(*f.window), changed ? "*Orvex" : "Orvex");
                EXPECT_EQ(f.page.bytes != page, changed);
                EXPECT_TRUE(isEnabled(*f.window));
            });
        });
        t.run();
    }
}

} // namespace
