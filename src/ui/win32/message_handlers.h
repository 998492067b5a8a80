#pragma once
// The layer's window procedures and its private messages (message_handlers.cpp).

#include <windows.h>

namespace win32 {

// The layer's private messages: a child's command notification handed over by its
// parent (same parameters), a WM_NOTIFY handed over the same way, and the colour
// requests WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC (0x132..0x138) as 0xBD32..0xBD38;
// and help asked of a top-level window (WM_HELP), answered once it is posted.
constexpr UINT kChildCommand = 0xB005;
constexpr UINT kChildNotify = 0xB006;
constexpr UINT kHelpAsked = 0xB007;
constexpr UINT kActivated = 0xB008; // the main window was activated: raised from the loop
constexpr UINT kChildColourBase = 0xBC00;

// The procedure of every window of the layer's classes, in front of the platform's.
LRESULT CALLBACK layerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// The procedure of a drop-down list's inner windows, in front of theirs.
LRESULT CALLBACK innerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

} // namespace win32
