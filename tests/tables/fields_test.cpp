// Taking fields off a record line, and reading and writing single record lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/fields.h"
#include "tables/record_line.h"

namespace {

std::vector<std::string> takeAll(std::string_view line, int fields) {
    std::vector<std::string> out;
    for (int i = 0; i < fields; ++i) out.emplace_back(takeField(line));
    return out;
}

using Fields = std::vector<std::string>;

TEST(TakeField, FieldsAreTheTextBetweenSemicolonsLeftToRight) {
    struct Case {
        std::string_view line;
        Fields expected;
    };
    const Case cases[] = {
        {"12;;7;", {"12", "", "7", ""}},         // adjacent semicolons: an empty field
        {";a;", {"", "a", ""}},                  // a leading semicolon: empty first field
        {" 12 ;x y;", {" 12 ", "x y", ""}},      // blanks are ordinary characters
        {"5;ab", {"5", "", "", ""}},             // no semicolon: empty, one character taken
        {"ab;7;", {"ab", "7", ""}},
        {"", {"", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(takeAll(c.line, static_cast<int>(c.expected.size())), c.expected) << c.line;
}

// A flat line of n numbers and an objectId.
std::string numbers(int n, std::string_view objectId) {
    std::string line;
    for (int i = 0; i < n; ++i) line += std::to_string(i + 1) + ";";
    return line + std::string(objectId) + ";";
}

// Column i of the line holds i + 1, so each field shows which column it came from.
TEST(RecordLine, EachFlatTableTakesItsOwnColumns) {
    int64_t budget = 0;
    TLasers laser;
    readRecordLine(numbers(17, "SS_LA_1"), laser, budget);
    EXPECT_EQ(laser.col2, 3.0);
    EXPECT_EQ(laser.nameTextId, 7);
    EXPECT_EQ(laser.laserPower, 11);
    EXPECT_EQ(laser.col11, 12.0);
    EXPECT_EQ(laser.containerType, 17);
    EXPECT_EQ(laser.objectId, "SS_LA_1");

    TBullets bullet;
    readRecordLine(numbers(32, "SS_BU_1"), bullet, budget);
    EXPECT_EQ(bullet.flightTime, 11);
    EXPECT_EQ(bullet.projectileSpeed, 12);
    EXPECT_EQ(bullet.col17, 18.0);
    EXPECT_EQ(bullet.hullDamage, 23);
    EXPECT_EQ(bullet.objectId, "SS_BU_1");

    TShields shield;
    readRecordLine(numbers(16, "SS_SH_1"), shield, budget);
    EXPECT_EQ(shield.powerTenth, 8);
    EXPECT_EQ(shield.shieldPower, 9);
    EXPECT_EQ(shield.col10, 11.0);
    EXPECT_EQ(shield.containerType, 16);

    TRockets rocket;
    readRecordLine(numbers(30, "SS_MI_1"), rocket, budget);
    EXPECT_EQ(rocket.missileSpeed, 8);
    EXPECT_EQ(rocket.shieldDamage, 13);
    EXPECT_EQ(rocket.volume, 26);
    EXPECT_EQ(rocket.containerType, 30);

    TCockpits cockpit;
    readRecordLine(numbers(14, "SS_CO_1"), cockpit, budget);
    EXPECT_EQ(cockpit.weaponMask, 9);
    EXPECT_EQ(cockpit.objectId, "SS_CO_1");

    TStations station;
    readRecordLine(numbers(21, "SS_ST_1"), station, budget);
    EXPECT_EQ(station.col8, 9.0);
    EXPECT_EQ(station.race, 14);
    EXPECT_EQ(station.priceCoefficient, 18);
    EXPECT_EQ(station.containerType, 21);

    TWares ware;
    ware.priceMultiplier = 4.0;
    readRecordLine(numbers(12, "SS_WA_1"), ware, budget);
    EXPECT_EQ(ware.priceMultiplier, 4.0) << "not a column";
    EXPECT_EQ(ware.nameTextId, 7);
    EXPECT_EQ(ware.averagePriceChange, 10);
    EXPECT_EQ(ware.containerType, 12);
    EXPECT_EQ(ware.objectId, "SS_WA_1");
}

TEST(RecordLine, MalformedFieldsReadAsTheConversionsSay) {
    int64_t budget = 0;
    TCockpits cockpit;
    // a blank before 12, 12 before a blank, a plus sign, a minus sign, the last
    // field without its semicolon
    readRecordLine(" 12;12 ;+5;-3;;;;;9;;;;;;SS_CO", cockpit, budget);
    EXPECT_EQ(cockpit.col0, 0);
    EXPECT_EQ(cockpit.col1, 12);
    EXPECT_EQ(cockpit.col2, 5);
    EXPECT_EQ(cockpit.col3, -3);
    EXPECT_EQ(cockpit.weaponMask, 9);
    EXPECT_EQ(cockpit.objectId, "") << "an objectId without its semicolon reads empty";
    EXPECT_EQ(cockpit.rest, "") << "nothing is kept when the objectId was not ended";
}

TEST(RecordLine, TextAfterTheLastFieldIsKeptOnlyWhenObjectIdWasEnded) {
    int64_t budget = 0;
    TShields ended;
    readRecordLine(numbers(16, "SS_SH_1") + "extra;7; remark", ended, budget);
    EXPECT_EQ(ended.objectId, "SS_SH_1");
    EXPECT_EQ(ended.rest, "extra;7; remark");

    TShields unended;
    readRecordLine(numbers(15, "SS_SH_1"), unended, budget); // one column short
    EXPECT_EQ(unended.containerType, 0);
    EXPECT_EQ(unended.objectId, "") << "the short line's id went into containerType";
    EXPECT_EQ(unended.rest, "");
}

TEST(RecordLine, WrittenLineReadsBackTheSameRecord) {
    int64_t budget = 0;
    TRockets rocket;
    readRecordLine("1;-2;1.50000;+0.25;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;"
                   "25;26;27;28;29;30;SS_MI_1;tail text",
                   rocket, budget);
    std::string line;
    appendRecordLine(line, rocket);
    EXPECT_EQ(line, "1;-2;1.5;0.25;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;"
                    "25;26;27;28;29;30;SS_MI_1;tail text\r\n");
}

TEST(ManoeuvrabilityText, PaddedToSevenCharactersWithAPoint) {
    struct Case {
        double value;
        std::string_view text;
    };
    const Case cases[] = {
        {0.58, "0.58000"},   {1, "1.00000"},        {0, "0.00000"},
        {12.5, "12.5000"},   {-0.5, "-0.5000"},     {0.123456, "0.123456"},
        {-1, "-1.0000"},     {1234567, "1234567.0"}, {0.25, "0.25000"},
    };
    for (const Case& c : cases) EXPECT_EQ(manoeuvrabilityText(c.value), c.text) << c.value;
}

TEST(ManoeuvrabilityText, AValueWhoseFractionRealToTextDropsIsNotPaddedIntoAnotherNumber) {
    // just above 1: 15 significant digits give "1", which padded without a point
    // would read back as a million; with the point it reads back as its digits say
    const double justAbove = 1.0 + 4.0 * 2.220446049250313e-16;
    int64_t budget = 0;
    TShips ship;
    std::string line = "0;0;" + manoeuvrabilityText(justAbove) + ";";
    readRecordLine(line, ship, budget);
    EXPECT_EQ(ship.manoeuvrabilityX, 1.0) << manoeuvrabilityText(justAbove);
}

} // namespace
