#include "interpreter.h"

#include "commands.h"

namespace uidriver {

namespace {

struct CommandEntry {
    const char* name;
    int minArgs;
    int maxArgs; // -1: any number
    Handler run;
};

constexpr CommandEntry kCommands[] = {
    {"start", 1, -1, cmdStart},
    {"start-another", 1, -1, cmdStartAnother},
    {"copy-file", 2, 2, cmdCopyFile},
    {"wait-window", 1, 2, cmdWaitWindow},
    {"wait-msgbox", 0, 1, cmdWaitMsgbox},
    {"expect-msgbox", 2, 3, cmdExpectMsgbox},
    {"expect-no-msgbox", 0, 0, cmdExpectNoMsgbox},
    {"expect-tip", 1, 2, cmdExpectTip},
    {"answer", 1, 1, cmdAnswer},
    {"close", 0, 0, cmdClose},
    {"minimise", 1, 1, cmdMinimise},
    {"restore", 1, 1, cmdRestore},
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
    {"mouse-click", 1, 1, cmdMouseClick},
    {"pick", 2, 2, cmdPick},
    {"clipboard", 1, 1, cmdClipboard},
};

const CommandEntry* findCommand(const std::string& name) {
    for (const CommandEntry& entry : kCommands)
        if (name == entry.name) return &entry;
    return nullptr;
}

} // namespace

std::string checkCommand(const Command& command) {
    const CommandEntry* entry = findCommand(command.name);
    if (!entry) return "unknown command " + command.name;
    const int count = static_cast<int>(command.args.size());
    if (count < entry->minArgs || (entry->maxArgs >= 0 && count > entry->maxArgs))
        return command.name + " takes " + std::to_string(entry->minArgs) +
               (entry->maxArgs == entry->minArgs ? "" : entry->maxArgs < 0 ? " or more" : " to " + std::to_string(entry->maxArgs)) +
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