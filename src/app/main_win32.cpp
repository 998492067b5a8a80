// Program entry: the application object, the main window (whose last step is the
// start-up sequence), then the message loop until the window has closed.

#include "editor/main_form.h"
#include "tables/game_state.h"
#include "text/cp1251.h"
#include "text/format.h"
#include "ui/control.h"
#include "ui/trace.h"
#include "ui/win32/win32_platform.h"

#include <windows.h>

namespace {

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

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (traceOn())
        traceMark(formatText("program entry, %d ms after the process was created", {processAge()}));
    Win32Platform platform;
    traceMark("platform ready (common controls, window classes)");
    GameState game; // tables and current records, for the whole run
    Control& application = createApplication(platform, u8"Orvex v2.1"_cp1251);
    if (!buildMainWindow(application, game)) return 0; // no name page: the user was told
    runMessageLoop(application);
    return 0;
}
