#include "cli/run_program.h"

#include <windows.h>

#include <cwchar>

#include <algorithm>

namespace {

std::wstring wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
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

// Runs the program with `startup`'s handles (inherited when inherit) and waits
// for it; -1 when it could not be started. `started` runs while it runs.
template <class Started> int run(const std::vector<std::string>& args, STARTUPINFOW& startup, bool inherit,
                                 Started started) {
    std::wstring line;
    for (const std::string& arg : args) line += (line.empty() ? L"" : L" ") + quoted(wide(arg));
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL created =
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, inherit ? TRUE : FALSE, 0, nullptr, nullptr, &startup,
                       &process);
    started();
    if (!created) return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

} // namespace

int runProgram(const std::vector<std::string>& args) {
    STARTUPINFOW startup{};
    return run(args, startup, false, [] {});
}

int runProgram(const std::vector<std::string>& args, std::string& output) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0); // only the child's end is inherited
    STARTUPINFOW startup{};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    HANDLE nothing = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                 OPEN_EXISTING, 0, nullptr);
    startup.hStdError = nothing;
    // The pipe is read while the program runs, so that a full pipe never stops it.
    return run(args, startup, true, [&] {
        CloseHandle(writeEnd);
        if (nothing != INVALID_HANDLE_VALUE) CloseHandle(nothing);
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) output.append(buffer, n);
        CloseHandle(readEnd);
    });
}

bool onPath(const std::string& name) {
    const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (size == 0) return false;
    std::wstring folders(size, L'\0');
    folders.resize(GetEnvironmentVariableW(L"PATH", folders.data(), size));
    const std::wstring file = wide(name) + L".exe";
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(folders.find(L';', start), folders.size());
        std::wstring folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
            const DWORD attributes = GetFileAttributesW((folder + file).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return true;
        }
        if (end == folders.size()) return false;
        start = end + 1;
    }
}

std::string ownProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            for (wchar_t& c : path)
                if (c == L'\\') c = L'/'; // as git's shell takes a Windows path
            return utf8(path);
        }
        path.resize(path.size() * 2); // cut: a longer buffer
    }
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
