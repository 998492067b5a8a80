#include "editor/control_list.h"

#include "tables/editor_fields.h"

#include <vector>

namespace {

struct FixedControl {
    std::string_view name;
    std::optional<Text> text;
};

// The controls every window has, page by page; the weapon boxes and the field
// rows follow them (makeList).
constexpr FixedControl kFixedControls[] = {
    {"tabs", {}},
    {"shipsPage", Text::tabShips},
    {"armamentPage", Text::tabArmament},
    {"stationsPage", Text::tabStationsWares},
    {"saveButton", Text::save},
    {"closeButton", Text::close},
    {"helpButton", Text::help},
    // Page "Корабли"
    {"ship.selectionBox", Text::groupShipSelection},
    {"ship.listLabel", Text::ship},
    {"ship.list", {}},
    {"ship.objectId", {}},
    {"ship.armsBox", Text::groupShieldsMissiles},
    {"ship.weaponsBox", Text::groupArmament},
    {"turret.listLabel", Text::turret},
    {"turret.list", {}},
    {"turret.shared", {}},
    {"ship.techBox", Text::groupSpecifications},
    {"ship.divider", {}},
    {"ship.price", {}},
    // Page "Вооружение"
    {"laser.box", Text::groupLasers},
    {"laser.listLabel", Text::laser},
    {"laser.list", {}},
    {"laser.objectId", {}},
    {"laser.averagePrice", {}},
    {"laser.priceRange", {}},
    {"shield.box", Text::groupShields},
    {"shield.listLabel", Text::shield},
    {"shield.list", {}},
    {"shield.objectId", {}},
    {"shield.averagePrice", {}},
    {"shield.priceRange", {}},
    {"rocket.box", Text::groupMissiles},
    {"rocket.listLabel", Text::missile},
    {"rocket.list", {}},
    {"rocket.objectId", {}},
    {"rocket.averagePrice", {}},
    {"rocket.priceRange", {}},
    // Page "Станции и товары"
    {"station.box", Text::groupFactories},
    {"station.listLabel", Text::station},
    {"station.list", {}},
    {"station.objectId", {}},
    {"station.averagePrice", {}},
    {"ware.box", Text::groupWares},
    {"ware.listLabel", Text::ware},
    {"ware.list", {}},
    {"ware.objectId", {}},
    {"ware.averagePrice", {}},
    {"ware.priceRange", {}},
    // The copy and rename dialogs (the rename dialog has no identifier)
    {"dialog.nameLabel", Text::dialogName},
    {"dialog.name", {}},
    {"dialog.objectIdLabel", Text::dialogObjectId},
    {"dialog.objectId", {}},
    {"dialog.ok", Text::dialogOk},
    {"dialog.cancel", Text::dialogCancel},
    {"find.whatLabel", Text::findWhat},
    {"find.what", {}},
    {"find.next", Text::findNext},
    {"find.cancel", Text::dialogCancel},
};

// A weapon mask's bits 0..23 each have a check box, named by its bit
// ("weapon.3"); its caption joins a word and a family, no one text.
constexpr int kWeaponBoxes = 24;

template <class Record> void addFieldRows(std::vector<ControlEntry>& list, std::string_view group) {
    for (const FieldOf<Record>& field : editorFields<Record>()) {
        const std::string_view column = columnOf(field);
        list.push_back({fieldControlName(group, column, FieldPart::input), {}});
        list.push_back({fieldControlName(group, column, FieldPart::label), field.label});
        if (field.unit) list.push_back({fieldControlName(group, column, FieldPart::unit), field.unit});
        if (field.unitSquared) list.push_back({fieldControlName(group, column, FieldPart::exponent), {}});
    }
}

std::vector<ControlEntry> makeList() {
    std::vector<ControlEntry> list;
    for (const FixedControl& c : kFixedControls) list.push_back({std::string(c.name), c.text});
    for (int bit = 0; bit < kWeaponBoxes; ++bit) list.push_back({"weapon." + std::to_string(bit), {}});
    addFieldRows<TShips>(list, "ship");
    addFieldRows<TLasers>(list, "laser");
    addFieldRows<TBullets>(list, "bullet");
    addFieldRows<TShields>(list, "shield");
    addFieldRows<TRockets>(list, "rocket");
    addFieldRows<TStations>(list, "station");
    addFieldRows<TWares>(list, "ware");
    return list;
}

} // namespace

std::span<const ControlEntry> controlList() {
    static const std::vector<ControlEntry> list = makeList();
    return list;
}

int controlNumber(std::string_view name) {
    const std::span<const ControlEntry> list = controlList();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].name == name) return kFirstControlNumber + static_cast<int>(i);
    return 0;
}

const ControlEntry* controlEntry(int number) {
    const std::span<const ControlEntry> list = controlList();
    const int place = number - kFirstControlNumber;
    return place >= 0 && place < static_cast<int>(list.size()) ? &list[static_cast<size_t>(place)] : nullptr;
}

std::string fieldControlName(std::string_view group, std::string_view column, FieldPart part) {
    std::string name = std::string(group) + "." + std::string(column);
    if (part == FieldPart::label) name += ".label";
    if (part == FieldPart::unit) name += ".unit";
    if (part == FieldPart::exponent) name += ".exponent";
    return name;
}
