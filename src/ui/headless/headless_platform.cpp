// Headless windows: the state a real window would hold, and a message loop that
// plays a test's scripted user actions.

#include "ui/headless/headless_platform.h"

#include "ui/dispatch.h"
#include "ui/fit_texts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

// Tab strip height before setTabItemSize, and the margins of a page inside the tab control.
constexpr int kDefaultTabHeight = 20;
constexpr int kPageMargin = 4;

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Application:
        return "application";
    case ControlKind::MainWindow:
        return "main window";
    case ControlKind::Dialog:
        return "dialog";
    case ControlKind::TabControl:
        return "tab control";
    case ControlKind::Page:
        return "page";
    case ControlKind::GroupBox:
        return "group box";
    case ControlKind::Label:
        return "label";
    case ControlKind::WrappingLabel:
        return "wrapping label";
    case ControlKind::Panel:
        return "panel";
    case ControlKind::EditBox:
        return "edit box";
    case ControlKind::List:
        return "list";
    case ControlKind::CheckBox:
        return "check box";
    case ControlKind::Button:
        return "button";
    }
    return "control";
}

// What the platform answers when a box is dismissed with its default button.
int defaultAnswer(unsigned flags) {
    switch (flags & 0xF) {
    case kMbYesNo:
    case kMbYesNoCancel:
        return kIdYes;
    default:
        return kIdOk;
    }
}

// A box can also end without one of its buttons: Esc gives Cancel under Wine
// even where there is no Cancel button, and a box that could not be shown gives 0.
bool answerFits(unsigned flags, int answer) {
    if (answer == kIdCancel || answer == 0) return true;
    switch (flags & 0xF) {
    case kMbOk:
        return answer == kIdOk;
    case kMbOkCancel:
        return answer == kIdOk || answer == kIdCancel;
    case kMbYesNo:
        return answer == kIdYes || answer == kIdNo;
    case kMbYesNoCancel:
        return answer == kIdYes || answer == kIdNo || answer == kIdCancel;
    default:
        return true;
    }
}

} // namespace

HeadlessPlatform::~HeadlessPlatform() {
    releaseAll();
}

// ---- scripted actions ----

void HeadlessPlatform::choose(Control& list, int index) {
    actions_.push_back({ActionKind::Choose, &list, index, {}, {}});
}

void HeadlessPlatform::type(Control& edit, std::string_view chars, unsigned shiftState) {
    actions_.push_back(
        {ActionKind::Type, &edit, static_cast<int>(shiftState), std::string(chars), {}});
}

void HeadlessPlatform::paste(Control& edit, std::string_view text) {
    actions_.push_back({ActionKind::Paste, &edit, 0, std::string(text), {}});
}

void HeadlessPlatform::focus(Control& c) {
    actions_.push_back({ActionKind::Focus, &c, 0, {}, {}});
}

void HeadlessPlatform::click(Control& buttonOrCheckBox) {
    actions_.push_back({ActionKind::Click, &buttonOrCheckBox, 0, {}, {}});
}

void HeadlessPlatform::pressKey(Control& window, char key, bool ctrl) {
    actions_.push_back({ActionKind::Key, &window, ctrl ? 1 : 0, std::string(1, key), {}});
}

void HeadlessPlatform::switchTab(Control& tabControl, int index) {
    actions_.push_back({ActionKind::SwitchTab, &tabControl, index, {}, {}});
}

void HeadlessPlatform::pressEnter() {
    actions_.push_back({ActionKind::DialogKey, nullptr, 0, {}, {}});
}

void HeadlessPlatform::pressEscape() {
    actions_.push_back({ActionKind::DialogKey, nullptr, 1, {}, {}});
}

void HeadlessPlatform::openContextMenu(Control& c, int item) {
    actions_.push_back({ActionKind::Menu, &c, item, {}, {}});
}

void HeadlessPlatform::answer(int button, std::function<void()> whileShown) {
    actions_.push_back({ActionKind::Answer, nullptr, button, {}, std::move(whileShown)});
}

void HeadlessPlatform::pressClose(Control& window) {
    actions_.push_back({ActionKind::PressClose, &window, 0, {}, {}});
}

void HeadlessPlatform::closeFromTaskbar() {
    actions_.push_back({ActionKind::TaskbarClose, nullptr, 0, {}, {}});
}

void HeadlessPlatform::activate(Control& window) {
    actions_.push_back({ActionKind::Activate, &window, 0, {}, {}});
}

