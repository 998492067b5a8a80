// The control layer on the headless platform: lists, user
// actions and their events, close and release, message boxes and Tab navigation.

#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/dispatch.h"
#include "ui/fit_texts.h"
#include "ui/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// The events controls raise, in order, as "kind:tag" or "kind:tag:text".
struct EventLog {
    Events events;
    static void add(void* log, std::string event) {
        static_cast<EventLog*>(log)->events.push_back(event);
    }
    static void change(void* log, Control& c) {
        add(log, "change:" + std::to_string(tag(c)) + ":" + controlText(c));
    }
    static void select(void* log, Control& c) { add(log, "select:" + std::to_string(tag(c))); }
    static void click(void* log, Control& c) {
        add(log, "click:" + std::to_string(tag(c)) + (isChecked(c) ? ":on" : ""));
    }
    static void destroy(void* log, Control& c) { add(log, "destroy:" + std::to_string(tag(c))); }
    static void leave(void* log, Control& c) { add(log, "leave:" + std::to_string(tag(c))); }
    void watch(Control& c, int32_t id) {
        setTag(c, id);
        c.onChange = {change, this};
        c.onFocusLeave = {leave, this};
        c.onClick = {click, this};
        c.onDestroy = {destroy, this};
    }
};

struct Layer : ::testing::Test {
    EventLog log; // handler contexts outlive the platform
    HeadlessPlatform platform;
    Control& app = createApplication(platform, "App v1");
    Control& main = createMainWindow(app, "Main");
};

// The first entry added to an empty list is chosen without an event; choosing
// outside the list chooses none; a replaced entry keeps the choice; an index one
// past the end appends, one further changes nothing.
TEST_F(Layer, ListEntriesAndTheChosenOne) {
    Control& list = createList(main, 0);
    log.watch(list, 4);
    EXPECT_EQ(addItem(list, "a"), 0);
    EXPECT_EQ(addItem(list, "b"), 1);
    EXPECT_EQ(selectedIndex(list), 0);
    for (auto [index, chosen] :
         {std::pair(1, 1), std::pair(2, -1), std::pair(0, 0), std::pair(-7, -1)}) {
        setSelectedIndex(list, index);
        EXPECT_EQ(selectedIndex(list), chosen) << index;
    }
    setSelectedIndex(list, 1);
    setItemText(list, 1, "B");
    setItemText(list, 2, "c");
    setItemText(list, 9, "far");
    EXPECT_EQ(
        std::tuple(selectedIndex(list), controlText(list), itemCount(list), itemText(list, 2)),
        std::tuple(1, "B", 3, "c"));
    clearItems(list);
    EXPECT_EQ(selectedIndex(list), -1);
    addItem(list, "c");
    addItem(list, "d");
    EXPECT_EQ(selectedIndex(list), 0);
    EXPECT_TRUE(log.events.empty());
}

// A user's choice raises onChange once, from the loop, with the entry chosen; a
// handler that sets the choice, as the editor's show operations do, raises
// nothing. Typed characters pass the key handler (which may replace or discard
// them), then the digits-only rule; each change raises one change; a paste, one
// for the whole, over the whole text selected. An edit box the focus leaves says so.
TEST_F(Layer, UserActionsRaiseOneChangePerChange) {
    Control& list = createList(main, 0);
    for (const char* t : {"a", "b", "c"})
        addItem(list, t);
    Control& button = createButton(main, "set");
    button.onClick = {[](void* l, Control&) { setSelectedIndex(*static_cast<Control*>(l), 1); },
                      &list};
    Control& digits = createEditBox(main, kDigitsOnly);
    Control& decimal = createEditBox(main, 0);
    log.watch(list, 3);
    log.watch(digits, 1);
    log.watch(decimal, 2);
    decimal.onKeyChar = {[](void*, Control&, char& ch, unsigned) {
                             ch = ch == ',' ? '.' : ch == 'x' ? 0 : ch;
                         },
                         nullptr};
    platform.choose(list, 2);
    platform.call([&] { EXPECT_EQ(log.events, Events{"change:3:c"}); });
    platform.click(button);
    digits.onPaste = {[](void* l, Control& c, std::string&) {
                          const TextRange r = selection(c);
                          EventLog::add(l, "paste:" + std::to_string(r.start) + "-" +
                                               std::to_string(r.end));
                      },
                      &log};
    platform.type(digits, "1a");
    platform.type(decimal, "3x,\b");
    platform.paste(digits, "99x");
    runMessageLoop(app);
    EXPECT_EQ(log.events, (Events{"change:3:c", "change:1:1", "leave:1", "change:2:3",
                                  "change:2:3.", "change:2:3", "leave:2", "paste:0-1",
                                  "change:1:99x", "destroy:3", "destroy:1", "destroy:2"}));
}

