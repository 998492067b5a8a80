// The platform's controls: window texts, an edit box's selection, drop-down
// lists (their entries, the width they open to, a choice raised once when it is
// complete), check boxes and tab controls with their pages.

#include "ui/win32/controls.h"

#include "ui/dispatch.h"
#include "ui/trace.h"
#include "ui/win32/message_handlers.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_state.h"
#include "ui/win32/window_classes.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace win32;

namespace {

// A list's deferred change: the code of the command it posts to itself.
constexpr WORD kDeferredChange = 0xF;
// Entries a list takes into its window before the window is first shown; the
// rest go in right after the first paint (the field shows only the chosen one).
constexpr int kEntriesAhead = 200;

// An opened list as wide as its longest entry in the list's font (measured
// again only when its entries changed), with room for its scroll bar; never
// narrower than the list, and never past the right edge of its monitor's work
// area where it opens now (a 200-letter name would run off the screen).
void fitDroppedWidth(const Control& list, HWND hwnd, bool measure) {
    int& widest = active->entriesWidth[const_cast<Control*>(&list)];
    if (measure) {
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
        const auto count = SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
        widest = 0;
        std::wstring entry;
        for (WPARAM i = 0; i < static_cast<WPARAM>(std::max<LRESULT>(count, 0)); ++i) {
            entry.resize(static_cast<size_t>(std::max<LRESULT>(SendMessageW(hwnd, CB_GETLBTEXTLEN, i, 0), 0)) + 1);
            const auto length = SendMessageW(hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
            SIZE size{0, 0};
            if (length > 0) GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(length), &size);
            widest = std::max<int>(widest, size.cx);
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
    }
    int width = widest + 8 + 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
    RECT at{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetWindowRect(hwnd, &at) && GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
        width = std::min<int>(width, monitor.rcWork.right - at.left);
    SendMessageW(hwnd, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(std::max(width, list.width)), 0);
}

} // namespace

namespace win32 {

void layoutPages(Control& tabControl) {
    HWND tab = hwndOf(tabControl);
    RECT r;
    GetClientRect(tab, &r);
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (Control* page : tabControl.pages) {
        page->x = r.left;
        page->y = r.top;
        page->width = std::max<int>(r.right - r.left, 0);
        page->height = std::max<int>(r.bottom - r.top, 0);
        if (page->window != nullptr)
            SetWindowPos(hwndOf(*page), nullptr, page->x, page->y, page->width, page->height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void readListHeight(Control& list) {
    RECT r;
    GetWindowRect(hwndOf(list), &r);
    list.height = r.bottom - r.top;
}

void subclassInnerWindows(Control& list) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(hwndOf(list), &info)) return;
    for (HWND inner : {info.hwndItem, info.hwndList}) {
        if (inner == nullptr || inner == hwndOf(list) || bindingOf(inner) != nullptr) continue;
        bindInner(inner, &list, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(inner, GWLP_WNDPROC)));
        SetWindowLongPtrW(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(innerProc));
    }
}

void unsubclassInnerWindows(Control& list) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(hwndOf(list), &info)) return;
    for (HWND inner : {info.hwndItem, info.hwndList}) {
        if (inner == nullptr || inner == hwndOf(list)) continue;
        const auto* b = bindingOf(inner);
        if (b == nullptr || !b->inner) continue;
        SetWindowLongPtrW(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b->next));
        unbind(inner);
    }
}

// Added in one batch: room for them all first (CB_INITSTORAGE), without
// redrawing the list meanwhile.
void addWaitingEntries(Control& list) {
    auto waiting = active->waitingEntries.find(&list);
    if (waiting == active->waitingEntries.end()) return;
    TraceSpan span("list entries");
    const std::vector<std::wstring> texts = std::move(waiting->second.texts);
    active->waitingEntries.erase(waiting);
    HWND hwnd = hwndOf(list);
    size_t chars = 0;
    for (const std::wstring& text : texts)
        chars += text.size() + 1;
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd, CB_INITSTORAGE, texts.size(), static_cast<LPARAM>(chars * sizeof(wchar_t)));
    for (const std::wstring& text : texts)
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (active->mainWindowShown) SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
}