void HeadlessPlatform::call(std::function<void()> step) {
    actions_.push_back({ActionKind::Call, nullptr, 0, {}, std::move(step)});
}

const HeadlessWindow* HeadlessPlatform::windowOf(const Control& c) const {
    return static_cast<const HeadlessWindow*>(c.window);
}

HeadlessWindow& HeadlessPlatform::state(const Control& c) const {
    return *static_cast<HeadlessWindow*>(c.window);
}

void HeadlessPlatform::problem(std::string text) {
    std::fprintf(stderr, "headless platform: %s\n", text.c_str());
    problems_.push_back(std::move(text));
}

// ---- windows ----

void HeadlessPlatform::createWindow(Control& c) {
    auto w = std::make_unique<HeadlessWindow>();
    w->text = c.text;
    w->id = c.id;
    c.window = w.get();
    windows_[&c] = std::move(w);
    ++windowsCreated_;
    if (c.kind == ControlKind::Application) application_ = &c;
}

void HeadlessPlatform::destroyWindow(Control& c) {
    windows_.erase(&c);
    c.window = nullptr;
    if (focused_ == &c) focused_ = nullptr;
    if (application_ == &c) application_ = nullptr;
}

void HeadlessPlatform::setWindowText(Control& c, std::string_view text) {
    state(c).text = std::string(text);
    state(c).selected = {};
    // An edit box notifies its change for every text set into it, at once.
    if (c.kind == ControlKind::EditBox) raiseChange(c);
}

std::string HeadlessPlatform::windowText(const Control& c) {
    const HeadlessWindow& w = state(c);
    // A drop-down list's window text is its chosen entry.
    if (c.kind == ControlKind::List)
        return w.chosen >= 0 && w.chosen < static_cast<int>(w.items.size()) ? w.items[w.chosen]
                                                                            : "";
    return w.text;
}

TextRange HeadlessPlatform::selection(const Control& edit) {
    return state(edit).selected;
}

void HeadlessPlatform::showInputTip(Control& edit, std::string_view title, std::string_view text) {
    tips_.push_back({&edit, std::string(title), std::string(text)});
}

void HeadlessPlatform::showNotice(Control& c, std::string_view title, std::string_view text) {
    tips_.push_back({&c, std::string(title), std::string(text), true});
}

void HeadlessPlatform::setWindowBounds(Control& c) {
    if (c.kind == ControlKind::TabControl) layoutPages(c);
}

void HeadlessPlatform::applyStyle(Control&) {}
void HeadlessPlatform::applyEnabled(Control&) {}
void HeadlessPlatform::applyVisible(Control&) {}
void HeadlessPlatform::applyFont(Control&) {}
void HeadlessPlatform::applyColour(Control&) {}

void HeadlessPlatform::applyId(Control& c) {
    state(c).id = c.id;
}

void HeadlessPlatform::showMainWindow(Control& c) {
    state(c).shown = true;
}

// A fixed-pitch stand-in for text measurement: 6 pixels a character at height
// 11 (7 in bold), as the control shows its text.
Size HeadlessPlatform::measure(const Control& c, int maxWidth) {
    const Font f = effectiveFont(c);
    const int height = std::max(f.height, 1);
    const int pitch = (f.style & kBold) != 0 ? 7 : 6;
    int width = (static_cast<int>(shownText(c).size()) * pitch * height + 5) / 11;
    int lineHeight = height + 2;
    int lines = 1;
    if (c.kind == ControlKind::WrappingLabel && maxWidth > 0 && width > maxWidth) {
        lines = (width + maxWidth - 1) / maxWidth;
        width = maxWidth;
    }
    switch (c.kind) {
    case ControlKind::CheckBox:
        return {width + 17, std::max(lineHeight, 13) + 4};
    case ControlKind::Button:
        return {width + 16, lineHeight + 10};
    default:
        return {width, lineHeight * lines};
    }
}

Size HeadlessPlatform::screenSize() {
    return {1280, 1024};
}

Size HeadlessPlatform::outerSize(const Control& c, Size client) {
    const bool caption = (c.styleBits & kStyleCaption) == kStyleCaption;
    const int border = (c.styleBits & kStyleThickFrame) != 0 ? 4 : (caption ? 3 : 0);
    return {client.width + 2 * border, client.height + 2 * border + (caption ? 19 : 0)};
}

// ---- lists and check boxes ----

