// Program entry: the version when asked for it; otherwise the application object,
// the main window (whose last step is the start-up sequence), then the message
// loop until the window has closed.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "text/texts.h"
#include "text/format.h"
#include "ui/control.h"
#include "ui/trace.h"
#include "ui/win32/win32_platform.h"
#include "version.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

// "--version" among the program's arguments (quoted or not).
bool askedForVersion() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    bool asked = false;
    for (int i = 1; args != nullptr && i < count; ++i)
        asked = asked || std::wstring_view(args[i]) == L"--version";
    LocalFree(args);
    return asked;
}

// A program without a console of its own: the version goes to standard output
// when that is a file or a pipe (a script asking), else into a message box (a
// person who typed the command sees it there, not behind the shell's prompt).
void showVersion() {
    const char line[] = "Orvex " ORVEX_VERSION "\n";
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const DWORD kind = out && out != INVALID_HANDLE_VALUE ? GetFileType(out) : FILE_TYPE_UNKNOWN;
    DWORD written = 0;
    if ((kind == FILE_TYPE_DISK || kind == FILE_TYPE_PIPE) &&
        WriteFile(out, line, sizeof line - 1, &written, nullptr))
        return;
    MessageBoxW(nullptr, L"Orvex " ORVEX_VERSION, L"Orvex", MB_OK | MB_ICONINFORMATION);
}

// Milliseconds since the process was created: the loader's share of start-up.
int processAge() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& t) {
        return static_cast<long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
    };
    return static_cast<int>((ticks(now) - ticks(created)) / 10000);
}

// The value after --lang on the command line (ASCII; other characters as '?').
std::optional<std::string> languageOption() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::optional<std::string> value;
    for (int i = 1; args != nullptr && i + 1 < count; ++i) {
        if (std::wstring_view(args[i]) != L"--lang") continue;
        std::string narrow;
        for (const wchar_t* c = args[i + 1]; *c; ++c) narrow += *c < 0x80 ? static_cast<char>(*c) : '?';
        value = narrow;
    }
    LocalFree(args);
    return value;
}

// ORVEX_LANG, or nothing when it is not set.
std::optional<std::string> languageVariable() {
    wchar_t buffer[64];
    const DWORD n = GetEnvironmentVariableW(L"ORVEX_LANG", buffer, 64);
    if (n == 0 || n >= 64) return n >= 64 ? std::optional<std::string>("?") : std::nullopt;
    std::string narrow;
    for (DWORD i = 0; i < n; ++i) narrow += buffer[i] < 0x80 ? static_cast<char>(buffer[i]) : '?';
    return narrow;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (askedForVersion()) {
        showVersion();
        return 0;
    }
    if (traceOn())
        traceMark(formatText("program entry, %d ms after the process was created", {processAge()}));
    Win32Platform platform;
    traceMark("platform ready (common controls, window classes)");
    GameState game; // the tables, for the whole run
    Control& application =
        createApplication(platform, text(Text::applicationCaption, Language::ru));
    const std::optional<std::string> option = languageOption();
    const std::optional<std::string> variable = languageVariable();
    const Language language =
        chooseEditorLanguage(application, option ? std::optional<std::string_view>(*option) : std::nullopt,
                             variable ? variable->c_str() : nullptr, GetUserDefaultUILanguage());
    if (!buildMainWindow(application, game, language)) return 0; // no name page: the user was told
    runMessageLoop(application);
    return 0;
}
