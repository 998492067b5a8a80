// The Win32 platform: every control is a window of a class registered by the
// layer ("obj_" + the standard class, or the layer's own "OrvexWindow") whose
// window procedure is the layer's, in front of the platform's. The procedure
// finds a window's object through its "SELF_" property, hands a child's command
// and colour notifications from the parent to the child, and turns them into
// the child's events.

#include "ui/win32/win32_platform.h"

#include "ui/control_id.h"
#include "ui/dispatch.h"
#include "ui/fit_texts.h"
#include "ui/trace.h"
#include "ui/win32/wide_text.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

const wchar_t* const kSelfProperty = L"SELF_";
const wchar_t* const kPrevProcProperty = L"PREV_PROC";
const wchar_t* const kOwnClass = L"OrvexWindow";

// The layer's private messages: a child's command notification handed over by its
// parent (same parameters), a WM_NOTIFY handed over the same way, and the colour
// requests WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC (0x132..0x138) as 0xBD32..0xBD38.
constexpr UINT kChildCommand = 0xB005;
constexpr UINT kChildNotify = 0xB006;
constexpr UINT kChildColourBase = 0xBC00;
// A list's deferred change: the code of the command it posts to itself.
constexpr WORD kDeferredChange = 0xF;
// Room below a drop-down list's field for its entries.
constexpr int kDropDownHeight = 240;
// Entries a list takes into its window before the window is first shown; the
// rest go in right after the first paint (the field shows only the chosen one).
constexpr int kEntriesAhead = 200;

HWND hwndOf(const Control& c) {
    return static_cast<HWND>(c.window);
}

// The child-window id of c's window, from its id's name (control_id.h).
HMENU childId(const Control& c) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlIdNumber(c.id)));
}

Control* controlOf(HWND hwnd);

bool isTopLevel(const Control& c) {
    return c.kind == ControlKind::Application || c.kind == ControlKind::MainWindow;
}

COLORREF colourRef(uint32_t colour) {
    if ((colour & 0x80000000u) != 0) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

unsigned shiftState() {
    unsigned state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= kShiftKey;
    if (GetKeyState(VK_MENU) < 0) state |= kAltKey;
    if (GetKeyState(VK_CONTROL) < 0) state |= kCtrlKey;
    return state;
}

LRESULT CALLBACK layerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK innerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

} // namespace

struct Win32Platform::State {
    HINSTANCE instance = nullptr;
    std::map<ATOM, WNDPROC> baseProcs; // class atom -> the procedure behind the layer's
    std::map<ControlKind, std::wstring> classNames;
    std::vector<std::wstring> registered;
    // One font object per distinct font, with the number of windows that hold it.
    struct FontKey {
        int height = 0;
        std::string name;
        unsigned style = 0;
        auto operator<=>(const FontKey&) const = default;
    };
    struct SharedFont {
        HFONT handle = nullptr;
        int users = 0;
    };
    std::map<FontKey, SharedFont> fonts;
    std::unordered_map<const Control*, FontKey> heldFonts; // what each window holds
    std::map<uint32_t, HBRUSH> brushes;    // solid brushes of RGB colours
    Control* creating = nullptr;           // the control whose window is being made
    HWND lastFocus = nullptr;              // the control of the main window that had the focus last
    // What the windows' "SELF_" and "PREV_PROC" properties hold, kept beside them
    // with the procedure behind the layer's: every message needs them, and under
    // Wine each property read is a round trip to the window server.
    struct Binding {
        Control* self = nullptr;
        WNDPROC next = nullptr; // the platform's procedure (PREV_PROC of an inner window)
        bool inner = false;     // an inner window of a list, subclassed
    };
    std::unordered_map<HWND, Binding> bindings;
    HDC measuringDc = nullptr; // a screen-compatible memory DC: texts measured without a window
    // Until the main window is first shown nothing is on the screen to repaint:
    // showing it paints every window.
    bool mainWindowShown = false;
    // Lists filled before that, with redrawing off (each entry would otherwise
    // update the list's scroll bar and repaint); switched on before the showing.
    std::unordered_set<Control*> quietLists;
    // Where each list is in a choice: the entry it showed when it was opened, a
    // change seen while open, a closing without the choice, a change posted.
    struct ListChoice {
        int openedAt = -1;
        bool pending = false;
        bool cancelled = false;
        bool changePosted = false;
    };
    std::unordered_map<Control*, ListChoice> listChoices;
    // Lists whose entries changed since they were last opened: the next opening
    // measures them again for the opened width.
    std::unordered_set<Control*> entriesChanged;
    // Before the main window is first shown, a list keeps only its first
    // kEntriesAhead entries in its window; the rest wait here (with the number
    // already in the window) and go in right after the first paint, in one batch,
    // before any input is taken, or earlier when anything asks the list.
    struct WaitingEntries {
        int inWindow = 0;
        std::vector<std::wstring> texts;
    };
    std::unordered_map<Control*, WaitingEntries> waitingEntries;

