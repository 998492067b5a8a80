#include "interpreter.h"

#include <commctrl.h>

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "json.h"
#include "selector.h"
#include "utf.h"

namespace uidriver {

namespace {

using Handler = bool (*)(Target&, const Command&, JsonLine& out, std::string& error);

struct CommandSpec {
    const char* name;
    int minArgs;
    int maxArgs; // -1: any number
    Handler run;
};

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

struct Resolved {
    WindowTree tree;
    int node = -1;
    const WindowNode& get() { return need(tree, node, kNodeAll); }
    HWND handle() const { return handleOf(tree.nodes[node]); }
    std::string name() { return describeNode(tree, node); }
};

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
    for (std::string_view k : kinds) error += " " + std::string(k);
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
    if (name.rfind("style:", 0) == 0 || name.rfind("exstyle:", 0) == 0) {
        // Whether every one of the given bits is set: "style:0x2000" is 1 for a digits-only edit box.
        const bool ex = name[0] == 'e';
        const std::string bits = name.substr(ex ? 8 : 6);
        char* end = nullptr;
        const unsigned long mask = std::strtoul(bits.c_str(), &end, 0);
        if (bits.empty() || *end != '\0') {
            error = "style bits must be a number, as in style:0x2000";
            return false;
        }
        return number(((ex ? node.exStyle : node.style) & mask) == mask);
    }
    if (name == "centred") {
        // The window's middle within a pixel of the screen's (or the work area's) middle.
        RECT r{}, work{};
        GetWindowRect(window, &r);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
        auto within1 = [](int a, int b) { return a - b <= 1 && b - a <= 1; };
        const int cx = r.left + r.right, cy = r.top + r.bottom; // twice the middle
        return number((within1(cx, sx) || within1(cx, work.left + work.right)) && (within1(cy, sy) || within1(cy, work.top + work.bottom)));
    }
    if (name == "checked") {
        LRESULT state = 0;
        if (kind == "CheckBox" || kind == "RadioButton") {
            sendWithTimeout(window, BM_GETCHECK, 0, 0, state);
            return number(state);
        }
    } else if (name == "selected" || name == "count" || name == "items" || name.rfind("item:", 0) == 0) {
        if (kind == "ComboBox") {
            if (name == "selected") return number(comboSelected(window));
            const std::vector<std::string> items = comboItems(window);
            if (name == "count") return number(static_cast<long long>(items.size()));
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
            if (name == "count") return number(static_cast<long long>(tabs.size()));
            if (name == "items") { value = joined(tabs); return true; }
        }
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

// Re-reads until check() holds or the time limit passes; check() leaves
// what it saw in `error` when it does not hold.
template <typename Check> bool retry(Target& t, Check check, std::string& error) {
    settle(t);
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(t.timeoutMs);
    while (true) {
        error.clear();
        if (check()) return true;
        if (GetTickCount() >= deadline) return false;
        if (t.process && !processRunning(t)) {
            error += (error.empty() ? "" : "; ") + exitedText(t);
            return false;
        }
        Sleep(25);
    }
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

// What a message box shows: its caption, its text (the static with id 65535)
// and its buttons.
struct BoxContents {
    std::string caption, text, buttons; // buttons as a JSON list of {id, text}
};

BoxContents readBox(HWND box) {
    const WindowTree tree = fullSnapshot(box);
    BoxContents contents;
    contents.caption = tree.nodes.empty() ? "" : tree.nodes[0].text;
    contents.buttons = "[";
    for (const WindowNode& node : tree.nodes) {
        if (node.parent < 0) continue;
        if (node.id == 0xFFFF && kindOf(node) == "Static") contents.text = node.text;
        if (kindOf(node) == "Button" && node.visible) {
            if (contents.buttons.size() > 1) contents.buttons += ',';
            contents.buttons += JsonLine().num("id", node.id).str("text", node.text).text();
        }
    }
    contents.buttons += "]";
    return contents;
}

// ---- process and windows ----

bool cmdStart(Target& t, const Command& c, JsonLine& out, std::string& error) {
    if (processRunning(t)) {
        error = "a program started earlier still runs";
        return false;
    }
    std::u16string commandLine;
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        if (i) commandLine += u' ';
        commandLine += u'"';
        commandLine += i == 0 ? toWindowsPath(c.args[i]) : utf8ToUtf16(c.args[i]);
        commandLine += u'"';
    }
    if (!t.job) {
        t.job = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (t.job) SetInformationJobObject(t.job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &info)) {
        error = "cannot start " + c.args[0] + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    if (t.job) AssignProcessToJobObject(t.job, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    if (t.process) CloseHandle(t.process);
    t.process = info.hProcess;
    t.pid = info.dwProcessId;
    t.window = nullptr;
    t.box = nullptr;
    out.str("program", c.args[0]).num("pid", t.pid).num("acp", GetACP());
    return true;
}

bool cmdWaitWindow(Target& t, const Command& c, JsonLine& out, std::string& error) {
    int ms = 0;
    if (!timeoutArg(c, 1, t.windowTimeoutMs, ms, error)) return false;
    const std::u16string caption = utf8ToUtf16(c.args[0]);
    const DWORD start = GetTickCount();
    HWND found = nullptr;
    while (!(found = findTopWindow(t, caption))) {
        if (t.process && !processRunning(t)) {
            error = exitedText(t) + " before a window \"" + c.args[0] + "\" appeared";
            return false;
        }
        if (GetTickCount() - start >= static_cast<DWORD>(ms)) {
            error = "no window \"" + c.args[0] + "\" within " + std::to_string(ms) + " ms";
            if (HWND box = findMessageBox(t)) {
                const BoxContents contents = readBox(box);
                error += "; a message box is open: \"" + contents.caption + "\" / \"" + contents.text + "\"";
            }
            return false;
        }
        Sleep(20);
    }
    t.window = found;
    t.box = nullptr;
    if (!t.pid) GetWindowThreadProcessId(found, &t.pid);
    settle(t);
    out.str("caption", c.args[0]).num("pid", t.pid);
    return true;
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

bool cmdWaitMsgbox(Target& t, const Command& c, JsonLine& out, std::string& error) {
    int ms = 0;
    BoxContents contents;
    return timeoutArg(c, 0, t.timeoutMs, ms, error) && waitMessageBox(t, ms, contents, out, error);
}

bool cmdExpectMsgbox(Target& t, const Command& c, JsonLine& out, std::string& error) {
    int ms = 0;
    BoxContents contents;
    if (!timeoutArg(c, 2, t.timeoutMs, ms, error) || !waitMessageBox(t, ms, contents, out, error)) return false;
    if (contents.caption != c.args[0] || contents.text != c.args[1]) {
        error = "message box reads \"" + contents.caption + "\" / \"" + contents.text + "\", expected \"" + c.args[0] +
                "\" / \"" + c.args[1] + "\"";
        return false;
    }
    return true;
}

bool cmdExpectNoMsgbox(Target& t, const Command&, JsonLine&, std::string& error) {
    settle(t);
    if (HWND box = findMessageBox(t)) {
        error = "a message box is open: \"" + windowText(box) + "\"";
        return false;
    }
    return true;
}

bool cmdAnswer(Target& t, const Command& c, JsonLine& out, std::string& error) {
    if (!t.box || !IsWindow(t.box) || !IsWindowVisible(t.box)) {
        JsonLine ignored;
        BoxContents contents;
        if (!waitMessageBox(t, t.timeoutMs, contents, ignored, error)) return false;
    }
    const WindowTree tree = fullSnapshot(t.box);
    int wantedId = -1;
    const bool byId = parseNumber(c.args[0], wantedId);
    HWND button = nullptr;
    for (const WindowNode& node : tree.nodes) {
        if (node.parent < 0 || kindOf(node) != "Button") continue;
        if (byId ? node.id == wantedId : (node.text == c.args[0] || withoutMnemonics(node.text) == c.args[0])) {
            button = handleOf(node);
            out.num("id", node.id).str("button", node.text);
            break;
        }
    }
    if (!button) {
        error = "the message box has no button " + c.args[0];
        return false;
    }
    HWND box = t.box;
    PostMessageW(button, BM_CLICK, 0, 0);
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(t.timeoutMs);
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (GetTickCount() >= deadline) {
            error = "the message box stayed open";
            return false;
        }
        Sleep(5);
    }
    t.box = nullptr;
    settle(t);
    return true;
}

bool cmdClose(Target& t, const Command&, JsonLine&, std::string& error) {
    if (!needWindow(t, error)) return false;
    // The title bar's close box: the system command, posted so a question it raises cannot block.
    PostMessageW(t.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    settle(t);
    return true;
}

bool cmdWaitExit(Target& t, const Command& c, JsonLine& out, std::string& error) {
    int ms = 0, expected = 0;
    if (!timeoutArg(c, 0, t.timeoutMs, ms, error)) return false;
    const bool checkCode = c.args.size() > 1;
    if (checkCode && !parseNumber(c.args[1], expected)) {
        error = "exit code must be a number";
        return false;
    }
    if (t.process) {
        if (WaitForSingleObject(t.process, static_cast<DWORD>(ms)) != WAIT_OBJECT_0) {
            error = "the program still runs after " + std::to_string(ms) + " ms";
            return false;
        }
        DWORD code = 0;
        GetExitCodeProcess(t.process, &code);
        out.num("exit", code);
        t.window = nullptr;
        t.box = nullptr;
        if (checkCode && static_cast<int>(code) != expected) {
            error = "exit code " + std::to_string(code) + ", expected " + std::to_string(expected);
            return false;
        }
        return true;
    }
    if (checkCode) {
        error = "the exit code is known only for a program the driver started";
        return false;
    }
    if (!waitFor(ms, [](Target& x) { return !x.window || !IsWindow(x.window); }, t)) {
        error = "the window is still there after " + std::to_string(ms) + " ms";
        return false;
    }
    t.window = nullptr;
    return true;
}

bool cmdSleep(Target&, const Command& c, JsonLine&, std::string& error) {
    int ms = 0;
    if (!parseNumber(c.args[0], ms) || ms < 0) {
        error = "sleep needs milliseconds";
        return false;
    }
    Sleep(static_cast<DWORD>(ms));
    return true;
}

bool cmdSettle(Target& t, const Command&, JsonLine&, std::string& error) {
    if (!settle(t)) {
        error = "the program did not handle its messages in time";
        return false;
    }
    return true;
}

bool cmdSet(Target& t, const Command& c, JsonLine&, std::string& error) {
    int ms = 0;
    if ((c.args[0] == "timeout" || c.args[0] == "window-timeout") && parseNumber(c.args[1], ms) && ms >= 0) {
        (c.args[0] == "timeout" ? t.timeoutMs : t.windowTimeoutMs) = ms;
        return true;
    }
    error = "set knows timeout <ms> and window-timeout <ms>";
    return false;
}

bool cmdScreenshot(Target& t, const Command& c, JsonLine& out, std::string& error) {
    RECT area{};
    const bool wholeScreen = c.args.size() > 1 && c.args[1] == "screen";
    if (!wholeScreen && t.window && IsWindow(t.window)) {
        SetWindowPos(t.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(t.window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        settle(t);
        Sleep(150);
        GetWindowRect(t.window, &area);
    } else {
        area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    if (!writeScreenshot(toWindowsPath(c.args[0]), area)) {
        error = "cannot write " + c.args[0];
        return false;
    }
    out.str("file", c.args[0]).num("w", area.right - area.left).num("h", area.bottom - area.top);
    return true;
}

bool cmdExpectAcp(Target&, const Command& c, JsonLine& out, std::string& error) {
    // The driver runs with the program's environment, so it has the program's ANSI code page.
    const UINT acp = GetACP();
    out.num("acp", acp);
    if (std::to_string(acp) == c.args[0]) return true;
    error = "the ANSI code page is " + std::to_string(acp) + ", expected " + c.args[0];
    return false;
}

bool cmdEcho(Target&, const Command& c, JsonLine& out, std::string&) {
    std::string text;
    for (std::size_t i = 0; i < c.args.size(); ++i) text += (i ? " " : "") + c.args[i];
    out.str("text", text);
    return true;
}

// ---- reading ----

bool cmdDump(Target& t, const Command& c, JsonLine& out, std::string& error) {
    if (!needWindow(t, error)) return false;
    settle(t);
    Resolved r;
    if (c.args.empty()) {
        r.tree = snapshot(t.window);
        r.node = 0;
    } else if (!resolve(t, c.args[0], r, error)) {
        return false;
    }
    int count = 0;
    for (int i = 0; i < static_cast<int>(r.tree.nodes.size()); ++i) {
        if (i != r.node && !isDescendant(r.tree, i, r.node)) continue;
        printLine(describeJson(r.tree, i).text());
        ++count;
    }
    out.num("controls", count);
    return true;
}

bool cmdGet(Target& t, const Command& c, JsonLine& out, std::string& error) {
    settle(t);
    Resolved r;
    if (!resolve(t, c.args[0], r, error)) return false;
    if (c.args.size() == 1) {
        printLine(describeJson(r.tree, r.node).text());
        return true;
    }
    std::string value;
    if (!property(r.get(), c.args[1], value, error)) return false;
    out.str("target", r.name()).str("property", c.args[1]).str("value", value);
    return true;
}

bool cmdExpect(Target& t, const Command& c, JsonLine& out, std::string& error) {
    const std::string expected = normalised(c.args[2]);
    std::string seen;
    std::string target;
    bool hardError = false;
    const bool ok = retry(
        t,
        [&] {
            Resolved r;
            if (!resolve(t, c.args[0], r, error)) return false;
            target = r.name();
            if (!property(r.get(), c.args[1], seen, error)) {
                hardError = error.rfind("unknown property", 0) == 0 || error.find("has no property") != std::string::npos;
                return hardError;
            }
            if (seen == expected) return true;
            error = c.args[1] + " of " + target + " is \"" + seen + "\", expected \"" + expected + "\"";
            return false;
        },
        error);
    if (ok && hardError) return false;
    if (ok) out.str("target", target).str("property", c.args[1]).str("value", seen);
    return ok;
}

bool cmdExpectItems(Target& t, const Command& c, JsonLine& out, std::string& error) {
    const std::vector<std::string> expected(c.args.begin() + 1, c.args.end());
    return retry(
        t,
        [&] {
            Resolved r;
            if (!resolve(t, c.args[0], r, error)) return false;
            std::vector<std::string> items;
            if (kindOf(r.get()) == "ComboBox") items = comboItems(r.handle());
            else if (kindOf(r.get()) == "Tab") items = tabTexts(r.handle());
            else {
                error = r.name() + " has no entries";
                return false;
            }
            if (items == expected) {
                out.str("target", r.name()).num("count", static_cast<long long>(items.size()));
                return true;
            }
            error = "entries of " + r.name() + " are [" + joined(items) + "], expected [" + joined(expected) + "]";
            return false;
        },
        error);
}

bool cmdExpectNone(Target& t, const Command& c, JsonLine&, std::string& error) {
    const SelectorParse parsed = parseSelector(c.args[0]);
    if (!parsed.error.empty()) {
        error = "selector " + c.args[0] + ": " + parsed.error;
        return false;
    }
    if (!needWindow(t, error)) return false;
    return retry(
        t,
        [&] {
            WindowTree tree = snapshot(t.window);
            const std::vector<int> found = findAll(tree, 0, parsed.selector);
            if (found.empty()) return true;
            error = describeNode(tree, found.front()) + " matches " + c.args[0];
            return false;
        },
        error);
}

// ---- acting ----

bool resolveUsable(Target& t, const std::string& selector, std::initializer_list<std::string_view> kinds, Resolved& r,
                   std::string& error, JsonLine& out) {
    if (!resolve(t, selector, r, error) || !needKind(r, kinds, error) || !usable(r, error)) return false;
    out.str("target", r.name());
    return true;
}

bool cmdClick(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"Button", "CheckBox", "RadioButton"}, r, error, out)) return false;
    // Posted, so that a click which opens a modal box does not block the driver.
    PostMessageW(r.handle(), BM_CLICK, 0, 0);
    settle(t);
    return true;
}

bool cmdCheck(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"CheckBox", "RadioButton"}, r, error, out)) return false;
    LRESULT state = 0;
    sendWithTimeout(r.handle(), BM_GETCHECK, 0, 0, state);
    if (c.args.size() > 1) {
        const std::string wanted = normalised(c.args[1]);
        if (wanted != "0" && wanted != "1") {
            error = "check takes on or off";
            return false;
        }
        if ((state == BST_CHECKED) == (wanted == "1")) {
            out.flag("clicked", false).num("checked", state);
            return true;
        }
    }
    PostMessageW(r.handle(), BM_CLICK, 0, 0);
    settle(t);
    sendWithTimeout(r.handle(), BM_GETCHECK, 0, 0, state);
    out.flag("clicked", true).num("checked", state);
    return true;
}

bool selectIndex(Target& t, Resolved& r, int index, JsonLine& out, std::string& error) {
    const std::vector<std::string> items = comboItems(r.handle());
    if (index < 0 || index >= static_cast<int>(items.size())) {
        error = "entry " + std::to_string(index) + " is outside the list of " + std::to_string(items.size());
        return false;
    }
    focusControl(r.handle());
    LRESULT ignored = 0;
    if (!sendWithTimeout(r.handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0, ignored)) {
        error = "the program does not answer";
        return false;
    }
    // What the list tells its parent when a user picks an entry.
    HWND parent = GetParent(r.handle());
    const WPARAM id = static_cast<WPARAM>(r.get().id) & 0xFFFF;
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(r.handle()));
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(r.handle()));
    settle(t);
    out.num("index", index).str("entry", items[static_cast<std::size_t>(index)]);
    return true;
}

bool cmdSelect(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    int index = 0;
    if (!parseNumber(c.args[1], index)) {
        error = "select needs an entry index; choose takes its text";
        return false;
    }
    return resolveUsable(t, c.args[0], {"ComboBox"}, r, error, out) && selectIndex(t, r, index, out, error);
}

bool cmdChoose(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"ComboBox"}, r, error, out)) return false;
    const std::vector<std::string> items = comboItems(r.handle());
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == c.args[1]) return selectIndex(t, r, static_cast<int>(i), out, error);
    error = "the list has no entry \"" + c.args[1] + "\"";
    return false;
}

