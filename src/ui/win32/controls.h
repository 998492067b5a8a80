#pragma once
// The platform's side of lists and tab controls that the other files of the
// layer call (controls.cpp).

#include "ui/control.h"

#include <windows.h>

namespace win32 {

// A tab control's pages fill its display area.
void layoutPages(Control& tabControl);
// The field height of a drop-down list follows its font; the kept height follows the window.
void readListHeight(Control& list);
// A list's inner windows (edit and list part) with the layer's procedure in front.
void subclassInnerWindows(Control& list);
void unsubclassInnerWindows(Control& list);
// The entries of list still waiting for its window, added now.
void addWaitingEntries(Control& list);
// A list's own command notification (CBN_...), or its deferred change.
void listNotified(Control& c, HWND hwnd, WPARAM wp, LPARAM lp);

} // namespace win32
