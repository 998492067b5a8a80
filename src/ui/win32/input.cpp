// Input and balloon tips: typed characters and pastes through the controls'
// handlers, the keys the loop takes for the whole window before any control
// sees them, and the tip a number box shows for what it refused.

#include "ui/win32/input.h"

#include "ui/dispatch.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_state.h"
#include "ui/win32/window_classes.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <string>

using namespace win32;

namespace {

unsigned shiftState() {
    unsigned state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= kShiftKey;
    if (GetKeyState(VK_MENU) < 0) state |= kAltKey;
    if (GetKeyState(VK_CONTROL) < 0) state |= kCtrlKey;
    return state;
}

// The clipboard's text, or "" when it holds none.
std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data)); chars != nullptr) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The layer control a message is addressed to, or the one holding that window.
Control* controlHolding(HWND hwnd) {
    Control* c = nullptr;
    for (HWND h = hwnd; h != nullptr && c == nullptr; h = GetParent(h))
        c = controlOf(h);
    return c;
}

// Alt+F4 is the keyboard's close command for the whole window, whichever control
// has the focus (a drop-down list would otherwise swallow it).
bool keyboardClose(const MSG& msg) {
    if (msg.message != WM_SYSKEYDOWN || msg.wParam != VK_F4 || (msg.lParam & 0x20000000) == 0)
        return false;
    Control* from = controlHolding(msg.hwnd);
    if (from == nullptr) return false;
    Control& window = topLevelOf(*from);
    if (window.kind != ControlKind::MainWindow || window.window == nullptr) return false;
    PostMessageW(hwndOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

// The first tab control of a window's tree that a user can reach.
Control* tabControlIn(Control& c) {
    for (auto& child : c.children) {
        if (child->kind == ControlKind::TabControl && child->window != nullptr &&
            isReachable(*child))
            return child.get();
        if (Control* found = tabControlIn(*child); found != nullptr) return found;
    }
    return nullptr;
}

// Ctrl+Tab and Ctrl+PageDown (with Shift, or Ctrl+PageUp: backwards) in a window
// with tab navigation show the next page from any control, except while a list
// is open; the focus goes to the new page's first tab stop.
bool switchPage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    bool backwards = false;
    if (msg.wParam == VK_TAB) backwards = shift;
    else if (msg.wParam == VK_NEXT && !shift) backwards = false;
    else if (msg.wParam == VK_PRIOR && !shift) backwards = true;
    else return false;
    Control* from = controlHolding(msg.hwnd);
    if (from == nullptr) return false;
    if (from->kind == ControlKind::List && SendMessageW(hwndOf(*from), CB_GETDROPPEDSTATE, 0, 0))
        return false;
    Control& window = topLevelOf(*from);
    Control* tabs = window.tabNavigation ? tabControlIn(window) : nullptr;
    if (tabs == nullptr || tabs->pages.empty()) return false;
    const int count = static_cast<int>(tabs->pages.size());
    const int current = static_cast<int>(SendMessageW(hwndOf(*tabs), TCM_GETCURSEL, 0, 0));
    const int next = ((current < 0 ? 0 : current) + (backwards ? count - 1 : 1)) % count;
    SendMessageW(hwndOf(*tabs), TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    tabChosen(*tabs, next);
    if (Control* first = nextTabStop(*tabs->pages[next], nullptr, false); first != nullptr)
        SetFocus(hwndOf(*first));
    return true;
}

// Alt with a button's marked letter, or Ctrl with its shortcut, presses it
// from anywhere in its window (a held key presses it once). The Alt release
// after such a letter is the layer's too: passed on, the window would take Alt
// as pressed alone and open its system menu.
bool pressShortcut(const MSG& msg) {
    static bool altLetterUsed = false;
    if (msg.wParam == VK_MENU) {
        if (msg.message == WM_SYSKEYDOWN) altLetterUsed = false;
        const bool release = msg.message == WM_SYSKEYUP || msg.message == WM_KEYUP;
        if (release && altLetterUsed) {
            altLetterUsed = false;
            return true;
        }
        return false;
    }
    const bool alt = msg.message == WM_SYSKEYDOWN && (msg.lParam & 0x20000000) != 0 &&
                     GetKeyState(VK_CONTROL) >= 0;
    const bool ctrl =
        msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
    if (!alt && !ctrl) return false;
    Control* from = controlHolding(msg.hwnd);
    if (from == nullptr || msg.wParam < 'A' || msg.wParam > 'Z') return false;
    const char key = static_cast<char>(msg.wParam);
    Control* button = buttonForKey(topLevelOf(*from), key, ctrl);
    if (button == nullptr) return ctrl && (msg.lParam & 0x40000000) == 0 && raiseKeyCommand(*from, key);
    altLetterUsed = alt;
    if ((msg.lParam & 0x40000000) == 0) raiseClick(*button);
    return true;
}

// Enter on a focused push button presses it, as Space does.
bool pressButton(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
    const auto* b = bindingOf(msg.hwnd);
    if (b == nullptr || b->inner || b->self->kind != ControlKind::Button) return false;
    if (!IsWindowEnabled(msg.hwnd) || (msg.lParam & 0x40000000) != 0) return true; // no repeats
    SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
    return true;
}

// Whether c is a drop-down list showing its entries (its own keys then).
bool droppedList(const Control& c) {
    return c.kind == ControlKind::List && SendMessageW(hwndOf(c), CB_GETDROPPEDSTATE, 0, 0);
}

// F1..F12 alone raise the window's command for the key (a held key once),
// except while a list shows its entries.
bool functionKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam < VK_F1 || msg.wParam > VK_F12) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) return false;
    Control* from = controlHolding(msg.hwnd);
    if (from == nullptr || droppedList(*from)) return false;
    const char key = static_cast<char>(kKeyF1 + (msg.wParam - VK_F1));
    if ((msg.lParam & 0x40000000) != 0) return true;
    return raiseKeyCommand(*from, key);
}

