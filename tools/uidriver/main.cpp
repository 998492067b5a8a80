// uidriver: drives another program's windows from a script, for tests under
// Wine and on Windows. Usage: see README.md.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "interpreter.h"
#include "script.h"
#include "utf.h"

using namespace uidriver;

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

std::optional<std::string> environmentVariable(std::string_view name) {
    const std::u16string wideName = utf8ToUtf16(name);
    wchar_t buffer[32768];
    const DWORD length = GetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(wideName.c_str()), buffer, 32768);
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    if (length >= 32768) return std::nullopt;
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
}

bool readAll(HANDLE file, std::string& text) {
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return true;
}

bool readScript(const std::string& name, std::string& text) {
    if (name == "-") return readAll(GetStdHandle(STD_INPUT_HANDLE), text);
    const std::u16string path = toWindowsPath(name);
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    readAll(file, text);
    CloseHandle(file);
    return true;
}

int usage() {
    printLine("usage: uidriver [--timeout MS] [-c COMMAND]... [SCRIPT|-]...  (no script: commands from stdin)", true);
    return kExitUsage;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Target target;
    std::vector<Command> commands;
    bool scriptGiven = false;
    auto addLines = [&](const std::string& text, const std::string& source) {
        const std::vector<std::string> lines = splitLines(text);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const ParsedLine parsed = parseLine(lines[i], static_cast<int>(i + 1), environmentVariable);
            const std::string problem = !parsed.error.empty() ? parsed.error
                                        : parsed.empty        ? std::string()
                                                              : checkCommand(parsed.command);
            if (!problem.empty()) {
                printLine(source + ":" + std::to_string(i + 1) + ": " + problem, true);
                return false;
            }
            if (!parsed.empty) commands.push_back(parsed.command);
        }
        return true;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i]));
        if ((arg == "-c" || arg == "--timeout") && i + 1 >= argc) return usage();
        if (arg == "-c") {
            scriptGiven = true;
            const std::size_t before = commands.size();
            if (!addLines(utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[++i])), "-c")) return kExitUsage;
            for (std::size_t k = before; k < commands.size(); ++k) commands[k].line = 0;
        } else if (arg == "--timeout") {
            target.timeoutMs = _wtoi(argv[++i]);
        } else if (arg == "-h" || arg == "--help" || (arg.size() > 1 && arg[0] == '-' && arg != "-")) {
            return usage();
        } else {
            scriptGiven = true;
            std::string text;
            if (!readScript(arg, text)) {
                printLine("cannot read " + arg, true);
                return kExitUsage;
            }
            if (!addLines(text, arg)) return kExitUsage;
        }
    }
    if (!scriptGiven) {
        std::string text;
        readScript("-", text);
        if (!addLines(text, "stdin")) return kExitUsage;
    }
    int status = 0;
    for (const Command& command : commands) {
        if (!runCommand(target, command)) {
            printContext(target);
            status = kExitFailed;
            break;
        }
    }
    finish(target);
    return status;
}
