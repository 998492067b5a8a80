// The layer's message handlers. layerProc finds a window's control through its
// binding (window_classes.cpp), hands a child's command and colour notifications
// from the parent to the child, and turns them into the child's events.
// handle() hands each message to the handler of its concern, the way a dialog
// class hands its messages to OnCommand, OnNotify, OnSize and so on. A handler
// answers true when it took the message, with result the answer; false lets
// the platform's procedure have it.

#include "ui/win32/message_handlers.h"

#include "ui/dispatch.h"
#include "ui/win32/controls.h"
#include "ui/win32/input.h"
#include "ui/win32/win32_state.h"
#include "ui/win32/window_classes.h"

#include <algorithm>
#include <string>

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

using namespace win32;

namespace {

COLORREF colourRef(uint32_t colour) {
    if ((colour & 0x80000000u) != 0) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

} // namespace

HBRUSH Win32Platform::State::brush(uint32_t colour) {
    if ((colour & 0x80000000u) != 0) return GetSysColorBrush(static_cast<int>(colour & 0xFF));
    auto it = brushes.find(colour);
    if (it != brushes.end()) return it->second;
    HBRUSH b = CreateSolidBrush(colourRef(colour));
    brushes[colour] = b;
    return b;
}

namespace {

Control* mainWindowOf(Control& application) {
    for (auto& child : application.children)
        if (child->kind == ControlKind::MainWindow) return child.get();
    return nullptr;
}

// The layer's own window sender when it is a direct child of c: the only
// notifications c hands over. A list's inner windows are bound to the list but
// are no child of the layer's; what they send goes to the list's platform procedure.
Control* directChild(const Control& c, HWND sender) {
    const auto* b = bindingOf(sender);
    if (b == nullptr || b->inner || b->self == nullptr || b->self->parent != &c) return nullptr;
    return b->self;
}

// Whether sender is an inner window (edit or list part) of the list c.
bool isInnerWindowOf(const Control& c, HWND sender) {
    const auto* b = bindingOf(sender);
    return b != nullptr && b->inner && b->self == &c;
}

// A colour request answered for c: its text in its font colour on its background;
// a disabled edit box or list in the system's disabled colours.
LRESULT paintColours(const Control& c, HDC dc) {
    if (!c.enabled && (c.kind == ControlKind::EditBox || c.kind == ControlKind::List)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetTextColor(dc, colourRef(effectiveFont(c).colour));
    SetBkColor(dc, colourRef(c.colour));
    return reinterpret_cast<LRESULT>(active->brush(c.colour));
}

// Gives the focus to the control of the main window (or the dialog) that had it
// last, or else to its first tab stop.
void giveFocusBack(Control& main) {
    HWND last = main.kind == ControlKind::Dialog ? active->dialogFocus : active->lastFocus;
    if (last != nullptr && IsWindow(last) && IsChild(hwndOf(main), last) &&
        IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetFocus(last);
        return;
    }
    if (Control* first = nextTabStop(main, nullptr, false); first != nullptr)
        SetFocus(hwndOf(*first));
}

// WM_COMMAND: a child's notification goes to the child at once. What a list's
// inner list part tells the list (a choice made) is the list's own business.
bool onCommand(Control& c, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = reinterpret_cast<HWND>(lp);
    if (child == nullptr || directChild(c, child) == nullptr) return false;
    result = SendMessageW(child, kChildCommand, wp, lp);
    return true;
}

// WM_NOTIFY: handed to the child that sent it, as WM_COMMAND is.
bool onNotify(Control& c, WPARAM wp, LPARAM lp, LRESULT& result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (header == nullptr || directChild(c, header->hwndFrom) == nullptr) return false;
    result = SendMessageW(header->hwndFrom, kChildNotify, wp, lp);
    return true;
}

// WM_CTLCOLOR...: a child asks its parent for its colours; the child answers
// them itself. A list's opened part asks the list: it is painted in the list's colours.
bool onColour(Control& c, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = reinterpret_cast<HWND>(lp);
    if (isInnerWindowOf(c, child)) {
        result = paintColours(c, reinterpret_cast<HDC>(wp));
        return true;
    }
    if (child == nullptr || directChild(c, child) == nullptr) return false;
    result = SendMessageW(child, kChildColourBase + msg, wp, lp);
    return true;
}

// WM_MEASUREITEM, WM_DRAWITEM: c's lists are drawn by the layer, as the system
// draws them but with an entry too long for the opened list ending in "…".
// The height asked while a list is being made is its parent's font's; giving
// the list its font sets its own.
bool onListEntry(Control& c, UINT msg, LPARAM lp, LRESULT& result) {
    if (msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (measure->CtlType != ODT_COMBOBOX) return false;
        measure->itemHeight = static_cast<UINT>(active->lineHeight(c));
        result = TRUE;
        return true;
    }
    const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    const Control* list = d.CtlType == ODT_COMBOBOX ? directChild(c, d.hwndItem) : nullptr;
    if (list == nullptr) return false;
    HBRUSH background = reinterpret_cast<HBRUSH>(paintColours(*list, d.hDC));
    if ((d.itemState & ODS_SELECTED) != 0 && list->enabled) {
        SetTextColor(d.hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
        background = GetSysColorBrush(COLOR_HIGHLIGHT);
    }
    FillRect(d.hDC, &d.rcItem, background);
    if (d.itemID != static_cast<UINT>(-1)) {
        const auto length = SendMessageW(d.hwndItem, CB_GETLBTEXTLEN, d.itemID, 0);
        std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const auto copied = SendMessageW(d.hwndItem, CB_GETLBTEXT, d.itemID, reinterpret_cast<LPARAM>(text.data()));
        RECT at = d.rcItem;
        at.left += 1;
        SetBkMode(d.hDC, TRANSPARENT);
        DrawTextW(d.hDC, text.c_str(), static_cast<int>(std::max<LRESULT>(copied, 0)), &at,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((d.itemState & ODS_FOCUS) != 0 && (d.itemState & ODS_NOFOCUSRECT) == 0) DrawFocusRect(d.hDC, &d.rcItem);
    result = TRUE;
    return true;
}

// A command notification of c's own, handed over by its parent, becomes c's
// event. Nothing is raised for what a window does while it is being created.
bool onChildCommand(Control& c, HWND hwnd, WPARAM wp, LPARAM lp) {
    if (c.window == nullptr) return true;
    const WORD code = HIWORD(wp);
    switch (c.kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED) raiseClick(c);
        break;
    case ControlKind::EditBox:
        if (code == EN_CHANGE) raiseChange(c);
        if (code == EN_KILLFOCUS) raiseFocusLeave(c);
        break;
    case ControlKind::List:
        listNotified(c, hwnd, wp, lp);
        break;
    default:
        break;
    }
    return true;
}

// A WM_NOTIFY of c's own, handed over by its parent: a tab control's page change.
bool onChildNotify(Control& c, HWND hwnd, LPARAM lp) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (c.kind == ControlKind::TabControl && header != nullptr && header->code == TCN_SELCHANGE)
        tabChosen(c, static_cast<int>(SendMessageW(hwnd, TCM_GETCURSEL, 0, 0)));
    return true;
}

// WM_CHAR passes c's key handler (consumed when discarded; wp may be replaced).
// WM_KEYDOWN: Shift+Insert, which the edit box would paste without a WM_PASTE.
bool onKey(Control& c, HWND hwnd, UINT msg, WPARAM& wp) {
    if (msg == WM_CHAR) return !filterChar(c, wp);
    if (c.kind != ControlKind::EditBox || c.onPaste.fn == nullptr || wp != VK_INSERT ||
        GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_CONTROL) < 0)
        return false;
    pasteThroughHandler(c, hwnd);
    return true;
}

// A help request is waiting in the queue (WM_HELP).
bool helpPosted = false;

// WM_PASTE: Ctrl+V and the context menu's Paste.
bool onPaste(Control& c, HWND hwnd) {
    if (c.kind != ControlKind::EditBox || c.onPaste.fn == nullptr) return false;
    pasteThroughHandler(c, hwnd);
    return true;
}

// The frame: close, the size limits, a size and a place the window was given.
bool onFrame(Control& c, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_CLOSE:
        if (!isTopLevel(c)) return false;
        closeRequested(c);
        return true;
    case WM_GETMINMAXINFO: {
        // A held size is the kept one, which window messages never change.
        if (!c.sizeHeld) return false;
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {c.width, c.height};
        info->ptMaxTrackSize = {c.width, c.height};
        return true;
    }
    case WM_SIZE:
        // Restored from the task bar while it stayed active: no activation follows.
        if (c.kind == ControlKind::MainWindow && wp == SIZE_RESTORED && GetFocus() == nullptr &&
            GetActiveWindow() == hwnd)
            giveFocusBack(c);
        if (c.kind != ControlKind::TabControl) return false;
        result = CallWindowProcW(active->baseProc(hwnd), hwnd, msg, wp, lp);
        layoutPages(c);
        return true;
    case WM_WINDOWPOSCHANGED: {
        // The user may move a top-level window (and resize one whose size is not
        // held); keep its bounds. A minimised window reports its icon's rectangle
        // and a maximised one the screen's: neither is the window's own place.
        if (!isTopLevel(c) || c.window == nullptr || IsIconic(hwnd) || IsZoomed(hwnd))
            return false;
        RECT r;
        GetWindowRect(hwnd, &r);
        c.x = r.left, c.y = r.top;
        if (!c.sizeHeld) c.width = r.right - r.left, c.height = r.bottom - r.top;
        return false;
    }
    default:
        return false;
    }
}

// Painting: the background, and a parent's background drawn into a child's DC.
bool onPaint(Control& c, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_ERASEBKGND) {
        // A group box paints only its frame and caption; the inside is the layer's.
        if (c.kind != ControlKind::MainWindow && c.kind != ControlKind::Dialog &&
            c.kind != ControlKind::GroupBox)
            return false;
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, active->brush(c.colour));
        result = 1;
        return true;
    }
    // WM_PRINTCLIENT: a child drawing its parent's background hands over its own
    // DC; what the parent selects into it (a group box its bold font) must not stay there.
    HDC dc = reinterpret_cast<HDC>(wp);
    const int saved = SaveDC(dc);
    result = CallWindowProcW(active->baseProc(hwnd), hwnd, msg, wp, lp);
    RestoreDC(dc, saved);
    return true;
}

