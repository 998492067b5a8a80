// Copies and new names made in the window: the same bytes orvex-cli add writes,
// a refusal that changes nothing, and Save's merge with a name page another
// program changed meanwhile.

#include "editor_fixture.h"
#include "support/cli_run.h"

#include <filesystem>

namespace {

// A ship copied in the window and saved writes the table and the page byte for
// byte as orvex-cli add writes them for the same name and identifier; the copy
// is chosen and shown, and the title gets its "*" until Save.
TEST_F(EditorTest, ACopyIsSavedAsTheCommandLineWritesIt) {
    TempGame cli;
    writeEditorGame(cli);
    ASSERT_EQ(runCliIn(Language::en, {"add", "--folder", cli.folder(), "ships", "--copy", "SS_SH_CONDOR", "--id",
                                      "SS_SH_KESTREL", "--name", "Пустельга & Co"}).status, 0);
    ASSERT_NE(start(), nullptr);
    check([&] {
        EXPECT_EQ(proposedCopyId(*form, TableId::ships, 0), "SS_SH_CONDOR_2");
        EXPECT_EQ(proposedCopyName(*form, TableId::ships, 0), cp("Кондор 2"));
        EXPECT_EQ(duplicateRecord(*form, TableId::ships, 0, "SS_SH_KESTREL", cp("Пустельга & Co")), "");
        EXPECT_EQ(selectedIndex(*form->shipList), 3);
        EXPECT_EQ(itemText(*form->shipList, 3), cp("Пустельга & Co"));
        EXPECT_EQ(controlText(*form->objectIdCaption), "SS_SH_KESTREL");
        EXPECT_EQ(controlText(*form->window), "*Orvex");
        saveTables(*form);
        EXPECT_EQ(controlText(*form->window), "Orvex");
    });
    run();
    for (const char* file : {"types/TShips.txt", "t/70001.xml", "t/70001.bak", "types/TShips.bak"})
        EXPECT_EQ(game.read(file), cli.read(file)) << file;
}

// A refused copy or name leaves the tables, the page and the title as they were,
// and says why in the window's language.
TEST_F(EditorTest, ARefusalChangesNothing) {
    language = Language::en;
    ASSERT_NE(start(), nullptr);
    check([&] {
        const std::string page = form->page.bytes;
        EXPECT_EQ(duplicateRecord(*form, TableId::ships, 0, "SS_SH_SHARED", "Kestrel"),
                  "the identifier \"SS_SH_SHARED\" is already used in types\\TShips.txt");
        EXPECT_EQ(duplicateRecord(*form, TableId::lasers, 0, "NEW", "Kestrel"),
                  "the bullets are not as many as the lasers: laser i fires bullet i, and a copy would break that");
        EXPECT_EQ(renameRecord(*form, TableId::ships, 0, "  "), "the name is empty");
        EXPECT_EQ(state.ships.records.size(), 3u);
        EXPECT_EQ(state.lasers.records.size(), 3u);
        EXPECT_EQ(form->page.bytes, page);
        EXPECT_EQ(controlText(*form->window), "Orvex");
    });
    run();
    EXPECT_FALSE(game.exists("t/70001.bak"));
}

// Another program changed the name page after start-up. Lines only it added
// merge with the window's without a question; a name both changed is asked
// about: No leaves the file and keeps the "*", Yes writes the window's name.
TEST(EditorSavePage, MergesAnotherProgramsNamesAndAsksAboutTheSameName) {
    const struct {
        const char* what;
        const char* otherName; // the other program's new name of SS_SH_CONDOR; null: it adds a ship
        int answer;
    } cases[] = {{"another object's name", nullptr, kIdOk}, {"the same name, No", "Сокол", kIdNo},
                 {"the same name, Yes", "Сокол", kIdYes}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Editor t;
        ASSERT_NE(t.start(), nullptr);
        MainForm& f = *t.form;
        t.check([&] {
            EXPECT_EQ(renameRecord(f, TableId::ships, 0, cp1251::fromUtf8("Кондор II")), "");
            const std::vector<std::string> args =
                c.otherName ? std::vector<std::string>{"rename", "--folder", t.game.folder(), "ships", "SS_SH_CONDOR",
                                                       "--name", c.otherName}
                            : std::vector<std::string>{"add", "--folder", t.game.folder(), "shields", "--copy",
                                                       "SS_SHIELD_1", "--id", "SS_SHIELD_2", "--name", "Щит 2 МДж"};
            ASSERT_EQ(runCliIn(Language::ru, args).status, 0);
        });
        std::string other;
        t.check([&] { other = t.game.read("t/70001.xml"); });
        t.platform.click(*f.saveButton);
        t.platform.answer(c.answer);
        t.check([&] {
            EXPECT_EQ(controlText(*f.window), c.answer == kIdNo ? "*Orvex" : "Orvex");
            const std::string page = t.game.read("t/70001.xml");
            if (c.answer == kIdNo) {
                EXPECT_EQ(page, other);
            } else {
                EXPECT_NE(page.find("<t id=\"1001\">Кондор II</t>"), std::string::npos) << page;
            }
            if (!c.otherName) {
                EXPECT_NE(page.find("Щит 2 МДж"), std::string::npos) << page;
            }
        });
        t.run();
        const auto& boxes = t.platform.messageBoxes();
        ASSERT_GE(boxes.size(), 2u);
        EXPECT_NE(boxes[1].text.find(c.otherName ? cp1251::fromUtf8("id=\"1001\": в Orvex «Кондор II», в файле «Сокол»")
                                                 : cp1251::fromUtf8("объединены с правками Orvex и сохранены:\r\nt\\70001.xml")),
                  std::string::npos)
            << boxes[1].text;
    }
}

} // namespace
