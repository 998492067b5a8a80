// The Win32 platform in one process: real windows, a real message loop. Each
// test builds a window, then runs the loop; its checks run inside the loop from
// the main window's close question, which refuses and asks again until the last
// step accepts.

#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/win32/win32_platform.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Win32Layer : ::testing::Test {
    Win32Platform platform;
    Control& app = createApplication(platform, u8"Приложение v1"_cp1251);
    Control& main = createMainWindow(app, u8"Окно"_cp1251);
    std::vector<std::function<void()>> steps;
    size_t nextStep = 0;
    int changes = 0;
    std::vector<std::string> changeTexts;

    // A step that brings the next close request about itself sets this; should
    // the request not come, a timer asks instead, and the test fails.
    bool closeComesFromTheStep = false;
    bool timedOut = false;
    static inline Win32Layer* current = nullptr;

    static void CALLBACK timeout(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        current->timedOut = true;
        requestClose(current->main);
    }

    static void question(void* context, Control& window, bool& accept) {
        auto& t = *static_cast<Win32Layer*>(context);
        t.closeComesFromTheStep = false;
        if (t.nextStep < t.steps.size()) t.steps[t.nextStep++]();
        accept = t.nextStep >= t.steps.size();
        if (accept) return;
        if (t.closeComesFromTheStep) {
            current = &t;
            SetTimer(nullptr, 0, 3000, timeout);
        } else {
            requestClose(window);
        }
    }

    static void countChange(void* context, Control& c) {
        auto& t = *static_cast<Win32Layer*>(context);
        ++t.changes;
        t.changeTexts.push_back(controlText(c));
    }

    // Runs the loop; every step runs inside it, with all windows created.
    void run() {
        main.onCloseRequest = {question, this};
        requestClose(main);
        runMessageLoop(app);
        EXPECT_EQ(nextStep, steps.size()) << "every step ran";
    }
};

HWND hwndOf(const Control& c) {
    return static_cast<HWND>(c.window);
}

std::wstring windowTextW(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

std::wstring classOf(HWND hwnd) {
    wchar_t buffer[64] = {};
    GetClassNameW(hwnd, buffer, 64);
    return buffer;
}

TEST_F(Win32Layer, EditBoxTextBeforeTheWindowIsKeptThenChangeIsRaisedOncePerSet) {
    Control& group = createGroupBox(main, "G");
    Control& edit = createEditBox(group, kDigitsOnly);
    edit.onChange = {countChange, this};
    setControlText(edit, "12");
    EXPECT_EQ(edit.window, nullptr);
    EXPECT_EQ(changes, 0);
    steps.push_back([&] {
        ASSERT_NE(edit.window, nullptr);
        EXPECT_EQ(windowTextW(hwndOf(edit)), L"12") << "created with the kept text";
        EXPECT_EQ(changes, 0) << "no change event for the text given at creation";
        setControlText(edit, "345");
        EXPECT_EQ(changes, 1) << "EN_CHANGE reached onChange before setControlText returned";
        EXPECT_EQ(changeTexts.back(), "345");
        setControlText(edit, "345");
        EXPECT_EQ(changes, 2);
    });
    run();
    EXPECT_EQ(edit.window, nullptr) << "released after the loop";
}

TEST_F(Win32Layer, SetSelectedIndexRaisesNothingAndAUserChoiceRaisesChangeLaterFromTheLoop) {
    Control& list = createList(main, 0).place(10, 10).resize(150, 0);
    for (const char* t : {"a", "b", "c"})
        addItem(list, t);
    list.onChange = {countChange, this};
    EXPECT_EQ(selectedIndex(list), 0) << "the first entry added is chosen";
    steps.push_back([&] {
        setSelectedIndex(list, 2);
        EXPECT_EQ(selectedIndex(list), 2);
        EXPECT_EQ(changes, 0);
        // What a user's choice sends: the platform selects, then notifies the parent.
        SendMessageW(hwndOf(list), CB_SETCURSEL, 1, 0);
        SendMessageW(hwndOf(main), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hwndOf(list)));
        EXPECT_EQ(changes, 0) << "the change is deferred to the loop";
    });
    steps.push_back([&] {
        EXPECT_EQ(changes, 1);
        ASSERT_FALSE(changeTexts.empty());
        EXPECT_EQ(changeTexts.back(), "b") << "raised after the choice was complete";
    });
    run();
}

