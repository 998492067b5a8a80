#pragma once
// The editor on the headless platform, started in a temporary game folder.
// Scripted user actions run in runMessageLoop; checks between them go in call().

#include "editor/editor.h"
#include "editor/main_form.h"
#include "support/test_game.h"
#include "tables/game_state.h"
#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/headless/headless_platform.h"
#include "version.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class EditorTest : public ::testing::Test {
protected:
    // Writes the test game (unless a test has prepared the folder) and builds the
    // window. The message start-up shows with the window (the test game lacks a
    // ware file) is answered first; after run() it is messageBoxes()[0].
    MainForm* start(bool writeGame = true) {
        if (writeGame) writeEditorGame(game);
        state.folder = game.folder();
        application = &createApplication(platform, ORVEX_CAPTION);
        form = buildMainWindow(*application, state, language);
        if (form && !form->startupNotes.empty()) platform.answer(kIdOk);
        return form;
    }
    // Plays the scripted actions; afterwards the window and form are gone.
    void run() {
        runMessageLoop(*application);
        form = nullptr;
        EXPECT_EQ(platform.problems(), std::vector<std::string>{});
    }
    void check(std::function<void()> step) { platform.call(std::move(step)); }

    std::vector<std::string> items(const Control& list) {
        std::vector<std::string> out;
        for (int i = 0; i < itemCount(list); ++i) out.push_back(itemText(list, i));
        return out;
    }
    static std::string cp(std::string_view utf8) { return cp1251::fromUtf8(utf8); }

    TempGame game;
    GameState state;
    Language language = Language::ru;
    HeadlessPlatform platform;
    Control* application = nullptr;
    MainForm* form = nullptr;
};

// An editor of its own, beside a test's (or several, one after another: a
// table of cases, each with a fresh game and window).
struct Editor : EditorTest {
    void TestBody() override {}
    using EditorTest::application, EditorTest::check, EditorTest::cp, EditorTest::form, EditorTest::game,
        EditorTest::language, EditorTest::platform, EditorTest::run, EditorTest::start, EditorTest::state;
};
