#include "command_support.h"

#include <commctrl.h>

#include <charconv>
#include <cstdlib>

#include "utf.h"

namespace uidriver {

const wchar_t* wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

HWND handleOf(const WindowNode& node) { return reinterpret_cast<HWND>(node.handle); }

bool parseNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

// The optional time limit argument at `index`, else the fallback.
bool timeoutArg(const Command& c, std::size_t index, int fallback, int& ms, std::string& error) {
    ms = fallback;
    if (index >= c.args.size()) return true;
    if (parseNumber(c.args[index], ms) && ms >= 0) return true;
    error = "time limit must be milliseconds, not " + c.args[index];
    return false;
}

std::string hex(std::uint32_t value) {
    char buffer[16];
    wsprintfA(buffer, "0x%08lx", static_cast<unsigned long>(value));
    return buffer;
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "|" : "") + items[i];
    return out;
}

bool needWindow(Target& t, std::string& error) {
    if (!t.window) {
        error = "no current window: use wait-window first";
        return false;
    }
    if (!IsWindow(t.window)) {
        error = "the window is gone";
        return false;
    }
    return true;
}


bool resolve(Target& t, const std::string& text, Resolved& r, std::string& error) {
    if (!needWindow(t, error)) return false;
    const SelectorParse parsed = parseSelector(text);
    if (!parsed.error.empty()) {
        error = "selector " + text + ": " + parsed.error;
        return false;
    }
    r.tree = snapshot(t.window);
    const SelectorMatch match = findOne(r.tree, 0, parsed.selector, text);
    if (!match.error.empty()) {
        error = match.error;
        return false;
    }
    r.node = match.nodes.front();
    return true;
}

// A user can act on a control only when it and every window holding it are
// shown and enabled (a modal box disables the main window).
bool usable(Resolved& r, std::string& error) {
    for (int n = r.node; n >= 0; n = r.tree.nodes[n].parent) {
        const WindowNode& node = need(r.tree, n, kNodeGeometry);
        if (!node.visible) {
            // IsWindowVisible is false below a hidden window too; the style bit tells which.
            const bool ownBit = node.style & WS_VISIBLE;
            error = r.name() + " is not visible" + (ownBit ? " (a window holding it is hidden)" : "");
            return false;
        }
        if (!node.enabled) {
            error = r.name() + " is disabled" + (n != r.node ? " (a window holding it is disabled)" : "");
            return false;
        }
    }
    return true;
}

bool needKind(Resolved& r, std::initializer_list<std::string_view> kinds, std::string& error) {
    const std::string_view kind = kindOf(r.tree.nodes[r.node]);
    for (std::string_view k : kinds)
        if (k == kind) return true;
    error = r.name() + " is not a";
    for (std::string_view k : kinds) {
        error += ' ';
        error += k;
    }
    return false;
}

JsonLine describeJson(WindowTree& tree, int index) {
    const WindowNode& node = need(tree, index, kNodeAll);
    JsonLine j;
    j.str("path", node.path).str("class", node.className).str("kind", kindOf(node)).num("id", node.id);
    j.num("x", node.x).num("y", node.y).num("w", node.width).num("h", node.height).str("text", node.text);
    j.flag("visible", node.visible).flag("enabled", node.enabled).flag("focused", node.focused);
    j.str("style", hex(node.style)).str("exstyle", hex(node.exStyle));
    const std::string_view kind = kindOf(node);
    HWND window = handleOf(node);
    if (kind == "CheckBox" || kind == "RadioButton") {
        LRESULT state = 0;
        sendWithTimeout(window, BM_GETCHECK, 0, 0, state);
        j.num("checked", state);
    } else if (kind == "ComboBox") {
        j.list("items", comboItems(window)).num("selected", comboSelected(window));
    } else if (kind == "Tab") {
        LRESULT current = -1;
        sendWithTimeout(window, TCM_GETCURSEL, 0, 0, current);
        j.list("tabs", tabTexts(window)).num("tab", current);
    }
    if (node.parent < 0) {
        RECT client{};
        GetClientRect(window, &client);
        j.num("cw", client.right).num("ch", client.bottom);
    }
    return j;
}

namespace {

// "style:BITS" or "exstyle:BITS": whether every one of the given bits is set
// ("style:0x2000" is 1 for a digits-only edit box).
bool styleBits(const WindowNode& node, const std::string& name, std::string& value, std::string& error) {
    const bool ex = name[0] == 'e';
    const std::string bits = name.substr(ex ? 8 : 6);
    char* end = nullptr;
    const unsigned long mask = std::strtoul(bits.c_str(), &end, 0);
    if (bits.empty() || *end != '\0') {
        error = "style bits must be a number, as in style:0x2000";
        return false;
    }
    value = std::to_string(((ex ? node.exStyle : node.style) & mask) == mask);
    return true;
}

// The window's middle within a pixel of the screen's (or the work area's) middle.
bool isCentred(HWND window) {
    RECT r{}, work{};
    GetWindowRect(window, &r);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
    auto within1 = [](int a, int b) { return a - b <= 1 && b - a <= 1; };
    const int cx = r.left + r.right, cy = r.top + r.bottom; // twice the middle
    return (within1(cx, sx) || within1(cx, work.left + work.right)) &&
           (within1(cy, sy) || within1(cy, work.top + work.bottom));
}

// "selected", "count", "items" and "item:N" of a combo box or a tab control;
// false with no error when the kind has no such property.
bool listProperty(HWND window, std::string_view kind, const std::string& name, std::string& value,
                  std::string& error) {
    if (kind == "ComboBox") {
        if (name == "selected") { value = std::to_string(comboSelected(window)); return true; }
        const std::vector<std::string> items = comboItems(window);
        if (name == "count") { value = std::to_string(items.size()); return true; }
        if (name == "items") { value = joined(items); return true; }
        int index = 0;
        if (!parseNumber(name.substr(5), index) || index < 0 || index >= static_cast<int>(items.size())) {
            error = name + ": the list has " + std::to_string(items.size()) + " entries";
            return false;
        }
        value = items[static_cast<std::size_t>(index)];
        return true;
    }
    if (kind == "Tab" && name != "selected") {
        const std::vector<std::string> tabs = tabTexts(window);
        if (name == "count") { value = std::to_string(tabs.size()); return true; }
        if (name == "items") { value = joined(tabs); return true; }
    }
    return false;
}

} // namespace

