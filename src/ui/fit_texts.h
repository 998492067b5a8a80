#pragma once
// Room for every text of a window, as its platform measures it in the font it
// is drawn with: labels, check boxes, group captions and button captions.

#include "ui/control.h"
#include "ui/platform.h"

#include <string>

// Where a text runs into a control to its right on the same row, or past the
// edge of its group, the controls from that column on move right; a group that
// its contents no longer fit widens, and groups beside it move with it. The
// window grows only by what its tab pages grew; the controls below the tabs
// keep their distance from its right edge. A layout that fits stays as it is.
// Returns how many pixels the window's client area grew.
int fitTexts(Control& window);

// The space a text control needs for its text in its font, without its window.
Size textExtent(const Control& c);

// The text as the control shows it: a button's caption without the "&" of its
// Alt letter (ui/mnemonic.h); other kinds show their text as it is.
std::string shownText(const Control& c);
