// The editor in English: every caption, label, unit, entry and box the editor
// makes is English (that it writes the same bytes as in Russian is the English
// editing road's after-check), and the buttons' keys.

#include "editor_fixture.h"

#include "ui/fit_texts.h"

#include <filesystem>

namespace {

// The interface texts of the window: tabs, group boxes, labels, check boxes, buttons.
void collectCaptions(HeadlessPlatform& p, const Control& c, std::vector<std::string>& out) {
    switch (c.kind) {
    case ControlKind::GroupBox:
    case ControlKind::Label:
    case ControlKind::WrappingLabel:
    case ControlKind::CheckBox:
        out.push_back(c.text);
        break;
    case ControlKind::Button:
        out.push_back(shownText(c));
        break;
    case ControlKind::TabControl:
        for (const auto& [title, page] : p.windowOf(c)->tabs) out.push_back(title);
        break;
    default: break;
    }
    for (const auto& child : c.children) collectCaptions(p, *child, out);
}

TEST_F(EditorTest, TheEnglishWindowSpeaksEnglishOnEveryPage) {
    language = Language::en;
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    std::vector<std::string> captions;
    collectCaptions(platform, *f.window, captions);
    // Record names come from the name page; the editor's own texts are all English.
    for (const std::string& text : captions)
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c >= 0; })) << text;
    for (std::string_view text : {"Ships", "Armament", "Stations and wares", "Save", "Specifications", "m/s",
                                  "Alpha IRE", "Projectile speed", "Wares and upgrades"})
        EXPECT_NE(std::find(captions.begin(), captions.end(), text), captions.end()) << text;
    EXPECT_EQ(controlText(*f.window), "Orvex");
    EXPECT_EQ(controlText(*f.shipPriceLabel), "Estimated ship price 6492 Cr.");
    EXPECT_EQ(controlText(*f.laser.priceRangeLabel), "Price range 1123-1123 Cr.");
    EXPECT_EQ(items(*f.turretList)[0], "Main (2)");
    EXPECT_EQ(itemText(*f.maxMissileTypeList, 0), "Mosquito");
    EXPECT_EQ(itemText(*f.station.list, 0).find(cp("Аргон")), std::string::npos);
    platform.type(*f.hullStrength, "1");
    platform.click(*f.closeButton);
    platform.answer(kIdNo);
    run();
    ASSERT_EQ(platform.messageBoxes().size(), 2u);
    EXPECT_EQ(platform.messageBoxes()[0].text,
              "These tables were not found; their groups stay empty and Save does not create them:"
              "\r\ntypes\\TWareM.txt");
    EXPECT_EQ(platform.messageBoxes()[1].text, "Files are not saved! Save?");
    EXPECT_EQ(platform.messageBoxes()[1].caption, "Attention!");
}

// The buttons' keys in the Russian window: Alt with the marked Cyrillic letter
// on the key it has in the Russian layout (С on C), Ctrl+S for Save, both
// running the buttons' own handlers; a letter no button marks presses nothing.
TEST_F(EditorTest, ButtonKeysRunTheButtonsHandlers) {
    ASSERT_NE(start(), nullptr);
    Control& window = *form->window;
    const auto saved = [&] { return std::filesystem::remove(game.path("types/TShips.bak")); };
    platform.pressKey(window, 'H', false);
    platform.pressKey(window, 'H', true);
    check([&] { EXPECT_FALSE(saved()) << "no button answers to H"; });
    platform.pressKey(window, 'C', false);
    check([&] { EXPECT_TRUE(saved()) << "Alt+С saved"; });
    platform.pressKey(window, 'S', true);
    check([&] { EXPECT_TRUE(saved()) << "Ctrl+S saved"; });
    platform.pressKey(window, 'F', false); // Спр&авка
    platform.answer(kIdOk);
    platform.type(*form->speed, "1"); // a change since the save: closing asks
    platform.pressKey(window, 'P', false);
    platform.answer(kIdNo);
    run();
    ASSERT_EQ(platform.messageBoxes().size(), 3u); // after start-up's note
    EXPECT_EQ(platform.messageBoxes()[1].caption, cp("О программе"));
    EXPECT_EQ(platform.messageBoxes()[2].caption, cp("Внимание!"));
}

} // namespace