// A list's change is raised once, from the loop, after the choice is complete:
// at once for a choice on a closed list (a key, a typed letter, a click on an
// entry, which closes the list first); for the arrows in an opened list when it
// closes with the choice taken. Closed without it (Esc, a click elsewhere), the
// list shows again the entry it had when it opened, and nothing is raised.
void listNotified(Control& c, HWND hwnd, WPARAM wp, LPARAM lp) {
    auto& t = active->listChoices[&c];
    auto postChange = [&] {
        if (t.changePosted) return; // one change for one choice
        t.changePosted = true;
        PostMessageW(hwnd, kChildCommand, MAKEWPARAM(LOWORD(wp), kDeferredChange), lp);
    };
    switch (HIWORD(wp)) {
    case CBN_DROPDOWN:
        addWaitingEntries(c);
        fitDroppedWidth(c, hwnd, active->entriesChanged.erase(&c) > 0);
        t = {static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)), false, false, t.changePosted};
        break;
    case CBN_SELCHANGE:
        if (SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0)) t.pending = true;
        else postChange();
        break;
    case CBN_SELENDCANCEL:
        t.cancelled = true;
        break;
    case CBN_CLOSEUP:
        if (t.cancelled) {
            if (SendMessageW(hwnd, CB_GETCURSEL, 0, 0) != t.openedAt)
                SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(t.openedAt), 0);
        } else if (t.pending) {
            postChange();
        }
        t.pending = t.cancelled = false;
        break;
    case kDeferredChange:
        t.changePosted = false;
        raiseChange(c);
        break;
    default:
        break;
    }
}

} // namespace win32

// ---- texts ----

void Win32Platform::setWindowText(Control& c, std::string_view text) {
    // WM_SETTEXT: an edit box notifies EN_CHANGE before this returns.
    SetWindowTextW(hwndOf(c), toWide(text).c_str());
    if (c.kind == ControlKind::Label || c.kind == ControlKind::WrappingLabel) repaint(c);
}

std::string Win32Platform::windowText(const Control& c) {
    HWND hwnd = hwndOf(c);
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, wide.data(), length + 1);
    wide.resize(static_cast<size_t>(std::max(copied, 0)));
    return fromWide(wide);
}

