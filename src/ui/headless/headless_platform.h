#pragma once
// A platform without a screen, for tests that run natively and under Wine alike.
// Windows come into existence when the layer creates them and keep their state
// here; a test scripts the user's actions in a queue, and runLoop plays them one
// by one, delivering posted notifications (a list's deferred change, close
// requests) before each next action, as a message loop would. The loop ends when
// the main window accepts a close, or when the queue runs dry (then it simply
// returns, the tree is released and no close question is asked; ranDry() tells).
// Message boxes take their answer from the next queued action, which must be
// answer(); anything a real user could not have done is recorded in problems().

#include "ui/platform.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct ShownMessageBox {
    std::string ownerCaption; // text of the owning control (the application's caption)
    std::string text;
    std::string caption;
    unsigned flags = 0;
    int answer = 0;
};

struct ShownTip {
    Control* box = nullptr;
    std::string title;
    std::string text;
    bool notice = false; // showNotice's, not a refusal's
};

// What a headless window holds (the counterpart of the real window's state).
struct HeadlessWindow {
    int id = 0; // the child-window id, as the real window carries it
    std::string text;
    TextRange selected; // an edit box's selection; setting the text puts the caret first
    std::vector<std::string> items;
    int chosen = -1;
    bool checked = false;
    int currentTab = -1;
    std::vector<std::pair<std::string, Control*>> tabs;
    int tabWidth = 0, tabHeight = 0;
    bool shown = false; // showMainWindow
};

class HeadlessPlatform : public Platform {
  public:
    HeadlessPlatform() = default;
    ~HeadlessPlatform() override;
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    // Scripted user actions, played in order by runLoop. Each one on a control
    // first gives it the keyboard focus, as a click or Tab would: an edit box
    // that had it raises onFocusLeave then.
    void choose(Control& list, int index); // picks an entry; onChange follows from the loop
    // At the end of the text, one character after another; '\b' = backspace.
    void type(Control& edit, std::string_view chars, unsigned shiftState = 0);
    // The whole text selected, the text pasted through onPaste in its place.
    void paste(Control& edit, std::string_view text);
    void focus(Control& c);
    void click(Control& buttonOrCheckBox);            // a check box toggles, then onClick
    // A letter key ('A'..'Z') pressed with Ctrl (ctrl) or Alt in window: presses
    // the button that answers to it (buttonForKey), else a Ctrl letter raises the
    // window's key command. A function key (kKeyF1..kKeyF12, ctrl false) raises its command.
    void pressKey(Control& window, char key, bool ctrl);
    void switchTab(Control& tabControl, int index);
    // Enter and Esc where the focus is: a focused button is pressed by Enter; else
    // the default (Enter) or cancel (Esc) button of the focused control's window.
    void pressEnter();
    void pressEscape();
    // A right click on c (or Shift+F10 while it has the focus) and a click on the
    // entry `item` of the context menu that opens; -1 closes it without a choice.
    void openContextMenu(Control& c, int item);
    // Answers the next message box; `whileShown` runs first, while the box is
    // open (another program at work while the user reads the question).
    void answer(int button, std::function<void()> whileShown = {});
    void pressClose(Control& window);      // the title bar's close box
    void closeFromTaskbar();               // close command to the application window
    void activate(Control& window);        // the user comes back to the window (from another program)
    void call(std::function<void()> step); // runs between actions, e.g. to inspect

    // What happened.
    const std::vector<ShownMessageBox>& messageBoxes() const { return boxes_; }
    const std::vector<ShownTip>& tips() const { return tips_; }
    const std::vector<std::string>& openedFiles() const { return openedFiles_; } // openProgramFile's names
    // The dialog showModal shows now (the innermost), or nullptr.
    Control* openDialog() const { return modal_.empty() ? nullptr : modal_.back(); }
    Control* focused() const { return focused_; }
    const std::vector<std::string>& problems() const { return problems_; }
    bool ranDry() const { return ranDry_; }
    size_t pendingActions() const { return actions_.size(); }
    int windowsCreated() const { return windowsCreated_; }
    // The window state of c, or nullptr while c has no window; reading it creates nothing.
    const HeadlessWindow* windowOf(const Control& c) const;

