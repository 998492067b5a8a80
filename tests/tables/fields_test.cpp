// Taking fields off a record line, and reading and writing single record lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tables/columns.h"
#include "tables/editor_fields.h"
#include "tables/fields.h"
#include "tables/record_line.h"
#include "tables/table_file.h"
#include "text/cp1251.h"

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

// Each flat table reads and writes every column in its place and of its kind,
// and each named field takes its own column (column i reads i, so two columns of
// one kind swapped give other numbers).
TEST(RecordLine, EachFlatTableHasItsColumnsInOrder) {
    TLasers l;
    EXPECT_EQ(rewritten(l, 17), written(17, {2, 3, 11}));
    EXPECT_EQ(std::tuple(l.nameTextId, l.fireDelay, l.laserPower, l.volume, l.priceCoefficient,
                         l.averagePriceChange, l.containerType),
              std::tuple(6, 7, 10, 12, 13, 14, 16));
    TBullets b;
    EXPECT_EQ(rewritten(b, 32), written(32, {2, 3, 4, 16, 17}));
    EXPECT_EQ(std::tuple(b.shieldDamage, b.shotEnergy, b.flightTime, b.projectileSpeed,
                         b.hullDamage),
              std::tuple(7, 8, 10, 11, 22));
    TShields h;
    EXPECT_EQ(rewritten(h, 16), written(16, {2, 3, 10}));
    EXPECT_EQ(std::tuple(h.nameTextId, h.powerTenth, h.shieldPower, h.volume, h.priceCoefficient,
                         h.averagePriceChange, h.containerType),
              std::tuple(6, 7, 8, 11, 12, 13, 15));
    TRockets r;
    EXPECT_EQ(rewritten(r, 30), written(30, {2, 3}));
    EXPECT_EQ(std::tuple(r.nameTextId, r.missileSpeed, r.shieldDamage, r.volume,
                         r.priceCoefficient, r.averagePriceChange, r.containerType),
              std::tuple(6, 7, 12, 25, 26, 27, 29));
    TCockpits c;
    EXPECT_EQ(rewritten(c, 14), written(14, {}));
    EXPECT_EQ(c.weaponMask, 8);
    TStations st;
    EXPECT_EQ(rewritten(st, 21), written(21, {8}));
    EXPECT_EQ(std::tuple(st.nameTextId, st.race, st.volume, st.priceCoefficient, st.containerType),
              std::tuple(6, 13, 16, 17, 20));
    TWares w;
    EXPECT_EQ(rewritten(w, 12), written(12, {2, 3}));
    EXPECT_EQ(std::tuple(w.nameTextId, w.volume, w.priceCoefficient, w.averagePriceChange,
                         w.containerType),
              std::tuple(6, 7, 8, 9, 11));
}

// A number is accepted only in a form the writer gives back as it says: a decimal
// comma, a leading blank, a real in an integer column, a value that wraps would
// all be written as another number.
TEST(FieldRules, OnlyNumbersTheWriterGivesBackAreAccepted) {
    using enum FieldFault;
    const struct {
        std::string_view text;
        FieldFault integer, real;
    } cases[] = {
        {"", none, none},           {"+5", none, none},          {"007", none, none},
        {"-0", none, none},         {"12 \t", none, none},       {"2147483647", none, none},
        {"-2147483648", none, none}, {" 12", notNumber, notNumber}, {"1 2", notNumber, notNumber},
        {"0,58", notNumber, notNumber}, {"12abc", notNumber, notNumber}, {"-", notNumber, notNumber},
        {"1.5", notInteger, none},  {"1e5", notInteger, none},   {"1E-5 ", notInteger, none},
        {".5", notInteger, none},   {"5.", notInteger, none},    {"2147483648", outOfRange, none},
        {"-2147483649", outOfRange, none}, {"4294967297", outOfRange, none},
        {"99999999999999999999", outOfRange, none}, {"1e", notNumber, notNumber},
        {".", notNumber, notNumber}, {"1.2.3", notNumber, notNumber}, {"1e+", notNumber, notNumber},
        {"SG_LASER_IRE", notNumber, notNumber}};
    for (const auto& c : cases)
        EXPECT_EQ(std::pair(checkIntegerField(c.text), checkRealField(c.text)),
                  std::pair(c.integer, c.real))
            << c.text;
}

