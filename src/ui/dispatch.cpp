// From platform notifications to the controls' events.

#include "ui/dispatch.h"

#include "ui/mnemonic.h"
#include "ui/platform.h"

#include <vector>

void raiseClick(Control& c) {
    if (c.releasing || c.onClick.fn == nullptr) return;
    c.onClick.fn(c.onClick.context, c);
}

void raiseChange(Control& c) {
    if (c.releasing) return;
    const ClickSlot slot =
        c.kind == ControlKind::List && c.onSelect.fn != nullptr ? c.onSelect : c.onChange;
    if (slot.fn != nullptr) slot.fn(slot.context, c);
}

void tabChosen(Control& tabControl, int index) {
    if (tabControl.releasing) return;
    for (size_t i = 0; i < tabControl.pages.size(); ++i)
        setVisible(*tabControl.pages[i], static_cast<int>(i) == index);
    if (tabControl.onSelect.fn != nullptr)
        tabControl.onSelect.fn(tabControl.onSelect.context, tabControl);
}

bool raiseKeyChar(Control& c, char& ch, unsigned shiftState) {
    if (c.releasing || c.onKeyChar.fn == nullptr) return true;
    c.onKeyChar.fn(c.onKeyChar.context, c, ch, shiftState);
    return ch != 0;
}

bool raisePaste(Control& c, std::string& text) {
    if (c.releasing) return false;
    if (c.onPaste.fn != nullptr) c.onPaste.fn(c.onPaste.context, c, text);
    return !text.empty();
}

void raiseFocusLeave(Control& c) {
    if (c.releasing || c.onFocusLeave.fn == nullptr) return;
    c.onFocusLeave.fn(c.onFocusLeave.context, c);
}

void raiseActivate(Control& window) {
    if (!window.releasing && window.onActivate.fn != nullptr) window.onActivate.fn(window.onActivate.context, window);
}

void menuItemChosen(Control& c, int item) {
    if (c.releasing || c.onMenuItem.fn == nullptr) return;
    if (item < 0 || item >= static_cast<int>(c.menuItems.size())) return;
    c.onMenuItem.fn(c.onMenuItem.context, c, item);
}

bool raiseKeyCommand(Control& from, char key) {
    if (from.releasing || !isReachable(from)) return false;
    for (const KeyCommand& command : topLevelOf(from).keyCommands)
        if (command.key == key && command.slot.fn != nullptr) {
            command.slot.fn(command.slot.context, from);
            return true;
        }
    return false;
}

bool closeRequested(Control& window) {
    if (window.releasing) return false;
    if (window.kind == ControlKind::Dialog) {
        if (Control* cancel = dialogButton(window, true); cancel != nullptr) raiseClick(*cancel);
        else endDialog(window, 0);
        return false;
    }
    if (window.kind == ControlKind::Application) {
        // The taskbar's close command: the main window decides.
        for (auto& child : window.children)
            if (child->kind == ControlKind::MainWindow) {
                requestClose(*child);
                break;
            }
        return false;
    }
    if (window.kind != ControlKind::MainWindow) return false;
    bool accept = true;
    const CloseSlot slot = window.onCloseRequest;
    if (slot.fn != nullptr) slot.fn(slot.context, window, accept);
    if (!accept) return false;
    window.onCloseRequest = {}; // the question is asked once
    window.platform->quitLoop();
    return true;
}

namespace {

void collect(Control& c, std::vector<Control*>& out) {
    for (auto& child : c.children) {
        if (child->kind == ControlKind::Dialog) continue; // a window of its own
        out.push_back(child.get());
        collect(*child, out);
    }
}

} // namespace

bool isReachable(const Control& c) {
    for (const Control* p = &c; p != nullptr && p->kind != ControlKind::Application; p = p->parent) {
        if (!p->visible || !p->enabled) return false;
        if (p->kind == ControlKind::Dialog) break; // its owner is disabled while it shows
    }
    return true;
}

Control* nextTabStop(Control& window, const Control* from, bool backwards) {
    std::vector<Control*> all;
    collect(window, all);
    const int n = static_cast<int>(all.size());
    if (n == 0) return nullptr;
    int start = backwards ? n : -1;
    for (int i = 0; i < n; ++i)
        if (all[i] == from) start = i;
    for (int k = 1; k <= n; ++k) {
        const int step = backwards ? -k : k;
        Control* candidate = all[((start + step) % n + n) % n];
        if (candidate->tabStop && candidate->window != nullptr && isReachable(*candidate))
            return candidate;
    }
    return nullptr;
}

Control& topLevelOf(Control& c) {
    Control* p = &c;
    while (p->kind != ControlKind::MainWindow && p->kind != ControlKind::Application &&
           p->kind != ControlKind::Dialog && p->parent != nullptr)
        p = p->parent;
    return *p;
}

namespace {

// The Latin key each Cyrillic capital А..Я (1251 bytes 0xC0..0xDF) is on, in
// the standard Russian keyboard layout.
constexpr char kRussianKeys[] = "F,DULT;PBQRKVYJGHCNEA[WXIO]SM'.Z";

// The key a letter is on: 'A'..'Z' for Latin and Cyrillic letters, else 0.
char keyOfLetter(unsigned char letter) {
    if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
    if (letter >= 'A' && letter <= 'Z') return static_cast<char>(letter);
    if (letter >= 0xE0) letter = static_cast<unsigned char>(letter - 0x20); // а..я
    if (letter >= 0xC0) {
        const char key = kRussianKeys[letter - 0xC0];
        return key >= 'A' && key <= 'Z' ? key : 0;
    }
    return 0;
}

Control* findButton(Control& c, char key, bool ctrl) {
    for (auto& child : c.children) {
        Control& b = *child;
        if (b.kind == ControlKind::Dialog) continue; // its buttons answer in it alone
        if (b.kind == ControlKind::Button && isReachable(b) &&
            (ctrl ? b.shortcut == key : keyOfLetter(mnemonicLetter(b.text)) == key))
            return &b;
        if (Control* found = findButton(b, key, ctrl); found != nullptr) return found;
    }
    return nullptr;
}

Control* findDialogButton(Control& c, bool cancel) {
    for (auto& child : c.children) {
        Control& b = *child;
        if (b.kind == ControlKind::Dialog) continue;
        if (b.kind == ControlKind::Button && (cancel ? b.isCancel : b.isDefault) && isReachable(b)) return &b;
        if (Control* found = findDialogButton(b, cancel); found != nullptr) return found;
    }
    return nullptr;
}

} // namespace

Control* dialogButton(Control& window, bool cancel) {
    return findDialogButton(window, cancel);
}

Control* buttonForKey(Control& window, char key, bool ctrl) {
    if (key < 'A' || key > 'Z') return nullptr;
    return findButton(window, key, ctrl);
}