int HeadlessPlatform::addItem(Control& list, std::string_view text) {
    HeadlessWindow& w = state(list);
    w.items.emplace_back(text);
    return static_cast<int>(w.items.size()) - 1;
}

void HeadlessPlatform::replaceItem(Control& list, int index, std::string_view text) {
    HeadlessWindow& w = state(list);
    if (index >= 0 && index < static_cast<int>(w.items.size())) w.items[index] = std::string(text);
}

std::string HeadlessPlatform::itemText(const Control& list, int index) {
    const HeadlessWindow& w = state(list);
    return index >= 0 && index < static_cast<int>(w.items.size()) ? w.items[index] : "";
}

int HeadlessPlatform::itemCount(const Control& list) {
    return static_cast<int>(state(list).items.size());
}

int HeadlessPlatform::selectedIndex(const Control& list) {
    return state(list).chosen;
}

void HeadlessPlatform::setSelectedIndex(Control& list, int index) {
    HeadlessWindow& w = state(list);
    w.chosen = index >= 0 && index < static_cast<int>(w.items.size()) ? index : -1;
}

void HeadlessPlatform::clearItems(Control& list) {
    HeadlessWindow& w = state(list);
    w.items.clear();
    w.chosen = -1;
}

bool HeadlessPlatform::isChecked(const Control& box) {
    return state(box).checked;
}

void HeadlessPlatform::setChecked(Control& box, bool on) {
    state(box).checked = on;
}

// ---- tab controls ----

void HeadlessPlatform::layoutPages(Control& tabControl) {
    const HeadlessWindow& w = state(tabControl);
    const int stripHeight = w.tabHeight > 0 ? w.tabHeight : kDefaultTabHeight;
    for (Control* page : tabControl.pages) {
        page->x = kPageMargin;
        page->y = stripHeight + kPageMargin;
        page->width = std::max(tabControl.width - 2 * kPageMargin, 0);
        page->height = std::max(tabControl.height - stripHeight - 2 * kPageMargin, 0);
    }
}

void HeadlessPlatform::insertTab(Control& tabControl, int index, std::string_view text,
                                 Control& page) {
    HeadlessWindow& w = state(tabControl);
    index = std::clamp(index, 0, static_cast<int>(w.tabs.size()));
    w.tabs.insert(w.tabs.begin() + index, {std::string(text), &page});
    if (w.currentTab < 0) w.currentTab = 0;
    layoutPages(tabControl);
}

Control* HeadlessPlatform::tabPage(const Control& tabControl, int index) {
    const HeadlessWindow& w = state(tabControl);
    return index >= 0 && index < static_cast<int>(w.tabs.size()) ? w.tabs[index].second : nullptr;
}

int HeadlessPlatform::currentTab(const Control& tabControl) {
    return state(tabControl).currentTab;
}

void HeadlessPlatform::setCurrentTab(Control& tabControl, int index) {
    state(tabControl).currentTab = index;
}

void HeadlessPlatform::giveFocus(Control& c) {
    moveFocus(&c);
}

bool HeadlessPlatform::openProgramFile(std::string_view fileName) {
    openedFiles_.emplace_back(fileName);
    return true;
}

void HeadlessPlatform::setTabItemSize(Control& tabControl, int width, int height) {
    HeadlessWindow& w = state(tabControl);
    w.tabWidth = width;
    w.tabHeight = height;
    layoutPages(tabControl);
}

// ---- the loop ----

bool HeadlessPlatform::step() {
    if (!posted_.empty()) {
        Posted p = posted_.front();
        posted_.pop_front();
        deliver(p);
        return true;
    }
    if (actions_.empty()) return false;
    Action a = std::move(actions_.front());
    actions_.pop_front();
    perform(a);
    return true;
}

void HeadlessPlatform::runLoop(Control& application) {
    application_ = &application;
    quit_ = false;
    ranDry_ = false;
    while (!quit_)
        if (!step()) {
            ranDry_ = true;
            break;
        }
    posted_.clear();
}

// The dialog's own loop: the same actions, until endModal; the focus then goes
// back where it was.
void HeadlessPlatform::runModal(Control& dialog) {
    Control* before = focused_;
    modal_.push_back(&dialog);
    if (Control* first = nextTabStop(dialog, nullptr, false); first != nullptr) {
        moveFocus(first);
        if (first->kind == ControlKind::EditBox)
            state(*first).selected = {0, static_cast<int>(state(*first).text.size())};
    }
    auto ended = [&] { return std::find(ended_.begin(), ended_.end(), &dialog) != ended_.end(); };
    while (!quit_ && !ended())
        if (!step()) {
            problem("a dialog is still open when the actions ran out: \"" + dialog.text + "\"");
            break;
        }
    std::erase(ended_, &dialog);
    modal_.pop_back();
    if (before != nullptr && windows_.count(before) != 0) moveFocus(before);
}

