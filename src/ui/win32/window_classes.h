#pragma once
// The layer's window classes, each window's binding to its control, and the
// windows' styles (window_classes.cpp).

#include "ui/control.h"
#include "ui/win32/win32_state.h"

#include <windows.h>

namespace win32 {

// What the layer keeps for a window of its own, or nullptr for any other window.
const Win32Platform::State::Binding* bindingOf(HWND hwnd);
// The control a window of the layer shows, or nullptr.
Control* controlOf(HWND hwnd);
// A window of the layer's classes and its control (at its WM_NCCREATE).
void bindSelf(HWND hwnd, Control* c);
// An inner window of a list, subclassed: its control is the list.
void bindInner(HWND hwnd, Control* list, WNDPROC previous);
void unbind(HWND hwnd);

// Repaints c's window, once anything is on the screen.
void repaint(const Control& c);

} // namespace win32
