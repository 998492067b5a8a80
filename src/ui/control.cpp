// The platform-neutral half of the control layer: kept state, deferred window
// creation, and every operation of ui/control.h. Anything that needs a window
// creates it here and then asks the control's platform.

#include "ui/control.h"

#include "ui/dispatch.h"
#include "ui/platform.h"
#include "ui/trace.h"

#include <algorithm>

namespace {

// Room a group box keeps between its frame and the texts wrapped inside it.
constexpr int kGroupInset = 8;

bool isTopLevel(const Control& c) {
    return c.kind == ControlKind::Application || c.kind == ControlKind::MainWindow ||
           c.kind == ControlKind::Dialog;
}

Control& makeControl(Control& parent, ControlKind kind) {
    auto owned = std::make_unique<Control>();
    Control& c = *owned;
    c.kind = kind;
    c.parent = &parent;
    c.platform = parent.platform;
    c.styleBits = kStyleChild;
    switch (kind) {
    case ControlKind::Application:
    case ControlKind::MainWindow:
        break;
    case ControlKind::Dialog:
        c.styleBits = kStylePopup | kStyleCaption | kStyleSysMenu | kStyleClipChildren;
        c.width = 300, c.height = 150, c.visible = false;
        break;
    case ControlKind::TabControl:
        c.width = 200, c.height = 150, c.tabStop = true;
        c.styleBits |= kStyleClipSiblings | kStyleClipChildren;
        break;
    case ControlKind::Page:
    case ControlKind::Panel:
        c.width = 100, c.height = 100;
        c.styleBits |= kStyleClipChildren;
        break;
    case ControlKind::GroupBox:
        c.width = 185, c.height = 105;
        c.styleBits |= kStyleClipChildren;
        break;
    case ControlKind::Label:
    case ControlKind::WrappingLabel:
        c.width = 64, c.height = 17;
        break;
    case ControlKind::EditBox:
        c.width = 100, c.height = 22, c.tabStop = true, c.colour = kColourWindow;
        break;
    case ControlKind::List:
        c.width = 100, c.height = 22, c.tabStop = true, c.colour = kColourWindow;
        break;
    case ControlKind::CheckBox:
        c.width = 100, c.height = 17, c.tabStop = true;
        break;
    case ControlKind::Button:
        c.width = 75, c.height = 25, c.tabStop = true;
        break;
    }
    if (c.tabStop) c.styleBits |= kStyleTabStop;
    parent.children.push_back(std::move(owned));
    return c;
}

Control& makeTextControl(Control& parent, ControlKind kind, std::string_view text) {
    Control& c = makeControl(parent, kind);
    c.text = std::string(text);
    return c;
}

// c's window, given what c kept while it had none.
void makeWindow(Control& c) {
    {
        TraceSpan span("window creation");
        c.platform->createWindow(c);
    }
    if (c.window == nullptr) return;
    if (c.kind == ControlKind::List && !c.keptItems.empty()) {
        c.platform->addItems(c, c.keptItems);
        c.keptItems = {};
        c.platform->setSelectedIndex(c, c.keptSelection);
    }
    if (c.kind == ControlKind::CheckBox && c.keptChecked) c.platform->setChecked(c, true);
}

// The windows of c's ancestors, each alone: their other children wait for the
// loop, so that edit boxes beside a list that needed its window stay windowless.
void createAncestors(Control& c) {
    if (c.parent == nullptr || c.parent->window != nullptr) return;
    createAncestors(*c.parent);
    makeWindow(*c.parent);
}

// c's window with its ancestors', then the windows of its descendants in creation order.
void ensureWindow(Control& c) {
    if (c.window != nullptr) return;
    createAncestors(c);
    makeWindow(c);
    for (auto& child : c.children)
        ensureWindow(*child);
}

// Every window of the tree that does not exist yet, parents before children;
// a hidden page's wait until it is shown (most of a window's controls are on
// the pages not shown first, and each window costs time to make).
void createAll(Control& c) {
    if (c.kind == ControlKind::Page && !c.visible) return;
    if (c.window == nullptr) makeWindow(c);
    for (auto& child : c.children)
        createAll(*child);
}

void applyBounds(Control& c) {
    if (c.window != nullptr) c.platform->setWindowBounds(c);
}

void autoSizeNow(Control& c) {
    if (!c.autoSize) return;
    if (c.text.empty()) {
        c.width = 0;
        applyBounds(c);
        return;
    }
    // A wrapping label wraps at its parent's edge, inside a group box's frame.
    int maxWidth = 0;
    const int inset = c.parent != nullptr && c.parent->kind == ControlKind::GroupBox ? kGroupInset : 0;
    if (c.kind == ControlKind::WrappingLabel && c.parent != nullptr && c.parent->width - inset > c.x)
        maxWidth = c.parent->width - inset - c.x;
    Size size;
    {
        TraceSpan span("text measuring");
        size = c.platform->measure(c, maxWidth);
    }
    c.width = size.width;
    c.height = size.height;
    applyBounds(c);
}

// Re-measures c and the auto-sized descendants that draw with its font.
void fontChanged(Control& c) {
    if (c.window != nullptr) {
        TraceSpan span("font changes");
        c.platform->applyFont(c);
    }
    autoSizeNow(c);
    for (auto& child : c.children)
        if (!child->ownFont) fontChanged(*child);
}

void keepClientSize(Control& window) {
    if (!isTopLevel(window) || window.clientWidth < 0) return;
    Size outer = window.platform->outerSize(window, {window.clientWidth, window.clientHeight});
    window.width = outer.width;
    window.height = outer.height;
}

Control& applicationOf(Control& c) {
    Control* p = &c;
    while (p->parent != nullptr)
        p = p->parent;
    return *p;
}

} // namespace