    // Platform.
    void createWindow(Control& c) override;
    void destroyWindow(Control& c) override;
    void setWindowText(Control& c, std::string_view text) override;
    std::string windowText(const Control& c) override;
    TextRange selection(const Control& edit) override;
    void showInputTip(Control& edit, std::string_view title, std::string_view text) override;
    void showNotice(Control& c, std::string_view title, std::string_view text) override;
    void setWindowBounds(Control& c) override;
    void applyStyle(Control& c) override;
    void applyEnabled(Control& c) override;
    void applyVisible(Control& c) override;
    void applyFont(Control& c) override;
    void applyColour(Control& c) override;
    void applyId(Control& c) override;
    void showMainWindow(Control& c) override;
    Size measure(const Control& c, int maxWidth) override;
    Size screenSize() override;
    Size outerSize(const Control& c, Size client) override;
    int addItem(Control& list, std::string_view text) override;
    void replaceItem(Control& list, int index, std::string_view text) override;
    std::string itemText(const Control& list, int index) override;
    int itemCount(const Control& list) override;
    int selectedIndex(const Control& list) override;
    void setSelectedIndex(Control& list, int index) override;
    void clearItems(Control& list) override;
    bool isChecked(const Control& box) override;
    void setChecked(Control& box, bool on) override;
    void insertTab(Control& tabControl, int index, std::string_view text, Control& page) override;
    Control* tabPage(const Control& tabControl, int index) override;
    int currentTab(const Control& tabControl) override;
    void setTabItemSize(Control& tabControl, int width, int height) override;
    void setCurrentTab(Control& tabControl, int index) override;
    void giveFocus(Control& c) override;
    bool openProgramFile(std::string_view fileName) override;
    void runModal(Control& dialog) override;
    void endModal(Control& dialog) override;
    void runLoop(Control& application) override;
    void postClose(Control& window) override;
    void quitLoop() override;
    int messageBox(Control& owner, std::string_view text, std::string_view caption,
                   unsigned flags) override;
    // Claims are shared by every headless platform of the process, standing in
    // for the programs of one machine; a folder is named by its absolute path.
    std::function<void()> claimFolder(std::string_view folder, bool& heldElsewhere) override;

  private:
    enum class ActionKind {
        Choose,
        Type,
        Paste,
        Focus,
        Click,
        Key,
        SwitchTab,
        DialogKey,
        Menu,
        Answer,
        PressClose,
        TaskbarClose,
        Activate,
        Call
    };
    struct Action {
        ActionKind kind;
        Control* control = nullptr;
        int number = 0;
        std::string text;
        std::function<void()> step;
    };
    enum class PostedKind { ListChange, Close };
    struct Posted {
        PostedKind kind;
        Control* control;
    };

    HeadlessWindow& state(const Control& c) const;
    bool reachable(const Action& a, ControlKind expected);
    void perform(Action& a);
    void performChoose(const Action& a);
    void performType(const Action& a);
    void performClick(const Action& a);
    void performSwitchTab(const Action& a);
    void performKey(const Action& a);
    void performDialogKey(const Action& a);
    void performMenu(const Action& a);
    bool step(); // one posted notification or scripted action; false when none is left
    void deliver(const Posted& p);
    void layoutPages(Control& tabControl);
    void problem(std::string text);
    void moveFocus(Control* to);

    std::map<const Control*, std::unique_ptr<HeadlessWindow>> windows_;
    std::deque<Action> actions_;
    std::deque<Posted> posted_;
    std::vector<ShownMessageBox> boxes_;
    std::vector<ShownTip> tips_;
    std::vector<std::string> openedFiles_;
    Control* focused_ = nullptr;
    std::vector<Control*> modal_; // the dialogs shown, innermost last
    std::vector<Control*> ended_; // the dialogs endModal ended
    std::vector<std::string> problems_;
    Control* application_ = nullptr;
    bool quit_ = false;
    bool ranDry_ = false;
    int windowsCreated_ = 0;
};
