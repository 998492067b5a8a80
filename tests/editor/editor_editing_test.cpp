// Editing: list choices, weapon masks, saving. (Typing, the key filters,
// estimates following the typing, flight times and the other groups' inputs are
// checked byte for byte by the end-to-end editing road.)

#include "editor_fixture.h"

#include <filesystem>
#include <string_view>
#include <tuple>

namespace {

namespace fs = std::filesystem;

TEST_F(EditorTest, ListChoicesStoreTheirEntry) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    platform.switchTab(*f.tabs, 1);
    platform.choose(*f.laser.containerType, 4);
    platform.choose(*f.laser.averagePriceChange, 25);
    platform.switchTab(*f.tabs, 0);
    platform.choose(*f.maxShieldCountList, 19);
    platform.choose(*f.maxMissileTypeList, 8);
    platform.choose(*f.cargoBayType, 5);
    check([&] {
        EXPECT_EQ(state.lasers.records[0].containerType, 4) << "XL";
        EXPECT_EQ(state.ships.records[0].maxShieldCount, 20);
        EXPECT_EQ(state.ships.records[0].maxMissileType, 8);
        EXPECT_EQ(state.ships.records[0].cargoBayType, 5);
        EXPECT_EQ(state.lasers.records[0].averagePriceChange, 25);
        // 1123 +- 25 %
        EXPECT_EQ(controlText(*f.laser.priceRangeLabel), cp("Диапазон стоимости 842-1403 кр."));
    });
    run();
}

// Keys and pastes go through one rule (the number input tests hold its cases):
// the same inputs typed key by key into an emptied box and pasted over a box
// holding 7. A refused key or paste changes
// nothing and shows the box's tip; whatever the box then shows is what it
// stores, so leaving it changes nothing.
TEST_F(EditorTest, KeysAndPastesFollowOneRule) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    struct Case {
        Control* box;
        const char* input;
        const char* typed;     // the box after typing it
        size_t typedTips;      // tips shown while typing
        const char* pasted;    // the box after pasting it
    };
    const Case cases[] = {
        {f.hullStrength, "-500", "500", 1, "7"},  // the sign refused alone
        {f.hullStrength, " 12000\r\n", "12000", 1, "12000"}, // a line end is no key to refuse
        {f.manoeuvrabilityX, "1.2.3", "1.23", 1, "7"},
        {f.manoeuvrabilityX, "333,5", "333.5", 0, "333.5"},
    };
    size_t tips = 0; // tips shown before the input checked
    auto expectShown = [&](const Case& c, const char* shown, size_t newTips, const char* how) {
        check([&, c, shown, newTips, how] {
            EXPECT_EQ(controlText(*c.box), shown) << how << " \"" << c.input << '"';
            EXPECT_EQ(platform.tips().size() - tips, newTips) << how << " \"" << c.input << '"';
        });
        platform.focus(*f.shipList);
        check([&, c, shown] { EXPECT_EQ(controlText(*c.box), shown) << "stored as shown: " << c.input; });
    };
    for (const Case& c : cases) {
        check([&, c] { setControlText(*c.box, ""), tips = platform.tips().size(); });
        platform.type(*c.box, c.input);
        expectShown(c, c.typed, c.typedTips, "typed");
        check([&, c] { setControlText(*c.box, "7"), tips = platform.tips().size(); });
        platform.paste(*c.box, c.input);
        expectShown(c, c.pasted, std::string_view(c.pasted) == "7" ? 1 : 0, "pasted");
    }
    check([&] {
        const ShownTip& tip = platform.tips().back();
        EXPECT_EQ(std::tuple(tip.box, tip.title, tip.text),
                  std::tuple(f.manoeuvrabilityX, cp("Недопустимый ввод"),
                             cp("Здесь можно ввести только цифры и одну десятичную точку (или запятую).")));
    });
    run();
}