// A line is judged field by field (numbered from 1) and for text after its last
// semicolon, which only an ended objectId keeps; short and long lines are sound.
// The values read are the conversions' all the same.
TEST(RecordLine, TheFirstFaultOfALineIsFound) {
    using enum TableProblemKind;
    const struct {
        std::string_view line;
        TableProblemKind kind;
        int field;
        std::string_view text;
    } cases[] = {
        {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;SS_CO;kept;", none, 0, ""},
        {"1;2;3;", none, 0, ""},
        {"", none, 0, ""},
        {" 12;12 ;+5;-3;;;;;9;;;;;;SS_CO", notNumber, 1, " 12"},
        {"12 ;+5;-3;;;;;;9;;;;;;SS_CO", textAfterLastField, 0, "SS_CO"},
        {"1;2;3", textAfterLastField, 0, "3"},
        {"1;2;SG_LASER_IRE;8003;1.5;", notNumber, 3, "SG_LASER_IRE"},
        {"1;2;3;1.5;4294967297;", notInteger, 4, "1.5"},
        {"1;2;3;4;4294967297;", outOfRange, 5, "4294967297"}};
    for (const auto& c : cases) {
        int64_t budget = 0;
        TCockpits cockpit;
        const LineFault fault = readRecordLine(c.line, cockpit, budget);
        EXPECT_EQ(std::tuple(fault.kind, fault.field, fault.text),
                  std::tuple(c.kind, c.field, c.text))
            << c.line;
    }
    int64_t budget = 0;
    TCockpits c;
    readRecordLine(" 12;12 ;+5;-3;;;;;9;;;;;;SS_CO", c, budget);
    EXPECT_EQ(std::tuple(c.col0, c.col1, c.col2, c.col3, c.weaponMask, c.objectId, c.rest),
              std::tuple(0, 12, 5, -3, 9, "", ""));
}

// Long texts are cut to 40 characters; a group count has its own reason.
TEST(TableProblem, LongTextsAreCutAndGroupCountsNamed) {
    using enum TableProblemKind;
    EXPECT_EQ(problemText({notNumber, 2, 1, std::string(45, 'x') + "\t"}, Language::ru),
              cp1251::fromUtf8("строка 2, поле 1: «" + std::string(40, 'x') + "…» — не число"));
    EXPECT_EQ(problemText({groupTooLarge, 3, 48, "1000001"}, Language::ru),
              cp1251::fromUtf8("строка 3, поле 48: число элементов группы 1000001"));
    EXPECT_EQ(problemText({}, Language::ru), "");
}

// Padded to seven characters with a point. Just above 1, 15 significant digits
// give "1", which padded without a point would read back as a million.
TEST(ManoeuvrabilityText, PaddedToSevenCharactersWithAPoint) {
    const struct {
        double value;
        std::string_view text;
    } cases[] = {{0.58, "0.58000"},      {1, "1.00000"},        {0, "0.00000"},
                 {12.5, "12.5000"},      {-0.5, "-0.5000"},     {-1, "-1.0000"},
                 {0.123456, "0.123456"}, {1234567, "1234567.0"}, {1.0 + 4.0 * 2.220446049250313e-16, "1.00000"}};
    for (const auto& c : cases)
        EXPECT_EQ(manoeuvrabilityText(c.value), c.text) << c.value;
}


// Field numbers come from the column list, never counted by hand: on a ship line
// made by hand (field k holds k, but for its counts: one item, one turret of two
// gun groups), the reader takes the fixed columns, the counted groups and the
// tail in order, and the visitor numbers the columns where the reader finds them.
TEST(FieldNumbers, TheColumnListNumbersAHandMadeShipLine) {
    std::string line;
    for (int k = 1; k <= 74; ++k)
        line += std::to_string(k == 48 || k == 53 ? 1 : k == 57 ? 2 : k) + ";";
    line += "SS_SH_75;";
    TShips ship;
    int64_t budget = 0;
    ASSERT_EQ(readRecordLine(line, ship, budget).kind, TableProblemKind::none);
    ASSERT_EQ(std::tuple(ship.manoeuvrabilityX, ship.nameTextId, ship.maxShieldType, ship.turretMounts[0].cockpitIndex,
                         ship.turretMounts[5].position, ship.hullStrength, ship.priceCoefficient, ship.objectId),
              std::tuple(3.0, 7, 21, 29, 40, 44, 71, "SS_SH_75"));
    ASSERT_EQ(std::tuple(ship.items.size(), ship.turrets.size(), ship.turrets[0].gunGroups.size()), std::tuple(1u, 1u, 2u));
    EXPECT_EQ(std::tuple(ship.items[0].value3, ship.turrets[0].gunCount, ship.turrets[0].gunGroups[1].value5, ship.tail1),
              std::tuple(52, 55, 69, 70));
    const struct {
        std::string_view column;
        int64_t field;
    } expected[] = {{"col0", 1},           {"nameTextId", 7},        {"maxShieldType", 21},
                    {kMountColumns[0][0], 29}, {kMountColumns[5][1], 40}, {"hullStrength", 44},
                    {"itemCount", 48},     {"turretCount", 53},      {"gunGroupCount", 57},
                    {"priceCoefficient", 71}, {"objectId", 75}};
    for (const auto& e : expected) EXPECT_EQ(fieldNumber(ship, e.column), e.field) << e.column;
    EXPECT_EQ(forEachField(ship, [](std::string_view, int64_t) {}), 75);
    EXPECT_EQ(forEachField(TShips{}, [](std::string_view, int64_t) {}), 55); // no items, no turrets
}


// An input names only its member; its column is found in the column list. A
// member that is no column (a ware's price multiplier) or a second input on the
// same column is a wrong description.
template <class Record, size_t N> void expectOneColumnEach(const FieldOf<Record> (&fields)[N]) {
    std::vector<std::string_view> seen;
    for (const FieldOf<Record>& field : fields) {
        const std::string_view column = columnOf(field);
        EXPECT_FALSE(column.empty()) << text(field.label, Language::en);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), column), 0) << column;
        seen.push_back(column);
    }
}

TEST(EditorFields, EachInputEditsItsOwnColumn) {
    expectOneColumnEach(kShipFields);
    expectOneColumnEach(kLaserFields);
    expectOneColumnEach(kBulletFields);
    expectOneColumnEach(kShieldFields);
    expectOneColumnEach(kRocketFields);
    expectOneColumnEach(kStationFields);
    expectOneColumnEach(kWareFields);
    EXPECT_EQ(columnOf(FieldOf<TWares>{Text::averageWare, {}, Shown::number}), "");
}

} // namespace