void HeadlessPlatform::endModal(Control& dialog) {
    ended_.push_back(&dialog);
}

void HeadlessPlatform::deliver(const Posted& p) {
    switch (p.kind) {
    case PostedKind::ListChange:
        raiseChange(*p.control);
        break;
    case PostedKind::Close:
        closeRequested(*p.control);
        break;
    }
}

void HeadlessPlatform::postClose(Control& window) {
    posted_.push_back({PostedKind::Close, &window});
}

void HeadlessPlatform::quitLoop() {
    quit_ = true;
}

bool HeadlessPlatform::reachable(const Action& a, ControlKind expected) {
    const char* what = kindName(expected);
    if (a.control == nullptr || a.control->kind != expected) {
        problem(std::string("the action needs a ") + what);
        return false;
    }
    if (a.control->window == nullptr) {
        problem(std::string("a ") + what + " without a window cannot be used");
        return false;
    }
    if (!isReachable(*a.control)) {
        problem(std::string("a hidden or disabled ") + what + " cannot be used: \"" +
                a.control->text + "\"");
        return false;
    }
    return true;
}

// The focus moves to `to`; the edit box that had it is told.
void HeadlessPlatform::moveFocus(Control* to) {
    Control* left = focused_;
    if (left == to) return;
    focused_ = to;
    if (left != nullptr && left->kind == ControlKind::EditBox) raiseFocusLeave(*left);
}

void HeadlessPlatform::performChoose(const Action& a) {
    if (!reachable(a, ControlKind::List)) return;
    moveFocus(a.control);
    HeadlessWindow& w = state(*a.control);
    if (a.number < 0 || a.number >= static_cast<int>(w.items.size())) {
        problem("no list entry " + std::to_string(a.number) + " to choose");
        return;
    }
    w.chosen = a.number;
    // The list reports the choice to itself later, through the loop.
    posted_.push_back({PostedKind::ListChange, a.control});
}

// Each character as a key press at the end of the box's text.
void HeadlessPlatform::performType(const Action& a) {
    if (!reachable(a, ControlKind::EditBox)) return;
    Control& edit = *a.control;
    moveFocus(&edit);
    for (char typed : a.text) {
        char ch = typed;
        std::string& text = state(edit).text;
        const int end = static_cast<int>(text.size());
        state(edit).selected = {end, end};
        if (!raiseKeyChar(edit, ch, static_cast<unsigned>(a.number))) continue;
        const auto code = static_cast<unsigned char>(ch);
        if (ch == '\b') {
            if (text.empty()) continue;
            text.pop_back();
        } else if (code < 0x20 || code == 0x7F) {
            continue;
        } else if ((edit.options & kDigitsOnly) != 0 && (ch < '0' || ch > '9')) {
            continue;
        } else {
            text.push_back(ch);
        }
        raiseChange(edit);
    }
}

void HeadlessPlatform::performClick(const Action& a) {
    if (a.control != nullptr && a.control->kind == ControlKind::CheckBox) {
        if (!reachable(a, ControlKind::CheckBox)) return;
        moveFocus(a.control);
        HeadlessWindow& w = state(*a.control);
        w.checked = !w.checked;
    } else if (!reachable(a, ControlKind::Button)) {
        return;
    } else {
        moveFocus(a.control);
    }
    raiseClick(*a.control);
}

void HeadlessPlatform::performSwitchTab(const Action& a) {
    if (!reachable(a, ControlKind::TabControl)) return;
    moveFocus(a.control);
    HeadlessWindow& w = state(*a.control);
    if (a.number < 0 || a.number >= static_cast<int>(w.tabs.size())) {
        problem("no tab " + std::to_string(a.number));
        return;
    }
    if (a.number == w.currentTab) return; // choosing the current tab changes nothing
    w.currentTab = a.number;
    tabChosen(*a.control, a.number);
}