// Leaving a box shows what it stores: a value saturated at its limit, told in
// the box's tip with the largest value, 0 for an emptied box; the editing keys
// pass the key filters, other control keys do not.
TEST_F(EditorTest, LeavingABoxShowsTheValueStored) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    struct Case {
        Control* box;
        const char* typed;
        const char* shown; // once the focus has left
        const char* tip;   // UTF-8; "" for none
    };
    const Case cases[] = {
        {f.hullStrength, "99999999999", "2147483647", "Таблица хранит здесь не больше 2147483647."},
        {f.speed, "99999999999", "9673349", "Таблица хранит здесь не больше 9673349 м/с."}, // 2147483647 / 222
        {f.speed, "\b\b\b\b\b\b\b\b\b\b\b0009673349", "9673349", ""},
        {f.hullStrength, "\b\b\b\b\b\b\b\b\b\b\b", "0", ""},
        {f.manoeuvrabilityX, "\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b", "0", ""},
    };
    size_t tips = 0;
    for (const Case& c : cases) {
        platform.type(*c.box, c.typed);
        platform.focus(*f.shipList);
        check([&, c] {
            EXPECT_EQ(controlText(*c.box), c.shown) << c.typed;
            if (*c.tip != 0) ++tips;
            ASSERT_EQ(platform.tips().size(), tips) << c.typed;
            if (*c.tip == 0) return;
            EXPECT_EQ(std::tuple(platform.tips().back().box, platform.tips().back().text), std::tuple(c.box, cp(c.tip)));
        });
    }
    check([&] {
        EXPECT_EQ(state.ships.records[0].hullStrength, 0);
        EXPECT_EQ(state.ships.records[0].speed, 9673349 * 222) << "the largest speed typed whole";
        const std::pair<char, char> keys[] = {{3, 3}, {0x16, 0x16}, {0x18, 0x18}, {0x1A, 0x1A},
                                              {8, 8}, {1, 1},       {'\r', 0},    {0x1B, 0},
                                              {0x7F, 0}};
        for (auto [typed, passed] : keys)
            for (auto filter : {digitsKeyFilter, decimalKeyFilter}) {
                char ch = typed;
                filter(&f, *f.hullStrength, ch, 0);
                EXPECT_EQ(ch, passed) << int(typed);
            }
    });
    run();
}

// Every price text follows what it is made of: the range the coefficient too,
// an estimate beyond 32 bits shown whole and wrapped inside its group; the
// firing range follows a typed speed without a new flight time, and a range
// typed without a speed keeps the flight time.
TEST_F(EditorTest, PricesAndRangeFollowTheirInputs) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    platform.switchTab(*f.tabs, 1);
    platform.choose(*f.laser.averagePriceChange, 10);
    platform.paste(*f.laser.priceCoefficient, "100");
    platform.paste(*f.projectileSpeed, "1500");
    check([&] {
        EXPECT_EQ(controlText(*f.laser.priceRangeLabel), cp("Диапазон стоимости 2526-3088 кр."));
        EXPECT_EQ(std::pair(state.bullets.records[0].projectileSpeed, state.bullets.records[0].flightTime),
                  std::pair(333000, 2000));
        EXPECT_EQ(controlText(*f.firingRange), "3000") << "2000 ms at 1500 m/s";
    });
    platform.paste(*f.firingRange, "6000");
    check([&] { EXPECT_EQ(state.bullets.records[0].flightTime, 4000); });
    platform.type(*f.projectileSpeed, "\b\b\b\b");
    platform.paste(*f.firingRange, "7000");
    check([&] { EXPECT_EQ(state.bullets.records[0].flightTime, 4000); });
    platform.switchTab(*f.tabs, 2);
    platform.paste(*f.station.priceCoefficient, "2147483647");
    check([&] {
        const Control& label = *f.station.averagePriceLabel;
        EXPECT_EQ(controlText(label), cp("Примерная стоимость станции на верфи 139423228297 кр."));
        EXPECT_LE(label.x + label.width, f.station.box->width - 8) << "inside the frame";
        EXPECT_EQ(label.height, 2 * 13) << "on two lines";
    });
    run();
}

TEST_F(EditorTest, WeaponBoxesStoreIntoTheChosenTurretsPlace) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    Control& alphaIre = *f.weaponBoxes[0];
    Control& repair = *f.weaponBoxes[23];
    platform.click(alphaIre); // main position: clears bit 0, keeps 23 and 30
    check([&] { EXPECT_EQ(state.ships.records[0].mainWeaponMask, (1 << 23) | (1 << 30)); });
    check([&] { EXPECT_EQ(controlText(*f.turretShared), "") << "the main turret is the ship's own"; });
    platform.choose(*f.turretList, 1); // mount 0: cockpit 1, shared with ship 2
    platform.click(repair);
    check([&] {
        EXPECT_EQ(static_cast<uint32_t>(state.cockpits.records[1].weaponMask), 0xFF800000u)
            << "bits 24..31 kept";
        EXPECT_EQ(controlText(*f.turretShared), cp("общая у 2 кораблей"));
    });
    platform.choose(*f.turretList, 2); // no cockpit behind this mount
    platform.click(alphaIre);
    check([&] {
        EXPECT_EQ(controlText(*f.turretShared), "");
        EXPECT_EQ(static_cast<uint32_t>(state.cockpits.records[1].weaponMask), 0xFF800000u);
        EXPECT_EQ(state.ships.records[0].mainWeaponMask, (1 << 23) | (1 << 30));
    });
    platform.choose(*f.shipList, 2); // mainTurretListed 0: entry 0 is mount 0
    check([&] { EXPECT_TRUE(isChecked(repair)) << "the shared cockpit shows the change"; });
    platform.click(*f.weaponBoxes[1]);
    check([&] { EXPECT_EQ(static_cast<uint32_t>(state.cockpits.records[1].weaponMask), 0xFF800002u); });
    run();
}

