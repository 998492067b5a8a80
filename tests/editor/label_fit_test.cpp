// Every text of the window in both languages, measured by the Win32 platform in
// the fonts the window runs with (Tahoma, height 11, captions bold): no label or
// check box is cut, runs into another control of its row or out of its group;
// group and button captions fit their frames; an opened list shows its longest
// entry whole. The English window keeps the size the layout was drawn for.

#include "editor/main_form.h"
#include "support/test_game.h"
#include "tables/game_state.h"
#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/fit_texts.h"
#include "ui/win32/win32_platform.h"
#include "version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool isText(const Control& c) {
    return (c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox) && !c.text.empty();
}

bool isObstacle(const Control& c) {
    return isText(c) || c.kind == ControlKind::EditBox || c.kind == ControlKind::List ||
           c.kind == ControlKind::Panel;
}

// Each fault names the text and what it runs into.
void collect(const Control& parent, std::vector<std::string>& faults) {
    for (const auto& owned : parent.children) {
        const Control& c = *owned;
        collect(c, faults);
        if (c.kind == ControlKind::GroupBox && textExtent(c).width + 16 > c.width)
            faults.push_back("group caption \"" + c.text + "\" is wider than its frame");
        if (c.kind == ControlKind::Button && textExtent(c).width > c.width)
            faults.push_back("button \"" + c.text + "\" is cut");
        if (c.kind == ControlKind::GroupBox && c.x + c.width > parent.width)
            faults.push_back("group \"" + c.text + "\" runs out of its page: " +
                             std::to_string(c.x + c.width) + " > " + std::to_string(parent.width));
        if (!isText(c)) continue;
        const std::string name = "\"" + c.text + "\"";
        if (c.width < textExtent(c).width) faults.push_back(name + " is cut");
        if (parent.kind == ControlKind::GroupBox && c.x + c.width > parent.width - 2)
            faults.push_back(name + " crosses the frame of \"" + parent.text + "\"");
        for (const auto& other : parent.children) {
            const Control& o = *other;
            if (&o == &c || !isObstacle(o)) continue;
            const bool across = c.x < o.x + o.width && o.x < c.x + c.width;
            const bool along = c.y < o.y + o.height && o.y < c.y + c.height;
            if (across && along && (o.x > c.x || (o.x == c.x && o.y > c.y)))
                faults.push_back(name + " runs into \"" + o.text + "\" at " + std::to_string(o.x) +
                                 "," + std::to_string(o.y));
        }
    }
}

// The width of a list's longest entry in the list's font.
int longestEntry(const Control& list) {
    HWND hwnd = static_cast<HWND>(list.window);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int i = 0; i < itemCount(list); ++i) {
        std::wstring entry(static_cast<size_t>(SendMessageW(hwnd, CB_GETLBTEXTLEN, i, 0)) + 1,
                           L'\0');
        const auto length =
            SendMessageW(hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        SIZE size{};
        GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(length), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return widest;
}

// The width of the opened part of a list, opened and closed again.
int droppedWidth(const Control& list) {
    HWND hwnd = static_cast<HWND>(list.window);
    SendMessageW(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(hwnd, &info);
    RECT r{};
    GetWindowRect(info.hwndList, &r);
    SendMessageW(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
    return r.right - r.left;
}

struct Window {
    TempGame game;
    GameState state;
    Win32Platform platform;
    MainForm* form = nullptr;
    explicit Window(Language language) {
        writeEditorGame(game);
        state.folder = game.folder();
        Control& application = createApplication(platform, ORVEX_CAPTION);
        form = buildMainWindow(application, state, language);
    }
};

TEST(LabelFit, EveryTextReadsWholeInBothLanguages) {
    for (Language language : {Language::ru, Language::en}) {
        SCOPED_TRACE(language == Language::ru ? "Russian window" : "English window");
        Window w(language);
        ASSERT_NE(w.form, nullptr);
        std::vector<std::string> faults;
        collect(*w.form->window, faults);
        for (const std::string& fault : faults)
            ADD_FAILURE() << cp1251::toUtf8(fault);
        const Control& tabs = *w.form->tabs;
        EXPECT_LE(tabs.x + tabs.width, w.form->window->clientWidth) << "the tabs fit the window";
        EXPECT_LE(w.form->helpButton->x + w.form->helpButton->width, w.form->window->clientWidth);
    }
}

TEST(LabelFit, TheEnglishWindowKeepsItsDrawnSize) {
    Window w(Language::en);
    ASSERT_NE(w.form, nullptr);
    EXPECT_EQ(w.form->window->clientWidth, 618);
    EXPECT_EQ(w.form->window->clientHeight, 592);
    EXPECT_EQ(w.form->speed->x, 170) << "nothing moved where everything fitted";
    // Weapon words are whole where they fit (the short form only where they would not).
    EXPECT_EQ(w.form->weaponBoxes[2]->text, "Gamma IRE");
    EXPECT_EQ(w.form->weaponBoxes[5]->text, "Gam. PAC");
}

TEST(LabelFit, AnOpenedListShowsItsLongestEntryWhole) {
    Window w(Language::ru);
    ASSERT_NE(w.form, nullptr);
    Control& ships = *w.form->shipList;
    // Windows are made when first needed: here, by the focus.
    setFocus(*w.form->cargoBayType);
    setFocus(ships);
    addItem(ships, u8"Корабль дальнего действия новой серии с длинным именем (Аргон)"_cp1251);
    const int longest = longestEntry(ships);
    ASSERT_GT(longest, ships.width) << "the entry is longer than the closed list";
    EXPECT_GE(droppedWidth(ships), longest + 4);
    // A list whose entries are short opens at its own width.
    EXPECT_EQ(droppedWidth(*w.form->cargoBayType), w.form->cargoBayType->width);
    // A longer entry added later widens it again.
    addItem(ships,
            u8"Корабль дальнего действия новой серии с ещё более длинным именем (Аргон)"_cp1251);
    EXPECT_GE(droppedWidth(ships), longestEntry(ships) + 4);
    // A 200-letter name opens the list only up to the work area's right edge.
    addItem(ships, std::string(200, 'W'));
    RECT at{}, work{};
    GetWindowRect(static_cast<HWND>(ships.window), &at);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(droppedWidth(ships), work.right - at.left);
}

} // namespace
