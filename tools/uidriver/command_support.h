#pragma once
// What the commands share: resolving a selector in the current window, the
// user's view of a control (shown, enabled), properties as `expect` reads
// them, message box contents and the re-reading loop of expectations.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "json.h"
#include "script.h"
#include "selector.h"
#include "target.h"
#include "window_tree.h"

namespace uidriver {

// A command: fills `out` with what it found or did, or `error` with why it failed.
using Handler = bool (*)(Target&, const Command&, JsonLine& out, std::string& error);

const wchar_t* wide(const std::u16string& s);
HWND handleOf(const WindowNode& node);

// Whether the whole text is a decimal int.
bool parseNumber(const std::string& text, int& value);

// The optional time limit argument at `index`, else the fallback; false with
// an error for anything but a non-negative number.
bool timeoutArg(const Command& c, std::size_t index, int fallback, int& ms, std::string& error);

std::string hex(std::uint32_t value);                  // "0x50012080"
std::string joined(const std::vector<std::string>& items); // "a|b|c"

// False with an error when no window is current or it is gone.
bool needWindow(Target& t, std::string& error);

// A control found in a fresh snapshot of the current window.
struct Resolved {
    WindowTree tree;
    int node = -1;
    const WindowNode& get() { return need(tree, node, kNodeAll); }
    HWND handle() const { return handleOf(tree.nodes[node]); }
    std::string name() { return describeNode(tree, node); }
};

// Finds the one control the selector names; false with an error otherwise.
bool resolve(Target& t, const std::string& text, Resolved& r, std::string& error);

// Whether a user could work the control: it and every window holding it are
// shown and enabled; false with the reason otherwise.
bool usable(Resolved& r, std::string& error);

// Whether the control is of one of these kinds; false with an error otherwise.
bool needKind(Resolved& r, std::initializer_list<std::string_view> kinds, std::string& error);

// One control as `dump` prints it.
JsonLine describeJson(WindowTree& tree, int index);

// The text of one property of a node, as `expect` compares it; false with an
// error for an unknown property or one the control's kind does not have.
bool property(const WindowNode& node, const std::string& name, std::string& value, std::string& error);

// true/false/yes/no/on/off read as 1/0, so flags can be written either way.
std::string normalised(const std::string& expected);

// "the program ended with exit code N".
std::string exitedText(const Target& t);

// Waits up to ms until done(t); false when the time ran out.
bool waitFor(int ms, bool (*done)(Target&), Target& t);

// A snapshot with every part of every node read (for small windows).
WindowTree fullSnapshot(HWND root);

// What a message box shows: its caption, its text (the static with id 65535)
// and its buttons.
struct BoxContents {
    std::string caption, text, buttons; // buttons as a JSON list of {id, text}
};
BoxContents readBox(HWND box);

// Waits for a message box of the program, makes it the current one and reads
// it into contents and out; false with an error when none comes in time.
bool waitMessageBox(Target& t, int ms, BoxContents& contents, JsonLine& out, std::string& error);

// Re-reads until check() holds, the time limit passes or the program ends;
// check() leaves what it saw in `error` when it does not hold.
template <typename Check> bool retry(Target& t, Check check, std::string& error) {
    settle(t);
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(t.timeoutMs);
    while (true) {
        error.clear();
        if (check()) return true;
        if (GetTickCount() >= deadline) return false;
        if (t.process && !processRunning(t)) {
            error += (error.empty() ? "" : "; ") + exitedText(t);
            return false;
        }
        Sleep(25);
    }
}

} // namespace uidriver