// Every record of every group shown, then saved: the files come back unchanged.
TEST_F(EditorTest, ShowingRecordsThenSavingLeavesEveryFileAsItWas) {
    writeEditorGame(game);
    std::vector<std::string> before;
    for (const std::string& name : game.typesEntries()) before.push_back(game.read("types/" + name));
    ASSERT_NE(start(false), nullptr);
    MainForm& f = *form;
    const std::pair<int, Control*> selectors[] = {{0, f.shipList},   {1, f.laser.list},
                                                  {1, f.shield.list}, {1, f.rocket.list},
                                                  {2, f.station.list}, {2, f.ware.list}};
    for (auto [page, list] : selectors) {
        platform.switchTab(*f.tabs, page);
        for (int i = itemCount(*list) - 1; i >= 0; --i) platform.choose(*list, i);
    }
    platform.switchTab(*f.tabs, 0);
    for (int i = 0; i < 3; ++i) platform.choose(*f.turretList, i);
    check([&] { EXPECT_EQ(controlText(*f.window), "Orvex") << "looking changes nothing"; });
    platform.click(*f.saveButton);
    platform.pressClose(*f.window); // nothing changed: closing asks nothing
    run();
    EXPECT_FALSE(platform.ranDry());
    ASSERT_EQ(platform.messageBoxes().size(), 1u) << "only start-up's note of the missing ware file";
    std::vector<std::string> after;
    for (const std::string& name : game.typesEntries())
        if (name.ends_with(".txt")) after.push_back(game.read("types/" + name));
    EXPECT_EQ(after, before);
    const std::string ships = game.read("types/TShips.txt");
    EXPECT_EQ(game.read("types/TShips.bak"), ships) << "the first save keeps a backup";
    EXPECT_FALSE(game.exists("types/TWareM.txt")) << "a missing table is not created";
}

// A failed save names each file with the system's reason and says the rest
// were saved; the close question keeps the window open for a failed save and
// for any answer but Yes or No (Esc closes the box with Cancel under Wine).
TEST_F(EditorTest, AFailedSaveIsReportedAndKeepsTheWindowOpen) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    fs::permissions(game.path("types/TShips.txt"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string failure = cp("Не удалось сохранить файлы:\r\ntypes\\TShips.txt — файл "
                                   "только для чтения\r\n\r\nОстальные таблицы сохранены.");
    platform.type(*f.hullStrength, "1");
    platform.click(*f.saveButton);
    platform.answer(kIdOk);
    platform.pressClose(*f.window);
    platform.answer(kIdYes);
    platform.answer(kIdOk);
    for (int noAnswer : {kIdCancel, 0}) {
        platform.pressClose(*f.window);
        platform.answer(noAnswer);
    }
    check([&] { EXPECT_NE(form, nullptr); }); // still open: the queue goes on
    platform.pressClose(*f.window);
    platform.answer(kIdNo);
    run();
    const auto& boxes = platform.messageBoxes();
    ASSERT_EQ(boxes.size(), 7u); // boxes[0] is start-up's note
    EXPECT_EQ(boxes[1].text, failure);
    EXPECT_EQ(boxes[1].caption, std::string(ORVEX_CAPTION));
    EXPECT_EQ(boxes[1].flags, kMbOk | kMbIconError);
    EXPECT_EQ(boxes[3].text, failure);
    for (size_t i : {2, 4, 5, 6})
        EXPECT_EQ(boxes[i].text, cp("Файлы не сохранены! Сохранить?")) << "each close asks again";
    EXPECT_FALSE(platform.ranDry());
    EXPECT_TRUE(game.exists("types/TLaser.bak")) << "the other tables were written";
}

} // namespace