// ---- chainable placement ----

Control& Control::place(int newX, int newY) {
    x = newX;
    y = newY;
    applyBounds(*this);
    return *this;
}

Control& Control::resize(int newWidth, int newHeight) {
    if (newWidth > 0) width = newWidth;
    if (newHeight > 0) height = newHeight;
    clientWidth = clientHeight = -1;
    applyBounds(*this);
    return *this;
}

Control& Control::setAutoSize(bool on) {
    autoSize = on;
    autoSizeNow(*this);
    return *this;
}

Control& Control::setTabStop(bool on) {
    tabStop = on;
    if (!isTopLevel(*this)) {
        styleBits = on ? (styleBits | kStyleTabStop) : (styleBits & ~kStyleTabStop);
        if (window != nullptr) platform->applyStyle(*this);
    }
    return *this;
}

Control& Control::setId(int number) {
    id = number;
    if (window != nullptr) platform->applyId(*this);
    return *this;
}

Control* findControl(Control& root, int id) {
    if (root.id == id) return &root;
    for (auto& child : root.children)
        if (Control* found = findControl(*child, id); found != nullptr) return found;
    return nullptr;
}

// ---- creation ----

Control& createApplication(Platform& platform, std::string_view caption) {
    auto app = std::make_unique<Control>();
    app->kind = ControlKind::Application;
    app->platform = &platform;
    app->text = std::string(caption);
    app->styleBits = kStylePopup;
    app->visible = false;
    app->ownFont = Font{};
    return platform.adoptApplication(std::move(app));
}

Control& createMainWindow(Control& application, std::string_view caption) {
    Control& c = makeTextControl(application, ControlKind::MainWindow, caption);
    c.styleBits = kStyleOverlappedWindow | kStyleClipChildren;
    c.x = 100, c.y = 100, c.width = 400, c.height = 300;
    return c;
}

Control& createDialog(Control& owner, std::string_view caption) {
    return makeTextControl(owner, ControlKind::Dialog, caption);
}

Control& createTabControl(Control& parent, std::initializer_list<std::string_view> tabTexts,
                          unsigned options) {
    Control& tabs = makeControl(parent, ControlKind::TabControl);
    tabs.options = options;
    for (size_t i = 0; i < tabTexts.size(); ++i) {
        Control& page = makeControl(tabs, ControlKind::Page);
        page.visible = i == 0;
        tabs.pages.push_back(&page);
    }
    // Tab insertion is a message to the tab control's window.
    ensureWindow(tabs);
    int index = 0;
    for (std::string_view text : tabTexts) {
        tabs.platform->insertTab(tabs, index, text, *tabs.pages[index]);
        ++index;
    }
    return tabs;
}

