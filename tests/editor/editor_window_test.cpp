// The window's own questions: closing with unsaved changes asks Yes / No /
// Cancel, and only Yes or No lets the window go.

#include "editor_fixture.h"

namespace {

// Cancel (and Esc, which answers it) keeps the window and its edit; No then
// closes without writing.
TEST_F(EditorTest, CancelOnTheCloseQuestionKeepsTheWindow) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    const std::string ships = game.read("types/TShips.txt");
    platform.type(*f.hullStrength, "7");
    platform.pressClose(*f.window);
    platform.answer(kIdCancel);
    check([&] { EXPECT_EQ(controlText(*f.window), "*Orvex"); });
    platform.pressClose(*f.window);
    platform.answer(kIdNo);
    run();
    ASSERT_EQ(platform.messageBoxes().size(), 3u);
    EXPECT_EQ(platform.messageBoxes()[1].flags, kMbYesNoCancel | kMbIconExclamation);
    EXPECT_EQ(game.read("types/TShips.txt"), ships);
}

} // namespace