TEST_F(Win32Layer, CyrillicTextsCrossTheWindowBoundaryAsUtf16) {
    Control& label = createLabel(main, u8"Корабли"_cp1251).setAutoSize(true);
    Control& list = createList(main, 0);
    addItem(list, u8"Станции и товары"_cp1251);
    Control& edit = createEditBox(main, 0);
    steps.push_back([&] {
        EXPECT_NE(GetACP(), 1251u) << "run these under a non-Russian locale";
        EXPECT_EQ(windowTextW(hwndOf(label)), L"\u041a\u043e\u0440\u0430\u0431\u043b\u0438");
        EXPECT_EQ(controlText(label), u8"Корабли"_cp1251);
        EXPECT_EQ(itemText(list, 0), u8"Станции и товары"_cp1251);
        wchar_t entry[64] = {};
        SendMessageW(hwndOf(list), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
        EXPECT_EQ(entry[0], L'\u0421');
        SetWindowTextW(hwndOf(edit), L"\u0451\u0401 \u20ac \u4e2d");
        EXPECT_EQ(controlText(edit), "\xB8\xA8 \x88 ?")
            << "1251 bytes; what 1251 cannot hold becomes '?'";
        EXPECT_EQ(windowTextW(hwndOf(main)), L"\u041e\u043a\u043d\u043e");
    });
    run();
}

TEST_F(Win32Layer, AutoSizeMeasuresTheTextInTheControlsFont) {
    setFontName(main, "Tahoma");
    setFontHeight(main, 11);
    Control& label = createLabel(main, u8"Максимальный щит"_cp1251).setAutoSize(true);
    ASSERT_NE(label.window, nullptr) << "measuring needs the window";
    EXPECT_GT(label.width, 40);
    EXPECT_GT(label.height, 8);
    const int regularWidth = label.width;
    setFontHeight(label, 22);
    EXPECT_GT(label.width, regularWidth * 3 / 2) << "re-measured in the bigger font";
    Control& box = createCheckBox(main, "MD").setAutoSize(true);
    Control& plain = createLabel(main, "MD").setAutoSize(true);
    EXPECT_GT(box.width, plain.width + 10) << "a check box adds its box to the text";
    RECT r;
    GetWindowRect(hwndOf(label), &r);
    EXPECT_EQ(r.right - r.left, label.width);
}

TEST_F(Win32Layer, FontsAreCreatedFromTheInheritedOne) {
    setFontName(main, "Tahoma");
    setFontHeight(main, 11);
    Control& group = createGroupBox(main, "G");
    setFontStyle(group, kBold);
    Control& inside = createLabel(group, "x").setAutoSize(true);
    Control& small = createLabel(group, "2").setAutoSize(true);
    setFontStyle(small, 0);
    setFontHeight(small, 9);
    Control& box = createCheckBox(group, "box").setAutoSize(true);
    setFontStyle(box, 0);
    steps.push_back([&] {
        auto logFont = [](const Control& c) {
            LOGFONTW lf{};
            auto font = reinterpret_cast<HFONT>(SendMessageW(hwndOf(c), WM_GETFONT, 0, 0));
            GetObjectW(font, sizeof lf, &lf);
            return lf;
        };
        LOGFONTW g = logFont(group), i = logFont(inside), s = logFont(small), b = logFont(box);
        EXPECT_EQ(b.lfWeight, FW_NORMAL) << "a check box given a regular font of its own";
        EXPECT_EQ(g.lfHeight, -11);
        EXPECT_EQ(g.lfWeight, FW_BOLD);
        EXPECT_STREQ(g.lfFaceName, L"Tahoma");
        EXPECT_EQ(i.lfWeight, FW_BOLD) << "inherited from the group box";
        EXPECT_EQ(s.lfHeight, -9);
        EXPECT_EQ(s.lfWeight, FW_NORMAL);
    });
    run();
}

TEST_F(Win32Layer, EveryLayerWindowCarriesItsObjectAndTheLayersClass) {
    Control& tabs = createTabControl(main, {"A", "B"}, kTabsFixedWidth);
    Control& group = createGroupBox(tabPage(tabs, 0), "G");
    Control& edit = createEditBox(group, 0);
    Control& list = createList(group, 0);
    Control& label = createLabel(group, "L");
    Control& box = createCheckBox(group, "C");
    Control& button = createButton(main, "B");
    steps.push_back([&] {
        struct Case {
            Control* c;
            const wchar_t* className;
        };
        for (Case k : {Case{&app, L"OrvexWindow"}, Case{&main, L"OrvexWindow"},
                       Case{&tabs, L"obj_SysTabControl32"}, Case{tabs.pages[0], L"obj_STATIC"},
                       Case{&group, L"obj_BUTTON"}, Case{&edit, L"obj_EDIT"},
                       Case{&list, L"obj_COMBOBOX"}, Case{&label, L"obj_STATIC"},
                       Case{&box, L"obj_BUTTON"}, Case{&button, L"obj_BUTTON"}}) {
            HWND hwnd = hwndOf(*k.c);
            EXPECT_EQ(GetPropW(hwnd, L"SELF_"), static_cast<HANDLE>(k.c));
            EXPECT_EQ(classOf(hwnd), k.className);
        }
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(hwndOf(list), &info));
        EXPECT_NE(GetPropW(info.hwndList, L"PREV_PROC"), nullptr)
            << "the list's inner part is subclassed";
        EXPECT_EQ(GetWindow(hwndOf(main), GW_OWNER), hwndOf(app))
            << "the application owns the main window";
        EXPECT_FALSE(IsWindowVisible(hwndOf(app)));
        EXPECT_TRUE(IsWindowVisible(hwndOf(main)));
    });
    run();
}

