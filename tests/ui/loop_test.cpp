// The message loop on the headless platform: user actions, event order, close
// requests, the release of the tree, message boxes and Tab navigation.

#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/dispatch.h"
#include "ui/event_log.h"
#include "ui/headless/headless_platform.h"

#include <gtest/gtest.h>

namespace {

struct Loop : ::testing::Test {
    EventLog log; // handler contexts outlive the platform
    HeadlessPlatform platform;
    Control& app = createApplication(platform, "App v1");
    Control& main = createMainWindow(app, "Main");

    void expectNoProblems() {
        for (const std::string& p : platform.problems())
            ADD_FAILURE() << p;
    }
};

// ---- user actions and their events ----

TEST_F(Loop, UserChoiceInAListRaisesChangeOnceAfterTheChoiceFromTheLoop) {
    Control& list = createList(main, 0);
    log.watch(list, 1);
    for (const char* t : {"a", "b", "c"})
        addItem(list, t);
    platform.choose(list, 2);
    platform.call([&] {
        EXPECT_EQ(log.events, (std::vector<std::string>{"change:1:c"}))
            << "raised once, with the new entry already chosen";
    });
    platform.choose(list, 2);
    platform.call([&] { EXPECT_EQ(log.events.size(), 2u); });
    runMessageLoop(app);
    expectNoProblems();
}

TEST_F(Loop, ListChangeIsNeverNestedInTheActionThatCausedIt) {
    Control& list = createList(main, 0);
    addItem(list, "a");
    addItem(list, "b");
    log.watch(list, 1);
    // A click handler that sets the selection, as the editor's show operations do,
    // must not raise the list's change; a user's choice raises it later, from the loop.
    Control& button = createButton(main, "set");
    button.onClick = {[](void* context, Control&) {
                          auto* l = static_cast<Control*>(context);
                          setSelectedIndex(*l, 1);
                      },
                      &list};
    platform.click(button);
    platform.call([&] {
        EXPECT_TRUE(log.events.empty());
        EXPECT_EQ(selectedIndex(list), 1);
    });
    runMessageLoop(app);
    expectNoProblems();
}

TEST_F(Loop, ListWithASelectSlotRaisesItInsteadOfChange) {
    Control& list = createList(main, 0);
    log.watch(list, 1);
    list.onSelect = {EventLog::select, &log};
    addItem(list, "a");
    addItem(list, "b");
    platform.choose(list, 1);
    runMessageLoop(app);
    EXPECT_EQ(log.events, (std::vector<std::string>{"select:1", "destroy:1"}));
}

TEST_F(Loop, TypingPassesTheKeyHandlerAndTheDigitsOnlyRule) {
    Control& digits = createEditBox(main, kDigitsOnly);
    Control& decimal = createEditBox(main, 0);
    log.watch(digits, 1);
    log.watch(decimal, 2);
    // Lets backspace, '.' and digits through, turns ',' into '.', discards the rest.
    decimal.onKeyChar = {[](void*, Control&, char& ch, unsigned) {
                             if (ch == ',')
                                 ch = '.';
                             else if (ch != '\b' && ch != '.' && (ch < '0' || ch > '9'))
                                 ch = 0;
                         },
                         nullptr};
    platform.type(digits, "1a2-");
    platform.type(decimal, u8"3x,5ю"_cp1251);
    platform.type(decimal, "\b\b");
    platform.type(digits, "\b\b\b");
    runMessageLoop(app);
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"change:1:1", "change:1:12", // letters never arrive
                                        "change:2:3", "change:2:3.",
                                        "change:2:3.5", // ',' replaced, 'x' and 'ю' discarded
                                        "change:2:3.", "change:2:3", // backspace passes the filter
                                        "change:1:1",
                                        "change:1:", // the third backspace has nothing to delete
                                        "destroy:1", "destroy:2"}));
    expectNoProblems();
}

TEST_F(Loop, PasteReplacesTheWholeTextWithOneChange) {
    Control& edit = createEditBox(main, kDigitsOnly);
    setControlText(edit, "12");
    log.watch(edit, 1);
    platform.paste(edit, "99x");
    platform.call([&] { EXPECT_EQ(controlText(edit), "99x"); });
    runMessageLoop(app);
    EXPECT_EQ(log.events.front(), "change:1:99x");
}

TEST_F(Loop, ClickingACheckBoxTogglesItBeforeOnClick) {
    Control& box = createCheckBox(main, "box");
    log.watch(box, 1);
    platform.click(box);
    platform.click(box);
    runMessageLoop(app);
    EXPECT_EQ(log.events, (std::vector<std::string>{"click:1:on", "click:1:off", "destroy:1"}));
}