// Choosing a tab shows its page only; choosing the current one does nothing. A
// control on a hidden page or a disabled one cannot take a user's action: each
// attempt is a problem.
TEST_F(Layer, SwitchingTabsShowsOnePageAndRaisesTheTabControlsSelectOnly) {
    Control& tabs = createTabControl(main, {"A", "B", "C"}, 0);
    Control& hidden = createButton(tabPage(tabs, 2), "hidden");
    Control& disabled = createEditBox(main, 0);
    setEnabled(disabled, false);
    log.watch(tabs, 9);
    log.watch(hidden, 1);
    tabs.onSelect = {EventLog::select, &log};
    platform.click(hidden);
    platform.type(disabled, "5");
    platform.switchTab(tabs, 2);
    platform.call([&] {
        EXPECT_EQ(
            std::tuple(currentTab(tabs), isVisible(*tabs.pages[0]), isVisible(*tabs.pages[2])),
            std::tuple(2, false, true));
    });
    platform.switchTab(tabs, 2);
    platform.click(hidden);
    runMessageLoop(app);
    EXPECT_EQ(platform.problems().size(), 2u);
    EXPECT_EQ(log.events, (Events{"select:9", "click:1", "destroy:9", "destroy:1"}));
}

// A refused close leaves everything as it was and asks again next time, also for
// the close command of the application's taskbar entry. An accepted one asks once
// even for two requests and ends the loop; every control raises onDestroy, the main
// window first, and no change during the release; owned objects go with their
// control, the last owned first.
TEST_F(Layer, CloseRequestsAskTheMainWindowAndAnAcceptedOneReleasesEveryObject) {
    struct Question {
        int asked = 0;
        static void ask(void* context, Control&, bool& accept) {
            EXPECT_TRUE(accept) << "the accept flag is true on entry";
            accept = ++static_cast<Question*>(context)->asked > 2;
        }
    } question;
    main.onCloseRequest = {Question::ask, &question};
    Control& tabs = createTabControl(main, {"A", "B"}, 0);
    Control& edit = createEditBox(tabPage(tabs, 1), 0);
    Control& button = createButton(main, "close");
    log.watch(main, 1);
    log.watch(tabs, 2);
    log.watch(edit, 3);
    Events released;
    releaseWith(main, [&] { released.push_back("main first"); });
    releaseWith(main, [&] { released.push_back("main second"); });
    releaseWith(edit, [&] { released.push_back("edit"); });
    edit.onDestroy = {[](void*, Control& c) { setControlText(c, "gone"); }, nullptr};
    button.onClick = {[](void* window, Control&) {
                          requestClose(*static_cast<Control*>(window)); // both only posted
                          requestClose(*static_cast<Control*>(window));
                      },
                      &main};
    platform.pressClose(main);
    platform.closeFromTaskbar();
    platform.call([&] { EXPECT_TRUE(log.events.empty() && question.asked == 2); });
    platform.click(button);
    platform.call([&] { ADD_FAILURE() << "the loop ran on after an accepted close"; });
    runMessageLoop(app);
    EXPECT_EQ(question.asked, 3);
    EXPECT_EQ(log.events, (Events{"destroy:1", "destroy:2"}));
    EXPECT_EQ(released, (Events{"edit", "main second", "main first"}));
}

// A window built but never shown (start-up gave up) still hands over what it owns.
TEST(LayerRelease, PlatformGoingAwayReleasesAWindowThatNeverRan) {
    EventLog log;
    int released = 0;
    {
        HeadlessPlatform platform;
        Control& main = createMainWindow(createApplication(platform, "App"), "Main");
        log.watch(main, 1);
        releaseWith(main, [&] { ++released; });
        addItem(createList(main, 0), "x");
    }
    EXPECT_EQ(released, 1);
    EXPECT_EQ(log.events, Events{"destroy:1"});
}

