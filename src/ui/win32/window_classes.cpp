// The layer's windows: every control is a window of a class registered by the
// layer ("obj_" + the standard class, or the layer's own "OrvexWindow") whose
// window procedure is the layer's (message_handlers.cpp), in front of the
// platform's. A window is made with its control as CreateWindowEx's last
// parameter and bound to it at its WM_NCCREATE, the first message that carries
// it; the procedure finds the control through that binding from then on.

#include "ui/win32/window_classes.h"

#include "ui/win32/controls.h"
#include "ui/win32/message_handlers.h"
#include "ui/win32/wide_text.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <string>

using namespace win32;

namespace {

const wchar_t* const kSelfProperty = L"SELF_";
const wchar_t* const kPrevProcProperty = L"PREV_PROC";
const wchar_t* const kOwnClass = L"OrvexWindow";
// Room below a drop-down list's field for its entries.
constexpr int kDropDownHeight = 240;

// The child-window id of c's window.
HMENU childId(const Control& c) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id));
}

DWORD kindStyle(const Control& c) {
    switch (c.kind) {
    case ControlKind::TabControl:
        return (c.options & kTabsFixedWidth) != 0 ? TCS_FIXEDWIDTH : 0;
    case ControlKind::Page:
        return SS_LEFT | SS_NOPREFIX;
    case ControlKind::Panel:
        return SS_LEFT | SS_NOPREFIX;
    case ControlKind::GroupBox:
        switch (c.captionAlignment) {
        case Alignment::Left:
            return BS_GROUPBOX | BS_LEFT;
        case Alignment::Centre:
            return BS_GROUPBOX | BS_CENTER;
        case Alignment::Right:
            return BS_GROUPBOX | BS_RIGHT;
        }
        return BS_GROUPBOX;
    case ControlKind::Label:
        return SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    case ControlKind::WrappingLabel:
        return SS_LEFT | SS_NOPREFIX;
    case ControlKind::EditBox:
        return ES_AUTOHSCROLL | ((c.options & kDigitsOnly) != 0 ? ES_NUMBER : 0);
    case ControlKind::List:
        // Drawn by the layer (message_handlers.cpp), so that an entry longer
        // than the opened list ends in "…".
        return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;
    case ControlKind::CheckBox:
        return BS_AUTOCHECKBOX;
    case ControlKind::Button:
        return c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    default:
        return 0;
    }
}

// The whole style of c's window, from its kept state.
DWORD windowStyle(const Control& c) {
    DWORD style = c.styleBits | kindStyle(c);
    if (isTopLevel(c)) {
        style &= ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE);
        if (c.window != nullptr && IsWindowVisible(hwndOf(c))) style |= WS_VISIBLE;
    } else {
        style |= WS_CHILD;
        style = c.visible ? (style | WS_VISIBLE) : (style & ~static_cast<DWORD>(WS_VISIBLE));
    }
    if (!c.enabled) style |= WS_DISABLED;
    return style;
}

DWORD windowExStyle(const Control& c) {
    switch (c.kind) {
    case ControlKind::MainWindow:
        return WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    case ControlKind::Dialog:
        return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    case ControlKind::EditBox:
        return WS_EX_CLIENTEDGE;
    case ControlKind::Panel:
        return (c.options & kEdgeSunken) != 0 ? WS_EX_STATICEDGE : 0;
    default:
        return 0;
    }
}

// A drop-down list's window is its field plus room for the dropped entries.
int windowHeight(const Control& c) {
    return c.kind == ControlKind::List ? c.height + kDropDownHeight : c.height;
}

