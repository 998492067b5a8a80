#pragma once
// The program under test, seen from the driver's process: its process, its
// main window and message box, and the cross-process reads and posts the
// commands are built from. Reads use SendMessageTimeout, so a program that is
// busy or inside a modal box can never block the driver.

#include <windows.h>

#include <string>
#include <vector>

#include "window_tree.h"

namespace uidriver {

struct Target {
    HANDLE process = nullptr;   // the program `start` launched, or nullptr
    HANDLE job = nullptr;       // kills the program when the driver ends
    DWORD pid = 0;              // the started program's id, else the window's
    HWND window = nullptr;      // the current main window (wait-window)
    HWND box = nullptr;         // the current message box (wait-msgbox)
    int timeoutMs = 5000;       // waits and expectations
    int windowTimeoutMs = 15000;
    unsigned marker = 0;        // last settle marker
    HWND markerControl = nullptr; // the control settle() posts its marker to
    bool markerIsEdit = false;
    RECT beforeMinimise{};        // the window's outer rectangle when `minimise` began
    bool minimisedByDriver = false;
};

// The answer to a message sent with a time limit; false when the program did
// not answer within timeoutMs (busy, hung) or the window is gone.
bool sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, int timeoutMs = 2000);

// The window's text through WM_GETTEXT (GetWindowText reads "" for another
// process's edit box); "" when it does not answer.
std::string windowText(HWND window);

// The class name in UTF-8.
std::string className(HWND window);

// A snapshot of root and every window below it, in window order.
WindowTree snapshot(HWND root);

// The entries of a combo box (CB_GETLBTEXTLEN/CB_GETLBTEXT) and its chosen index (-1 for none).
std::vector<std::string> comboItems(HWND combo);
// One entry, and the number of entries: a few round trips however long the list.
std::string comboItem(HWND combo, int index);
int comboCount(HWND combo);
int comboSelected(HWND combo);

// The texts of a tab control's tabs, read through memory in its process; an
// empty list when that memory cannot be had.
std::vector<std::string> tabTexts(HWND tabControl);

// The rectangle of tab `index` in the tab control's client coordinates.
bool tabRect(HWND tabControl, int index, RECT& rect);

// Waits until the program has handled every message posted to it so far,
// including those its handlers posted meanwhile: two rounds of a posted
// marker (a text limit set on one of its edit boxes, or a list's horizontal
// extent) that is read back and then restored. Without such a control it
// waits 100 ms. Returns false when the program did not get there in time.
bool settle(Target& target);

// The visible top-level window with this caption (of target.pid when a
// program was started), or nullptr.
HWND findTopWindow(const Target& target, const std::u16string& caption);

// A visible message box (class #32770) of the program, or nullptr.
HWND findMessageBox(const Target& target);
// The program's tooltip windows shown now (balloon tips), in window order.
std::vector<HWND> shownTips(const Target& target);

// Whether the started program still runs (false when none was started).
bool processRunning(const Target& target);

// Gives the control the keyboard focus, as a click into it would.
bool focusControl(HWND control);

// The control that has the keyboard focus in the window's thread, or nullptr.
HWND focusedControl(HWND anyWindowOfThread);

// A Windows path for a driver argument: "/tmp/x" becomes "Z:\tmp\x" (Wine's
// drive for the Unix root); other paths are returned unchanged.
std::u16string toWindowsPath(const std::string& utf8Path);

// Writes the screen rectangle as a 24-bit BMP file; false when it cannot.
bool writeScreenshot(const std::u16string& path, const RECT& screenRect);

} // namespace uidriver
