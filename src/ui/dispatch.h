#pragma once
// How a platform reports what happened to a window: each function turns one
// platform notification into the control's event. Platforms call them; the
// editor never does.

#include "ui/control.h"

// Button or check box clicked (the check box has already toggled itself).
void raiseClick(Control& c);
// Edit box text changed (at once); list choice delivered by the loop. A list with
// onSelect set raises that instead of onChange.
void raiseChange(Control& c);
// The user chose a tab: shows its page, hides the others, raises onSelect.
void tabChosen(Control& tabControl, int index);
// A typed character for c. Returns false when the handler discarded it (set it to 0);
// ch may have been replaced.
bool raiseKeyChar(Control& c, char& ch, unsigned shiftState);
// Text pasted into an edit box: passed to its onPaste handler, which may change
// it. Returns false when nothing is to be pasted (the handler emptied it).
bool raisePaste(Control& c, std::string& text);
// The keyboard focus left an edit box.
void raiseFocusLeave(Control& c);
// The main window was activated again (from the loop, after the activation).
void raiseActivate(Control& window);
// An entry of c's context menu was chosen.
void menuItemChosen(Control& c, int item);
// Ctrl with the letter key `key` pressed while `from` had the focus: the key
// command of from's top-level window raised with from as its sender. False when
// the window has none for the key (or from cannot be reached).
bool raiseKeyCommand(Control& from, char key);
// The reachable default (or, with cancel, cancel) button of window's tree; nullptr when none.
Control* dialogButton(Control& window, bool cancel);
// A close request reached window. For the application it is passed on as a
// requestClose of its main window. For a dialog: its cancel button is pressed,
// or without one, the dialog ends with 0. For a main window: asks onCloseRequest; when it
// accepts (or there is none), empties the slot and tells the platform to end the
// loop. Returns true when the loop is to end.
bool closeRequested(Control& window);
// The tab stop after (or before, backwards) from within window's tree (a dialog
// it owns is a tree of its own), in creation order, skipping hidden, disabled
// and windowless controls and wrapping around;
// from == nullptr starts at the beginning (or end). nullptr when there is none.
Control* nextTabStop(Control& window, const Control* from, bool backwards);
// The top-level window (dialog, main window or application) that holds c.
Control& topLevelOf(Control& c);
// Whether c and all its ancestors up to its top-level window are visible and
// enabled (a user can reach it).
bool isReachable(const Control& c);
// The button of window's tree that a key pressed with Ctrl (ctrl) or Alt presses:
// its shortcut, or the letter its caption marks with "&". key is the letter key,
// 'A'..'Z', as a Latin keyboard names it; a Cyrillic Alt letter answers to the
// key it is on in the standard Russian layout, so either layout presses it.
// nullptr when no reachable button answers.
Control* buttonForKey(Control& window, char key, bool ctrl);
