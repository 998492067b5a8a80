#pragma once
// A person's keys and pastes as the layer takes them (input.cpp).

#include "ui/control.h"

#include <windows.h>

namespace win32 {

// A typed character for c: false when its key handler discarded it; wp may be replaced.
bool filterChar(Control& c, WPARAM& wp);
// A paste into an edit box with a paste handler: the clipboard's text as the
// handler leaves it replaces the selection (undoably); nothing when it is left empty.
void pasteThroughHandler(Control& c, HWND hwnd);
// A key the loop hands to the layer before any window sees it: a button's Alt
// letter or Ctrl shortcut, a window's Ctrl key command, the next page, the next
// tab stop, Enter on a button, Enter and Esc for a window's default and cancel
// buttons, Shift+F10 and the menu key for a context menu, Alt+F4. True when
// the layer took it.
bool takeLoopKey(const MSG& msg);

// c's context menu, opened at the screen point where (-1, -1: below c, for the
// keyboard); the entry chosen raises c's onMenuItem. False when c has none.
bool showContextMenu(Control& c, LPARAM where);

} // namespace win32