TEST_F(Loop, SwitchingTabsShowsOnePageAndRaisesTheTabControlsSelectOnly) {
    Control& tabs = createTabControl(main, {"A", "B", "C"}, 0);
    log.watch(tabs, 9);
    tabs.onSelect = {EventLog::select, &log};
    platform.switchTab(tabs, 2);
    platform.call([&] {
        EXPECT_EQ(currentTab(tabs), 2);
        EXPECT_FALSE(isVisible(*tabs.pages[0]));
        EXPECT_FALSE(isVisible(*tabs.pages[1]));
        EXPECT_TRUE(isVisible(*tabs.pages[2]));
    });
    platform.switchTab(tabs, 2); // the current tab: nothing happens
    runMessageLoop(app);
    EXPECT_EQ(log.events, (std::vector<std::string>{"select:9", "destroy:9"}));
    expectNoProblems();
}

TEST_F(Loop, ActionsAControlCannotTakeAreRecordedAndSkipped) {
    Control& tabs = createTabControl(main, {"A", "B"}, 0);
    Control& hidden = createButton(tabPage(tabs, 1), "hidden");
    Control& disabled = createEditBox(main, 0);
    setEnabled(disabled, false);
    Control& list = createList(main, 0);
    log.watch(hidden, 1);
    log.watch(disabled, 2);
    platform.click(hidden);
    platform.type(disabled, "5");
    platform.choose(list, 0); // no entries
    platform.switchTab(tabs, 1);
    platform.click(hidden);
    runMessageLoop(app);
    EXPECT_EQ(platform.problems().size(), 3u);
    EXPECT_EQ(log.events.front(), "click:1") << "after the tab switch the button can be clicked";
}

// ---- close requests ----

struct CloseQuestion {
    int asked = 0;
    bool accept = false;
    static void ask(void* context, Control&, bool& accept) {
        auto& q = *static_cast<CloseQuestion*>(context);
        ++q.asked;
        EXPECT_TRUE(accept) << "the accept flag is true on entry";
        accept = q.accept;
    }
};

TEST_F(Loop, RefusedCloseLeavesEverythingAsItWas) {
    CloseQuestion question;
    main.onCloseRequest = {CloseQuestion::ask, &question};
    log.watch(main, 1);
    Control& edit = createEditBox(main, 0);
    platform.pressClose(main);
    platform.call([&] {
        EXPECT_EQ(question.asked, 1);
        EXPECT_NE(main.onCloseRequest.fn, nullptr) << "a refused close keeps the question";
        EXPECT_NE(edit.window, nullptr);
        EXPECT_TRUE(log.events.empty()) << "nothing destroyed";
    });
    platform.pressClose(main);
    platform.call([&] { EXPECT_EQ(question.asked, 2); });
    runMessageLoop(app);
    EXPECT_TRUE(platform.ranDry()) << "the loop went on after both refusals";
}

TEST_F(Loop, AcceptedCloseEndsTheLoopAndReleasesEveryObject) {
    CloseQuestion question{0, true};
    main.onCloseRequest = {CloseQuestion::ask, &question};
    Control& tabs = createTabControl(main, {"A", "B"}, 0);
    Control& group = createGroupBox(tabPage(tabs, 1), "G");
    Control& edit = createEditBox(group, 0);
    Control& list = createList(group, 0);
    log.watch(main, 1);
    log.watch(tabs, 2);
    log.watch(group, 3);
    log.watch(edit, 4);
    log.watch(list, 5);
    std::vector<std::string> released;
    releaseWith(main, [&] { released.push_back("main first"); });
    releaseWith(main, [&] { released.push_back("main second"); });
    releaseWith(edit, [&] { released.push_back("edit"); });
    // The change a destroyed edit box might report is never raised.
    edit.onDestroy = {[](void*, Control& c) { setControlText(c, "gone"); }, nullptr};

    platform.pressClose(main);
    platform.call([&] { ADD_FAILURE() << "the loop ran on after an accepted close"; });
    runMessageLoop(app);

    EXPECT_EQ(question.asked, 1);
    EXPECT_FALSE(platform.ranDry());
    EXPECT_EQ(platform.pendingActions(), 1u);
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"destroy:1", "destroy:2", "destroy:3", "destroy:5"}))
        << "every control raised onDestroy, the main window first, and no change during release";
    EXPECT_EQ(released, (std::vector<std::string>{"edit", "main second", "main first"}))
        << "owned objects go with their control, the last owned first";
}

TEST_F(Loop, TheCloseQuestionIsAskedOnceEvenForTwoRequests) {
    CloseQuestion question{0, true};
    main.onCloseRequest = {CloseQuestion::ask, &question};
    Control& button = createButton(main, "close");
    // Two requests posted by a handler: both are delivered after it returns.
    button.onClick = {[](void* context, Control&) {
                          auto& window = *static_cast<Control*>(context);
                          requestClose(window);
                          requestClose(window);
                          EXPECT_NE(window.window, nullptr) << "requestClose only posts";
                      },
                      &main};
    platform.click(button);
    runMessageLoop(app);
    EXPECT_EQ(question.asked, 1);
    EXPECT_FALSE(platform.ranDry());
}