// The keyboard focus: remembered as it moves, given back on activation.
bool onFocus(Control& c, HWND hwnd, UINT msg, WPARAM wp) {
    if (msg == WM_ACTIVATE) {
        // Activated again (after another program, a message box, a restore): the
        // control that had the focus gets it back. Minimised, nothing has it.
        if (c.kind != ControlKind::MainWindow || LOWORD(wp) == WA_INACTIVE || HIWORD(wp) != 0)
            return false;
        giveFocusBack(c);
        if (c.onActivate.fn != nullptr) PostMessageW(hwnd, kActivated, 0, 0);
        return true;
    }
    // WM_SETFOCUS: a top-level window that gets it passes it on to the control
    // that had it last.
    if (!isTopLevel(c)) {
        if (Control& top = topLevelOf(c); top.kind == ControlKind::MainWindow)
            active->lastFocus = hwnd;
        else if (top.kind == ControlKind::Dialog)
            active->dialogFocus = hwnd;
        return false;
    }
    if (c.kind == ControlKind::Application) {
        if (Control* main = mainWindowOf(c); main != nullptr && main->window != nullptr)
            giveFocusBack(*main);
        return true;
    }
    giveFocusBack(c);
    return true;
}

// Messages the layer handles for c, each to its handler; true when result is the answer.
bool handle(Control& c, HWND hwnd, UINT msg, WPARAM& wp, LPARAM lp, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_COMMAND:
        return onCommand(c, wp, lp, result);
    case WM_NOTIFY:
        return onNotify(c, wp, lp, result);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return onColour(c, msg, wp, lp, result);
    case kChildColourBase + WM_CTLCOLORMSGBOX:
    case kChildColourBase + WM_CTLCOLOREDIT:
    case kChildColourBase + WM_CTLCOLORLISTBOX:
    case kChildColourBase + WM_CTLCOLORBTN:
    case kChildColourBase + WM_CTLCOLORDLG:
    case kChildColourBase + WM_CTLCOLORSCROLLBAR:
    case kChildColourBase + WM_CTLCOLORSTATIC:
        result = paintColours(c, reinterpret_cast<HDC>(wp));
        return true;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        return onListEntry(c, msg, lp, result);
    case kChildCommand:
        return onChildCommand(c, hwnd, wp, lp);
    case kChildNotify:
        return onChildNotify(c, hwnd, lp);
    case WM_CHAR:
    case WM_KEYDOWN:
        return onKey(c, hwnd, msg, wp);
    case WM_PASTE:
        return onPaste(c, hwnd);
    case WM_CONTEXTMENU:
        // A right click on c, or the keyboard's menu command it was given.
        return showContextMenu(c, lp);
    case WM_HELP:
        // A message box's Help button (or F1 in it) asks its owner, and the system
        // passes F1 on to the owner again: asked twice, answered once, from the loop.
        if (isTopLevel(c) && !helpPosted) helpPosted = PostMessageW(hwnd, kHelpAsked, 0, 0);
        return true;
    case kActivated:
        raiseActivate(c);
        return true;
    case kHelpAsked:
        helpPosted = false;
        raiseKeyCommand(c, kKeyF1);
        return true;
    case WM_CLOSE:
    case WM_GETMINMAXINFO:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        return onFrame(c, hwnd, msg, wp, lp, result);
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        return onPaint(c, hwnd, msg, wp, lp, result);
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        return onFocus(c, hwnd, msg, wp);
    default:
        return false;
    }
}

} // namespace

