// Program entry: the application object, the main window (whose last step is the
// start-up sequence), then the message loop until the window has closed.

#include "editor/main_form.h"
#include "tables/game_state.h"
#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/win32/win32_platform.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Win32Platform platform;
    GameState game; // tables and current records, for the whole run
    Control& application = createApplication(platform, u8"Orvex v2.1"_cp1251);
    if (!buildMainWindow(application, game)) return 0; // no name page: the user was told
    runMessageLoop(application);
    return 0;
}
