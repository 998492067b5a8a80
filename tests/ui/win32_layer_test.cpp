// The Win32 platform in one process: real windows, a real message loop. Each test
// builds a window, then runs the loop; its steps run inside the loop from the main
// window's close question, which refuses and asks again until the last step accepts.

#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/win32/win32_platform.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// An RGB colour as the layer takes it, 0x00BBGGRR.
constexpr uint32_t rgbColour(int r, int g, int b) {
    return static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 |
           static_cast<uint32_t>(b & 0xFF) << 16;
}


struct Win32Layer : ::testing::Test {
    Win32Platform platform;
    Control& app = createApplication(platform, u8"Приложение v1"_cp1251);
    Control& main = createMainWindow(app, u8"Окно"_cp1251);
    std::vector<std::function<void()>> steps;
    size_t nextStep = 0;
    std::vector<std::string> changes; // the texts onChange saw, in order
    // A loop the layer never ends (its windows lost their controls, so no close
    // request reaches one) fails the test after a while instead of running
    // until ctest kills the whole program.
    UINT_PTR watchdog = SetTimer(nullptr, 0, 15000, [](HWND, UINT, UINT_PTR, DWORD) {
        ADD_FAILURE() << "the loop ran for 15 s without ending";
        PostQuitMessage(0);
    });

    ~Win32Layer() override { KillTimer(nullptr, watchdog); }