namespace win32 {

LRESULT CALLBACK layerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (active == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
    // A window the layer makes brings its control to its WM_NCCREATE
    // (createWindow); the few messages before it are the platform's alone.
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
        if (create->lpCreateParams != nullptr && bindingOf(hwnd) == nullptr)
            bindSelf(hwnd, static_cast<Control*>(create->lpCreateParams));
    }
    const auto* b = bindingOf(hwnd);
    if (b == nullptr) return CallWindowProcW(active->baseProc(hwnd), hwnd, msg, wp, lp);
    Control& c = *b->self;
    const WNDPROC base = b->next;
    // A window destroyed with its parent loses its properties; its binding and
    // what the layer kept for its control go too.
    if (msg == WM_NCDESTROY) {
        active->bindings.erase(hwnd);
        active->forget(c);
        if (active->lastFocus == hwnd) active->lastFocus = nullptr;
    }
    LRESULT result = 0;
    if (handle(c, hwnd, msg, wp, lp, result)) return result;
    return CallWindowProcW(base, hwnd, msg, wp, lp);
}

// The inner windows of a drop-down list: typed characters pass its key handler.
LRESULT CALLBACK innerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto* b = bindingOf(hwnd);
    if (b == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
    Control* owner = b->self;
    const WNDPROC previous = b->next;
    if (msg == WM_CHAR && owner != nullptr && !filterChar(*owner, wp)) return 0;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        unbind(hwnd);
    }
    return CallWindowProcW(previous, hwnd, msg, wp, lp);
}

} // namespace win32
