// Commands that act as the user: clicks, list choices, typing, tabs, keys.

#include "commands.h"

#include <commctrl.h>

#include <cctype>

#include "utf.h"

namespace uidriver {

namespace {

bool resolveUsable(Target& t, const std::string& selector, std::initializer_list<std::string_view> kinds, Resolved& r,
                   std::string& error, JsonLine& out) {
    if (!resolve(t, selector, r, error) || !needKind(r, kinds, error) || !usable(r, error)) return false;
    out.str("target", r.name());
    return true;
}

} // namespace

bool cmdClick(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"Button", "CheckBox", "RadioButton"}, r, error, out)) return false;
    // Posted, so that a click which opens a modal box does not block the driver.
    PostMessageW(r.handle(), BM_CLICK, 0, 0);
    settle(t);
    return true;
}

bool cmdCheck(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"CheckBox", "RadioButton"}, r, error, out)) return false;
    LRESULT state = 0;
    sendWithTimeout(r.handle(), BM_GETCHECK, 0, 0, state);
    if (c.args.size() > 1) {
        const std::string wanted = normalised(c.args[1]);
        if (wanted != "0" && wanted != "1") {
            error = "check takes on or off";
            return false;
        }
        if ((state == BST_CHECKED) == (wanted == "1")) {
            out.flag("clicked", false).num("checked", state);
            return true;
        }
    }
    PostMessageW(r.handle(), BM_CLICK, 0, 0);
    settle(t);
    sendWithTimeout(r.handle(), BM_GETCHECK, 0, 0, state);
    out.flag("clicked", true).num("checked", state);
    return true;
}

namespace {

bool selectIndex(Target& t, Resolved& r, int index, JsonLine& out, std::string& error) {
    const int count = comboCount(r.handle());
    if (index < 0 || index >= count) {
        error = "entry " + std::to_string(index) + " is outside the list of " + std::to_string(count);
        return false;
    }
    focusControl(r.handle());
    LRESULT ignored = 0;
    if (!sendWithTimeout(r.handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0, ignored)) {
        error = "the program does not answer";
        return false;
    }
    // What the list tells its parent when a user picks an entry.
    HWND parent = GetParent(r.handle());
    const WPARAM id = static_cast<WPARAM>(r.get().id) & 0xFFFF;
    const DWORD chosen = GetTickCount();
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(r.handle()));
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(r.handle()));
    settle(t);
    // From the choice until the program had handled it and all it posted itself.
    out.num("handled_ms", GetTickCount() - chosen);
    out.num("index", index).str("entry", comboItem(r.handle(), index));
    return true;
}

} // namespace

bool cmdSelect(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    int index = 0;
    if (!parseNumber(c.args[1], index)) {
        error = "select needs an entry index; choose takes its text";
        return false;
    }
    return resolveUsable(t, c.args[0], {"ComboBox"}, r, error, out) && selectIndex(t, r, index, out, error);
}

bool cmdChoose(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"ComboBox"}, r, error, out)) return false;
    const std::vector<std::string> items = comboItems(r.handle());
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == c.args[1]) return selectIndex(t, r, static_cast<int>(i), out, error);
    error = "the list has no entry \"" + c.args[1] + "\"";
    return false;
}

namespace {

bool typeInto(Target& t, const Command& c, bool replaceAll, JsonLine& out, std::string& error) {
    Resolved r;
    if (!resolveUsable(t, c.args[0], {"Edit"}, r, error, out)) return false;
    HWND edit = r.handle();
    focusControl(edit);
    LRESULT length = 0, ignored = 0;
    sendWithTimeout(edit, WM_GETTEXTLENGTH, 0, 0, length);
    // Like a click after the last character, or a selection of the whole text.
    if (replaceAll) sendWithTimeout(edit, EM_SETSEL, 0, -1, ignored);
    else sendWithTimeout(edit, EM_SETSEL, static_cast<WPARAM>(length), length, ignored);
    // Posted, as the keyboard's characters arrive: through the program's message loop.
    for (char16_t ch : utf8ToUtf16(c.args[1])) PostMessageW(edit, WM_CHAR, ch, 1);
    settle(t);
    out.str("text", windowText(edit));
    return true;
}

} // namespace

bool cmdType(Target& t, const Command& c, JsonLine& out, std::string& error) { return typeInto(t, c, false, out, error); }

bool cmdRetype(Target& t, const Command& c, JsonLine& out, std::string& error) { return typeInto(t, c, true, out, error); }

bool cmdSetText(Target& t, const Command& c, JsonLine& out, std::string& error) {
    settle(t);
    Resolved r;
    if (!resolve(t, c.args[0], r, error)) return false;
    const std::u16string text = utf8ToUtf16(c.args[1]);
    LRESULT ignored = 0;
    if (!sendWithTimeout(r.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(text)), ignored, t.timeoutMs)) {
        // A change handler that opened a modal box has not returned yet: that is an answer too.
        if (findMessageBox(t)) {
            out.str("target", r.name()).flag("msgbox", true);
            return true;
        }
        error = "the program does not answer";
        return false;
    }
    settle(t);
    out.str("target", r.name()).str("text", windowText(r.handle()));
    return true;
}

bool cmdFocus(Target& t, const Command& c, JsonLine& out, std::string& error) {
    Resolved r;
    settle(t);
    if (!resolve(t, c.args[0], r, error) || !usable(r, error)) return false;
    out.str("target", r.name());
    if (!focusControl(r.handle())) {
        error = "the focus did not move to " + r.name();
        return false;
    }
    settle(t);
    return true;
}

} // namespace uidriver