bool typeInto(Target& t, const Command& c, bool replaceAll, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"Edit"}, r, error, out)) return false;
    HWND edit = r.handle();
    focusControl(edit);
    LRESULT length = 0, ignored = 0;
    sendWithTimeout(edit, WM_GETTEXTLENGTH, 0, 0, length);
    // Like a click after the last character, or a selection of the whole text.
    if (replaceAll) sendWithTimeout(edit, EM_SETSEL, 0, -1, ignored);
    else sendWithTimeout(edit, EM_SETSEL, static_cast<WPARAM>(length), length, ignored);
    // Posted, as the keyboard's characters arrive: through the program's message loop.
    for (char16_t ch : utf8ToUtf16(c.args[1])) PostMessageW(edit, WM_CHAR, ch, 1);
    settle(t);
    out.str("text", windowText(edit));
    return true;
}

bool cmdType(Target& t, const Command& c, JsonLine& out, std::string& error) { return typeInto(t, c, false, out, error); }

bool cmdRetype(Target& t, const Command& c, JsonLine& out, std::string& error) { return typeInto(t, c, true, out, error); }

bool cmdSetText(Target& t, const Command& c, JsonLine& out, std::string& error) {
    settle(t);
    Resolved r;
    if (!resolve(t, c.args[0], r, error)) return false;
    const std::u16string text = utf8ToUtf16(c.args[1]);
    LRESULT ignored = 0;
    if (!sendWithTimeout(r.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(text)), ignored, t.timeoutMs)) {
        // A change handler that opened a modal box has not returned yet: that is an answer too.
        if (findMessageBox(t)) {
            out.str("target", r.name()).flag("msgbox", true);
            return true;
        }
        error = "the program does not answer";
        return false;
    }
    settle(t);
    out.str("target", r.name()).str("text", windowText(r.handle()));
    return true;
}