TEST_F(Win32Layer, ChildWindowsAreInCreationOrderWhateverOrderTheyWereCreatedIn) {
    Control& group = createGroupBox(main, "G");
    std::vector<Control*> order;
    order.push_back(&createLabel(group, "first"));
    order.push_back(&createEditBox(group, 0));
    order.push_back(&createList(group, 0));
    order.push_back(&createCheckBox(group, "last"));
    addItem(*order[2], "x"); // the list's window comes first
    isChecked(*order[3]);    // then the check box's
    steps.push_back([&] {
        std::vector<HWND> seen;
        for (HWND h = GetWindow(hwndOf(group), GW_CHILD); h != nullptr;
             h = GetWindow(h, GW_HWNDNEXT))
            seen.push_back(h);
        ASSERT_EQ(seen.size(), order.size());
        for (size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(seen[i], hwndOf(*order[i])) << i;
    });
    run();
}

TEST_F(Win32Layer, KeyHandlerAndDigitsOnlyFilterTypedCharacters) {
    Control& digits = createEditBox(main, kDigitsOnly);
    Control& decimal = createEditBox(main, 0);
    decimal.onKeyChar = {[](void*, Control&, char& ch, unsigned) {
                             if (ch == ',')
                                 ch = '.';
                             else if (ch != '\b' && ch != '.' && (ch < '0' || ch > '9'))
                                 ch = 0;
                         },
                         nullptr};
    steps.push_back([&] {
        for (wchar_t ch : {L'1', L'a', L'2'})
            SendMessageW(hwndOf(digits), WM_CHAR, ch, 0);
        EXPECT_EQ(controlText(digits), "12");
        for (wchar_t ch : {L'3', L'x', L',', L'5', L'\u044e', L'\b'})
            SendMessageW(hwndOf(decimal), WM_CHAR, ch, 0);
        EXPECT_EQ(controlText(decimal), "3.")
            << "'x' and the Cyrillic letter discarded, ',' became '.'";
    });
    run();
}

TEST_F(Win32Layer, ChoosingATabShowsItsPageAndPagesFollowTheTabControl) {
    Control& tabs =
        createTabControl(main, {"A", "B"}, kTabsFixedWidth).place(3, 3).resize(300, 200);
    setTabItemSize(tabs, 100, 18);
    steps.push_back([&] {
        EXPECT_TRUE(IsWindowVisible(hwndOf(*tabs.pages[0])));
        EXPECT_FALSE(IsWindowVisible(hwndOf(*tabs.pages[1])));
        RECT r;
        GetWindowRect(hwndOf(*tabs.pages[1]), &r);
        EXPECT_LT(r.right - r.left, 300);
        EXPECT_GT(r.right - r.left, 250) << "a page fills the display area";
        // What the tab control sends its parent when the user picks a tab.
        SendMessageW(hwndOf(tabs), TCM_SETCURSEL, 1, 0);
        NMHDR header{hwndOf(tabs), 0, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(hwndOf(main), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
        EXPECT_FALSE(IsWindowVisible(hwndOf(*tabs.pages[0])));
        EXPECT_TRUE(IsWindowVisible(hwndOf(*tabs.pages[1])));
        tabs.resize(400, 0);
        GetWindowRect(hwndOf(*tabs.pages[0]), &r);
        EXPECT_GT(r.right - r.left, 350) << "resized with the tab control";
    });
    run();
}

TEST_F(Win32Layer, ClientSizeIsKeptThroughStyleAndHoldSize) {
    main.place(194, 114);
    setClientSize(main, 618, 592);
    setStyle(main, kStyleCaption | kStyleSysMenu | kStyleMinimizeBox | kStyleClipChildren);
    holdSize(main);
    centre(main);
    steps.push_back([&] {
        RECT client;
        GetClientRect(hwndOf(main), &client);
        EXPECT_EQ(client.right, 618);
        EXPECT_EQ(client.bottom, 592);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwndOf(main), GWL_STYLE));
        EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
        EXPECT_EQ(style & WS_THICKFRAME, 0u);
        MINMAXINFO info{};
        SendMessageW(hwndOf(main), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMinTrackSize.x, info.ptMaxTrackSize.x);
        EXPECT_EQ(info.ptMinTrackSize.y, info.ptMaxTrackSize.y);
        RECT outer;
        GetWindowRect(hwndOf(main), &outer);
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        EXPECT_NEAR(outer.left, (screenWidth - (outer.right - outer.left)) / 2, 1) << "centred";
    });
    run();
}

TEST_F(Win32Layer, TabKeyMovesTheFocusInCreationOrder) {
    enableTabNavigation(main);
    Control& first = createEditBox(main, 0).place(10, 10);
    createLabel(main, "not a stop").place(10, 40);
    Control& second = createList(main, 0).place(10, 70);
    Control& third = createButton(main, "b").place(10, 100);
    steps.push_back([&] {
        SetFocus(hwndOf(first));
        PostMessageW(hwndOf(first), WM_KEYDOWN, VK_TAB, 0);
    });
    steps.push_back([&] {
        EXPECT_EQ(GetFocus(), hwndOf(second));
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    });
    steps.push_back([&] { EXPECT_EQ(GetFocus(), hwndOf(third)); });
    run();
}

TEST_F(Win32Layer, AltF4OnAFocusedListClosesTheWindowAndLeavesTheListWhole) {
    Control& list = createList(main, 0).place(10, 10);
    addItem(list, "a");
    HWND inner = nullptr;
    steps.push_back([&] {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(hwndOf(list), &info);
        inner = info.hwndList;
        SetFocus(hwndOf(list));
        // Alt+F4 as the keyboard delivers it to the focused window.
        PostMessageW(hwndOf(list), WM_SYSKEYDOWN, VK_F4, 0x20000001);
        closeComesFromTheStep = true;
    });
    steps.push_back([&] { EXPECT_TRUE(IsWindow(inner)) << "the list's drop-down part survived"; });
    run();
    EXPECT_FALSE(timedOut) << "Alt+F4 on the list reached the main window as a close request";
}

TEST_F(Win32Layer, CloseAddressedToTheApplicationWindowAsksTheMainWindow) {
    int asked = 0;
    main.onCloseRequest = {[](void* context, Control&, bool& accept) {
                               ++*static_cast<int*>(context);
                               accept = true;
                           },
                           &asked};
    requestClose(app); // the taskbar's close command reaches the application's window
    runMessageLoop(app);
    EXPECT_EQ(asked, 1);
}

} // namespace