// Enter and Esc press the default and cancel buttons of the window (after
// pressButton: Enter on a focused button presses that one).
bool pressDialogButton(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
    Control* from = controlHolding(msg.hwnd);
    if (from == nullptr || droppedList(*from)) return false;
    Control* button = dialogButton(topLevelOf(*from), msg.wParam == VK_ESCAPE);
    if (button == nullptr) return false;
    if ((msg.lParam & 0x40000000) == 0) raiseClick(*button);
    return true;
}

// Shift+F10 and the menu key open the focused control's context menu; their
// releases are taken too, so that F10 does not go on to the window's menu mode.
bool contextMenuKey(const MSG& msg) {
    const bool f10 = msg.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0;
    if (!f10 && msg.wParam != VK_APPS) return false;
    Control* from = controlHolding(msg.hwnd);
    if (from == nullptr || from->menuItems.empty() || droppedList(*from)) return false;
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) return true;
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    showContextMenu(*from, static_cast<LPARAM>(-1));
    return true;
}

// Tab and Shift+Tab in a window with tab navigation: the next tab stop in creation order.
bool navigate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    Control* from = controlHolding(msg.hwnd);
    if (from == nullptr) return false;
    Control& window = topLevelOf(*from);
    if (!window.tabNavigation) return false;
    Control* next =
        nextTabStop(window, from == &window ? nullptr : from, GetKeyState(VK_SHIFT) < 0);
    if (next == nullptr) return false;
    SetFocus(hwndOf(*next));
    if (next->kind == ControlKind::EditBox) SendMessageW(hwndOf(*next), EM_SETSEL, 0, -1);
    return true;
}

// Where the edit box has no balloon of its own (Wine's has none): a tracking
// balloon tooltip below the box stands in, one for the program, for a few seconds.
void showOwnBalloon(HWND edit, const std::wstring& title, std::wstring text, WPARAM icon = TTI_ERROR) {
    static HWND tipWindow = nullptr;
    static TTTOOLINFOW tool{};
    if (tipWindow == nullptr || !IsWindow(tipWindow)) {
        HWND owner = GetAncestor(edit, GA_ROOT);
        tipWindow = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0,
                                    0, owner, nullptr, nullptr, nullptr);
        tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = owner;
        tool.uId = 1;
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tipWindow, TTM_SETMAXTIPWIDTH, 0, 320);
    }
    tool.lpszText = text.data();
    SendMessageW(tipWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tipWindow, TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(title.c_str()));
    RECT r;
    GetWindowRect(edit, &r);
    SendMessageW(tipWindow, TTM_TRACKPOSITION, 0, MAKELPARAM(r.left + 12, r.bottom - 2));
    SendMessageW(tipWindow, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(tipWindow, 1, 4000, [](HWND w, UINT, UINT_PTR id, DWORD) {
        KillTimer(w, id);
        SendMessageW(w, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    });
}

} // namespace

namespace win32 {

bool filterChar(Control& c, WPARAM& wp) {
    if (c.onKeyChar.fn == nullptr) return true;
    const wchar_t typed = static_cast<wchar_t>(wp);
    const std::string bytes = fromWide(std::wstring_view(&typed, 1));
    const char original = bytes.size() == 1 ? bytes[0] : '?';
    char ch = original;
    if (!raiseKeyChar(c, ch, shiftState())) return false;
    if (ch != original) {
        const std::wstring replaced = toWide(std::string_view(&ch, 1));
        if (!replaced.empty()) wp = replaced[0];
    }
    return true;
}

void pasteThroughHandler(Control& c, HWND hwnd) {
    std::string text = fromWide(clipboardText(hwnd));
    if (!raisePaste(c, text)) return;
    SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(toWide(text).c_str()));
}

bool takeLoopKey(const MSG& msg) {
    return pressShortcut(msg) || functionKey(msg) || switchPage(msg) || navigate(msg) || pressButton(msg) ||
           pressDialogButton(msg) || contextMenuKey(msg) || keyboardClose(msg);
}

bool showContextMenu(Control& c, LPARAM where) {
    if (c.menuItems.empty() || c.window == nullptr) return false;
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < c.menuItems.size(); ++i)
        AppendMenuW(menu, MF_STRING, i + 1, toWide(c.menuItems[i]).c_str());
    POINT p{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (p.x == -1 && p.y == -1) {
        RECT r;
        GetWindowRect(hwndOf(c), &r);
        p = {r.left, r.bottom};
    }
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, p.x,
                                      p.y, 0, hwndOf(topLevelOf(c)), nullptr);
    DestroyMenu(menu);
    if (chosen > 0) menuItemChosen(c, chosen - 1);
    return true;
}

} // namespace win32

void Win32Platform::showInputTip(Control& edit, std::string_view title, std::string_view text) {
    const std::wstring wideTitle = toWide(title), wideText = toWide(text);
    EDITBALLOONTIP tip{sizeof tip, wideTitle.c_str(), wideText.c_str(), TTI_ERROR};
    if (!SendMessageW(hwndOf(edit), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)))
        showOwnBalloon(hwndOf(edit), wideTitle, wideText);
    MessageBeep(MB_ICONWARNING);
}

void Win32Platform::showNotice(Control& c, std::string_view title, std::string_view text) {
    showOwnBalloon(hwndOf(c), toWide(title), toWide(text), TTI_INFO);
}