    static void question(void* context, Control& window, bool& accept) {
        auto& t = *static_cast<Win32Layer*>(context);
        if (t.nextStep < t.steps.size()) t.steps[t.nextStep++]();
        accept = t.nextStep >= t.steps.size();
        if (!accept) requestClose(window);
    }
    static void logChange(void* context, Control& c) {
        static_cast<Win32Layer*>(context)->changes.push_back(controlText(c));
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

// The list window inside a drop-down list.
HWND innerListOf(const Control& list) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(hwndOf(list), &info);
    return info.hwndList;
}

std::wstring windowTextW(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

// The middle of entry index of an opened list, in its client area.
LPARAM entryPoint(HWND inner, int index) {
    RECT r{};
    SendMessageW(inner, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// An edit box's text set before its window exists is kept and shown, without an
// event; once it exists, EN_CHANGE reaches onChange before setControlText returns.
// setSelectedIndex raises nothing. A choice through the list's own parts (a key
// on the closed list, a click on an entry of the opened one, arrows in the opened
// list and Enter) raises onChange once, later, from the loop; the arrows then Esc
// raise nothing and leave the entry the list had.
TEST_F(Win32Layer, EditBoxChangesAtOnceAndListChoicesLater) {
    Control& edit = createEditBox(createGroupBox(main, "G"), kDigitsOnly);
    Control& list = createList(main, 0).place(10, 10).resize(150, 0);
    for (const char* t : {"a", "b", "c", "d"})
        addItem(list, t);
    edit.onChange = list.onChange = {logChange, this};
    setControlText(edit, "12");
    EXPECT_EQ(edit.window, nullptr);
    auto key = [&](UINT vk) {
        SendMessageW(hwndOf(list), WM_KEYDOWN, vk, 0);
        SendMessageW(hwndOf(list), WM_KEYUP, vk, 0xC0000000);
    };
    steps.push_back([&] {
        EXPECT_EQ(windowTextW(hwndOf(edit)), L"12") << "created with the kept text";
        setControlText(edit, "345");
        EXPECT_EQ(changes, std::vector<std::string>{"345"});
        setSelectedIndex(list, 2);
        SetFocus(hwndOf(list));
        key(VK_UP); // the closed list hands the key to its inner list part
        EXPECT_EQ(changes.size(), 1u) << "the list's change is deferred to the loop";
    });
    steps.push_back([&] {
        EXPECT_EQ(changes, (std::vector<std::string>{"345", "b"}));
        SendMessageW(hwndOf(list), CB_SHOWDROPDOWN, TRUE, 0);
        HWND inner = innerListOf(list);
        SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, entryPoint(inner, 3));
        SendMessageW(inner, WM_LBUTTONUP, 0, entryPoint(inner, 3));
        EXPECT_FALSE(SendMessageW(hwndOf(list), CB_GETDROPPEDSTATE, 0, 0)) << "closed by the click";
    });
    steps.push_back([&] {
        EXPECT_EQ(changes, (std::vector<std::string>{"345", "b", "d"}));
        key(VK_F4); // opens the list
        key(VK_UP);
        key(VK_UP);
        key(VK_RETURN);
    });
    steps.push_back([&] {
        EXPECT_EQ(changes, (std::vector<std::string>{"345", "b", "d", "b"})) << "once, when closed";
        key(VK_F4);
        key(VK_DOWN);
        key(VK_ESCAPE);
    });
    steps.push_back([&] {
        EXPECT_EQ(changes.size(), 4u) << "Esc chooses nothing";
        EXPECT_EQ(selectedIndex(list), 1);
    });
    run();
}

// An edit box tells its selection, shows a refusal's tip in a balloon of this
// program (the box's own, or where it has none the layer's), and reports the
// focus leaving it.
TEST_F(Win32Layer, EditBoxTellsSelectionShowsTipAndReportsFocusLeft) {
    Control& edit = createEditBox(main, 0).place(10, 10).resize(90, 0);
    Control& other = createEditBox(main, 0).place(10, 40).resize(90, 0);
    setControlText(edit, "12.5");
    edit.onFocusLeave = {[](void* t, Control& c) { logChange(t, c); }, this};
    auto visibleTips = [] {
        int count = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM n) {
                wchar_t name[64] = {};
                GetClassNameW(w, name, 64);
                if (IsWindowVisible(w) && lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) ++*reinterpret_cast<int*>(n);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    };
    steps.push_back([&] {
        SetFocus(hwndOf(edit));
        SendMessageW(hwndOf(edit), EM_SETSEL, 1, 3);
        EXPECT_EQ(std::pair(selection(edit).start, selection(edit).end), std::pair(1, 3));
        EXPECT_EQ(visibleTips(), 0);
        showInputTip(edit, u8"Недопустимый ввод"_cp1251, u8"Только цифры."_cp1251);
        EXPECT_EQ(visibleTips(), 1);
        EXPECT_TRUE(changes.empty());
        SetFocus(hwndOf(other));
        EXPECT_EQ(changes, std::vector<std::string>{"12.5"}) << "the focus left once";
    });
    run();
}

// An opened list draws its entries and the room below them in the list's own
// colour (its part's colour request is answered by the list), and an entry
// longer than it can show ends in "…": the dots sit low, so above them the
// entry's last pixels show only the background.
TEST_F(Win32Layer, AnOpenedListDrawsItsEntriesInItsColoursCutWithDots) {
    Control& list = createList(main, 0).place(10, 10).resize(150, 0);
    for (const std::string& t : {std::string("a"), std::string(400, 'W'), std::string("c")})
        addItem(list, t);
    const uint32_t green = rgbColour(10, 200, 30);
    setColour(list, green);
    steps.push_back([&] {
        SendMessageW(hwndOf(list), CB_SHOWDROPDOWN, TRUE, 0);
        HWND inner = innerListOf(list);
        RECT client{}, entry{}, cut{};
        GetClientRect(inner, &client);
        HDC screen = GetDC(inner);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(inner, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
        SendMessageW(inner, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&entry));
        EXPECT_EQ(GetPixel(dc, entry.right - 2, entry.top + 1), COLORREF(green)) << "an entry";
        EXPECT_EQ(GetPixel(dc, 2, client.bottom - 2), COLORREF(green)) << "below the entries";
        SendMessageW(inner, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&cut));
        int inkAbove = 0, inkBefore = 0;
        for (int y = cut.top + 1; y < (cut.top + cut.bottom) / 2; ++y) {
            for (int x = cut.right - 6; x < cut.right - 1; ++x)
                inkAbove += GetPixel(dc, x, y) != COLORREF(green);
            for (int x = cut.left; x < cut.left + 20; ++x)
                inkBefore += GetPixel(dc, x, y) != COLORREF(green);
        }
        EXPECT_GT(inkBefore, 0) << "the long entry is drawn";
        EXPECT_EQ(inkAbove, 0) << "the long entry ends in dots";
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(inner, screen);
        SendMessageW(hwndOf(list), CB_SHOWDROPDOWN, FALSE, 0);
    });
    run();
}

// A long list filled before the window is shown keeps most of its entries
// aside until right after the first paint; every question about it answers as
// if they were all in, and by the time the loop runs they are.
TEST_F(Win32Layer, ALongListFilledBeforeShowingAnswersForAllItsEntries) {
    Control& list = createList(main, 0).place(10, 10).resize(150, 0);
    makeWindows(list); // as start-up makes the shown page's before filling its lists
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(addItem(list, "entry " + std::to_string(i)), i);
    EXPECT_EQ(itemCount(list), 1000);
    EXPECT_EQ(itemText(list, 999), "entry 999");
    EXPECT_EQ(selectedIndex(list), 0);
    setSelectedIndex(list, 700);
    EXPECT_EQ(selectedIndex(list), 700);
    Control& other = createList(main, 0).place(10, 40).resize(150, 0);
    makeWindows(other);
    for (int i = 0; i < 1000; ++i)
        addItem(other, "other " + std::to_string(i));
    steps.push_back([&] {
        EXPECT_EQ(windowTextW(hwndOf(list)), L"entry 700");
        EXPECT_EQ(SendMessageW(hwndOf(other), CB_GETCOUNT, 0, 0), 1000) << "all in after the paint";
        EXPECT_EQ(itemText(other, 999), "other 999");
        EXPECT_EQ(SendMessageW(hwndOf(list), CB_GETCOUNT, 0, 0), 1000);
    });
    run();
}

// A disabled edit box and list are painted in the system's disabled colours
// (grey text on the dialog face), not in their own window colour; enabled
// again, in their own.
TEST_F(Win32Layer, DisabledBoxesTakeTheSystemsDisabledColours) {
    Control& edit = createEditBox(main, 0).place(10, 10).resize(90, 0);
    Control& list = createList(main, 0).place(10, 40).resize(90, 0);
    addItem(list, "a");
    for (Control* c : {&edit, &list})
        setColour(*c, kColourWindow);
    steps.push_back([&] {
        for (Control* c : {&edit, &list}) {
            SCOPED_TRACE(c == &edit ? "edit box" : "list");
            HDC dc = GetDC(hwndOf(*c));
            // What the control's parent answers when the control asks how to paint.
            auto ask = [&] {
                const UINT msg = c == &edit && !c->enabled ? WM_CTLCOLORSTATIC
                                 : c == &edit              ? WM_CTLCOLOREDIT
                                                           : WM_CTLCOLORLISTBOX;
                return reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwndOf(*c)), msg,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(hwndOf(*c))));
            };
            setEnabled(*c, false);
            EXPECT_EQ(ask(), GetSysColorBrush(COLOR_BTNFACE));
            EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_GRAYTEXT));
            EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
            setEnabled(*c, true);
            EXPECT_EQ(ask(), GetSysColorBrush(COLOR_WINDOW));
            EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
            ReleaseDC(hwndOf(*c), dc);
        }
    });
    run();
}

