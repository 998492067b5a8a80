#pragma once
// The Win32 platform of the control layer: real windows made with the W
// functions, texts converted between Windows-1251 and UTF-16 at the window
// boundary only. Create one at program start, before the application object.

#include "ui/platform.h"

#include <memory>

class Win32Platform : public Platform {
  public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

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
    void addItems(Control& list, const std::vector<std::string>& texts) override;
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
    std::function<void()> claimFolder(std::string_view folder, bool& heldElsewhere) override;

    struct State; // window classes, bindings, fonts, lists (win32_state.h)

  private:
    std::unique_ptr<State> state_;
};
