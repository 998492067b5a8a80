// Taking fields off a record line, and reading and writing single record lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tables/fields.h"
#include "tables/record_line.h"

namespace {

// Two adjacent semicolons give an empty field, blanks are ordinary characters, and
// without a semicolon the field is empty and one character goes.
TEST(TakeField, FieldsAreTheTextBetweenSemicolonsLeftToRight) {
    const struct {
        std::string_view line;
        std::vector<std::string> fields;
    } cases[] = {{"12;;7;", {"12", "", "7", ""}},
                 {";a;", {"", "a", ""}},
                 {" 12 ;x y;", {" 12 ", "x y", ""}},
                 {"5;ab", {"5", "", "", ""}},
                 {"", {"", ""}}};
    for (const auto& c : cases) {
        std::string_view line = c.line;
        std::vector<std::string> taken;
        for (size_t i = 0; i < c.fields.size(); ++i)
            taken.emplace_back(takeField(line));
        EXPECT_EQ(taken, c.fields) << c.line;
    }
}

// Column i of the line holds i.5: an integer column reads i, a real column i.5.
template <class Record> std::string rewritten(Record& record, int numbers) {
    std::string line, out;
    for (int i = 0; i < numbers; ++i)
        line += std::to_string(i) + ".5;";
    int64_t budget = 0;
    readRecordLine(line + "SS_ID;", record, budget);
    appendRecordLine(out, record);
    return out;
}

// The line written for that record by a table whose real columns are `reals`.
std::string written(int numbers, std::initializer_list<int> reals) {
    std::string line;
    for (int i = 0; i < numbers; ++i)
        line += std::to_string(i) + (std::count(reals.begin(), reals.end(), i) ? ".5;" : ";");
    return line + "SS_ID;\r\n";
}

// Each flat table reads and writes every column in its place and of its kind (the
// editor's tests show where the named fields sit).
TEST(RecordLine, EachFlatTableHasItsColumnsInOrder) {
    TLasers laser;
    EXPECT_EQ(rewritten(laser, 17), written(17, {2, 3, 11}));
    TBullets bullet;
    EXPECT_EQ(rewritten(bullet, 32), written(32, {2, 3, 4, 16, 17}));
    TShields shield;
    EXPECT_EQ(rewritten(shield, 16), written(16, {2, 3, 10}));
    TRockets rocket;
    EXPECT_EQ(rewritten(rocket, 30), written(30, {2, 3}));
    TCockpits cockpit;
    EXPECT_EQ(rewritten(cockpit, 14), written(14, {}));
    TStations station;
    EXPECT_EQ(rewritten(station, 21), written(21, {8}));
    TWares ware;
    ware.priceMultiplier = 4.0;
    EXPECT_EQ(rewritten(ware, 12), written(12, {2, 3}));
    EXPECT_EQ(std::tuple(ware.priceCoefficient, ware.priceMultiplier), std::tuple(8, 4.0))
        << "the multiplier is no column";
}

// A blank before 12 reads 0, 12 before a blank 12, signs are taken; a field without
// its semicolon reads as 0, an objectId without it as empty, and nothing is kept
// after it.
TEST(RecordLine, MalformedFieldsReadAsTheConversionsSay) {
    int64_t budget = 0;
    TCockpits c;
    readRecordLine(" 12;12 ;+5;-3;;;;;9;;;;;;SS_CO", c, budget);
    EXPECT_EQ(std::tuple(c.col0, c.col1, c.col2, c.col3, c.weaponMask, c.objectId, c.rest),
              std::tuple(0, 12, 5, -3, 9, "", ""));
}

TEST(ManoeuvrabilityText, PaddedToSevenCharactersWithAPoint) {
    const struct {
        double value;
        std::string_view text;
    } cases[] = {{0.58, "0.58000"},      {1, "1.00000"},        {0, "0.00000"},
                 {12.5, "12.5000"},      {-0.5, "-0.5000"},     {-1, "-1.0000"},
                 {0.123456, "0.123456"}, {1234567, "1234567.0"}};
    for (const auto& c : cases)
        EXPECT_EQ(manoeuvrabilityText(c.value), c.text) << c.value;
}

// Just above 1, 15 significant digits give "1", which padded without a point would
// read back as a million; with the point it reads back as its digits say.
TEST(ManoeuvrabilityText, AValueWhoseFractionRealToTextDropsIsNotPaddedIntoAnotherNumber) {
    int64_t budget = 0;
    TShips ship;
    readRecordLine("0;0;" + manoeuvrabilityText(1.0 + 4.0 * 2.220446049250313e-16) + ";", ship,
                   budget);
    EXPECT_EQ(ship.manoeuvrabilityX, 1.0);
}

} // namespace