Control& tabPage(Control& tabControl, int index) {
    if (tabControl.kind != ControlKind::TabControl) return tabControl;
    ensureWindow(tabControl);
    Control* page = tabControl.platform->tabPage(tabControl, index);
    return page != nullptr ? *page : tabControl;
}

Control& createGroupBox(Control& parent, std::string_view caption) {
    return makeTextControl(parent, ControlKind::GroupBox, caption);
}

Control& createLabel(Control& parent, std::string_view text) {
    return makeTextControl(parent, ControlKind::Label, text);
}

Control& createWrappingLabel(Control& parent, std::string_view text) {
    return makeTextControl(parent, ControlKind::WrappingLabel, text);
}

Control& createPanel(Control& parent, unsigned edgeStyle) {
    Control& c = makeControl(parent, ControlKind::Panel);
    c.options = edgeStyle;
    return c;
}

Control& createEditBox(Control& parent, unsigned options) {
    Control& c = makeControl(parent, ControlKind::EditBox);
    c.options = options;
    return c;
}

Control& createList(Control& parent, unsigned options) {
    Control& c = makeControl(parent, ControlKind::List);
    c.options = options;
    return c;
}

Control& createCheckBox(Control& parent, std::string_view caption) {
    return makeTextControl(parent, ControlKind::CheckBox, caption);
}

Control& createButton(Control& parent, std::string_view caption) {
    return makeTextControl(parent, ControlKind::Button, caption);
}

// ---- windows ----

void setClientSize(Control& window, int width, int height) {
    if (!isTopLevel(window)) {
        window.resize(width, height);
        return;
    }
    window.clientWidth = std::max(width, 0);
    window.clientHeight = std::max(height, 0);
    keepClientSize(window);
    applyBounds(window);
}

void centre(Control& window) {
    Size area = isTopLevel(window) || window.parent == nullptr
                    ? window.platform->screenSize()
                    : Size{window.parent->width, window.parent->height};
    window.x = (area.width - window.width) / 2;
    window.y = (area.height - window.height) / 2;
    applyBounds(window);
}

void holdSize(Control& window) {
    window.sizeHeld = true;
    if (isTopLevel(window) && (window.styleBits & kStyleThickFrame) != 0)
        setStyle(window, window.styleBits & ~kStyleThickFrame);
}

void enableTabNavigation(Control& window) {
    window.tabNavigation = true;
}

void setStyle(Control& c, uint32_t platformStyleBits) {
    c.styleBits = platformStyleBits;
    if (!isTopLevel(c)) c.tabStop = (platformStyleBits & kStyleTabStop) != 0;
    keepClientSize(c);
    if (c.window != nullptr) {
        c.platform->applyStyle(c);
        applyBounds(c);
    }
}

uint32_t style(const Control& c) {
    return c.styleBits;
}

void setCaptionAlignment(Control& groupBox, Alignment alignment) {
    groupBox.captionAlignment = alignment;
    if (groupBox.window != nullptr) groupBox.platform->applyStyle(groupBox);
}

void releaseWith(Control& c, std::function<void()> release) {
    if (release) c.releasers.push_back(std::move(release));
}

void setShortcut(Control& button, char letterKey) {
    if (button.kind == ControlKind::Button) button.shortcut = letterKey;
}

void setDefaultButton(Control& button) {
    if (button.kind != ControlKind::Button) return;
    button.isDefault = true;
    if (button.window != nullptr) button.platform->applyStyle(button);
}

void setCancelButton(Control& button) {
    if (button.kind == ControlKind::Button) button.isCancel = true;
}

void setKeyCommand(Control& window, char key, ClickSlot slot) {
    if ((key >= 'A' && key <= 'Z') || (key >= kKeyF1 && key <= kKeyF12)) window.keyCommands.push_back({key, slot});
}

void setFocus(Control& c) {
    ensureWindow(c);
    c.platform->giveFocus(c);
}

bool openProgramFile(Control& c, std::string_view fileName) {
    return c.platform != nullptr && c.platform->openProgramFile(fileName);
}

void setContextMenu(Control& c, std::vector<std::string> entries, MenuSlot onItem) {
    c.menuItems = std::move(entries);
    c.onMenuItem = onItem;
}

