// The ids of the editor's controls: every control of the window has one, no
// two share a name or a number, each window carries its number, and the
// inputs are named by the column they edit.

#include "editor_fixture.h"

#include "ui/control_id.h"

#include <map>

namespace {

void collect(const Control& c, std::vector<const Control*>& out) {
    for (const auto& child : c.children) {
        out.push_back(child.get());
        collect(*child, out);
    }
}

TEST_F(EditorTest, EveryControlHasItsOwnId) {
    ASSERT_NE(start(), nullptr);
    // Checked once the loop has made every window.
    check([&] {
        std::vector<const Control*> controls;
        collect(*form->window, controls);
        ASSERT_GT(controls.size(), 150u);
        std::map<std::string, int> names;
        std::map<int, std::string> numbers;
        for (const Control* c : controls) {
            EXPECT_FALSE(c->id.empty()) << "a control reading \"" << c->text << "\" has no id";
            if (c->id.empty()) continue;
            EXPECT_EQ(++names[c->id], 1) << c->id << " names two controls";
            const int number = controlIdNumber(c->id);
            auto [at, added] = numbers.emplace(number, c->id);
            EXPECT_TRUE(added) << c->id << " and " << at->second << " have the same number";
            ASSERT_NE(platform.windowOf(*c), nullptr) << c->id;
            EXPECT_EQ(platform.windowOf(*c)->id, number) << c->id;
        }
    });
    run();
}

TEST_F(EditorTest, ControlsAreFoundByTheirRoleOrColumn) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    const std::pair<const char*, Control*> expected[] = {
        {"tabs", f.tabs},
        {"saveButton", f.saveButton},
        {"closeButton", f.closeButton},
        {"helpButton", f.helpButton},
        {"ship.list", f.shipList},
        {"ship.objectId", f.objectIdCaption},
        {"turret.list", f.turretList},
        {"ship.speed", f.speed},
        {"ship.hullStrength", f.hullStrength},
        {"ship.maxMissileType", f.maxMissileTypeList},
        {"ship.price", f.shipPriceLabel},
        {"weapon.0", f.weaponBoxes[0]},
        {"weapon.23", f.weaponBoxes[23]},
        {"laser.list", f.laser.list},
        {"laser.volume", f.laser.volume},
        {"bullet.flightTime", f.firingRange},
        {"laser.averagePrice", f.laser.averagePriceLabel},
        {"shield.shieldPower", f.shieldPower},
        {"rocket.missileSpeed", f.missileSpeed},
        {"rocket.priceRange", f.rocket.priceRangeLabel},
        {"station.averagePrice", f.station.averagePriceLabel},
        {"ware.averagePriceChange", f.ware.averagePriceChange},
    };
    for (const auto& [id, control] : expected)
        EXPECT_EQ(findControl(*f.window, id), control) << id;
    EXPECT_EQ(findControl(*f.window, "ship.nothing"), nullptr);
    run();
}

} // namespace