// A control's id is its window's child id: given at creation, or to a window
// made already (a tab control makes its pages with it); none without one.
TEST_F(Win32Layer, WindowsCarryTheirControlsIds) {
    Control& tabs = createTabControl(main, {"A"}, 0).setId(0x101);
    Control& page = tabPage(tabs, 0).setId(0x102);
    Control& edit = createEditBox(page, 0).setId(0x103);
    Control& plain = createLabel(page, "no id");
    steps.push_back([&] {
        const std::pair<Control*, int> windows[] = {{&tabs, 0x101}, {&page, 0x102}, {&edit, 0x103}, {&plain, 0}};
        for (const auto& [c, id] : windows)
            EXPECT_EQ(GetDlgCtrlID(hwndOf(*c)), id) << "the control given " << id;
        EXPECT_EQ(GetDlgItem(hwndOf(page), 0x103), hwndOf(edit));
    });
    run();
}

// Every window is bound to its control at its WM_NCCREATE, from the control
// CreateWindowEx carried there: the window's first own message already finds it.
TEST_F(Win32Layer, WindowsKnowTheirControlsFromTheirCreation) {
    // Each window made, with its "SELF_" property right after its WM_NCCREATE.
    static std::vector<std::pair<HWND, HANDLE>> bound;
    bound.clear();
    HHOOK hook = SetWindowsHookExW(
        WH_CALLWNDPROCRET,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lp);
            if (code == HC_ACTION && sent->message == WM_NCCREATE)
                bound.emplace_back(sent->hwnd, GetPropW(sent->hwnd, L"SELF_"));
            return CallNextHookEx(nullptr, code, wp, lp);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Control& group = createGroupBox(main, "G");
    Control& list = createList(group, 0);
    setFocus(list); // makes the list's window, and its ancestors' first
    UnhookWindowsHookEx(hook);
    for (Control* c : {&app, &main, &group, &list}) {
        const std::pair<HWND, HANDLE> expected{hwndOf(*c), c};
        EXPECT_NE(std::find(bound.begin(), bound.end(), expected), bound.end()) << c->text;
    }
}

