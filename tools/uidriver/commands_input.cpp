// Commands that act through the platform's input queue, as a person does:
// mouse clicks, list choices by mouse, keystrokes, and the clipboard they paste.
// SendInput reaches whatever is in the foreground under the cursor or has the
// focus, so focus, capture, hit-testing and a list's own selection path all
// take part; a posted message would skip them.

#include "commands.h"

#include <commctrl.h>

#include <cctype>

#include "utf.h"

namespace uidriver {

namespace {

// A key pressed after the action and read back from the key state the driver's
// thread shares with the program's while attached: that state changes only when
// the program takes the key from its queue, so by then it has taken everything
// sent before. F24 has no meaning in any control.
constexpr WORD kProbeKey = VK_F24;

bool waitKeyState(bool down, int ms) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ms);
    while (((GetKeyState(kProbeKey) & 0x8000) != 0) != down) {
        if (GetTickCount() >= deadline) return false;
        Sleep(2);
    }
    return true;
}

bool sendKey(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    if (!down) in.ki.dwFlags |= KEYEVENTF_KEYUP;
    return SendInput(1, &in, sizeof in) == 1;
}

// The driver's thread shares the program's input state from before the input
// is sent until the program has taken it: attaching or detaching in between
// can lose the state of keys still held (a Ctrl pressed for a Ctrl+Tab).
struct SharedInput {
    DWORD own = GetCurrentThreadId(), other = 0;
    bool attached = false;
    explicit SharedInput(HWND programWindow) : other(GetWindowThreadProcessId(programWindow, nullptr)) {
        attached = other != 0 && AttachThreadInput(own, other, TRUE);
    }
    ~SharedInput() {
        if (attached) AttachThreadInput(own, other, FALSE);
    }
    SharedInput(const SharedInput&) = delete;
    SharedInput& operator=(const SharedInput&) = delete;

    // Waits until the program has taken all input sent so far from its queue,
    // then until it has handled what it posted itself meanwhile. Under Wine the
    // first key after a click that opened a list can be lost: the probe is
    // pressed again until it arrives.
    bool handled(Target& t, std::string& error) {
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(t.timeoutMs);
        bool taken = false;
        while (attached && !taken && GetTickCount() < deadline) {
            taken = sendKey(kProbeKey, true) && waitKeyState(true, 250);
            sendKey(kProbeKey, false);
        }
        if (!taken || !waitKeyState(false, t.timeoutMs)) {
            error = attached ? "the program did not take the input in time" : "cannot share the program's input state";
            return false;
        }
        settle(t);
        return true;
    }
};

// The window the program shows on top: its open message box, else the current window.
HWND currentRoot(const Target& t) {
    return t.box && IsWindow(t.box) ? t.box : t.window;
}

// The program's window in front, so that input reaches it.
bool toFront(HWND window, std::string& error) {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i) Sleep(10);
    if (GetForegroundWindow() == window) return true;
    error = "the program's window cannot be brought to the front";
    return false;
}

// A left click at a point of the screen: the cursor moves there, the button goes down and up.
bool clickAt(POINT p) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        // The smallest normalised value that maps back onto the pixel.
        i.mi.dx = static_cast<LONG>((static_cast<long long>(p.x) * 65536 + width - 1) / width);
        i.mi.dy = static_cast<LONG>((static_cast<long long>(p.y) * 65536 + height - 1) / height);
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    in[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    return SendInput(3, in, sizeof(INPUT)) == 3;
}

// Whether a click at p would reach window (or a window inside it).
bool hits(HWND window, POINT p) {
    HWND under = WindowFromPoint(p);
    return under == window || IsChild(window, under);
}

// Clicks at p, which must reach window; then waits until the program has handled it.
bool clickWindowAt(Target& t, HWND window, POINT p, std::string& error) {
    if (!toFront(currentRoot(t), error)) return false;
    if (!hits(window, p)) {
        error = "another window covers the point " + std::to_string(p.x) + "," + std::to_string(p.y);
        return false;
    }
    SharedInput shared(window);
    if (!clickAt(p)) {
        error = "the click could not be sent";
        return false;
    }
    return shared.handled(t, error);
}

