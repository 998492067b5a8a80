// The number boxes' one rule, for typed keys (one character) and pastes alike,
// and the saturating conversion of what the boxes hold.

#include "tables/typed_input.h"
#include "tables/check_tables.h"
#include "tables/game_state.h"
#include "support/test_game.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

namespace {

struct RuleCase {
    const char* box;
    size_t start, end; // the selection replaced
    const char* inserted;
    bool decimal;
    std::optional<std::string> taken; // nothing: refused whole
};

constexpr size_t kEnd = 99; // beyond the text: its end

TEST(NumberInput, TakesDigitsAndOnePointOrNothing) {
    const std::optional<std::string> refused;
    const RuleCase cases[] = {
        // Integer boxes: digits only, a paste whole or not at all.
        {"12", kEnd, kEnd, "3", false, "3"},
        {"12", kEnd, kEnd, ".", false, refused},
        {"12", kEnd, kEnd, ",", false, refused},
        {"", 0, 0, "333,5", false, refused},    // never 3335
        {"", 0, 0, "-500", false, refused},     // never 500
        {"", 0, 0, "12 000", false, refused},   // a blank inside
        {"", 0, 0, "1e3", false, refused},
        {"", 0, 0, " 12000\r\n", false, "12000"}, // a copied cell's line end
        {"", 0, 0, "99999999999", false, "99999999999"}, // the store saturates it
        {"", 0, 0, " \t", false, refused},       // nothing to insert
        {"", 0, 0, "", false, refused},
        // Decimal boxes: digits and one point; a comma is that point.
        {"58", kEnd, kEnd, ",", true, "."},
        {"58", kEnd, kEnd, ".", true, "."},
        {"1.2", kEnd, kEnd, ".", true, refused}, // the second point of 1.2.3
        {"1.2", kEnd, kEnd, ",", true, refused},
        {"1.2", 1, 2, ",", true, "."},           // replaces the point
        {"1.2", 0, kEnd, "2,5", true, "2.5"},    // replaces everything
        {"1.5", 0, 1, "2.5", true, refused},     // the box keeps its point
        {"", 0, 0, "333,5", true, "333.5"},
        {"", 0, 0, "1,234.5", true, refused},    // never 1.2345
        {"", 0, 0, "0.5e2", true, refused},      // never 0.52
        {"", 0, 0, "-500", true, refused},
        {"", 0, 0, "7,5 %", true, refused},
        {"", 0, 0, " .5 ", true, ".5"},
        {"7", 1, 0, "5", true, "5"},             // a reversed selection is the caret
        {"1234567", kEnd, kEnd, "8", true, refused}, // eight digits before the point
        {"1234567", kEnd, kEnd, ",5", true, ".5"},
        {"1234567.5", 0, 0, "1", true, refused},
        {"", 0, 0, "99999999999999999999999", true, refused},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(numberInput(c.box, c.start, c.end, c.inserted, c.decimal), c.taken)
            << '"' << c.inserted << "\" into \"" << c.box << "\" " << (c.decimal ? "decimal" : "integer");
}

// What a box holds becomes a stored integer like textToInt, but saturated, never wrapped.
TEST(TypedInt, SaturatesAtTheLimits) {
    EXPECT_EQ(typedInt("99999999999"), INT32_MAX);
    EXPECT_EQ(typedInt("-99999999999"), INT32_MIN);
    EXPECT_EQ(typedInt("2147483647"), INT32_MAX);
    EXPECT_EQ(typedInt(""), 0);
    EXPECT_EQ(typedInt("12a3"), 12);
    EXPECT_EQ(typedScaledInt("9673349", 222), 2147483478);
    EXPECT_EQ(typedScaledInt("9673350", 222), INT32_MAX);
    EXPECT_EQ(typedScaledInt("99999999999999999999", 222), INT32_MAX);
}

} // namespace

// check names a manoeuvrability above 10 (1000 %), the most a ship sensibly
// turns; 10 itself is fine.
TEST(Limits, CheckWarnsOfAManoeuvrabilityBeyondAThousandPercent) {
    TempGame game;
    writeEditorGame(game);
    editGame(game, [](GameState& s) {
        s.ships.records[0].manoeuvrabilityX = 10;
        s.ships.records[1].manoeuvrabilityRotation = 10.5;
    });
    std::vector<std::string> found;
    for (const Finding& f : checkTables(loadedGame(game), {}, Language::en))
        if (f.code == "manoeuvrability") found.push_back(f.message);
    EXPECT_EQ(found, std::vector<std::string>{
                         cp1251::fromUtf8("field 5: manoeuvrabilityRotation 10.5000 — above 10, that is 1000 percent")});
}