// Tab stops follow creation order, skipping labels, group boxes, disabled or hidden
// controls and controls taken out of the order, and wrap around; Shift+Tab goes
// backwards.
TEST_F(Layer, TabStopsFollowCreationOrderSkippingWhatCannotTakeTheFocus) {
    Control& tabs = createTabControl(main, {"A", "B"}, 0).setTabStop(false);
    Control& group = createGroupBox(tabPage(tabs, 0), "G");
    Control& list = createList(group, 0);
    createLabel(group, "label");
    Control& edit = createEditBox(group, 0);
    setEnabled(createEditBox(group, 0), false);
    createEditBox(tabPage(tabs, 1), 0);
    Control& box = createCheckBox(group, "c");
    Control& button = createButton(main, "b");
    createButton(main, "n").setTabStop(false);
    platform.call([&] {
        const Control* order[] = {&list, &edit, &box, &button, &list};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(nextTabStop(main, order[i], false), order[i + 1]) << i;
            EXPECT_EQ(nextTabStop(main, order[i + 1], true), order[i]) << i;
        }
        EXPECT_EQ(nextTabStop(main, &group, false), &list) << "from a control that is no stop";
    });
    runMessageLoop(app);
}

// fitTexts on the headless platform's measure (6 pixels a character): a text
// moves the column to its right and the columns after it, a group widens and
// the window grows only by what it lacks; what fits stays where it was.
TEST(FitTexts, TextsPushColumnsAndGroupsAndTheWindowGrowsOnlyWhenItMust) {
    struct Case {
        const char* label; // a label at 16 in front of an input at 100 (width 90)
        int inputX;        // where the input ends up
        int unitX;         // the unit after the input, at 195
        int groupWidth;    // the group, 300 wide in a page of its tab control
        int grown;         // how much the window grew
    };
    const Case cases[] = {
        {"Twelve chars", 100, 195, 300, 0}, // 16 + 72 + 4 fits before 100: nothing moves
        {"A label of 23 characters", 164, 258, 300, 0},              // 16 + 144 + 4; the unit keeps 4 after the input
        {"A label of thirty-five characters..", 230, 324, 345, 45}, // the unit's end + 3: the group grows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        HeadlessPlatform platform;
        Control& app = createApplication(platform, "App");
        Control& window = createMainWindow(app, "Window");
        setClientSize(window, 320, 200);
        Control& tabs = createTabControl(window, {"One", "Two"}, 0).place(0, 0).resize(310, 160);
        Control& button = createButton(window, "&Go").place(230, 170).resize(80, 25);
        Control& group = createGroupBox(tabPage(tabs, 0), "Group").place(2, 2).resize(300, 100);
        Control& label = createLabel(group, c.label).place(16, 20).setAutoSize(true);
        Control& input = createEditBox(group, 0).place(100, 18).resize(90, 0);
        Control& unit = createLabel(group, "m/s").place(195, 20).setAutoSize(true);
        Control& other = createGroupBox(tabPage(tabs, 1), "Other").place(2, 2).resize(296, 100);
        EXPECT_EQ(fitTexts(window), c.grown);
        EXPECT_EQ(label.x, 16);
        EXPECT_EQ(input.x, c.inputX);
        EXPECT_EQ(unit.x, c.unitX);
        EXPECT_EQ(group.width, c.groupWidth);
        EXPECT_EQ(window.clientWidth, 320 + c.grown);
        EXPECT_EQ(tabs.width, 310 + c.grown);
        EXPECT_EQ(button.x, 230 + c.grown) << "the buttons stay at the right edge";
        EXPECT_EQ(other.width, 296 + c.grown) << "a group near a page's edge stays near it";
    }
}

TEST(FitTexts, ButtonsAnswerToTheirAltLetterOnEitherLayoutAndToTheirShortcut) {
    HeadlessPlatform platform;
    Control& app = createApplication(platform, "App");
    Control& window = createMainWindow(app, "Window");
    Control& save = createButton(window, u8"&Сохранить"_cp1251);
    Control& help = createButton(window, "&Help");
    Control& both = createButton(window, "Fish && &Chips");
    Control& hidden = createButton(window, "&Quit");
    setVisible(hidden, false);
    setShortcut(save, 'S');
    EXPECT_EQ(buttonForKey(window, 'C', false), &save) << "С is on the key C";
    EXPECT_EQ(buttonForKey(window, 'S', true), &save);
    EXPECT_EQ(buttonForKey(window, 'S', false), nullptr) << "Alt+S is no shortcut";
    EXPECT_EQ(buttonForKey(window, 'H', false), &help);
    EXPECT_EQ(buttonForKey(window, 'H', true), nullptr) << "Ctrl+H is no Alt letter";
    EXPECT_EQ(shownText(both), "Fish & Chips");
    EXPECT_EQ(buttonForKey(window, 'Q', false), nullptr) << "a hidden button cannot be pressed";
    setEnabled(save, false);
    EXPECT_EQ(buttonForKey(window, 'S', true), nullptr) << "nor a disabled one";
}

} // namespace
