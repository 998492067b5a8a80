// The layer's copies of Win32 constants (ui/styles.h) are the platform's own:
// a wrong bit would build a window or a message box other than meant, on
// Windows only, where the headless tests cannot see it.

#include "ui/styles.h"

#include <windows.h>

static_assert(kStyleOverlapped == WS_OVERLAPPED);
static_assert(kStylePopup == WS_POPUP);
static_assert(kStyleChild == WS_CHILD);
static_assert(kStyleVisible == WS_VISIBLE);
static_assert(kStyleDisabled == WS_DISABLED);
static_assert(kStyleClipSiblings == WS_CLIPSIBLINGS);
static_assert(kStyleClipChildren == WS_CLIPCHILDREN);
static_assert(kStyleCaption == WS_CAPTION);
static_assert(kStyleBorder == WS_BORDER);
static_assert(kStyleDialogFrame == WS_DLGFRAME);
static_assert(kStyleVScroll == WS_VSCROLL);
static_assert(kStyleSysMenu == WS_SYSMENU);
static_assert(kStyleThickFrame == WS_THICKFRAME);
static_assert(kStyleMinimizeBox == WS_MINIMIZEBOX);
static_assert(kStyleMaximizeBox == WS_MAXIMIZEBOX);
static_assert(kStyleTabStop == WS_TABSTOP);
static_assert(kStyleOverlappedWindow == WS_OVERLAPPEDWINDOW);
static_assert(kMbOk == MB_OK);
static_assert(kMbOkCancel == MB_OKCANCEL);
static_assert(kMbYesNoCancel == MB_YESNOCANCEL);
static_assert(kMbYesNo == MB_YESNO);
static_assert(kMbIconError == MB_ICONERROR);
static_assert(kMbIconQuestion == MB_ICONQUESTION);
static_assert(kMbIconExclamation == MB_ICONEXCLAMATION);
static_assert(kMbIconInformation == MB_ICONINFORMATION);
static_assert(kIdOk == IDOK);
static_assert(kIdCancel == IDCANCEL);
static_assert(kIdYes == IDYES);
static_assert(kIdNo == IDNO);
