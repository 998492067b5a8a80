#pragma once
// What the files of the Win32 platform share: the platform's kept state, the
// platform the window procedures work for, and the two facts about a control
// that every file asks. Only the files of src/ui/win32 include it.

#include "ui/control.h"
#include "ui/win32/win32_platform.h"

#include <windows.h>

#include <compare>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct Win32Platform::State {
    // Window classes and the windows made of them (window_classes.cpp).
    HINSTANCE instance = nullptr;
    std::map<ATOM, WNDPROC> baseProcs; // class atom -> the procedure behind the layer's
    std::map<ControlKind, std::wstring> classNames;
    std::vector<std::wstring> registered;
    // What the windows' "SELF_" and "PREV_PROC" properties hold, kept beside them
    // with the procedure behind the layer's: every message needs them, and under
    // Wine each property read is a round trip to the window server.
    struct Binding {
        Control* self = nullptr;
        WNDPROC next = nullptr; // the platform's procedure (PREV_PROC of an inner window)
        bool inner = false;     // an inner window of a list, subclassed
    };
    std::unordered_map<HWND, Binding> bindings;

    // One font object per distinct font, with the number of windows that hold it
    // (fonts.cpp).
    struct FontKey {
        int height = 0;
        std::string name;
        unsigned style = 0;
        auto operator<=>(const FontKey&) const = default;
    };
    struct SharedFont {
        HFONT handle = nullptr;
        int users = 0;
    };
    std::map<FontKey, SharedFont> fonts;
    std::unordered_map<const Control*, FontKey> heldFonts; // what each window holds
    HDC measuringDc = nullptr; // a screen-compatible memory DC: texts measured without a window
    std::map<uint32_t, HBRUSH> brushes; // solid brushes of RGB colours (message_handlers.cpp)

    HWND lastFocus = nullptr;   // the control of the main window that had the focus last
    HWND dialogFocus = nullptr; // the same in the dialog shown modal
    std::vector<Control*> endedDialogs; // dialogs whose modal loop is to end

    // Until the main window is first shown nothing is on the screen to repaint:
    // showing it paints every window.
    bool mainWindowShown = false;
    // Lists filled before that, with redrawing off (each entry would otherwise
    // update the list's scroll bar and repaint); switched on before the showing.
    std::unordered_set<Control*> quietLists;
    // Where each list is in a choice: the entry it showed when it was opened, a
    // change seen while open, a closing without the choice, a change posted.
    struct ListChoice {
        int openedAt = -1;
        bool pending = false;
        bool cancelled = false;
        bool changePosted = false;
    };
    std::unordered_map<Control*, ListChoice> listChoices;
    // Lists whose entries changed since they were last opened: the next opening
    // measures them again for the opened width.
    std::unordered_set<Control*> entriesChanged;
    std::unordered_map<Control*, int> entriesWidth; // the longest entry's, as last measured
    // Before the main window is first shown, a list keeps only its first
    // kEntriesAhead entries in its window; the rest wait here (with the number
    // already in the window) and go in right after the first paint, in one batch,
    // before any input is taken, or earlier when anything asks the list.
    struct WaitingEntries {
        int inWindow = 0;
        std::vector<std::wstring> texts;
    };
    std::unordered_map<Control*, WaitingEntries> waitingEntries;

    // window_classes.cpp
    void registerClasses();
    WNDPROC baseProc(HWND hwnd) const;
    HICON programIcon(int widthMetric, int heightMetric) const;
    void registerOwnClass();
    void superclass(const wchar_t* base, std::initializer_list<ControlKind> kinds);
    void forget(Control& c);
    // fonts.cpp
    static std::optional<FontKey> fontKeyOf(const Control& c);
    HFONT fontObject(const FontKey& key);
    void freeIfUnused(const FontKey& key);
    void giveFont(const Control& c, bool redraw);
    int lineHeight(const Control& c); // of c's font: a list entry's height
    void releaseFont(const Control& c);
    // message_handlers.cpp
    HBRUSH brush(uint32_t colour);
};

namespace win32 {

// The state of the platform the program made (one at a time): the window
// procedures, which the system calls without it, find it here.
extern Win32Platform::State* active;

inline HWND hwndOf(const Control& c) {
    return static_cast<HWND>(c.window);
}

inline bool isTopLevel(const Control& c) {
    return c.kind == ControlKind::Application || c.kind == ControlKind::MainWindow ||
           c.kind == ControlKind::Dialog;
}

} // namespace win32