void setVisible(Control& c, bool on) {
    c.visible = on;
    // A page shown for the first time gets its windows now.
    if (on && c.kind == ControlKind::Page && c.parent != nullptr && c.parent->window != nullptr)
        createAll(c);
    if (c.window != nullptr) c.platform->applyVisible(c);
}

bool isVisible(const Control& c) {
    return c.visible;
}

// ---- text, look and state ----

std::string controlText(const Control& c) {
    if (c.window != nullptr) return c.platform->windowText(c);
    // A list shows its chosen entry.
    if (c.kind == ControlKind::List) return itemText(c, c.keptSelection);
    return c.text;
}

void setControlText(Control& c, std::string_view text) {
    c.text = std::string(text);
    if (c.window != nullptr) {
        TraceSpan span("window texts");
        c.platform->setWindowText(c, text);
    }
    autoSizeNow(c);
}

TextRange selection(const Control& edit) {
    if (edit.kind == ControlKind::EditBox && edit.window != nullptr)
        return edit.platform->selection(edit);
    const int end = static_cast<int>(edit.text.size());
    return {end, end};
}

void showInputTip(Control& edit, std::string_view title, std::string_view text) {
    if (edit.kind == ControlKind::EditBox && edit.window != nullptr)
        edit.platform->showInputTip(edit, title, text);
}

void showNotice(Control& c, std::string_view title, std::string_view text) {
    if (c.window != nullptr) c.platform->showNotice(c, title, text);
}

void setEnabled(Control& c, bool on) {
    c.enabled = on;
    if (c.window != nullptr) c.platform->applyEnabled(c);
}

bool isEnabled(const Control& c) {
    return c.enabled;
}

void setColour(Control& c, uint32_t colour) {
    c.colour = colour;
    if (c.window != nullptr) c.platform->applyColour(c);
}

Font effectiveFont(const Control& c) {
    for (const Control* p = &c; p != nullptr; p = p->parent)
        if (p->ownFont) return *p->ownFont;
    return Font{};
}

Font& font(Control& c) {
    if (!c.ownFont) c.ownFont = effectiveFont(c);
    return *c.ownFont;
}

void setFontHeight(Control& c, int height) {
    font(c).height = height;
    fontChanged(c);
}

void setFontName(Control& c, std::string_view name) {
    font(c).name = std::string(name);
    fontChanged(c);
}

void setFontStyle(Control& c, unsigned style) {
    font(c).style = style;
    fontChanged(c);
}

void setFontColour(Control& c, uint32_t colour) {
    font(c).colour = colour;
    if (c.window != nullptr) c.platform->applyColour(c);
}

void setTag(Control& c, int32_t value) {
    c.tagValue = value;
}

int32_t tag(const Control& c) {
    return c.tagValue;
}

// ---- lists ----

int addItem(Control& list, std::string_view text) {
    if (list.kind != ControlKind::List) return -1;
    if (list.window == nullptr) {
        list.keptItems.emplace_back(text);
        if (list.keptItems.size() == 1) list.keptSelection = 0;
        return static_cast<int>(list.keptItems.size()) - 1;
    }
    // Entries are appended: index 0 means the list was empty.
    int index = list.platform->addItem(list, text);
    if (index == 0) list.platform->setSelectedIndex(list, 0);
    return index;
}

void setItemText(Control& list, int index, std::string_view text) {
    if (list.kind != ControlKind::List) return;
    const int count = itemCount(list);
    if (index == count)
        addItem(list, text);
    else if (index >= 0 && index < count && list.window == nullptr)
        list.keptItems[static_cast<size_t>(index)] = std::string(text);
    else if (index >= 0 && index < count)
        list.platform->replaceItem(list, index, text);
}

std::string itemText(const Control& list, int index) {
    if (list.kind != ControlKind::List || index < 0 || index >= itemCount(list)) return {};
    if (list.window == nullptr) return list.keptItems[static_cast<size_t>(index)];
    return list.platform->itemText(list, index);
}

int itemCount(const Control& list) {
    if (list.kind != ControlKind::List) return 0;
    if (list.window == nullptr) return static_cast<int>(list.keptItems.size());
    return list.platform->itemCount(list);
}

int selectedIndex(const Control& list) {
    if (list.kind != ControlKind::List) return -1;
    if (list.window == nullptr) return list.keptSelection;
    return list.platform->selectedIndex(list);
}

