// Commands that start the program, wait for its windows and boxes, and end it.

#include "commands.h"

#include <commctrl.h>

#include "utf.h"

#include "ui/mnemonic.h"

namespace uidriver {

namespace {

// Starts the program in the driver's job; it becomes the target.
bool startProgram(Target& t, const Command& c, JsonLine& out, std::string& error) {
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

} // namespace

bool cmdStart(Target& t, const Command& c, JsonLine& out, std::string& error) {
    if (processRunning(t)) {
        error = "a program started earlier still runs";
        return false;
    }
    return startProgram(t, c, out, error);
}

bool cmdStartAnother(Target& t, const Command& c, JsonLine& out, std::string& error) {
    // The earlier program runs on in the job, which ends it with the driver.
    return startProgram(t, c, out, error);
}

bool cmdCopyFile(Target&, const Command& c, JsonLine& out, std::string& error) {
    const std::u16string from = toWindowsPath(c.args[0]), to = toWindowsPath(c.args[1]);
    if (!CopyFileW(reinterpret_cast<const wchar_t*>(from.c_str()), reinterpret_cast<const wchar_t*>(to.c_str()),
                   FALSE)) {
        error = "cannot copy " + c.args[0] + " to " + c.args[1] + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    out.str("from", c.args[0]).str("to", c.args[1]);
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

bool cmdExpectTip(Target& t, const Command& c, JsonLine& out, std::string& error) {
    int ms = 0;
    if (!timeoutArg(c, 1, t.timeoutMs, ms, error)) return false;
    const DWORD start = GetTickCount();
    std::string seen;
    for (;;) {
        for (HWND tip : shownTips(t)) {
            seen = windowText(tip);
            if (seen == c.args[0]) {
                out.str("tip", seen);
                return true;
            }
        }
        if (GetTickCount() - start >= static_cast<DWORD>(ms)) {
            error = seen.empty() ? "no tip shown within " + std::to_string(ms) + " ms"
                                 : "the tip reads \"" + seen + "\", expected \"" + c.args[0] + "\"";
            return false;
        }
        Sleep(10);
    }
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

namespace {

// The route of minimise and restore: the window's system command (title bar
// button, window menu, taskbar and keyboard all send it) or ShowWindow.
bool routeArg(const Command& c, bool& bySysCommand, std::string& error) {
    bySysCommand = c.args[0] == "syscommand";
    if (bySysCommand || c.args[0] == "showwindow") return true;
    error = c.name + " takes syscommand or showwindow";
    return false;
}

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

bool isIconic(Target& t) { return IsIconic(t.window); }
bool isNotIconic(Target& t) { return !IsIconic(t.window); }

} // namespace

bool cmdMinimise(Target& t, const Command& c, JsonLine& out, std::string& error) {
    bool bySysCommand = false;
    if (!routeArg(c, bySysCommand, error) || !needWindow(t, error)) return false;
    settle(t);
    GetWindowRect(t.window, &t.beforeMinimise);
    t.minimisedByDriver = true;
    // The system command is posted, as the title bar sends it; ShowWindow acts at once.
    if (bySysCommand) PostMessageW(t.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else ShowWindow(t.window, SW_MINIMIZE);
    if (!waitFor(t.timeoutMs, isIconic, t)) {
        error = "the window was not minimised within " + std::to_string(t.timeoutMs) + " ms";
        return false;
    }
    settle(t);
    out.str("before", rectText(t.beforeMinimise));
    return true;
}

bool cmdRestore(Target& t, const Command& c, JsonLine& out, std::string& error) {
    bool bySysCommand = false;
    if (!routeArg(c, bySysCommand, error) || !needWindow(t, error)) return false;
    if (bySysCommand) PostMessageW(t.window, WM_SYSCOMMAND, SC_RESTORE, 0);
    else ShowWindow(t.window, SW_RESTORE);
    if (!waitFor(t.timeoutMs, isNotIconic, t)) {
        error = "the window was not restored within " + std::to_string(t.timeoutMs) + " ms";
        return false;
    }
    settle(t);
    RECT now{};
    GetWindowRect(t.window, &now);
    out.str("rect", rectText(now));
    // Restored means back where and as large as it was.
    if (t.minimisedByDriver && !EqualRect(&now, &t.beforeMinimise)) {
        error = "the window came back as " + rectText(now) + ", not as before it was minimised: " +
                rectText(t.beforeMinimise);
        return false;
    }
    t.minimisedByDriver = false;
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

} // namespace uidriver