TEST_F(Loop, CloseWithoutAQuestionIsAccepted) {
    log.watch(main, 1);
    platform.pressClose(main);
    platform.call([] { ADD_FAILURE() << "loop did not end"; });
    runMessageLoop(app);
    EXPECT_EQ(log.events, (std::vector<std::string>{"destroy:1"}));
}

TEST_F(Loop, TaskbarCloseOfTheApplicationAsksTheMainWindow) {
    CloseQuestion question{0, false};
    main.onCloseRequest = {CloseQuestion::ask, &question};
    platform.closeFromTaskbar();
    platform.call([&] { EXPECT_EQ(question.asked, 1); });
    runMessageLoop(app);
}

// ---- message boxes ----

TEST_F(Loop, MessageBoxCarriesTheApplicationsCaption) {
    Control& button = createButton(main, "help");
    struct Answers {
        Control* app;
        Control* main;
        int first = 0, second = 0;
    } answers{&app, &main};
    button.onClick = {[](void* context, Control&) {
                          auto& a = *static_cast<Answers*>(context);
                          a.first = messageBox(*a.app, u8"Текст"_cp1251, kMbOk | kMbIconError);
                          a.second = messageBoxOwned(*a.main, "Save?", u8"Внимание!"_cp1251,
                                                     kMbYesNo | kMbIconExclamation);
                      },
                      &answers};
    platform.click(button);
    platform.answer(kIdOk);
    platform.answer(kIdNo);
    runMessageLoop(app);
    expectNoProblems();
    ASSERT_EQ(platform.messageBoxes().size(), 2u);
    const ShownMessageBox& box = platform.messageBoxes()[0];
    EXPECT_EQ(box.caption, "App v1") << "the application's caption, not the main window's";
    EXPECT_EQ(box.ownerCaption, "App v1");
    EXPECT_EQ(box.text, u8"Текст"_cp1251);
    EXPECT_EQ(box.flags, kMbOk | kMbIconError);
    EXPECT_EQ(answers.first, kIdOk);
    EXPECT_EQ(platform.messageBoxes()[1].caption, u8"Внимание!"_cp1251);
    EXPECT_EQ(platform.messageBoxes()[1].ownerCaption, "Main");
    EXPECT_EQ(answers.second, kIdNo);
}

TEST_F(Loop, MessageBoxBeforeTheLoopTakesTheFirstScriptedAnswer) {
    platform.answer(kIdOk);
    EXPECT_EQ(messageBox(app, "No files", kMbOk | kMbIconError), kIdOk);
    EXPECT_TRUE(platform.problems().empty());
    EXPECT_NE(app.window, nullptr) << "the application's window owns the box";
}

TEST_F(Loop, UnscriptedOrWrongAnswersAreProblems) {
    EXPECT_EQ(messageBox(app, "one", kMbYesNo), kIdYes) << "unscripted: the default button";
    platform.answer(kIdNo);
    messageBox(app, "two", kMbOk);
    platform.answer(kIdOk);
    runMessageLoop(app); // an answer with no box open
    EXPECT_EQ(platform.problems().size(), 3u);
}

// ---- Tab navigation ----

TEST_F(Loop, TabStopsFollowCreationOrderSkippingWhatCannotTakeTheFocus) {
    Control& tabs = createTabControl(main, {"A", "B"}, 0).setTabStop(false);
    Control& group = createGroupBox(tabPage(tabs, 0), "G");
    Control& list = createList(group, 0);
    createLabel(group, "label");
    Control& edit1 = createEditBox(group, 0);
    Control& disabled = createEditBox(group, 0);
    setEnabled(disabled, false);
    Control& edit2 = createEditBox(group, 0);
    Control& hidden = createEditBox(tabPage(tabs, 1), 0);
    Control& box = createCheckBox(group, "c");
    Control& button = createButton(main, "b");
    Control& noStop = createButton(main, "n").setTabStop(false);
    (void)hidden;
    (void)noStop;
    platform.call([&] {
        EXPECT_EQ(nextTabStop(main, nullptr, false), &list);
        EXPECT_EQ(nextTabStop(main, &list, false), &edit1);
        EXPECT_EQ(nextTabStop(main, &edit1, false), &edit2);
        EXPECT_EQ(nextTabStop(main, &edit2, false), &box)
            << "the hidden page's edit box is skipped";
        EXPECT_EQ(nextTabStop(main, &box, false), &button);
        EXPECT_EQ(nextTabStop(main, &button, false), &list) << "wraps around";
        EXPECT_EQ(nextTabStop(main, &list, true), &button) << "Shift+Tab goes backwards";
        EXPECT_EQ(nextTabStop(main, nullptr, true), &button);
        EXPECT_EQ(nextTabStop(main, &group, false), &list) << "from a control that is no tab stop";
    });
    runMessageLoop(app);
}

} // namespace