// Creation order is the windows' Z order too, so that they are listed and drawn in it.
// A new child window comes last among its siblings, which is its place unless a
// sibling created after it already has its window.
void placeInCreationOrder(const Control& c) {
    if (c.parent == nullptr || isTopLevel(c)) return;
    const auto& siblings = c.parent->children;
    auto own = std::find_if(siblings.begin(), siblings.end(),
                            [&](const auto& sibling) { return sibling.get() == &c; });
    if (std::none_of(own + 1, siblings.end(),
                     [](const auto& sibling) { return sibling->window != nullptr; }))
        return;
    HWND after = HWND_TOP;
    for (auto it = siblings.begin(); it != own; ++it)
        if ((*it)->window != nullptr) after = hwndOf(**it);
    SetWindowPos(hwndOf(c), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

// ---- the classes ----

// The layer's own class for the top-level windows, and its superclasses of the
// platform's controls.
void Win32Platform::State::registerClasses() {
    registerOwnClass();
    classNames[ControlKind::Application] = kOwnClass;
    classNames[ControlKind::MainWindow] = kOwnClass;
    classNames[ControlKind::Dialog] = kOwnClass;
    superclass(WC_TABCONTROLW, {ControlKind::TabControl});
    superclass(L"STATIC", {ControlKind::Page, ControlKind::Panel, ControlKind::Label,
                           ControlKind::WrappingLabel});
    superclass(L"BUTTON", {ControlKind::GroupBox, ControlKind::CheckBox, ControlKind::Button});
    superclass(L"EDIT", {ControlKind::EditBox});
    superclass(L"COMBOBOX", {ControlKind::List});
}

WNDPROC Win32Platform::State::baseProc(HWND hwnd) const {
    auto it = baseProcs.find(static_cast<ATOM>(GetClassWord(hwnd, GCW_ATOM)));
    return it != baseProcs.end() ? it->second : DefWindowProcW;
}

HICON Win32Platform::State::programIcon(int widthMetric, int heightMetric) const {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

void Win32Platform::State::registerOwnClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = layerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // The program's own icon (its icon resource 1) in the title bar, task bar
    // and window switcher, in the sizes the system asks for; a program
    // without one gets the platform's.
    wc.hIcon = programIcon(SM_CXICON, SM_CYICON);
    wc.hIconSm = programIcon(SM_CXSMICON, SM_CYSMICON);
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.lpszClassName = kOwnClass;
    ATOM atom = RegisterClassExW(&wc);
    if (atom != 0) {
        baseProcs[atom] = DefWindowProcW;
        registered.push_back(kOwnClass);
    }
}

// "obj_" + base: the platform's class with the layer's procedure in front.
void Win32Platform::State::superclass(const wchar_t* base,
                                      std::initializer_list<ControlKind> kinds) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(nullptr, base, &wc)) return;
    const WNDPROC platformProc = wc.lpfnWndProc;
    std::wstring name = std::wstring(L"obj_") + base;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = layerProc;
    wc.hInstance = instance;
    wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    wc.lpszClassName = name.c_str();
    ATOM atom = RegisterClassExW(&wc);
    if (atom == 0) return;
    baseProcs[atom] = platformProc;
    registered.push_back(name);
    for (ControlKind kind : kinds)
        classNames[kind] = name;
}

// ---- windows and their controls ----

namespace win32 {

const Win32Platform::State::Binding* bindingOf(HWND hwnd) {
    if (active == nullptr || hwnd == nullptr) return nullptr;
    auto it = active->bindings.find(hwnd);
    return it != active->bindings.end() ? &it->second : nullptr;
}

Control* controlOf(HWND hwnd) {
    const auto* b = bindingOf(hwnd);
    return b != nullptr ? b->self : nullptr;
}

void bindSelf(HWND hwnd, Control* c) {
    SetPropW(hwnd, kSelfProperty, c);
    active->bindings[hwnd] = {c, active->baseProc(hwnd), false};
}

void bindInner(HWND hwnd, Control* list, WNDPROC previous) {
    SetPropW(hwnd, kPrevProcProperty, reinterpret_cast<HANDLE>(previous));
    SetPropW(hwnd, kSelfProperty, list);
    active->bindings[hwnd] = {list, previous, true};
}

void unbind(HWND hwnd) {
    auto it = active->bindings.find(hwnd);
    if (it == active->bindings.end()) return;
    if (it->second.inner) RemovePropW(hwnd, kPrevProcProperty);
    RemovePropW(hwnd, kSelfProperty);
    active->bindings.erase(it);
}

void repaint(const Control& c) {
    if (active->mainWindowShown) InvalidateRect(hwndOf(c), nullptr, TRUE);
}

} // namespace win32

