#include "names/display_names.h"
#include "support/temp_folder.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Every list names an object by the page's name, else by its objectId, stations
// included (an unnamed station was once listed as " (Телади)"); a station adds
// its race in the interface language.
TEST(ListedName, ThePagesNameElseTheObjectIdAndAStationsRace) {
    TempGame game{TempGame::Current};
    game.write("t/70001.xml", "<page id=\"17\">\r\n<t id=\"1\">Кондор &amp; Ко</t>\r\n"
                              "<t id=\"2\">   </t>\r\n</page>\r\n");
    NamePage page;
    ASSERT_TRUE(loadNamePage(page, "t\\70001.xml"));
    const struct {
        const NamePage* page;
        int32_t nameTextId;
        std::optional<int32_t> race;
        Language language;
        std::string expected; // UTF-8
    } cases[] = {
        {&page, 1, std::nullopt, Language::ru, "Кондор & Ко"},
        {&page, 9, std::nullopt, Language::en, "SS_X"},
        {&page, 2, std::nullopt, Language::ru, "SS_X"}, // blanks only: no name
        {nullptr, 1, std::nullopt, Language::ru, "SS_X"},
        {&page, 1, 5, Language::ru, "Кондор & Ко (Телади)"},
        {&page, 9, 5, Language::ru, "SS_X (Телади)"},
        {&page, 9, 5, Language::en, "SS_X (Teladi)"},
        {nullptr, 1, 1, Language::en, "SS_X (Argon)"},
        {&page, 9, 9, Language::ru, "SS_X ()"}, // a race outside 1..6
    };
    for (const auto& c : cases)
        EXPECT_EQ(listedName(c.page, c.nameTextId, "SS_X", c.race, c.language),
                  cp1251::fromUtf8(c.expected))
            << c.expected;
}

} // namespace