TextRange Win32Platform::selection(const Control& edit) {
    DWORD start = 0, end = 0;
    SendMessageW(hwndOf(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

// ---- lists ----

int Win32Platform::addItem(Control& list, std::string_view text) {
    TraceSpan span("list entries");
    state_->entriesChanged.insert(&list);
    if (!state_->mainWindowShown) {
        if (auto waiting = state_->waitingEntries.find(&list);
            waiting != state_->waitingEntries.end()) {
            waiting->second.texts.push_back(toWide(text));
            return waiting->second.inWindow + static_cast<int>(waiting->second.texts.size()) - 1;
        }
        if (state_->quietLists.insert(&list).second)
            SendMessageW(hwndOf(list), WM_SETREDRAW, FALSE, 0);
    }
    const std::wstring wide = toWide(text);
    auto index =
        SendMessageW(hwndOf(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (index < 0) return -1;
    if (!state_->mainWindowShown && index + 1 >= kEntriesAhead)
        state_->waitingEntries[&list].inWindow = static_cast<int>(index) + 1;
    return static_cast<int>(index);
}

void Win32Platform::addItems(Control& list, const std::vector<std::string>& texts) {
    // Before the window is first shown the long lists take only their first
    // entries; later, a page's list made when the page is first shown takes
    // them in one batch.
    if (!state_->mainWindowShown) {
        for (const std::string& text : texts)
            addItem(list, text);
        return;
    }
    state_->entriesChanged.insert(&list);
    const int inWindow = itemCount(list);
    auto& waiting = state_->waitingEntries[&list];
    waiting.inWindow = inWindow;
    for (const std::string& text : texts)
        waiting.texts.push_back(toWide(text));
    addWaitingEntries(list);
}

void Win32Platform::replaceItem(Control& list, int index, std::string_view text) {
    addWaitingEntries(list);
    HWND hwnd = hwndOf(list);
    state_->entriesChanged.insert(&list);
    const auto chosen = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
    const auto data = SendMessageW(hwnd, CB_GETITEMDATA, index, 0);
    const std::wstring wide = toWide(text);
    SendMessageW(hwnd, CB_DELETESTRING, index, 0);
    SendMessageW(hwnd, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(hwnd, CB_SETITEMDATA, index, data);
    SendMessageW(hwnd, CB_SETCURSEL, chosen, 0);
}

std::string Win32Platform::itemText(const Control& list, int index) {
    if (auto waiting = state_->waitingEntries.find(const_cast<Control*>(&list));
        waiting != state_->waitingEntries.end() && index >= waiting->second.inWindow)
        return fromWide(
            waiting->second.texts.at(static_cast<size_t>(index - waiting->second.inWindow)));
    HWND hwnd = hwndOf(list);
    const auto length = SendMessageW(hwnd, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    return fromWide(wide);
}

int Win32Platform::itemCount(const Control& list) {
    if (auto waiting = state_->waitingEntries.find(const_cast<Control*>(&list));
        waiting != state_->waitingEntries.end())
        return waiting->second.inWindow + static_cast<int>(waiting->second.texts.size());
    const auto count = SendMessageW(hwndOf(list), CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

int Win32Platform::selectedIndex(const Control& list) {
    // The chosen entry is always in the window (choosing a waiting one adds them).
    // CB_ERR (-1) when no entry is chosen.
    return static_cast<int>(SendMessageW(hwndOf(list), CB_GETCURSEL, 0, 0));
}

void Win32Platform::setSelectedIndex(Control& list, int index) {
    if (auto waiting = state_->waitingEntries.find(&list);
        waiting != state_->waitingEntries.end() && index >= waiting->second.inWindow)
        addWaitingEntries(list);
    SendMessageW(hwndOf(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32Platform::clearItems(Control& list) {
    state_->entriesChanged.insert(&list);
    state_->waitingEntries.erase(&list);
    SendMessageW(hwndOf(list), CB_RESETCONTENT, 0, 0);
}

// ---- check boxes ----

bool Win32Platform::isChecked(const Control& box) {
    return SendMessageW(hwndOf(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Platform::setChecked(Control& box, bool on) {
    SendMessageW(hwndOf(box), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- tab controls ----

void Win32Platform::insertTab(Control& tabControl, int index, std::string_view text,
                              Control& page) {
    std::wstring wide = toWide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = wide.data();
    item.lParam = reinterpret_cast<LPARAM>(&page);
    SendMessageW(hwndOf(tabControl), TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    layoutPages(tabControl);
}

Control* Win32Platform::tabPage(const Control& tabControl, int index) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (!SendMessageW(hwndOf(tabControl), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<Control*>(item.lParam);
}

int Win32Platform::currentTab(const Control& tabControl) {
    return static_cast<int>(SendMessageW(hwndOf(tabControl), TCM_GETCURSEL, 0, 0));
}

void Win32Platform::setCurrentTab(Control& tabControl, int index) {
    SendMessageW(hwndOf(tabControl), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32Platform::giveFocus(Control& c) {
    SetFocus(hwndOf(c));
}

void Win32Platform::setTabItemSize(Control& tabControl, int width, int height) {
    SendMessageW(hwndOf(tabControl), TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
    layoutPages(tabControl);
}