// A button's key first; else Ctrl with the letter is the window's key command,
// raised for the control that has the focus.
void HeadlessPlatform::performKey(const Action& a) {
    if (Control* button = buttonForKey(*a.control, a.text[0], a.number != 0); button != nullptr) {
        raiseClick(*button);
        return;
    }
    if (a.number == 0 && a.text[0] > kKeyF12) return; // Alt with a letter no button has
    Control* from = focused_ != nullptr && &topLevelOf(*focused_) == a.control ? focused_ : a.control;
    raiseKeyCommand(*from, a.text[0]);
}

void HeadlessPlatform::performDialogKey(const Action& a) {
    if (focused_ == nullptr) {
        problem("Enter or Esc without a focused control");
        return;
    }
    const bool escape = a.number != 0;
    if (!escape && focused_->kind == ControlKind::Button) {
        raiseClick(*focused_);
        return;
    }
    if (Control* button = dialogButton(topLevelOf(*focused_), escape); button != nullptr)
        raiseClick(*button);
}

void HeadlessPlatform::performMenu(const Action& a) {
    if (a.control == nullptr || !reachable(a, a.control->kind)) return;
    if (a.control->menuItems.empty()) {
        problem("a context menu on a control without one: \"" + a.control->text + "\"");
        return;
    }
    moveFocus(a.control);
    if (a.number >= static_cast<int>(a.control->menuItems.size()))
        problem("no context menu entry " + std::to_string(a.number));
    else if (a.number >= 0)
        menuItemChosen(*a.control, a.number);
}

void HeadlessPlatform::perform(Action& a) {
    switch (a.kind) {
    case ActionKind::Choose: performChoose(a); return;
    case ActionKind::Type: performType(a); return;
    case ActionKind::Paste: {
        if (!reachable(a, ControlKind::EditBox)) return;
        moveFocus(a.control);
        state(*a.control).selected = {0, static_cast<int>(state(*a.control).text.size())};
        std::string text = a.text;
        if (!raisePaste(*a.control, text)) return;
        state(*a.control).text = text;
        raiseChange(*a.control);
        return;
    }
    case ActionKind::Focus:
        if (a.control == nullptr || !reachable(a, a.control->kind)) return;
        moveFocus(a.control);
        return;
    case ActionKind::Click: performClick(a); return;
    case ActionKind::Key: performKey(a); return;
    case ActionKind::DialogKey: performDialogKey(a); return;
    case ActionKind::Menu: performMenu(a); return;
    case ActionKind::SwitchTab: performSwitchTab(a); return;
    case ActionKind::Answer: problem("an answer was scripted but no message box is open"); return;
    case ActionKind::PressClose:
        if (a.control == nullptr || a.control->window == nullptr) {
            problem("close box of a window that does not exist");
            return;
        }
        closeRequested(*a.control);
        return;
    case ActionKind::Activate:
        if (a.control != nullptr && a.control->window != nullptr) raiseActivate(*a.control);
        return;
    case ActionKind::TaskbarClose:
        if (application_ != nullptr) closeRequested(*application_);
        return;
    case ActionKind::Call:
        if (a.step) a.step();
        return;
    }
}

int HeadlessPlatform::messageBox(Control& owner, std::string_view text, std::string_view caption,
                                 unsigned flags) {
    ShownMessageBox box{owner.text, std::string(text), std::string(caption), flags,
                        defaultAnswer(flags)};
    if (!actions_.empty() && actions_.front().kind == ActionKind::Answer) {
        box.answer = actions_.front().number;
        const std::function<void()> whileShown = std::move(actions_.front().step);
        actions_.pop_front();
        if (whileShown) whileShown();
        if (!answerFits(flags, box.answer))
            problem("the answer is not a button of the box: " + box.text);
    } else {
        problem("a message box without a scripted answer: " + box.text);
    }
    boxes_.push_back(box);
    return box.answer;
}

std::function<void()> HeadlessPlatform::claimFolder(std::string_view folder, bool& heldElsewhere) {
    static std::map<std::string, int> claims; // folder -> claims that hold it
    const std::filesystem::path path = folder.empty() ? std::filesystem::path(".")
                                                      : std::filesystem::path(std::string(folder));
    const std::string key = std::filesystem::absolute(path).lexically_normal().generic_string();
    // "/tmp/game/" and "/tmp/game" are one folder.
    const std::string name = key.size() > 1 && key.back() == '/' ? key.substr(0, key.size() - 1) : key;
    heldElsewhere = claims[name]++ > 0;
    return [name] {
        if (--claims[name] == 0) claims.erase(name);
    };
}