bool cmdTab(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    int index = 0;
    if (!parseNumber(c.args[1], index)) {
        error = "tab needs a tab index";
        return false;
    }
    if (!resolveUsable(t, c.args[0], {"Tab"}, r, error, out)) return false;
    RECT rect{};
    if (!tabRect(r.handle(), index, rect)) {
        error = "no tab " + std::to_string(index) + " (or its rectangle cannot be read)";
        return false;
    }
    // A click on the tab: the control then tells its parent itself (a
    // notification sent from another process would be dropped).
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(r.handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(r.handle(), WM_LBUTTONUP, 0, point);
    settle(t);
    LRESULT current = -1;
    sendWithTimeout(r.handle(), TCM_GETCURSEL, 0, 0, current);
    out.num("tab", current);
    return true;
}

bool cmdFocus(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    settle(t);
    if (!resolve(t, c.args[0], r, error) || !usable(r, error)) return false;
    out.str("target", r.name());
    if (!focusControl(r.handle())) {
        error = "the focus did not move to " + r.name();
        return false;
    }
    settle(t);
    return true;
}

struct KeyName {
    const char* name;
    UINT vk;
};

constexpr KeyName kKeys[] = {
    {"tab", VK_TAB},       {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"space", VK_SPACE},
    {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"left", VK_LEFT},   {"right", VK_RIGHT},
    {"up", VK_UP},         {"down", VK_DOWN},    {"home", VK_HOME},     {"end", VK_END},
    {"pageup", VK_PRIOR},  {"pagedown", VK_NEXT}, {"f1", VK_F1},        {"f4", VK_F4},
};

void postKey(HWND window, UINT vk, bool down, bool alt) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM lParam = 1 | (static_cast<LPARAM>(scan) << 16);
    if (alt) lParam |= 1 << 29;
    if (!down) lParam |= (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
    const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    PostMessageW(window, message, vk, lParam);
}

bool cmdKey(Target& t, const Command& c, JsonLine& out, std::string& error) {
    std::string name = c.args[1];
    bool shift = false, ctrl = false, alt = false;
    for (std::size_t plus; (plus = name.find('+')) != std::string::npos; name = name.substr(plus + 1)) {
        const std::string modifier = name.substr(0, plus);
        if (modifier == "shift") shift = true;
        else if (modifier == "ctrl") ctrl = true;
        else if (modifier == "alt") alt = true;
        else {
            error = "unknown modifier " + modifier;
            return false;
        }
    }
    UINT vk = 0;
    for (const KeyName& k : kKeys)
        if (name == k.name) vk = k.vk;
    if (!vk && name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        vk = static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    if (!vk) {
        error = "unknown key " + c.args[1];
        return false;
    }
    Resolved r;
    settle(t);
    if (!resolve(t, c.args[0], r, error) || !usable(r, error)) return false;
    HWND control = r.handle();
    focusControl(control);
    // The modifiers are held in the key state the program's thread shares with ours while attached.
    const DWORD own = GetCurrentThreadId(), other = GetWindowThreadProcessId(control, nullptr);
    const bool attached = AttachThreadInput(own, other, TRUE);
    BYTE saved[256] = {}, state[256] = {};
    GetKeyboardState(saved);
    GetKeyboardState(state);
    if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (ctrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (alt) state[VK_MENU] = state[VK_LMENU] = 0x80;
    SetKeyboardState(state);
    postKey(control, vk, true, alt);
    postKey(control, vk, false, alt);
    settle(t);
    SetKeyboardState(saved);
    if (attached) AttachThreadInput(own, other, FALSE);
    HWND focus = focusedControl(control);
    out.str("target", r.name()).str("key", c.args[1]);
    WindowTree tree = snapshot(t.window);
    for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i)
        if (handleOf(tree.nodes[i]) == focus) out.str("focus", describeNode(tree, i));
    return true;
}

constexpr CommandSpec kCommands[] = {
    {"start", 1, -1, cmdStart},
    {"wait-window", 1, 2, cmdWaitWindow},
    {"wait-msgbox", 0, 1, cmdWaitMsgbox},
    {"expect-msgbox", 2, 3, cmdExpectMsgbox},
    {"expect-no-msgbox", 0, 0, cmdExpectNoMsgbox},
    {"answer", 1, 1, cmdAnswer},
    {"close", 0, 0, cmdClose},
    {"wait-exit", 0, 2, cmdWaitExit},
    {"sleep", 1, 1, cmdSleep},
    {"settle", 0, 0, cmdSettle},
    {"set", 2, 2, cmdSet},
    {"screenshot", 1, 2, cmdScreenshot},
    {"echo", 0, -1, cmdEcho},
    {"expect-acp", 1, 1, cmdExpectAcp},
    {"dump", 0, 1, cmdDump},
    {"get", 1, 2, cmdGet},
    {"expect", 3, 3, cmdExpect},
    {"expect-items", 1, -1, cmdExpectItems},
    {"expect-none", 1, 1, cmdExpectNone},
    {"click", 1, 1, cmdClick},
    {"check", 1, 2, cmdCheck},
    {"select", 2, 2, cmdSelect},
    {"choose", 2, 2, cmdChoose},
    {"type", 2, 2, cmdType},
    {"retype", 2, 2, cmdRetype},
    {"settext", 2, 2, cmdSetText},
    {"tab", 2, 2, cmdTab},
    {"focus", 1, 1, cmdFocus},
    {"key", 2, 2, cmdKey},
};

const CommandSpec* findCommand(const std::string& name) {
    for (const CommandSpec& spec : kCommands)
        if (name == spec.name) return &spec;
    return nullptr;
}

} // namespace

std::string checkCommand(const Command& command) {
    const CommandSpec* spec = findCommand(command.name);
    if (!spec) return "unknown command " + command.name;
    const int count = static_cast<int>(command.args.size());
    if (count < spec->minArgs || (spec->maxArgs >= 0 && count > spec->maxArgs))
        return command.name + " takes " + std::to_string(spec->minArgs) +
               (spec->maxArgs == spec->minArgs ? "" : spec->maxArgs < 0 ? " or more" : " to " + std::to_string(spec->maxArgs)) +
               " arguments, not " + std::to_string(count);
    return "";
}

bool runCommand(Target& target, const Command& command) {
    JsonLine out;
    out.num("line", command.line).str("cmd", command.name);
    std::string error = checkCommand(command);
    bool ok = error.empty();
    if (ok) {
        const DWORD start = GetTickCount();
        JsonLine result;
        ok = findCommand(command.name)->run(target, command, result, error);
        if (!result.body.empty()) out.body += "," + result.body;
        out.num("ms", GetTickCount() - start);
    }
    out.flag("ok", ok);
    if (!ok) out.str("error", error);
    printLine(out.text());
    return ok;
}

void printContext(Target& target) {
    if (!target.window || !IsWindow(target.window)) return;
    WindowTree tree = snapshot(target.window);
    for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i) printLine(describeJson(tree, i).text(), true);
    if (HWND box = findMessageBox(target)) printLine(JsonLine().str("msgbox", windowText(box)).text(), true);
}

void finish(Target& target) {
    if (processRunning(target)) {
        TerminateProcess(target.process, 1);
        WaitForSingleObject(target.process, 5000);
        printLine(JsonLine().str("cmd", "end").flag("terminated", true).text());
    }
    if (target.process) CloseHandle(target.process);
    if (target.job) CloseHandle(target.job);
    target.process = target.job = nullptr;
}

void printLine(const std::string& line, bool toStderr) {
    HANDLE out = GetStdHandle(toStderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    const std::string bytes = line + "\n";
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace uidriver
