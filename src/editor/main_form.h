#pragma once
// The editor's one window: every control of the three pages, reached by the
// handlers through this object, which is the context of every event.

#include "editor/selection.h"
#include "tables/save_merge.h"
#include "text/file_fingerprint.h"
#include "text/texts.h"
#include "ui/control.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct GameState;
struct NamePage;

// The controls of a group that shows one record of an armament, station or ware table.
struct RecordGroup {
    Control* box = nullptr;
    Control* list = nullptr;           // the selector
    Control* objectIdLabel = nullptr;
    Control* volume = nullptr;
    Control* containerType = nullptr;
    Control* priceCoefficient = nullptr;
    Control* averagePriceChange = nullptr; // none for stations
    Control* averagePriceLabel = nullptr;  // the estimate label
    Control* priceRangeLabel = nullptr;    // none for stations
    std::vector<Control*> inputs;          // everything enabled or disabled with the group
    std::vector<Control*> fields;          // the inputs of the group's field descriptions, in order
};

struct MainForm {
    Control* application = nullptr;
    Control* window = nullptr;
    GameState* game = nullptr;
    Language language = Language::ru;
    std::string_view text(Text key) const { return ::text(key, language); }
    // The lines of text page 17; released when the window is destroyed.
    std::unique_ptr<NamePage> nameLines;
    // Each table file's bytes as the editor last read or wrote them, by TableId:
    // the BASE of Save's merge with a file changed on disk (TableBases, save_merge.h).
    TableBases tableBases;
    // The name page: its file as the editor names it ("t\70001.xml"), its bytes
    // as the window holds them (with the names it added or changed), and as last
    // read or written with the file's identity then (Save's merge takes that as
    // BASE when another program changed the page).
    struct {
        std::string name;
        std::string bytes;
        std::string base;
        FileFingerprint identity;
    } page;

    Control* tabs = nullptr;
    Control* saveButton = nullptr;
    Control* closeButton = nullptr;
    Control* helpButton = nullptr;

    // Page "Корабли"
    Control* shipList = nullptr;
    Control* objectIdCaption = nullptr;
    Control* maxShieldTypeList = nullptr;
    Control* maxShieldCountList = nullptr;
    Control* maxMissileTypeList = nullptr;
    Control* maxMissileCountList = nullptr;
    Control* turretLabel = nullptr;
    Control* turretList = nullptr;
    Control* turretShared = nullptr; // "shared by 3 ships" when other ships mount its cockpit
    std::array<Control*, 24> weaponBoxes{}; // in creation order; each box's tag is its bit
    Control* speed = nullptr;
    Control* speedUpgrades = nullptr;
    Control* manoeuvrabilityX = nullptr;
    Control* manoeuvrabilityY = nullptr;
    Control* manoeuvrabilityRotation = nullptr;
    Control* manoeuvrabilityUpgrades = nullptr;
    Control* hullStrength = nullptr;
    Control* acceleration = nullptr;
    Control* minCargoSize = nullptr;
    Control* maxCargoSize = nullptr;
    Control* cargoBayType = nullptr;
    Control* hangarCapacity = nullptr;
    Control* generatorPower = nullptr;
    Control* shipPriceCoefficient = nullptr;
    Control* shipPriceLabel = nullptr;
    std::vector<Control*> shipInputs; // enabled only while a ship is shown
    std::vector<Control*> shipFields; // the inputs of kShipFields, in order (tag = index)

    // Page "Вооружение"
    RecordGroup laser;
    Control* fireDelay = nullptr;
    Control* laserPower = nullptr;
    Control* shotEnergy = nullptr;
    Control* bulletShieldDamage = nullptr;
    Control* hullDamage = nullptr;
    Control* projectileSpeed = nullptr;
    Control* firingRange = nullptr;
    std::vector<Control*> bulletInputs; // enabled only while the laser has a bullet record
    std::vector<Control*> bulletFields; // the inputs of kBulletFields, in order (tag = index)
    RecordGroup shield;
    Control* shieldPower = nullptr;
    RecordGroup rocket;
    Control* missileSpeed = nullptr;
    Control* rocketShieldDamage = nullptr;

    // Page "Станции и товары"
    RecordGroup station;
    RecordGroup ware;

    // The record each group shows, and the chosen turret entry.
    Selection selection;
    // For each entry of turretList, the turret of the shown ship it stands for.
    std::vector<int> turretOfEntry;
    // Above 0 while a show operation fills the controls: the change events that
    // raises must not store the coarser shown values back into the record.
    int showing = 0;
    // An edit changed a record since the tables were loaded or last saved in
    // full; the title shows "*" and closing asks whether to save.
    bool changed = false;
    // What start-up tells once the window shows (another Orvex on the folder,
    // tables not found or kept from saving); empty when there is nothing.
    std::string startupNotes;
    // Above 0 while Save or the close question runs: an activation then reads nothing.
    int busy = 0;
    // What Find looked for last (F3 looks for it again).
    std::string findText;
};

// Builds the window and all its controls on the application, then runs the
// start-up sequence. Returns nullptr when start-up ends the program (no name
// page; the user has been told); the window is then never shown.
// Every text in `language`.
MainForm* buildMainWindow(Control& application, GameState& game,
                          Language language);