void setSelectedIndex(Control& list, int index) {
    if (list.kind != ControlKind::List) return;
    if (index < 0 || index >= itemCount(list)) index = -1;
    if (list.window == nullptr)
        list.keptSelection = index;
    else
        list.platform->setSelectedIndex(list, index);
}

void clearItems(Control& list) {
    if (list.kind != ControlKind::List) return;
    list.keptItems.clear();
    list.keptSelection = -1;
    if (list.window != nullptr) list.platform->clearItems(list);
}

// ---- check boxes ----

bool isChecked(const Control& box) {
    if (box.kind != ControlKind::CheckBox) return false;
    if (box.window == nullptr) return box.keptChecked;
    return box.platform->isChecked(box);
}

void setChecked(Control& box, bool on) {
    if (box.kind != ControlKind::CheckBox) return;
    if (box.window == nullptr)
        box.keptChecked = on;
    else
        box.platform->setChecked(box, on);
}

// ---- tab controls ----

void setTabItemSize(Control& tabControl, int width, int height) {
    if (tabControl.kind != ControlKind::TabControl) return;
    ensureWindow(tabControl);
    tabControl.platform->setTabItemSize(tabControl, width, height);
}

int currentTab(const Control& tabControl) {
    if (tabControl.kind != ControlKind::TabControl || tabControl.window == nullptr) return -1;
    return tabControl.platform->currentTab(tabControl);
}

void showTab(Control& tabControl, int index) {
    if (tabControl.kind != ControlKind::TabControl || tabControl.window == nullptr) return;
    if (index < 0 || index >= static_cast<int>(tabControl.pages.size()) || currentTab(tabControl) == index) return;
    tabControl.platform->setCurrentTab(tabControl, index);
    tabChosen(tabControl, index);
}

// ---- application ----

void makeWindows(Control& c) {
    createAncestors(c);
    createAll(c);
}

void runMessageLoop(Control& application) {
    if (application.kind != ControlKind::Application) return;
    Platform& platform = *application.platform;
    traceMark("message loop: windows not yet made");
    createAll(application);
    traceMark("message loop: every window made");
    for (auto& child : application.children)
        if (child->kind == ControlKind::MainWindow && child->visible) {
            platform.showMainWindow(*child);
            traceMark("main window shown");
            traceTotals("until the window was shown");
            // Before the loop: what the handler shows comes before any user input.
            if (child->onShown.fn) child->onShown.fn(child->onShown.context, *child);
            break;
        }
    platform.runLoop(application);
    platform.releaseApplication(application);
}

int showModal(Control& dialog) {
    if (dialog.kind != ControlKind::Dialog || dialog.parent == nullptr) return 0;
    Control& owner = *dialog.parent;
    Platform& platform = *dialog.platform;
    dialog.x = owner.x + (owner.width - dialog.width) / 2;
    dialog.y = owner.y + (owner.height - dialog.height) / 2;
    dialog.visible = true;
    createAll(dialog); // a label sized early may have made the dialog's window alone
    applyBounds(dialog);
    // Disabled, the owner takes no input while the dialog shows, as a system dialog's does.
    setEnabled(owner, false);
    platform.runModal(dialog);
    setEnabled(owner, true);
    const int result = dialog.dialogResult;
    platform.releaseControl(dialog);
    return result;
}

void endDialog(Control& dialog, int result) {
    if (dialog.kind != ControlKind::Dialog || dialog.window == nullptr) return;
    dialog.dialogResult = result;
    dialog.platform->endModal(dialog);
}

void requestClose(Control& window) {
    ensureWindow(window);
    window.platform->postClose(window);
}

bool claimFolder(Control& window, std::string_view folder) {
    bool heldElsewhere = false;
    releaseWith(window, window.platform->claimFolder(folder, heldElsewhere));
    return !heldElsewhere;
}

int messageBox(Control& application, std::string_view text, unsigned flags) {
    Control& app = applicationOf(application);
    ensureWindow(app);
    return app.platform->messageBox(app, text, app.text, flags);
}

int messageBoxOwned(Control& owner, std::string_view text, std::string_view caption,
                    unsigned flags) {
    ensureWindow(owner);
    return owner.platform->messageBox(owner, text, caption, flags);
}
