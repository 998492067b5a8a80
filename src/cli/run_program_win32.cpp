#include "cli/run_program.h"

#include <windows.h>

#include <cwchar>

namespace {

std::wstring wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

// One argument as the C runtime's command-line parser reads it back.
std::wstring quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, L'\\');
    return out + L"\"";
}

} // namespace

int runProgram(const std::vector<std::string>& args) {
    std::wstring line;
    for (const std::string& arg : args) line += (line.empty() ? L"" : L" ") + quoted(wide(arg));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

int runProgramOutput(const std::vector<std::string>& args, std::string& out) {
    out.clear();
    std::wstring line;
    for (const std::string& arg : args) line += (line.empty() ? L"" : L" ") + quoted(wide(arg));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return -1;
    }
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

std::vector<std::string> environmentNames() {
    std::vector<std::string> names;
    wchar_t* block = GetEnvironmentStringsW();
    if (block == nullptr) return names;
    for (const wchar_t* e = block; *e != L'\0'; e += wcslen(e) + 1) {
        std::wstring entry(e);
        entry = entry.substr(0, entry.find(L'=', 1)); // "=C:" entries start with '='
        const int n = WideCharToMultiByte(CP_UTF8, 0, entry.data(), static_cast<int>(entry.size()), nullptr, 0,
                                          nullptr, nullptr);
        std::string name(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, entry.data(), static_cast<int>(entry.size()), name.data(), n, nullptr,
                            nullptr);
        names.push_back(std::move(name));
    }
    FreeEnvironmentStringsW(block);
    return names;
}
