// Editing: list choices, weapon masks, saving. (Typing, the key filters,
// estimates following the typing, flight times and the other groups' inputs are
// checked byte for byte by the end-to-end editing road.)

#include "editor_fixture.h"

#include <filesystem>

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
        EXPECT_EQ(state.lasers[0].containerType, 4) << "XL";
        EXPECT_EQ(state.ships[0].maxShieldCount, 20);
        EXPECT_EQ(state.ships[0].maxMissileType, 8);
        EXPECT_EQ(state.ships[0].cargoBayType, 5);
        EXPECT_EQ(state.lasers[0].averagePriceChange, 25);
        // 1123 +- 25 %
        EXPECT_EQ(controlText(*f.laser.priceRangeLabel), cp("Диапазон стоимости 842-1403 кр."));
    });
    run();
}

TEST_F(EditorTest, WeaponBoxesStoreIntoTheChosenTurretsPlace) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    Control& alphaIre = *f.weaponBoxes[0];
    Control& repair = *f.weaponBoxes[23];
    platform.click(alphaIre); // main position: clears bit 0, keeps 23 and 30
    check([&] { EXPECT_EQ(state.ships[0].mainWeaponMask, (1 << 23) | (1 << 30)); });
    platform.choose(*f.turretList, 1); // mount 0: cockpit 1, shared with ship 2
    platform.click(repair);
    check([&] {
        EXPECT_EQ(static_cast<uint32_t>(state.cockpits[1].weaponMask), 0xFF800000u)
            << "bits 24..31 kept";
    });
    platform.choose(*f.turretList, 2); // no cockpit behind this mount
    platform.click(alphaIre);
    check([&] {
        EXPECT_EQ(static_cast<uint32_t>(state.cockpits[1].weaponMask), 0xFF800000u);
        EXPECT_EQ(state.ships[0].mainWeaponMask, (1 << 23) | (1 << 30));
    });
    platform.choose(*f.shipList, 2); // mainTurretListed 0: entry 0 is mount 0
    check([&] { EXPECT_TRUE(isChecked(repair)) << "the shared cockpit shows the change"; });
    platform.click(*f.weaponBoxes[1]);
    check([&] { EXPECT_EQ(static_cast<uint32_t>(state.cockpits[1].weaponMask), 0xFF800002u); });
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
    platform.click(*f.saveButton);
    run();
    EXPECT_TRUE(platform.messageBoxes().empty());
    std::vector<std::string> after;
    for (const std::string& name : game.typesEntries())
        if (name.ends_with(".txt")) after.push_back(game.read("types/" + name));
    EXPECT_EQ(after, before);
    const std::string ships = game.read("types/TShips.txt");
    EXPECT_EQ(game.read("types/TShips.bak"), ships) << "the first save keeps a backup";
    EXPECT_FALSE(game.exists("types/TWareM.txt")) << "a missing table is not created";
}

TEST_F(EditorTest, AFailedSaveIsReportedAndKeepsTheWindowOpen) {
    ASSERT_NE(start(), nullptr);
    MainForm& f = *form;
    fs::permissions(game.path("types/TShips.txt"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string failure = cp("Не удалось сохранить файлы:") + "\r\ntypes\\TShips.txt";
    platform.click(*f.saveButton);
    platform.answer(kIdOk);
    platform.pressClose(*f.window);
    platform.answer(kIdYes);
    platform.answer(kIdOk);
    check([&] { EXPECT_NE(form, nullptr); }); // still open: the queue goes on
    platform.pressClose(*f.window);
    platform.answer(kIdNo);
    run();
    const auto& boxes = platform.messageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, failure);
    EXPECT_EQ(boxes[0].caption, cp("Orvex v2.1"));
    EXPECT_EQ(boxes[0].flags, kMbOk | kMbIconError);
    EXPECT_EQ(boxes[2].text, failure);
    EXPECT_EQ(boxes[3].text, cp("Файлы не сохранены! Сохранить?")) << "the next close asks again";
    EXPECT_FALSE(platform.ranDry());
    EXPECT_TRUE(game.exists("types/TLaser.bak")) << "the other tables were written";
}

} // namespace
