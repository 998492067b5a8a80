// The ids of the editor's controls: the list of controls names exactly the
// window's controls, each window carries its own entry's number and shows the
// entry's text, and the inputs are named by the column they edit.

#include "editor_fixture.h"

#include "editor/control_list.h"

#include <map>

namespace {

// The controls below c; a dialog (a top-level window, without an id) by its controls.
void collect(const Control& c, std::vector<const Control*>& out) {
    for (const auto& child : c.children) {
        if (child->kind != ControlKind::Dialog) out.push_back(child.get());
        collect(*child, out);
    }
}

TEST_F(EditorTest, EveryControlHasAnEntryOfItsOwn) {
    ASSERT_NE(start(), nullptr);
    std::map<int, int> uses;
    const auto record = [&](const Control& root) {
        std::vector<const Control*> controls;
        collect(root, controls);
        for (const Control* c : controls) {
            const ControlEntry* entry = controlEntry(c->id);
            ASSERT_NE(entry, nullptr) << "a control reading \"" << c->text << "\" has no entry";
            EXPECT_EQ(++uses[c->id], 1) << entry->name << " names two controls";
            ASSERT_NE(platform.windowOf(*c), nullptr) << entry->name;
            EXPECT_EQ(platform.windowOf(*c)->id, c->id) << entry->name;
            // A page's text is its tab's.
            if (entry->text && c->kind != ControlKind::Page) {
                EXPECT_EQ(c->text, form->text(*entry->text)) << entry->name;
            }
        }
    };
    // Checked once every page was shown (a page's windows are made when it is
    // first shown), with the copy dialog open, then the find dialog's controls.
    check([&] {
        EXPECT_EQ(platform.windowOf(*form->ware.list), nullptr);
        for (int page : {2, 1, 0})
            showTab(*form->tabs, page);
    });
    platform.focus(*form->hullStrength);
    platform.pressKey(*form->window, 'D', true);
    check([&] { record(*form->window); });
    platform.pressEscape();
    platform.pressKey(*form->window, 'F', true);
    check([&] {
        ASSERT_NE(platform.openDialog(), nullptr);
        record(*platform.openDialog());
        // No entry names a control the window lacks.
        EXPECT_EQ(uses.size(), controlList().size());
    });
    platform.pressEscape();
    run();
}

TEST_F(EditorTest, ControlsAreFoundByTheirRoleOrColumn) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    const std::pair<const char*, Control*> expected[] = {
        {"tabs", f.tabs}, {"saveButton", f.saveButton}, {"ship.list", f.shipList}, {"turret.list", f.turretList},
        {"ship.speed", f.speed}, {"ship.price", f.shipPriceLabel}, {"weapon.23", f.weaponBoxes[23]},
        {"bullet.flightTime", f.firingRange}, {"laser.averagePrice", f.laser.averagePriceLabel},
        {"rocket.priceRange", f.rocket.priceRangeLabel}, {"ware.averagePriceChange", f.ware.averagePriceChange}};
    for (const auto& [name, control] : expected)
        EXPECT_EQ(findControl(*f.window, controlNumber(name)), control) << name;
    EXPECT_EQ(controlNumber("ship.nothing"), 0);
    run();
}

} // namespace
