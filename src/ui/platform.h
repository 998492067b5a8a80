#pragma once
// What the control layer asks of a window system. The layer keeps every
// control's state and decides when a window is created; a platform only turns
// those decisions into windows. The Win32 platform (ui/win32) draws real
// windows; the headless one (ui/headless) keeps window state in memory and plays
// a test's scripted user actions. Both report user actions back through the
// functions of ui/dispatch.h.

#include "ui/control.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct Size {
    int width = 0;
    int height = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Windows. createWindow is called with the parent's window in place; it makes
    // c.window from c's kept state (text, bounds, style, font, colour, enabled,
    // visible, id) and raises no event.
    virtual void createWindow(Control& c) = 0;
    // Frees the window of c and everything the platform made for it; raises nothing.
    // Called children first.
    virtual void destroyWindow(Control& c) = 0;
    // Sets the window's text; for an edit box this raises onChange once, at once.
    virtual void setWindowText(Control& c, std::string_view text) = 0;
    virtual std::string windowText(const Control& c) = 0;
    // Edit boxes; the window exists.
    virtual TextRange selection(const Control& edit) = 0;
    virtual void showInputTip(Control& edit, std::string_view title, std::string_view text) = 0;
    virtual void showNotice(Control& c, std::string_view title, std::string_view text) = 0; // any kind
    virtual void setWindowBounds(Control& c) = 0; // from c.x, c.y, c.width, c.height
    virtual void applyStyle(Control& c) = 0;      // c.styleBits (with tab stop, alignment)
    virtual void applyEnabled(Control& c) = 0;
    virtual void applyVisible(Control& c) = 0;
    virtual void applyFont(Control& c) = 0;   // c and every descendant that inherits its font
    virtual void applyColour(Control& c) = 0; // repaint in the new colours
    virtual void applyId(Control& c) = 0;     // c.id, set after the window was made
    virtual void showMainWindow(Control& c) = 0;

    // Measurements. measure: the size c takes for its text in its font (for a check
    // box with its box, for a wrapping label wrapped at maxWidth when > 0); c's
    // window need not exist.
    virtual Size measure(const Control& c, int maxWidth) = 0;
    virtual Size screenSize() = 0;
    // Outer size of a top-level window of this style whose client area is client.
    virtual Size outerSize(const Control& c, Size client) = 0;

    // Lists; the window exists.
    virtual int addItem(Control& list, std::string_view text) = 0;
    // The entries a list kept before its window was made, appended at once.
    virtual void addItems(Control& list, const std::vector<std::string>& texts) {
        for (const std::string& text : texts)
            addItem(list, text);
    }
    virtual void replaceItem(Control& list, int index, std::string_view text) = 0;
    virtual std::string itemText(const Control& list, int index) = 0;
    virtual int itemCount(const Control& list) = 0;
    virtual int selectedIndex(const Control& list) = 0;
    virtual void setSelectedIndex(Control& list, int index) = 0;
    virtual void clearItems(Control& list) = 0;

    // Check boxes; the window exists.
    virtual bool isChecked(const Control& box) = 0;
    virtual void setChecked(Control& box, bool on) = 0;

    // Tab controls; the window exists.
    virtual void insertTab(Control& tabControl, int index, std::string_view text,
                           Control& page) = 0;
    virtual Control* tabPage(const Control& tabControl, int index) = 0;
    virtual int currentTab(const Control& tabControl) = 0;
    virtual void setTabItemSize(Control& tabControl, int width, int height) = 0;
    virtual void setCurrentTab(Control& tabControl, int index) = 0; // raises nothing

    // The keyboard focus to c (its window exists); raises nothing of c's own.
    virtual void giveFocus(Control& c) = 0;
    // Opens a file beside the program (1251 name) with the system's program for
    // its kind; false when it is missing or nothing could open it.
    virtual bool openProgramFile(std::string_view fileName) = 0;

    // The loop. runLoop dispatches until quitLoop; postClose queues a close request
    // for the window, delivered by the loop to closeRequested (ui/dispatch.h).
    virtual void runLoop(Control& application) = 0;
    virtual void postClose(Control& window) = 0;
    virtual void quitLoop() = 0;
    // A modal dialog; its window and its owner's exist, the owner is disabled.
    // runModal shows the dialog, gives the focus to its first tab stop (an edit
    // box with its text selected) and dispatches until endModal(dialog).
    virtual void runModal(Control& dialog) = 0;
    virtual void endModal(Control& dialog) = 0;
    // A modal box; owner's window exists.
    virtual int messageBox(Control& owner, std::string_view text, std::string_view caption,
                           unsigned flags) = 0;

    // Marks the folder (a path as the program's files name it; "" for the current
    // folder) as open in this program, on this machine, until the returned
    // function is called. heldElsewhere tells whether another program that
    // claimed it still runs (on Windows a named mutex of the folder's full path).
    virtual std::function<void()> claimFolder(std::string_view folder, bool& heldElsewhere) = 0;

    // The application objects made on this platform. runMessageLoop releases an
    // application; releaseAll releases whatever is left the same way (a window built
    // but never shown still hands over what it owns through onDestroy), so handler
    // contexts must outlive the platform. Derived destructors call releaseAll.
    Control& adoptApplication(std::unique_ptr<Control> application);
    void releaseApplication(Control& application); // raises onDestroy throughout
    void releaseAll();
    // Releases c's tree the same way and removes c from its parent.
    void releaseControl(Control& c);

  private:
    std::vector<std::unique_ptr<Control>> applications_;
};