    WNDPROC baseProc(HWND hwnd) const {
        auto it = baseProcs.find(static_cast<ATOM>(GetClassWord(hwnd, GCW_ATOM)));
        return it != baseProcs.end() ? it->second : DefWindowProcW;
    }

    HICON programIcon(int widthMetric, int heightMetric) const {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(widthMetric),
                                             GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
    }

    void registerOwnClass() {
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
    void superclass(const wchar_t* base, std::initializer_list<ControlKind> kinds) {
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

    HBRUSH brush(uint32_t colour) {
        if ((colour & 0x80000000u) != 0) return GetSysColorBrush(static_cast<int>(colour & 0xFF));
        auto it = brushes.find(colour);
        if (it != brushes.end()) return it->second;
        HBRUSH b = CreateSolidBrush(colourRef(colour));
        brushes[colour] = b;
        return b;
    }

    // The font a control draws with: its own, else the nearest ancestor's; none
    // when no ancestor has one (the system's GUI font then).
    static std::optional<FontKey> fontKeyOf(const Control& c) {
        for (const Control* owner = &c; owner != nullptr; owner = owner->parent)
            if (owner->ownFont)
                return FontKey{owner->ownFont->height, owner->ownFont->name, owner->ownFont->style};
        return std::nullopt;
    }

    // The one font object of a font, made on first use.
    HFONT fontObject(const FontKey& key) {
        auto it = fonts.find(key);
        if (it != fonts.end()) return it->second.handle;
        LOGFONTW lf{};
        lf.lfHeight = -key.height; // character height, without the internal leading
        lf.lfWeight = (key.style & kBold) != 0 ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (key.style & kItalic) != 0;
        lf.lfUnderline = (key.style & kUnderline) != 0;
        lf.lfStrikeOut = (key.style & kStrikeOut) != 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        std::wstring face = toWide(key.name).substr(0, LF_FACESIZE - 1);
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        TraceSpan span("font creation");
        HFONT h = CreateFontIndirectW(&lf);
        fonts[key] = {h, 0};
        return h;
    }

    // A font object only measured with, that no window holds, is freed once the
    // window is on the screen (before, the window about to be made will take it).
    void freeIfUnused(const FontKey& key) {
        auto it = fonts.find(key);
        if (it == fonts.end() || it->second.users > 0) return;
        DeleteObject(it->second.handle);
        fonts.erase(it);
    }

    // Gives c's window the font it draws with, which it holds from now on; the
    // one it held before is let go once the window has the new one, and freed
    // when no window holds it any more.
    void giveFont(const Control& c, bool redraw) {
        const std::optional<FontKey> key = fontKeyOf(c);
        HFONT h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        if (key) {
            h = fontObject(*key);
            ++fonts[*key].users;
        }
        SendMessageW(hwndOf(c), WM_SETFONT, reinterpret_cast<WPARAM>(h), redraw);
        releaseFont(c);
        if (key) heldFonts[&c] = *key;
    }

    // What the layer keeps for one control, let go when its window goes: by
    // destroyWindow, or with its parent (WM_NCDESTROY).
    void forget(Control& c) {
        quietLists.erase(&c);
        listChoices.erase(&c);
        entriesChanged.erase(&c);
        waitingEntries.erase(&c);
        releaseFont(c);
    }

    void releaseFont(const Control& c) {
        auto held = heldFonts.find(&c);
        if (held == heldFonts.end()) return;
        const FontKey key = held->second;
        heldFonts.erase(held);
        auto it = fonts.find(key);
        if (it != fonts.end() && --it->second.users <= 0) {
            DeleteObject(it->second.handle);
            fonts.erase(it);
        }
    }
};

namespace {

Win32Platform::State* active = nullptr;

const Win32Platform::State::Binding* bindingOf(HWND hwnd) {
    if (active == nullptr || hwnd == nullptr) return nullptr;
    auto it = active->bindings.find(hwnd);
    return it != active->bindings.end() ? &it->second : nullptr;
}

Control* controlOf(HWND hwnd) {
    const auto* b = bindingOf(hwnd);
    return b != nullptr ? b->self : nullptr;
}

// Repaints c's window, once anything is on the screen.
void repaint(const Control& c) {
    if (active->mainWindowShown) InvalidateRect(hwndOf(c), nullptr, TRUE);
}

// A window of the layer's classes and its object.
void bindSelf(HWND hwnd, Control* c) {
    SetPropW(hwnd, kSelfProperty, c);
    active->bindings[hwnd] = {c, active->baseProc(hwnd), false};
}

// An inner window of a list, subclassed: its object is the list.
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
        return CBS_DROPDOWNLIST | WS_VSCROLL;
    case ControlKind::CheckBox:
        return BS_AUTOCHECKBOX;
    case ControlKind::Button:
        return BS_PUSHBUTTON;
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

// The field height of a drop-down list follows its font; the kept height follows the window.
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

// A typed character for c: false when its key handler discarded it; wp may be replaced.
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

// The entries of list still waiting for its window, added in one batch: room
// for them all first (CB_INITSTORAGE), without redrawing the list meanwhile.
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

// An opened list as wide as its longest entry in the list's font, with room
// for its scroll bar; never narrower than the list.
void fitDroppedWidth(const Control& list, HWND hwnd) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    const auto count = SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
    int widest = 0;
    std::wstring entry;
    for (WPARAM i = 0; i < static_cast<WPARAM>(std::max<LRESULT>(count, 0)); ++i) {
        entry.resize(
            static_cast<size_t>(std::max<LRESULT>(SendMessageW(hwnd, CB_GETLBTEXTLEN, i, 0), 0)) +
            1);
        const auto length =
            SendMessageW(hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        SIZE size{0, 0};
        if (length > 0) GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(length), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    const int width = widest + 8 + 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(hwnd, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(std::max(width, list.width)), 0);
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
        if (active->entriesChanged.erase(&c) > 0) fitDroppedWidth(c, hwnd);
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

// Gives the focus to the control of the main window that had it last, or else
// to its first tab stop.
void giveFocusBack(Control& main) {
    HWND last = active->lastFocus;
    if (last != nullptr && IsWindow(last) && IsChild(hwndOf(main), last) &&
        IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetFocus(last);
        return;
    }
    if (Control* first = nextTabStop(main, nullptr, false); first != nullptr)
        SetFocus(hwndOf(*first));
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

// A paste into an edit box with a paste handler: the clipboard's text as the
// handler leaves it replaces the selection (undoably); nothing when it is left empty.
void pasteThroughHandler(Control& c, HWND hwnd) {
    std::string text = fromWide(clipboardText(hwnd));
    if (!raisePaste(c, text)) return;
    SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(toWide(text).c_str()));
}

// ---- the layer's message handlers ----
// handle() hands each message to the handler of its concern, the way a dialog
// class hands its messages to OnCommand, OnNotify, OnSize and so on. A handler
// answers true when it took the message, with result the answer; false lets
// the platform's procedure have it.

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
        if (c.kind != ControlKind::MainWindow && c.kind != ControlKind::GroupBox) return false;
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
        return true;
    }
    // WM_SETFOCUS: a top-level window that gets it passes it on to the control
    // that had it last.
    if (!isTopLevel(c)) {
        if (Control& top = topLevelOf(c); top.kind == ControlKind::MainWindow)
            active->lastFocus = hwnd;
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
    case kChildCommand:
        return onChildCommand(c, hwnd, wp, lp);
    case kChildNotify:
        return onChildNotify(c, hwnd, lp);
    case WM_CHAR:
    case WM_KEYDOWN:
        return onKey(c, hwnd, msg, wp);
    case WM_PASTE:
        return onPaste(c, hwnd);
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

LRESULT CALLBACK layerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (active == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
    const auto* b = bindingOf(hwnd);
    if (b == nullptr && active->creating != nullptr) {
        // The first message of a window the layer is creating binds it to its object.
        Control* c = active->creating;
        active->creating = nullptr;
        bindSelf(hwnd, c);
        b = bindingOf(hwnd);
    }
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
    Control* button = buttonForKey(topLevelOf(*from), static_cast<char>(msg.wParam), ctrl);
    if (button == nullptr) return false;
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

} // namespace

// ---- the platform ----

Win32Platform::Win32Platform() : state_(std::make_unique<State>()) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);
    state_->instance = GetModuleHandleW(nullptr);
    active = state_.get();
    state_->registerOwnClass();
    state_->classNames[ControlKind::Application] = kOwnClass;
    state_->classNames[ControlKind::MainWindow] = kOwnClass;
    state_->superclass(WC_TABCONTROLW, {ControlKind::TabControl});
    state_->superclass(L"STATIC", {ControlKind::Page, ControlKind::Panel, ControlKind::Label,
                                   ControlKind::WrappingLabel});
    state_->superclass(L"BUTTON",
                       {ControlKind::GroupBox, ControlKind::CheckBox, ControlKind::Button});
    state_->superclass(L"EDIT", {ControlKind::EditBox});
    state_->superclass(L"COMBOBOX", {ControlKind::List});
}

Win32Platform::~Win32Platform() {
    releaseAll();
    for (auto& [key, font] : state_->fonts)
        DeleteObject(font.handle);
    for (auto& [colour, brush] : state_->brushes)
        DeleteObject(brush);
    if (state_->measuringDc != nullptr) DeleteDC(state_->measuringDc);
    for (const std::wstring& name : state_->registered)
        UnregisterClassW(name.c_str(), state_->instance);
    if (active == state_.get()) active = nullptr;
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
    state_->creating = &c;
    HWND hwnd =
        CreateWindowExW(windowExStyle(c), className.c_str(), text.c_str(), windowStyle(c), c.x, c.y,
                        c.width, windowHeight(c), parent, id, state_->instance, nullptr);
    state_->creating = nullptr;
    if (hwnd == nullptr) return;
    if (bindingOf(hwnd) == nullptr) bindSelf(hwnd, &c);
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

namespace {

// Where the edit box has no balloon of its own (Wine's has none): a tracking
// balloon tooltip below the box stands in, one for the program, for a few seconds.
void showOwnBalloon(HWND edit, const std::wstring& title, std::wstring text) {
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
    SendMessageW(tipWindow, TTM_SETTITLEW, TTI_ERROR, reinterpret_cast<LPARAM>(title.c_str()));
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

void Win32Platform::showInputTip(Control& edit, std::string_view title, std::string_view text) {
    const std::wstring wideTitle = toWide(title), wideText = toWide(text);
    EDITBALLOONTIP tip{sizeof tip, wideTitle.c_str(), wideText.c_str(), TTI_ERROR};
    if (!SendMessageW(hwndOf(edit), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)))
        showOwnBalloon(hwndOf(edit), wideTitle, wideText);
    MessageBeep(MB_ICONWARNING);
}

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

void Win32Platform::applyFont(Control& c) {
    state_->giveFont(c, state_->mainWindowShown);
    if (c.kind == ControlKind::List) readListHeight(c);
}

void Win32Platform::applyColour(Control& c) {
    repaint(c);
}

void Win32Platform::applyId(Control& c) {
    if (!isTopLevel(c)) SetWindowLongPtrW(hwndOf(c), GWLP_ID, controlIdNumber(c.id));
}

void Win32Platform::showMainWindow(Control& c) {
    HWND hwnd = hwndOf(c);
    for (Control* list : state_->quietLists)
        SendMessageW(hwndOf(*list), WM_SETREDRAW, TRUE, 0);
    state_->quietLists.clear();
    // Fonts made only to measure texts with, which no window took.
    std::vector<State::FontKey> unused;
    for (const auto& [key, font] : state_->fonts)
        if (font.users == 0) unused.push_back(key);
    for (const State::FontKey& key : unused)
        state_->freeIfUnused(key);
    state_->mainWindowShown = true;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    traceMark("ShowWindow");
    UpdateWindow(hwnd);
    traceMark("UpdateWindow (first paint)");
    SetForegroundWindow(hwnd);
    if (c.tabNavigation)
        if (Control* first = nextTabStop(c, nullptr, false); first != nullptr)
            SetFocus(hwndOf(*first));
    traceMark("foreground and focus");
    // The window is on the screen; the long lists get the rest of their entries
    // before the loop takes any input.
    std::vector<Control*> waiting;
    for (const auto& [list, entries] : state_->waitingEntries)
        waiting.push_back(list);
    for (Control* list : waiting)
        addWaitingEntries(*list);
    traceMark("the rest of the long lists' entries");
}

Size Win32Platform::measure(const Control& c, int maxWidth) {
    if (state_->measuringDc == nullptr) state_->measuringDc = CreateCompatibleDC(nullptr);
    HDC dc = state_->measuringDc;
    const std::optional<State::FontKey> key = State::fontKeyOf(c);
    HGDIOBJ old = SelectObject(dc, key ? state_->fontObject(*key) : GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring text = toWide(shownText(c));
    SIZE extent{0, 0};
    if (c.kind == ControlKind::WrappingLabel && maxWidth > 0) {
        RECT r{0, 0, maxWidth, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        extent = {r.right - r.left, r.bottom - r.top};
    } else {
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }
    SelectObject(dc, old);
    if (key && state_->mainWindowShown) state_->freeIfUnused(*key);
    switch (c.kind) {
    case ControlKind::CheckBox: {
        const int box = GetSystemMetrics(SM_CXMENUCHECK);
        return {box + 6 + extent.cx + 2, std::max<int>(extent.cy, box) + 2};
    }
    case ControlKind::Button:
        return {extent.cx + 16, extent.cy + 10};
    default:
        return {extent.cx, extent.cy};
    }
}

Size Win32Platform::screenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Size Win32Platform::outerSize(const Control& c, Size client) {
    RECT r{0, 0, client.width, client.height};
    AdjustWindowRectEx(&r, windowStyle(c), FALSE, windowExStyle(c));
    return {r.right - r.left, r.bottom - r.top};
}

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

bool Win32Platform::isChecked(const Control& box) {
    return SendMessageW(hwndOf(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Platform::setChecked(Control& box, bool on) {
    SendMessageW(hwndOf(box), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

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

void Win32Platform::setTabItemSize(Control& tabControl, int width, int height) {
    SendMessageW(hwndOf(tabControl), TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
    layoutPages(tabControl);
}

void Win32Platform::runLoop(Control&) {
    // Take and dispatch every pending message, then wait for more, until WM_QUIT.
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            if (pressShortcut(msg) || switchPage(msg) || navigate(msg) || pressButton(msg) ||
                keyboardClose(msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        WaitMessage();
    }
}

void Win32Platform::postClose(Control& window) {
    if (window.window != nullptr) PostMessageW(hwndOf(window), WM_CLOSE, 0, 0);
}

void Win32Platform::quitLoop() {
    PostQuitMessage(0);
}

int Win32Platform::messageBox(Control& owner, std::string_view text, std::string_view caption,
                              unsigned flags) {
    return MessageBoxW(hwndOf(owner), toWide(text).c_str(), toWide(caption).c_str(), flags);
}

// A named mutex per folder: it lives as long as a program holds a handle to it,
// so a crashed editor leaves no claim behind. The name is made from the
// folder's full path in capitals (Windows paths ignore case) as a hash, since a
// path may be longer than a name can be; "Local\\" keeps it to this session.
std::function<void()> Win32Platform::claimFolder(std::string_view folder, bool& heldElsewhere) {
    heldElsewhere = false;
    const std::wstring relative = folder.empty() ? std::wstring(L".") : toWide(folder);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return [] {};
    full.resize(length);
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    for (wchar_t& c : full) c = c == L'/' ? L'\\' : c;
    CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a over the UTF-16 units
    for (wchar_t c : full) hash = (hash ^ static_cast<uint16_t>(c)) * 0x100000001B3ull;
    wchar_t name[64];
    wsprintfW(name, L"Local\\Orvex folder %08lX%08lX", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    if (!mutex) return [] {};
    heldElsewhere = GetLastError() == ERROR_ALREADY_EXISTS;
    return [mutex] { CloseHandle(mutex); };
}
