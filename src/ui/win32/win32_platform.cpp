// The Win32 platform: its life, the main window's first showing, the loop, message
// boxes and the folder claim. The layer's other concerns have their own files:
// window_classes.cpp (classes, making windows, binding them to their controls),
// message_handlers.cpp (the window procedures), controls.cpp (lists, tabs, texts),
// fonts.cpp (fonts and measuring texts) and input.cpp (keys, pastes, balloon tips).

#include "ui/win32/win32_platform.h"

#include "ui/dispatch.h"
#include "ui/trace.h"
#include "ui/win32/controls.h"
#include "ui/win32/input.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_state.h"
#include "text/files.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace win32;

Win32Platform::State* win32::active = nullptr;

Win32Platform::Win32Platform() : state_(std::make_unique<State>()) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);
    state_->instance = GetModuleHandleW(nullptr);
    active = state_.get();
    state_->registerClasses();
}

Win32Platform::~Win32Platform() {
    releaseAll();
    for (auto& [key, font] : state_->fonts)
        DeleteObject(font.handle);
    for (auto& [colour, brush] : state_->brushes)
        DeleteObject(brush);
    if (state_->measuringDc != nullptr) DeleteDC(state_->measuringDc);
    for (const std::wstring& name : state_->registered)
        UnregisterClassW(name.c_str(), state_->instance);
    if (active == state_.get()) active = nullptr;
}

void Win32Platform::showMainWindow(Control& c) {
    HWND hwnd = hwndOf(c);
    for (Control* list : state_->quietLists)
        SendMessageW(hwndOf(*list), WM_SETREDRAW, TRUE, 0);
    state_->quietLists.clear();
    // Fonts made only to measure texts with, which no window took.
    std::vector<State::FontKey> unused;
    for (const auto& [key, font] : state_->fonts)
        if (font.users == 0) unused.push_back(key);
    for (const State::FontKey& key : unused)
        state_->freeIfUnused(key);
    state_->mainWindowShown = true;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    traceMark("ShowWindow");
    UpdateWindow(hwnd);
    traceMark("UpdateWindow (first paint)");
    SetForegroundWindow(hwnd);
    if (c.tabNavigation)
        if (Control* first = nextTabStop(c, nullptr, false); first != nullptr)
            SetFocus(hwndOf(*first));
    traceMark("foreground and focus");
    // The window is on the screen; the long lists get the rest of their entries
    // before the loop takes any input.
    std::vector<Control*> waiting;
    for (const auto& [list, entries] : state_->waitingEntries)
        waiting.push_back(list);
    for (Control* list : waiting)
        addWaitingEntries(*list);
    traceMark("the rest of the long lists' entries");
}

void Win32Platform::runLoop(Control&) {
    // Take and dispatch every pending message, then wait for more, until WM_QUIT.
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            if (takeLoopKey(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        WaitMessage();
    }
}

void Win32Platform::runModal(Control& dialog) {
    HWND hwnd = hwndOf(dialog);
    state_->dialogFocus = nullptr;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    if (Control* first = nextTabStop(dialog, nullptr, false); first != nullptr) {
        SetFocus(hwndOf(*first));
        if (first->kind == ControlKind::EditBox) SendMessageW(hwndOf(*first), EM_SETSEL, 0, -1);
    }
    auto& ended = state_->endedDialogs;
    while (std::find(ended.begin(), ended.end(), &dialog) == ended.end()) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) { // for the main loop, after the dialog
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (takeLoopKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::erase(ended, &dialog);
}

void Win32Platform::endModal(Control& dialog) {
    state_->endedDialogs.push_back(&dialog);
    PostMessageW(hwndOf(dialog), WM_NULL, 0, 0); // wakes the loop's wait
}

void Win32Platform::postClose(Control& window) {
    if (window.window != nullptr) PostMessageW(hwndOf(window), WM_CLOSE, 0, 0);
}

void Win32Platform::quitLoop() {
    PostQuitMessage(0);
}

int Win32Platform::messageBox(Control& owner, std::string_view text, std::string_view caption,
                              unsigned flags) {
    return MessageBoxW(hwndOf(owner), toWide(text).c_str(), toWide(caption).c_str(), flags);
}

// A named mutex per folder: it lives as long as a program holds a handle to it,
// so a crashed editor leaves no claim behind. The name is made from the
// folder's full path in capitals (Windows paths ignore case) as a hash, since a
// path may be longer than a name can be; "Local\\" keeps it to this session.
std::function<void()> Win32Platform::claimFolder(std::string_view folder, bool& heldElsewhere) {
    heldElsewhere = false;
    const std::string name = folderMarkName(folder);
    if (name.empty()) return [] {};
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!mutex) return [] {};
    heldElsewhere = GetLastError() == ERROR_ALREADY_EXISTS;
    return [mutex] { CloseHandle(mutex); };
}

bool Win32Platform::openProgramFile(std::string_view fileName) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    while (length == path.size()) {
        path.resize(path.size() * 2);
        length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    }
    if (length == 0) return false;
    path.resize(length);
    path.erase(path.find_last_of(L"\\/") + 1);
    path += toWide(fileName);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    // The shell is loaded only for this: the program's imports stay the four system libraries.
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    if (shell == nullptr) return false;
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const auto execute = reinterpret_cast<ShellExecuteFn>(
        reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW")));
    const bool opened =
        execute != nullptr &&
        reinterpret_cast<INT_PTR>(execute(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
    FreeLibrary(shell);
    return opened;
}
