#pragma once
// The control layer: every window of the interface (the application, the main
// window and each control on it) is one Control object that keeps its text,
// bounds, font, colour, tag and event slots. The platform window behind an
// object is created late: when an operation needs it, at the latest when the
// message loop starts. Before that, every operation works on the kept state.
// Texts are Windows-1251 bytes. Nothing here throws.

#include "ui/styles.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Platform;
struct Control;

enum class ControlKind {
    Application,
    MainWindow,
    Dialog, // a top-level window owned by the main window, shown modal (showModal)
    TabControl,
    Page,
    GroupBox,
    Label,
    WrappingLabel,
    Panel,
    EditBox,
    List,
    CheckBox,
    Button,
};

enum class Alignment { Left, Centre, Right };

// An event slot is a handler plus the context value handed back to it; an empty
// slot (fn == nullptr) raises nothing.
struct ClickSlot {
    using Fn = void (*)(void* context, Control& sender);
    Fn fn = nullptr;
    void* context = nullptr;
};
struct KeyCharSlot {
    // ch is the typed character (1251 byte); setting it to 0 discards the keystroke.
    using Fn = void (*)(void* context, Control& sender, char& ch, unsigned shiftState);
    Fn fn = nullptr;
    void* context = nullptr;
};
struct PasteSlot {
    // text is what is pasted (1251); the handler may change it; emptied, nothing is pasted.
    using Fn = void (*)(void* context, Control& sender, std::string& text);
    Fn fn = nullptr;
    void* context = nullptr;
};
struct MenuSlot {
    // item is the index of the chosen entry of the control's context menu.
    using Fn = void (*)(void* context, Control& sender, int item);
    Fn fn = nullptr;
    void* context = nullptr;
};
// Function keys for setKeyCommand, pressed alone (no Ctrl, Alt or Shift).
inline constexpr char kKeyF1 = 1;
inline constexpr char kKeyF3 = 3;
inline constexpr char kKeyF12 = 12;

struct KeyCommand {
    char key = 0; // 'A'..'Z', pressed with Ctrl; or kKeyF1..kKeyF12 alone
    ClickSlot slot;
};
struct CloseSlot {
    // accept is true on entry; leaving it false keeps the window open.
    using Fn = void (*)(void* context, Control& window, bool& accept);
    Fn fn = nullptr;
    void* context = nullptr;
};

// shiftState bits of onKeyChar.
inline constexpr unsigned kShiftKey = 1;
inline constexpr unsigned kAltKey = 2;
inline constexpr unsigned kCtrlKey = 4;

// Colours: an RGB value 0x00BBGGRR, or a system colour reference (top bit set,
// the platform's system colour index in the low bits).
constexpr uint32_t systemColour(int index) {
    return 0x80000000u | static_cast<uint32_t>(index);
}
inline constexpr uint32_t kColourWindow = systemColour(5);     // window background
inline constexpr uint32_t kColourWindowText = systemColour(8); // window text
inline constexpr uint32_t kColourFace = systemColour(15);      // dialog face

// Font style bits.
inline constexpr unsigned kBold = 1;
inline constexpr unsigned kItalic = 2;
inline constexpr unsigned kUnderline = 4;
inline constexpr unsigned kStrikeOut = 8;

struct Font {
    int height = 11; // character height in pixels
    std::string name = "Tahoma";
    unsigned style = 0; // kBold | kItalic | kUnderline | kStrikeOut
    uint32_t colour = kColourWindowText;
};

struct Control {
    ControlKind kind = ControlKind::Label;
    Control* parent = nullptr;                      // none for the application
    std::vector<std::unique_ptr<Control>> children; // creation order; destroyed with it
    std::string text;                               // the text last set (1251)
    int x = 0, y = 0, width = 0, height = 0;        // relative to the parent's client area
    std::optional<Font> ownFont;                    // absent: the parent's font is used
    uint32_t colour = kColourFace;                  // background
    int32_t tagValue = 0;
    int id = 0; // the number its window carries as its child-window id (GetDlgCtrlID); 0 for none
    bool enabled = true;
    bool visible = true;
    bool autoSize = false;
    bool tabStop = false;
    bool tabNavigation = false; // enableTabNavigation was called on this window
    bool sizeHeld = false;      // holdSize was called on this window
    uint32_t styleBits = 0;     // platform style bits (kStyle... and the kind's own)
    unsigned options = 0;       // the creation options (kDigitsOnly, kEdgeSunken, ...)
    Alignment captionAlignment = Alignment::Left;
    char shortcut = 0; // buttons: Ctrl with this letter key ('A'..'Z') presses it
    bool isDefault = false; // buttons: Enter presses it from any control of its window
    bool isCancel = false;  // buttons: Esc and the window's close box press it
    std::vector<KeyCommand> keyCommands; // top-level windows: Ctrl+letter commands
    std::vector<std::string> menuItems;  // the context menu's entries ("&" marks a letter)
    // Until the window is made (then it holds them): a list's entries and its
    // chosen one, a check box's mark. A hidden page's controls get no windows
    // until the page is first shown.
    std::vector<std::string> keptItems;
    int keptSelection = -1;
    bool keptChecked = false;
    int dialogResult = 0;                // dialogs: what endDialog gave
    int clientWidth = -1, clientHeight = -1; // set by setClientSize, kept across style changes
    std::vector<Control*> pages;             // a tab control's pages, in tab order