// What the layer keeps for one control, let go when its window goes: by
// destroyWindow, or with its parent (WM_NCDESTROY).
void Win32Platform::State::forget(Control& c) {
    quietLists.erase(&c);
    listChoices.erase(&c);
    entriesChanged.erase(&c);
    entriesWidth.erase(&c);
    waitingEntries.erase(&c);
    releaseFont(c);
}

void Win32Platform::createWindow(Control& c) {
    if (c.window != nullptr) return;
    HWND parent = c.parent != nullptr ? hwndOf(*c.parent) : nullptr;
    const std::wstring& className = state_->classNames[c.kind];
    const std::wstring text =
        c.kind == ControlKind::Page || c.kind == ControlKind::Panel || c.kind == ControlKind::List
            ? std::wstring()
            : toWide(c.text);
    // A child window's "menu" is its id; a top-level window has none.
    HMENU id = isTopLevel(c) ? nullptr : childId(c);
    // The last parameter reaches the window's WM_NCCREATE, which binds it to c.
    HWND hwnd =
        CreateWindowExW(windowExStyle(c), className.c_str(), text.c_str(), windowStyle(c), c.x, c.y,
                        c.width, windowHeight(c), parent, id, state_->instance, &c);
    if (hwnd == nullptr) return;
    c.window = hwnd;
    state_->giveFont(c, false);
    placeInCreationOrder(c);
    if (c.kind == ControlKind::List) {
        readListHeight(c);
        subclassInnerWindows(c);
    }
}

void Win32Platform::destroyWindow(Control& c) {
    HWND hwnd = hwndOf(c);
    if (hwnd == nullptr) return;
    if (c.kind == ControlKind::List) unsubclassInnerWindows(c);
    unbind(hwnd);
    if (state_->lastFocus == hwnd) state_->lastFocus = nullptr;
    c.window = nullptr;
    DestroyWindow(hwnd);
    state_->forget(c);
}

// ---- a window's place, size and style ----

void Win32Platform::setWindowBounds(Control& c) {
    SetWindowPos(hwndOf(c), nullptr, c.x, c.y, c.width, windowHeight(c),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.kind == ControlKind::List) readListHeight(c);
}

void Win32Platform::applyStyle(Control& c) {
    SetWindowLongPtrW(hwndOf(c), GWL_STYLE, static_cast<LONG_PTR>(windowStyle(c)));
    SetWindowPos(hwndOf(c), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    repaint(c);
}

void Win32Platform::applyEnabled(Control& c) {
    EnableWindow(hwndOf(c), c.enabled ? TRUE : FALSE);
}

void Win32Platform::applyVisible(Control& c) {
    if (isTopLevel(c)) return;
    ShowWindow(hwndOf(c), c.visible ? SW_SHOW : SW_HIDE);
}

void Win32Platform::applyColour(Control& c) {
    repaint(c);
}

void Win32Platform::applyId(Control& c) {
    if (!isTopLevel(c)) SetWindowLongPtrW(hwndOf(c), GWLP_ID, c.id);
}

Size Win32Platform::screenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Size Win32Platform::outerSize(const Control& c, Size client) {
    RECT r{0, 0, client.width, client.height};
    AdjustWindowRectEx(&r, windowStyle(c), FALSE, windowExStyle(c));
    return {r.right - r.left, r.bottom - r.top};
}
