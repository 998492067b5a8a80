#pragma once
// Constants of the control layer that carry the platform's own values: window
// style bits (Win32 WS_*), creation options, and message-box flags and answers
// (Win32 MB_* and ID*), so that style() and messageBox() read the same numbers
// on every platform.

#include <cstdint>

// Window style bits.
inline constexpr uint32_t kStyleOverlapped = 0x00000000u;
inline constexpr uint32_t kStylePopup = 0x80000000u;
inline constexpr uint32_t kStyleChild = 0x40000000u;
inline constexpr uint32_t kStyleVisible = 0x10000000u;
inline constexpr uint32_t kStyleDisabled = 0x08000000u;
inline constexpr uint32_t kStyleClipSiblings = 0x04000000u;
inline constexpr uint32_t kStyleClipChildren = 0x02000000u;
inline constexpr uint32_t kStyleCaption = 0x00C00000u; // title bar (border + dialog frame)
inline constexpr uint32_t kStyleBorder = 0x00800000u;
inline constexpr uint32_t kStyleDialogFrame = 0x00400000u;
inline constexpr uint32_t kStyleVScroll = 0x00200000u;
inline constexpr uint32_t kStyleSysMenu = 0x00080000u;
inline constexpr uint32_t kStyleThickFrame = 0x00040000u; // a border that resizes
inline constexpr uint32_t kStyleMinimizeBox = 0x00020000u;
inline constexpr uint32_t kStyleMaximizeBox = 0x00010000u;
inline constexpr uint32_t kStyleTabStop =
    0x00010000u; // same bit as the maximise box, on child windows
inline constexpr uint32_t kStyleOverlappedWindow = kStyleOverlapped | kStyleCaption |
                                                   kStyleSysMenu | kStyleThickFrame |
                                                   kStyleMinimizeBox | kStyleMaximizeBox;

// Creation options.
inline constexpr unsigned kTabsFixedWidth = 1; // createTabControl: all tabs one width
inline constexpr unsigned kDigitsOnly = 1;     // createEditBox: only 0-9 can be typed
inline constexpr unsigned kEdgeNone = 0;       // createPanel: plain
inline constexpr unsigned kEdgeSunken = 1;     // createPanel: sunken edge

// Message-box flags.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbHelp = 0x4000; // a Help button: the owner's F1 command

// Message-box answers (the button pressed).
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