POINT centreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool dropped(HWND combo) {
    LRESULT open = 0;
    return sendWithTimeout(combo, CB_GETDROPPEDSTATE, 0, 0, open) && open != 0;
}

// The opened list part of a drop-down list: a visible top-level list box of the
// program's (its window is made by the list, not below it).
HWND openedListOf(HWND combo) {
    DWORD pid = 0;
    GetWindowThreadProcessId(combo, &pid);
    for (HWND w = FindWindowExW(nullptr, nullptr, L"ComboLBox", nullptr); w;
         w = FindWindowExW(nullptr, w, L"ComboLBox", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

} // namespace

bool cmdMouseClick(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    settle(t);
    if (!resolve(t, c.args[0], r, error) || !usable(r, error)) return false;
    out.str("target", r.name());
    const POINT p = centreOf(r.handle());
    if (!clickWindowAt(t, r.handle(), p, error)) return false;
    out.str("at", std::to_string(p.x) + "," + std::to_string(p.y));
    return true;
}

namespace {

// The usable control of this kind that args[0] names, and the index args[1] gives.
bool indexedControl(Target& t, const Command& c, std::string_view kind, Resolved& r, int& index, JsonLine& out,
                    std::string& error) {
    if (!parseNumber(c.args[1], index)) {
        error = c.name + " needs an index";
        return false;
    }
    settle(t);
    if (!resolve(t, c.args[0], r, error) || !needKind(r, {kind}, error) || !usable(r, error)) return false;
    out.str("target", r.name());
    return true;
}

} // namespace

bool cmdTab(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    int index = 0;
    if (!indexedControl(t, c, "Tab", r, index, out, error)) return false;
    RECT rect{};
    if (!tabRect(r.handle(), index, rect)) {
        error = "no tab " + std::to_string(index) + " (or its rectangle cannot be read)";
        return false;
    }
    POINT p{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(r.handle(), &p);
    if (!clickWindowAt(t, r.handle(), p, error)) return false;
    LRESULT current = -1;
    sendWithTimeout(r.handle(), TCM_GETCURSEL, 0, 0, current);
    out.num("tab", current);
    return true;
}

bool cmdPick(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    int index = 0;
    if (!indexedControl(t, c, "ComboBox", r, index, out, error)) return false;
    HWND combo = r.handle();
    const int count = comboCount(combo);
    if (index < 0 || index >= count) {
        error = "entry " + std::to_string(index) + " is outside the list of " + std::to_string(count);
        return false;
    }
    // A click on the arrow, a few pixels inside the right edge, opens the list.
    RECT field{};
    GetWindowRect(combo, &field);
    if (!dropped(combo) && !clickWindowAt(t, combo, {field.right - 8, (field.top + field.bottom) / 2}, error))
        return false;
    HWND opened = dropped(combo) ? openedListOf(combo) : nullptr;
    if (!opened) {
        error = "the list did not open";
        return false;
    }
    // The entry's place from the opened list's own measures.
    LRESULT itemHeight = 0, top = 0;
    sendWithTimeout(opened, LB_GETITEMHEIGHT, 0, 0, itemHeight);
    sendWithTimeout(opened, LB_GETTOPINDEX, 0, 0, top);
    RECT client{};
    GetClientRect(opened, &client);
    const int visible = itemHeight > 0 ? static_cast<int>(client.bottom / itemHeight) : 0;
    if (itemHeight <= 0 || index < top || index >= top + visible) {
        error = "entry " + std::to_string(index) + " is not in view (entries " + std::to_string(top) + " to " +
                std::to_string(top + visible - 1) + " are): choose it with keys";
        return false;
    }
    POINT p{client.right / 2, static_cast<LONG>((index - top) * itemHeight + itemHeight / 2)};
    ClientToScreen(opened, &p);
    if (!clickWindowAt(t, opened, p, error)) return false;
    if (dropped(combo)) {
        error = "the list stayed open after the click on its entry";
        return false;
    }
    out.num("index", index).str("entry", comboItem(combo, index)).num("selected", comboSelected(combo));
    return true;
}

namespace {

struct KeyName {
    const char* name;
    WORD vk;
};

constexpr KeyName kKeys[] = {
    {"tab", VK_TAB},       {"enter", VK_RETURN},  {"escape", VK_ESCAPE}, {"space", VK_SPACE},
    {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"insert", VK_INSERT}, {"left", VK_LEFT},
    {"right", VK_RIGHT},   {"up", VK_UP},         {"down", VK_DOWN},     {"home", VK_HOME},
    {"end", VK_END},       {"pageup", VK_PRIOR},  {"pagedown", VK_NEXT}, {"f1", VK_F1},
    {"f4", VK_F4},         {"f10", VK_F10},       {"apps", VK_APPS},     {"period", VK_OEM_PERIOD},
    {"comma", VK_OEM_COMMA},
};

} // namespace

bool cmdKey(Target& t, const Command& c, JsonLine& out, std::string& error) {
    std::string name = c.args[1];
    std::vector<WORD> modifiers;
    for (std::size_t plus; (plus = name.find('+')) != std::string::npos; name = name.substr(plus + 1)) {
        const std::string modifier = name.substr(0, plus);
        if (modifier == "shift") modifiers.push_back(VK_SHIFT);
        else if (modifier == "ctrl") modifiers.push_back(VK_CONTROL);
        else if (modifier == "alt") modifiers.push_back(VK_MENU);
        else {
            error = "unknown modifier " + modifier;
            return false;
        }
    }
    WORD vk = 0;
    for (const KeyName& k : kKeys)
        if (name == k.name) vk = k.vk;
    if (!vk && name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        vk = static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
    if (!vk) {
        error = "unknown key " + c.args[1];
        return false;
    }
    settle(t);
    // "-": the keystroke goes wherever the program has the focus.
    HWND root = currentRoot(t);
    Resolved r;
    const bool toFocus = c.args[0] == "-";
    if (!toFocus && (!resolve(t, c.args[0], r, error) || !usable(r, error))) return false;
    if (!root || !toFront(root, error)) return false;
    if (!toFocus) {
        out.str("target", r.name());
        focusControl(r.handle());
    }
    SharedInput shared(root);
    bool sent = true;
    for (WORD m : modifiers) sent = sendKey(m, true) && sent;
    sent = sendKey(vk, true) && sent;
    sent = sendKey(vk, false) && sent;
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) sent = sendKey(*m, false) && sent;
    if (!sent) {
        error = "the keystroke could not be sent";
        return false;
    }
    if (!shared.handled(t, error)) return false;
    out.str("key", c.args[1]);
    if (t.window && IsWindow(t.window)) {
        HWND focus = focusedControl(t.window);
        WindowTree tree = snapshot(t.window);
        for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i)
            if (handleOf(tree.nodes[i]) == focus) out.str("focus", describeNode(tree, i));
    }
    return true;
}

bool cmdClipboard(Target&, const Command& c, JsonLine& out, std::string& error) {
    const std::u16string text = utf8ToUtf16(c.args[0]);
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        if (void* p = GlobalLock(memory)) {
            memcpy(p, text.c_str(), bytes);
            GlobalUnlock(memory);
        }
    }
    if (!memory || !OpenClipboard(nullptr)) {
        if (memory) GlobalFree(memory);
        error = "the clipboard cannot be opened";
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!set) {
        GlobalFree(memory);
        error = "the clipboard did not take the text";
        return false;
    }
    out.str("text", c.args[0]);
    return true;
}

} // namespace uidriver
