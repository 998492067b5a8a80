#include "cli/console.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

// Whether every byte got through.
bool writeTo(DWORD which, std::string_view utf8) {
    if (utf8.empty()) return true;
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const int size = static_cast<int>(utf8.size());
        const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
        std::wstring text(static_cast<size_t>(wide), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), wide);
        // The console takes a limited amount per call.
        for (size_t done = 0; done < text.size();) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 8192));
            DWORD written = 0;
            if (!WriteConsoleW(handle, text.data() + done, chunk, &written, nullptr) || written == 0) return false;
            done += written;
        }
        return true;
    }
    for (size_t done = 0; done < utf8.size();) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(utf8.size() - done, 1 << 20));
        if (!WriteFile(handle, utf8.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    // A file's bytes reach the disk here, where a full disk shows at the latest.
    return GetFileType(handle) != FILE_TYPE_DISK || FlushFileBuffers(handle);
}

std::string utf8Of(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back(); // the NUL
    return utf8;
}

} // namespace

std::vector<std::string> commandLine(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) args.push_back(utf8Of(wide[i]));
    LocalFree(wide);
    return args;
}

bool writeStdout(std::string_view utf8) {
    const bool whole = writeTo(STD_OUTPUT_HANDLE, utf8);
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    return (handle == nullptr || handle == INVALID_HANDLE_VALUE || CloseHandle(handle)) && whole;
}
void writeStderr(std::string_view utf8) { writeTo(STD_ERROR_HANDLE, utf8); }

Language systemLanguage() { return languageOfWindows(GetUserDefaultUILanguage()); }
