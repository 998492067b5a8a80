// The control layer's kept state and deferred windows, on the headless platform.

#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/event_log.h"
#include "ui/headless/headless_platform.h"

#include <gtest/gtest.h>

namespace {

struct Layer : ::testing::Test {
    EventLog log; // handler contexts outlive the platform
    HeadlessPlatform platform;
    Control& app = createApplication(platform, "App v1");
    Control& main = createMainWindow(app, "Main");
};

// ---- deferred window creation ----

TEST_F(Layer, TextSetBeforeTheLoopIsKeptWithoutEventAndShownLater) {
    Control& edit = createEditBox(main, 0);
    log.watch(edit, 1);
    setControlText(edit, "42");
    EXPECT_EQ(edit.window, nullptr) << "setting a text must not create the window";
    EXPECT_EQ(controlText(edit), "42");
    EXPECT_TRUE(log.events.empty()) << "no change event without a window";

    platform.call([&] {
        ASSERT_NE(platform.windowOf(edit), nullptr);
        EXPECT_EQ(platform.windowOf(edit)->text, "42")
            << "the window is created with the kept text";
    });
    runMessageLoop(app);
    EXPECT_EQ(log.events, (std::vector<std::string>{"destroy:1"}))
        << "creating the window raises no change event";
}

TEST_F(Layer, TextSetOnAnEditBoxWithWindowRaisesChangeOnceBeforeReturning) {
    Control& edit = createEditBox(main, kDigitsOnly);
    log.watch(edit, 1);
    platform.call([&] {
        setControlText(edit, "7");
        EXPECT_EQ(log.events, (std::vector<std::string>{"change:1:7"}))
            << "onChange ran inside setControlText, with the new text in place";
        setControlText(edit, "7");
        EXPECT_EQ(log.events.size(), 2u) << "setting the same text again still notifies";
        setControlText(edit, "abc");
        EXPECT_EQ(controlText(edit), "abc")
            << "digits-only restricts typing, not texts set by the program";
    });
    runMessageLoop(app);
}

TEST_F(Layer, ListOperationCreatesTheListAndItsAncestorsButNotTheirOtherChildren) {
    Control& group = createGroupBox(main, "Group");
    Control& edit = createEditBox(group, 0);
    Control& list = createList(group, 0);
    Control& laterLabel = createLabel(group, "after");
    addItem(list, "one");
    EXPECT_NE(list.window, nullptr);
    EXPECT_NE(group.window, nullptr);
    EXPECT_NE(main.window, nullptr);
    EXPECT_NE(app.window, nullptr);
    EXPECT_EQ(edit.window, nullptr) << "a sibling created earlier waits for the loop";
    EXPECT_EQ(laterLabel.window, nullptr);
    log.watch(edit, 2);
    setControlText(edit, "5");
    EXPECT_TRUE(log.events.empty()) << "the sibling edit box still has no window, so no event";
}

TEST_F(Layer, CheckBoxOperationsCreateTheWindowAndRaiseNothing) {
    Control& box = createCheckBox(main, "box");
    log.watch(box, 3);
    EXPECT_FALSE(isChecked(box));
    EXPECT_NE(box.window, nullptr);
    setChecked(box, true);
    EXPECT_TRUE(isChecked(box));
    EXPECT_TRUE(log.events.empty()) << "setChecked raises no click";
}

TEST_F(Layer, AutoSizeCreatesTheWindowOnlyForANonEmptyText) {
    Control& empty = createLabel(main, "").setAutoSize(true);
    EXPECT_EQ(empty.window, nullptr);
    EXPECT_EQ(empty.width, 0);
    Control& named = createLabel(main, "Name").place(5, 6).setAutoSize(true);
    ASSERT_NE(named.window, nullptr) << "the text is measured in the window's font";
    const int shortWidth = named.width;
    EXPECT_GT(shortWidth, 0);
    setControlText(named, "A much longer name");
    EXPECT_GT(named.width, shortWidth) << "re-sized after the text change";
    setControlText(empty, "now filled");
    EXPECT_NE(empty.window, nullptr);
    EXPECT_GT(empty.width, 0);
    EXPECT_EQ(named.x, 5);
    EXPECT_EQ(named.y, 6);
}

TEST_F(Layer, AutoSizeFollowsFontChangesOfTheControlAndItsAncestors) {
    Control& group = createGroupBox(main, "G");
    Control& label = createLabel(group, "Text").setAutoSize(true);
    const Size before{label.width, label.height};
    setFontHeight(group, 22);
    EXPECT_EQ(effectiveFont(label).height, 22) << "a control without a font of its own inherits";
    EXPECT_GT(label.width, before.width);
    EXPECT_GT(label.height, before.height);
    setFontHeight(label, 9);
    EXPECT_LT(label.height, before.height);
    setFontHeight(group, 30);
    EXPECT_EQ(effectiveFont(label).height, 9) << "an own font no longer follows the parent";
}

TEST_F(Layer, OwnFontIsMadeFromTheInheritedOneOnFirstUse) {
    setFontName(main, "Tahoma");
    setFontHeight(main, 11);
    Control& box = createGroupBox(main, "G");
    EXPECT_FALSE(box.ownFont.has_value());
    setFontStyle(box, kBold);
    ASSERT_TRUE(box.ownFont.has_value());
    EXPECT_EQ(box.ownFont->name, "Tahoma");
    EXPECT_EQ(box.ownFont->height, 11);
    EXPECT_EQ(box.ownFont->style, kBold);
    Control& inside = createLabel(box, "x");
    EXPECT_EQ(effectiveFont(inside).style, kBold);
    setFontStyle(inside, 0);
    EXPECT_EQ(effectiveFont(inside).style, 0u);
    EXPECT_EQ(effectiveFont(inside).name, "Tahoma");
}

TEST_F(Layer, RunMessageLoopCreatesEveryWindowAndShowsTheMainWindow) {
    Control& tabs = createTabControl(main, {"A", "B"}, kTabsFixedWidth);
    Control& group = createGroupBox(tabPage(tabs, 1), "G");
    Control& edit = createEditBox(group, 0);
    Control& button = createButton(main, "OK");
    platform.call([&] {
        for (Control* c : {&app, &main, &tabs, &group, &edit, &button})
            EXPECT_NE(c->window, nullptr);
        EXPECT_TRUE(platform.windowOf(main)->shown);
    });
    runMessageLoop(app);
    EXPECT_TRUE(platform.ranDry());
    EXPECT_TRUE(platform.problems().empty());
}

// ---- placement ----

TEST_F(Layer, ResizeWithZeroOrLessKeepsThatDimension) {
    Control& edit = createEditBox(main, 0).resize(90, 0);
    EXPECT_EQ(edit.width, 90);
    EXPECT_EQ(edit.height, 22) << "the edit box keeps its default height";
    Control& list = createList(main, 0).resize(0, -5);
    EXPECT_EQ(list.width, 100);
    EXPECT_EQ(list.height, 22);
    Control& button = createButton(main, "b").place(3, 4).resize(90, 27);
    EXPECT_EQ(button.x, 3);
    EXPECT_EQ(button.height, 27);
}

TEST_F(Layer, ClientSizeSurvivesStyleChangesAndHoldSize) {
    setClientSize(main, 618, 592);
    const Size withThickFrame{main.width, main.height};
    EXPECT_GT(withThickFrame.width, 618);
    setStyle(main, kStyleCaption | kStyleSysMenu | kStyleMinimizeBox | kStyleThickFrame);
    EXPECT_EQ(style(main), kStyleCaption | kStyleSysMenu | kStyleMinimizeBox | kStyleThickFrame);
    holdSize(main);
    EXPECT_TRUE(main.sizeHeld);
    EXPECT_EQ(style(main) & kStyleThickFrame, 0u) << "a held window has no sizing border";
    EXPECT_EQ(platform.outerSize(main, {618, 592}).width, main.width)
        << "the outer size follows the thinner frame, so the client area stays 618 x 592";
    EXPECT_LT(main.width, withThickFrame.width);
}

TEST_F(Layer, CentreUsesTheScreenForTheMainWindowAndTheParentForAChild) {
    main.place(194, 114).resize(600, 400);
    centre(main);
    EXPECT_EQ(main.x, (1280 - 600) / 2);
    EXPECT_EQ(main.y, (1024 - 400) / 2);
    Control& panel = createPanel(main, kEdgeNone).resize(100, 50);
    centre(panel);
    EXPECT_EQ(panel.x, 250);
    EXPECT_EQ(panel.y, 175);
}

TEST_F(Layer, TabStopIsAStyleBitOfChildrenOnly) {
    Control& edit = createEditBox(main, 0);
    EXPECT_TRUE(edit.tabStop);
    EXPECT_NE(style(edit) & kStyleTabStop, 0u);
    edit.setTabStop(false);
    EXPECT_EQ(style(edit) & kStyleTabStop, 0u);
    const uint32_t before = style(main);
    main.setTabStop(false);
    EXPECT_EQ(style(main), before) << "on a top-level window that bit is the maximise box";
}

// ---- lists ----

TEST_F(Layer, FirstEntryOfAnEmptyListBecomesTheChosenOneWithoutEvent) {
    Control& list = createList(main, 0);
    log.watch(list, 4);
    EXPECT_EQ(addItem(list, "a"), 0);
    EXPECT_EQ(selectedIndex(list), 0);
    EXPECT_EQ(addItem(list, "b"), 1);
    EXPECT_EQ(selectedIndex(list), 0) << "only the first entry is chosen";
    setSelectedIndex(list, 1);
    clearItems(list);
    EXPECT_EQ(selectedIndex(list), -1);
    EXPECT_EQ(itemCount(list), 0);
    addItem(list, "c");
    EXPECT_EQ(selectedIndex(list), 0);
    addItem(list, "d");
    EXPECT_EQ(selectedIndex(list), 0);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(Layer, SetSelectedIndexRaisesNothingAndOutOfRangeChoosesNone) {
    Control& list = createList(main, 0);
    log.watch(list, 4);
    for (const char* t : {"a", "b", "c"})
        addItem(list, t);
    struct Case {
        int index, expected;
    };
    for (Case c : {Case{2, 2}, Case{3, -1}, Case{0, 0}, Case{-1, -1}, Case{1, 1}, Case{-7, -1}}) {
        setSelectedIndex(list, c.index);
        EXPECT_EQ(selectedIndex(list), c.expected) << "index " << c.index;
    }
    EXPECT_TRUE(log.events.empty());
}

TEST_F(Layer, SetItemTextReplacesKeepsTheChoiceAndAppendsAtTheEnd) {
    Control& list = createList(main, 0);
    for (const char* t : {"a", "b", "c"})
        addItem(list, t);
    setSelectedIndex(list, 1);
    setItemText(list, 1, "B");
    EXPECT_EQ(itemText(list, 1), "B");
    EXPECT_EQ(selectedIndex(list), 1) << "replacing the chosen entry keeps it chosen";
    EXPECT_EQ(controlText(list), "B") << "a drop-down list shows its chosen entry";
    setItemText(list, 3, "d");
    EXPECT_EQ(itemCount(list), 4);
    EXPECT_EQ(itemText(list, 3), "d");
    setItemText(list, 9, "far");
    setItemText(list, -1, "neg");
    EXPECT_EQ(itemCount(list), 4) << "an index beyond the end changes nothing";
    EXPECT_EQ(itemText(list, 4), "");
    EXPECT_EQ(itemText(list, -1), "");
}

TEST_F(Layer, OperationsOfTheWrongKindDoNothing) {
    Control& label = createLabel(main, "l");
    EXPECT_EQ(addItem(label, "x"), -1);
    EXPECT_EQ(itemCount(label), 0);
    EXPECT_EQ(selectedIndex(label), -1);
    EXPECT_FALSE(isChecked(label));
    setChecked(label, true);
    EXPECT_EQ(&tabPage(label, 0), &label);
    EXPECT_EQ(label.window, nullptr) << "none of them needed a window";
}

// ---- tab control ----

TEST_F(Layer, TabControlHasOnePagePerTabTheFirstVisible) {
    const std::string_view ships = u8"Корабли"_cp1251;
    Control& tabs = createTabControl(main, {ships, "Two", "Three"}, kTabsFixedWidth)
                        .place(3, 3)
                        .resize(612, 544);
    ASSERT_EQ(tabs.pages.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        Control& page = tabPage(tabs, i);
        EXPECT_EQ(&page, tabs.pages[i]);
        EXPECT_EQ(page.kind, ControlKind::Page);
        EXPECT_EQ(isVisible(page), i == 0);
        EXPECT_GT(page.width, 0);
        EXPECT_LT(page.width, tabs.width) << "a page fills the display area inside the tab control";
    }
    EXPECT_EQ(platform.windowOf(tabs)->tabs[0].first, ships);
    EXPECT_EQ(&tabPage(tabs, 3), &tabs) << "an index outside the tabs gives the tab control";
    EXPECT_EQ(currentTab(tabs), 0);
    const int before = tabs.pages[0]->height;
    setTabItemSize(tabs, 150, 40);
    EXPECT_LT(tabs.pages[0]->height, before) << "a taller tab strip leaves less room for the pages";
    tabs.resize(700, 0);
    EXPECT_EQ(tabs.pages[2]->width, tabs.pages[0]->width);
    EXPECT_GT(tabs.pages[0]->width, 600) << "pages follow the tab control's size";
}

// ---- state ----

TEST_F(Layer, KeptStateOfTagEnabledColourStyleAndOwnedObjects) {
    Control& label = createLabel(main, "x");
    EXPECT_EQ(tag(label), 0);
    setTag(label, -5);
    EXPECT_EQ(tag(label), -5);
    EXPECT_TRUE(isEnabled(label));
    setEnabled(label, false);
    EXPECT_FALSE(isEnabled(label));
    setColour(label, kColourWindow);
    EXPECT_EQ(label.colour, kColourWindow);
    Control& group = createGroupBox(main, "g");
    setCaptionAlignment(group, Alignment::Centre);
    EXPECT_EQ(group.captionAlignment, Alignment::Centre);
    EXPECT_EQ(systemColour(15), kColourFace);
    EXPECT_EQ(rgbColour(1, 2, 3), 0x030201u);
}

TEST(LayerRelease, PlatformGoingAwayReleasesAWindowThatNeverRan) {
    // A window built but never shown (start-up gave up) still hands over what it owns.
    EventLog log;
    int released = 0;
    {
        HeadlessPlatform platform;
        Control& app = createApplication(platform, "App");
        Control& main = createMainWindow(app, "Main");
        log.watch(main, 1);
        releaseWith(main, [&] { ++released; });
        Control& edit = createEditBox(main, 0);
        log.watch(edit, 2);
        addItem(createList(main, 0), "x");
    }
    EXPECT_EQ(released, 1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"destroy:1", "destroy:2"}));
}

} // namespace
