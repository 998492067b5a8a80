#include <gtest/gtest.h>

#include "selector.h"

#include "editor/control_list.h"

namespace uidriver {
namespace {

constexpr std::uint32_t kGroup = 0x50000007, kCheck = 0x50010003, kPush = 0x50010000;

// A window laid out like a small editor page: two group boxes with the same
// field label, a two-column group, check boxes, and a hidden second page.
struct SampleWindow {
    WindowTree tree;
    int tab, page0, page1, tech, lasers, speedEdit, accelEdit, laserCoef, techCoef, save, hiddenEdit;

    int add(int parent, const char* cls, const char* text, int x, int y, int w, int h, std::uint32_t style = 0,
            bool visible = true) {
        WindowNode n;
        n.parent = parent;
        n.className = cls;
        n.text = text;
        n.x = x, n.y = y, n.width = w, n.height = h;
        n.style = style;
        n.visible = visible;
        n.enabled = true;
        n.id = static_cast<int>(tree.nodes.size()) + 1000;
        if (parent >= 0) {
            const std::string index = std::to_string(tree.nodes[parent].children.size());
            n.path = tree.nodes[parent].path.empty() ? index : tree.nodes[parent].path + "/" + index;
            tree.nodes[parent].children.push_back(static_cast<int>(tree.nodes.size()));
        }
        tree.nodes.push_back(n);
        return static_cast<int>(tree.nodes.size()) - 1;
    }

    SampleWindow() {
        add(-1, "OrvexWindow", "Orvex", 0, 0, 624, 620);
        tab = add(0, "obj_SysTabControl32", "", 3, 3, 612, 544);
        page0 = add(tab, "obj_Static", "", 4, 24, 604, 516);
        tech = add(page0, "obj_Button", "Технические характеристики", 3, 227, 597, 255, kGroup);
        add(tech, "obj_Static", "Начальная скорость", 16, 25, 110, 13);
        speedEdit = add(tech, "obj_Edit", "100", 170, 22, 90, 22);
        add(tech, "obj_Static", "м/с", 265, 25, 20, 13);
        add(tech, "obj_Static", "Ускорение", 310, 25, 60, 13);
        accelEdit = add(tech, "obj_Edit", "5", 470, 22, 90, 22);
        add(tech, "obj_Static", "Корпус", 16, 193, 40, 13);
        add(tech, "obj_Edit", "900", 170, 190, 90, 22);
        add(tech, "obj_Static", "Ценовой коэффициент", 310, 193, 120, 13);
        techCoef = add(tech, "obj_Edit", "7", 470, 190, 90, 22);
        add(page0, "obj_Button", "Альфа IRE", 16, 60, 80, 17, kCheck);
        add(page0, "obj_Button", "Бета IRE", 16, 78, 80, 17, kCheck);
        page1 = add(tab, "obj_Static", "", 4, 24, 604, 516, 0, false);
        lasers = add(page1, "obj_Button", "Лазеры", 3, 3, 597, 207, kGroup, false);
        add(lasers, "obj_Static", "Ценовой коэффициент", 310, 121, 120, 13, 0, false);
        laserCoef = add(lasers, "obj_Edit", "3", 470, 118, 90, 22, 0, false);
        hiddenEdit = laserCoef;
        save = add(0, "obj_Button", "Сохранить", 320, 556, 90, 27, kPush);
    }