// The text of one property of a node, as `expect` compares it.
bool property(const WindowNode& node, const std::string& name, std::string& value, std::string& error) {
    HWND window = handleOf(node);
    const std::string_view kind = kindOf(node);
    auto number = [&](long long v) { value = std::to_string(v); return true; };
    if (name == "text") { value = node.text; return true; }
    if (name == "class") { value = node.className; return true; }
    if (name == "kind") { value = std::string(kind); return true; }
    if (name == "id") return number(node.id);
    if (name == "x") return number(node.x);
    if (name == "y") return number(node.y);
    if (name == "w") return number(node.width);
    if (name == "h") return number(node.height);
    if (name == "pos") { value = std::to_string(node.x) + "," + std::to_string(node.y); return true; }
    if (name == "size") { value = std::to_string(node.width) + "x" + std::to_string(node.height); return true; }
    if (name == "client") {
        RECT r{};
        GetClientRect(window, &r);
        value = std::to_string(r.right) + "x" + std::to_string(r.bottom);
        return true;
    }
    if (name == "visible") return number(node.visible);
    if (name == "enabled") return number(node.enabled);
    if (name == "focused") return number(node.focused);
    if (name == "style") { value = hex(node.style); return true; }
    if (name.rfind("style:", 0) == 0 || name.rfind("exstyle:", 0) == 0) return styleBits(node, name, value, error);
    if (name == "centred") return number(isCentred(window));
    if (name == "checked") {
        LRESULT state = 0;
        if (kind == "CheckBox" || kind == "RadioButton") {
            sendWithTimeout(window, BM_GETCHECK, 0, 0, state);
            return number(state);
        }
    } else if (name == "selected" || name == "count" || name == "items" || name.rfind("item:", 0) == 0) {
        if (listProperty(window, kind, name, value, error)) return true;
        if (!error.empty()) return false;
    } else if (name == "tab" || name == "tabs") {
        if (kind == "Tab") {
            if (name == "tabs") { value = joined(tabTexts(window)); return true; }
            LRESULT current = -1;
            sendWithTimeout(window, TCM_GETCURSEL, 0, 0, current);
            return number(current);
        }
    } else {
        error = "unknown property " + name;
        return false;
    }
    error = "a " + std::string(kind) + " has no property " + name;
    return false;
}

// true/false/yes/no/on/off read as 1/0, so flags can be written either way.
std::string normalised(const std::string& expected) {
    if (expected == "true" || expected == "yes" || expected == "on") return "1";
    if (expected == "false" || expected == "no" || expected == "off") return "0";
    return expected;
}

std::string exitedText(const Target& t) {
    DWORD code = 0;
    GetExitCodeProcess(t.process, &code);
    return "the program ended with exit code " + std::to_string(code);
}

bool waitFor(int ms, bool (*done)(Target&), Target& t) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ms);
    while (!done(t)) {
        if (GetTickCount() >= deadline) return false;
        Sleep(10);
    }
    return true;
}


WindowTree fullSnapshot(HWND root) {
    WindowTree tree = snapshot(root);
    for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i) need(tree, i, kNodeAll);
    return tree;
}


BoxContents readBox(HWND box) {
    const WindowTree tree = fullSnapshot(box);
    BoxContents contents;
    std::string buttons;
    for (const WindowNode& node : tree.nodes) {
        if (node.parent < 0) {
            contents.caption = node.text;
        } else if (node.id == 0xFFFF && kindOf(node) == "Static") {
            contents.text = node.text;
        } else if (kindOf(node) == "Button" && node.visible) {
            buttons.append(buttons.empty() ? "[" : ",");
            buttons.append(JsonLine().num("id", node.id).str("text", node.text).text());
        }
    }
    buttons.append(buttons.empty() ? "[]" : "]");
    contents.buttons = std::move(buttons);
    return contents;
}

// Waits for a message box of the program, makes it the current one and reads it.
bool waitMessageBox(Target& t, int ms, BoxContents& contents, JsonLine& out, std::string& error) {
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    while (!(box = findMessageBox(t))) {
        if (t.process && !processRunning(t)) {
            error = exitedText(t) + " without showing a message box";
            return false;
        }
        if (GetTickCount() - start >= static_cast<DWORD>(ms)) {
            error = "no message box within " + std::to_string(ms) + " ms";
            return false;
        }
        Sleep(10);
    }
    t.box = box;
    contents = readBox(box);
    out.str("caption", contents.caption).str("text", contents.text).raw("buttons", contents.buttons);
    return true;
}

} // namespace uidriver