    ClickSlot onClick;     // buttons, check boxes (after the box toggled itself)
    ClickSlot onChange;    // edit boxes (at once), lists (later, from the message loop)
    ClickSlot onSelect;    // lists: raised instead of onChange when set; tab controls: tab changed
    KeyCharSlot onKeyChar; // any control that receives typed characters
    PasteSlot onPaste;     // edit boxes: text pasted (Ctrl+V, Shift+Insert, the context menu)
    ClickSlot onFocusLeave; // edit boxes: the keyboard focus left the box (EN_KILLFOCUS)
    CloseSlot onCloseRequest; // the main window
    ClickSlot onDestroy;      // any control, when the object tree is released
    ClickSlot onShown;        // the main window, once, right after it is first shown
    ClickSlot onActivate;     // the main window: activated again, raised from the loop
    MenuSlot onMenuItem;      // any control with a context menu: an entry was chosen

    std::vector<std::function<void()>> releasers; // owned objects, released with the control

    void* window = nullptr;       // the platform window; null until it is created
    Platform* platform = nullptr; // the platform the control lives on
    bool releasing = false;       // the tree is being released: no more events

    // Chainable placement; each returns this control.
    Control& place(int newX, int newY);
    Control& resize(int newWidth, int newHeight); // a dimension <= 0 stays as it is
    Control& setAutoSize(bool on);                // size to the text now and after each change
    Control& setTabStop(bool on);
    // The control's id, given before its window is made so that the window is
    // created with it; a window made already takes it at once.
    Control& setId(int number);
};

// The control below root (or root itself) whose id is this number; nullptr when none.
Control* findControl(Control& root, int id);

// Creation. Every creating operation returns the new control, owned by its parent
// (the application by the platform) until the tree is released by runMessageLoop.
Control& createApplication(Platform& platform, std::string_view caption);
Control& createMainWindow(Control& application, std::string_view caption);
// A dialog owned by the main window `owner`: hidden until showModal; it holds no
// size of its own until setClientSize gives it one.
Control& createDialog(Control& owner, std::string_view caption);
// One tab per text, each with its own page; the first page visible.
Control& createTabControl(Control& parent, std::initializer_list<std::string_view> tabTexts,
                          unsigned options);
// The page of tab index; an index outside the tabs gives the tab control itself.
Control& tabPage(Control& tabControl, int index);
Control& createGroupBox(Control& parent, std::string_view caption);
Control& createLabel(Control& parent, std::string_view text);
Control& createWrappingLabel(Control& parent, std::string_view text);
Control& createPanel(Control& parent, unsigned edgeStyle);
Control& createEditBox(Control& parent, unsigned options);
Control& createList(Control& parent, unsigned options);
Control& createCheckBox(Control& parent, std::string_view caption);
Control& createButton(Control& parent, std::string_view caption);

// Windows.
// Makes the windows of c (and its ancestors') and of its descendants on shown
// pages now rather than when the message loop starts (other work can go on meanwhile).
void makeWindows(Control& c);
void setClientSize(Control& window, int width, int height); // outer size follows the frame
void centre(Control& window);              // top-level: on the screen; child: on its parent
void holdSize(Control& window);            // the border can no longer resize it
void enableTabNavigation(Control& window); // Tab / Shift+Tab between its tab stops
void setStyle(Control& c, uint32_t platformStyleBits); // replaces the window style
uint32_t style(const Control& c);
void setCaptionAlignment(Control& groupBox, Alignment alignment);
void releaseWith(Control& c, std::function<void()> release); // called when c is destroyed
// Ctrl with the letter key ('A'..'Z') presses the button from anywhere in its
// window, as a click does. A button's Alt letter is the one its caption marks
// with "&" ("&Save": Alt+S).
void setShortcut(Control& button, char letterKey);
// Enter (a default button) or Esc and the close box (a cancel button) press the
// button from any control of its window, unless a button has the focus (Enter
// presses that one).
void setDefaultButton(Control& button);
void setCancelButton(Control& button);
// Ctrl with the letter key ('A'..'Z'), or a function key (kKeyF1..kKeyF12) alone,
// from any control of the top-level window raises slot, with the control that
// has the keyboard focus as its sender (the window when none has). A button's
// shortcut of the same key comes first.
void setKeyCommand(Control& window, char key, ClickSlot slot);
// The keyboard focus to c (creating its window first), as a click would put it.
void setFocus(Control& c);
// Opens a file beside the program (a guide: in the browser); false when it is
// missing or nothing could open it.
bool openProgramFile(Control& c, std::string_view fileName);
// A context menu on c: its entries (1251; "&" marks each one's letter), opened by a
// right click on c, or Shift+F10 or the menu key while c has the focus. The entry
// chosen raises onItem with its index; a menu closed without a choice raises nothing.
void setContextMenu(Control& c, std::vector<std::string> entries, MenuSlot onItem);
void setVisible(Control& c, bool on);
bool isVisible(const Control& c); // the control's own flag, not its parents'