    std::vector<int> all(std::string_view text) {
        const SelectorParse p = parseSelector(text);
        EXPECT_EQ(p.error, "") << text;
        return findAll(tree, 0, p.selector);
    }
    int one(std::string_view text) {
        const SelectorParse p = parseSelector(text);
        const SelectorMatch m = findOne(tree, 0, p.selector, std::string(text));
        EXPECT_EQ(m.error, "") << text;
        return m.error.empty() ? m.nodes.front() : -1;
    }
};

TEST(SelectorParse, RejectsWhatIsNotASelector) {
    for (const char* bad : {"", "  ", "#1/", "#a", "#-1", "Edit[id=]", "Edit[id=1x]", "Edit[id=a b]",
                            "Edit[id=.x]", "Edit[at=1]", "Edit[at=1,y]", "Edit[",
                            "Edit >", "> Edit", "Edit]", "Edit[n=-1]", "Edit Static"}) {
        EXPECT_NE(parseSelector(bad).error, "") << bad;
    }
}

TEST(SelectorMatch, RightOfTakesTheNearestControlOnTheLabelsRow) {
    SampleWindow w;
    // The right column's edit on the same row is farther away.
    EXPECT_EQ(w.one("Edit[right-of=Начальная скорость]"), w.speedEdit);
    EXPECT_EQ(w.one("Edit[right-of=Ускорение]"), w.accelEdit);
    // A unit label right of the edit is not an edit; an unknown label names nothing.
    EXPECT_EQ(w.one("Static[right-of=Начальная скорость]"), w.speedEdit + 1);
    EXPECT_TRUE(w.all("Edit[right-of=м/с]").size() == 1); // the right column's edit
    EXPECT_TRUE(w.all("Edit[right-of=Нет такой]").empty());
    // A control that starts where the label starts is not right of it.
    w.add(w.tech, "obj_Static", "x", 310, 30, 20, 13);
    EXPECT_TRUE(w.all("Static[right-of=Ускорение]").empty());
}

TEST(SelectorMatch, AmbiguityIsAnErrorUntilNarrowed) {
    SampleWindow w;
    const char* text = "Edit[right-of=Ценовой коэффициент]";
    const SelectorMatch m = findOne(w.tree, 0, parseSelector(text).selector, text);
    ASSERT_EQ(m.nodes.size(), 2u);
    EXPECT_NE(m.error.find("2 controls match"), std::string::npos) << m.error;
    EXPECT_NE(m.error.find("[#0/0/0/8 Edit \"7\"] [#0/1/0/1 Edit \"3\"]"), std::string::npos) << m.error;
    EXPECT_EQ(w.one("GroupBox[Лазеры] > Edit[right-of=Ценовой коэффициент]"), w.laserCoef);
    EXPECT_EQ(w.one("GroupBox[Технические характеристики]>Edit[right-of=Ценовой коэффициент]"), w.techCoef);
    EXPECT_EQ(w.one("Edit[right-of=Ценовой коэффициент][visible]"), w.techCoef);
    EXPECT_EQ(w.one("Edit[right-of=Ценовой коэффициент][n=1]"), w.laserCoef);
    EXPECT_TRUE(w.all("Edit[n=9]").empty());
}

// [id=NAME] finds the control whose window carries the number the program's
// list of controls gives that name; a name no control carries fails and says
// whether the program has no such control or the window lacks it.
TEST(SelectorMatch, IdNamesAControlByTheProgramsList) {
    SampleWindow w;
    w.tree.nodes[w.speedEdit].id = controlNumber("ship.speed");
    w.tree.nodes[w.laserCoef].id = controlNumber("laser.priceCoefficient");
    w.tree.nodes[w.save].id = controlNumber("saveButton");
    EXPECT_EQ(w.one("[id=ship.speed]"), w.speedEdit);
    EXPECT_EQ(w.one("Edit[id=ship.speed]"), w.speedEdit);
    EXPECT_EQ(w.one("Button[id=saveButton]"), w.save);
    EXPECT_EQ(w.one("Edit[id=laser.priceCoefficient]"), w.laserCoef); // on a hidden page too
    EXPECT_EQ(w.one("Edit[id=" + std::to_string(controlNumber("ship.speed")) + "]"), w.speedEdit);
    EXPECT_TRUE(w.all("ComboBox[id=ship.speed]").empty());
    EXPECT_TRUE(w.all("GroupBox[Лазеры] > Edit[id=ship.speed]").empty());

    const char* wrongKind = "ComboBox[id=ship.speed]";
    EXPECT_EQ(findOne(w.tree, 0, parseSelector(wrongKind).selector, wrongKind).error,
              "no control matches ComboBox[id=ship.speed]");
    const char* absent = "Static[id=ship.objectId]";
    EXPECT_EQ(findOne(w.tree, 0, parseSelector(absent).selector, absent).error,
              "no control matches Static[id=ship.objectId] (no control has the id ship.objectId, number " +
                  std::to_string(controlNumber("ship.objectId")) + ")");
    // A control without an id (0) is no match for a name the program does not have.
    w.tree.nodes[w.techCoef].id = 0;
    const char* misspelt = "[id=ship.sped]";
    const SelectorMatch m = findOne(w.tree, 0, parseSelector(misspelt).selector, misspelt);
    EXPECT_TRUE(m.nodes.empty());
    EXPECT_EQ(m.error, "no control matches [id=ship.sped] (the program has no control named ship.sped)");
}

} // namespace
} // namespace uidriver