// A dialog shown modal: its owner disabled while it shows, the focus on its
// first box with the text selected; Enter from the box presses the default
// button, Esc the cancel button; afterwards it is gone and the owner enabled.
TEST_F(Win32Layer, ADialogIsModalAndTakesEnterAndEscFromItsBox) {
    // What the dialog's loop shows when a timer runs in it, then the key it posts.
    static struct {
        HWND owner;
        WPARAM key;
        BOOL ownerEnabled;
        int focusId;
        DWORD start, end;
    } seen;
    const std::pair<WPARAM, int> keys[] = {{VK_RETURN, kIdOk}, {VK_ESCAPE, kIdCancel}};
    for (const auto& [key, result] : keys)
        steps.push_back([this, key, result] {
            Control& dialog = createDialog(main, "Dialog");
            setControlText(createEditBox(dialog, 0).setId(7).place(10, 10), "name");
            Control& ok = createButton(dialog, "OK").place(10, 40);
            Control& cancel = createButton(dialog, "Cancel").place(90, 40);
            setDefaultButton(ok);
            setCancelButton(cancel);
            ok.onClick = {[](void* d, Control&) { endDialog(*static_cast<Control*>(d), kIdOk); }, &dialog};
            cancel.onClick = {[](void* d, Control&) { endDialog(*static_cast<Control*>(d), kIdCancel); }, &dialog};
            seen = {hwndOf(main), key, TRUE, 0, 0, 0};
            SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
                KillTimer(nullptr, id);
                HWND focus = GetFocus();
                seen.ownerEnabled = IsWindowEnabled(seen.owner);
                seen.focusId = GetDlgCtrlID(focus);
                SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.start),
                             reinterpret_cast<LPARAM>(&seen.end));
                PostMessageW(focus, WM_KEYDOWN, seen.key, 0);
            });
            const size_t children = main.children.size();
            EXPECT_EQ(showModal(dialog), result);
            EXPECT_FALSE(seen.ownerEnabled);
            EXPECT_EQ(seen.focusId, 7);
            EXPECT_EQ(std::pair(seen.start, seen.end), std::pair(DWORD{0}, DWORD{4}));
            EXPECT_TRUE(IsWindowEnabled(hwndOf(main)));
            EXPECT_EQ(main.children.size(), children - 1);
        });
    run();
}

} // namespace