// Text, look and state.
// With a window: what the window shows (what the user typed); without: the kept copy.
std::string controlText(const Control& c);
// Keeps the text; with a window also sets the window's text, which for an edit box
// raises onChange once before returning; re-sizes when auto-size is on.
void setControlText(Control& c, std::string_view text);
void setEnabled(Control& c, bool on);
// Edit boxes: the selected characters [start, end) of the text; start == end is
// the caret. Without a window, or on another kind: the end of the kept text.
struct TextRange {
    int start = 0;
    int end = 0;
};
TextRange selection(const Control& edit);
// Edit boxes: a balloon tip at the box telling why an input was refused, as the
// platform's digits-only boxes show one. Nothing without a window or on another kind.
void showInputTip(Control& edit, std::string_view title, std::string_view text);
// A balloon at any control with news rather than a refusal (an information
// icon, no sound). Nothing without a window.
void showNotice(Control& c, std::string_view title, std::string_view text);
bool isEnabled(const Control& c);
void setColour(Control& c, uint32_t colour);
// The control's own font, made from the inherited one on first use.
Font& font(Control& c);
// The font the control is drawn with: its own, else the nearest ancestor's.
Font effectiveFont(const Control& c);
void setFontHeight(Control& c, int height);
void setFontName(Control& c, std::string_view name);
void setFontStyle(Control& c, unsigned style);
void setFontColour(Control& c, uint32_t colour);
void setTag(Control& c, int32_t value);
int32_t tag(const Control& c);

// Lists (each creates the list's window first). On a control that is no list they do
// nothing and answer -1, 0, "" or nothing, and create no window.
// Appends and answers the entry's index; the first entry added to an empty list
// becomes the chosen one, without an event.
int addItem(Control& list, std::string_view text);
// Replaces entry index, keeping the chosen entry; index == itemCount appends; others: nothing.
void setItemText(Control& list, int index, std::string_view text);
std::string itemText(const Control& list, int index); // "" for an index outside the list
int itemCount(const Control& list);
int selectedIndex(const Control& list); // -1 when none is chosen
// Chooses the entry without an event; an index outside the list leaves none chosen.
void setSelectedIndex(Control& list, int index);
void clearItems(Control& list);

// Check boxes (each creates the box's window first); setChecked raises no event. On a
// control that is no check box: false, nothing.
bool isChecked(const Control& box);
void setChecked(Control& box, bool on);

// Tab controls: the size of every tab (fixed-width tabs); pages follow. Nothing on
// other kinds.
void setTabItemSize(Control& tabControl, int width, int height);
int currentTab(const Control& tabControl); // -1 without a window or for other kinds
// Shows page `index` as the user's choice of its tab does (onSelect raised); nothing
// when it is already shown or there is no such page.
void showTab(Control& tabControl, int index);

// Application.
// Creates every window not yet created, shows the main window, dispatches until the
// main window has accepted a close, then releases the application and every control
// (each raising onDestroy and releasing its owned objects). Does nothing for a
// control that is not an application.
void runMessageLoop(Control& application);
// Shows the dialog centred on its owner, with the owner disabled, the focus on
// its first tab stop (an edit box with its text selected), and dispatches until
// endDialog; then enables the owner and releases the dialog and its controls
// (onDestroy throughout). Returns what endDialog gave.
int showModal(Control& dialog);
// Ends the dialog's showModal with result, once the current event is handled.
void endDialog(Control& dialog, int result);
// Posts a close request; the loop handles it later like a click on the close box.
void requestClose(Control& window);
// Marks the game folder as open in this program until the window is released;
// false when another running program has it open already.
bool claimFolder(Control& window, std::string_view folder);
// Modal box captioned with the application's caption, owned by the application window.
int messageBox(Control& application, std::string_view text, unsigned flags);
// Modal box owned by owner's window, with its own caption.
int messageBoxOwned(Control& owner, std::string_view text, std::string_view caption,
                    unsigned flags);
