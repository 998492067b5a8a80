// The main window: three tab pages of group boxes and three buttons, every
// control created once here and kept in MainForm.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/name_page.h"
#include "tables/game_state.h"
#include "tables/editor_fields.h"
#include "ui/control.h"
#include "ui/fit_texts.h"
#include "ui/styles.h"
#include "ui/trace.h"

#include <span>
#include <string>

namespace {

// The regular font is set before auto-size makes and measures the window, so
// that the window is made once, in its final font and size.
Control& regular(Control& c) {
    setFontStyle(c, 0);
    return c;
}

// Each control gets its id (ui/control_id.h) before auto-size makes its window.
Control& label(Control& parent, std::string_view id, std::string_view text, int x, int y) {
    return regular(createLabel(parent, text).setId(id)).place(x, y).setAutoSize(true);
}

Control& infoLabel(Control& parent, std::string_view id, int x, int y) {
    return regular(createLabel(parent, "").setId(id)).place(x, y).setAutoSize(true);
}

Control& faceLabel(Control& parent, std::string_view id, int x, int y, bool wrapping) {
    Control& c = wrapping ? createWrappingLabel(parent, "") : createLabel(parent, "");
    regular(c.setId(id)).place(x, y).setAutoSize(true);
    setColour(c, kColourFace);
    return c;
}

Control& edit(Control& parent, std::string_view id, int x, int y, MainForm& form,
              ClickSlot::Fn onChange, bool decimal = false) {
    Control& c = regular(
        createEditBox(parent, decimal ? 0u : kDigitsOnly).setId(id).place(x, y).resize(90, 0));
    setColour(c, kColourWindow);
    c.onChange = {onChange, &form};
    c.onKeyChar = {decimal ? decimalKeyFilter : digitsKeyFilter, &form};
    c.onPaste = {decimal ? decimalPasteFilter : digitsPasteFilter, &form};
    c.onFocusLeave = {onNumberBoxLeft, &form};
    return c;
}

Control& list(Control& parent, std::string_view id, int x, int y, int width, MainForm& form,
              ClickSlot::Fn onChange) {
    Control& c = regular(createList(parent, 0).setId(id).place(x, y).resize(width, 0));
    setColour(c, kColourWindow);
    c.onChange = {onChange, &form};
    return c;
}

Control& groupBox(Control& parent, std::string_view id, std::string_view caption, int x, int y,
                  int w, int h) {
    Control& box =
        createGroupBox(parent, caption).setId(id).place(x, y).resize(w, h).setTabStop(false);
    setFontStyle(box, kBold);
    setCaptionAlignment(box, Alignment::Centre);
    return box;
}

void addContainerTypes(Control& list) { addListedEntries(list, Shown::containerEntry); }

// The id of a group's control: the group's name, a dot, the control's role or
// column ("laser.list", "ship.hullStrength").
std::string idIn(std::string_view group, std::string_view role) {
    return std::string(group) + "." + std::string(role);
}

// The selector, its label and the objectId label common to the record groups.
void recordSelector(RecordGroup& g, std::string_view group, Control& box,
                    std::string_view caption, int listWidth, int objectIdY, MainForm& form,
                    ClickSlot::Fn onSelect) {
    g.box = &box;
    label(box, idIn(group, "listLabel"), caption, 16, 26);
    g.list = &list(box, idIn(group, "list"), 70, 22, listWidth, form, onSelect);
    g.objectIdLabel = &infoLabel(box, idIn(group, "objectId"), 70, objectIdY);
}

// Where a field's label, input and unit stand in its group box.
struct Place {
    int labelX, labelY, inputX, inputY;
    int unitX = 0, unitY = 0;
    int listWidth = 90;
};

// The next input of `inputs` from its description: label, edit box or list, unit.
// Its tag is its index among the descriptions, by which the handlers find it;
// its id is the group's name and the column it edits ("ship.speed"), its
// label's and unit's the same with ".label" and ".unit".
template <class Record>
Control& fieldRow(MainForm& f, std::string_view group, Control& box, std::vector<Control*>& inputs,
                  std::span<const FieldOf<Record>> fields, Place at, ClickSlot::Fn onChange) {
    const FieldOf<Record>& d = fields[inputs.size()];
    const std::string id = idIn(group, columnOf(d));
    label(box, id + ".label", f.text(d.label), at.labelX, at.labelY);
    Control& c = isListField(d.shown)
                     ? list(box, id, at.inputX, at.inputY, at.listWidth, f, onChange)
                     : edit(box, id, at.inputX, at.inputY, f, onChange, d.shown == Shown::percent);
    if (d.unit) label(box, id + ".unit", f.text(*d.unit), at.unitX, at.unitY);
    setTag(c, static_cast<int>(inputs.size()));
    inputs.push_back(&c);
    return c;
}

// The caption of a weapon check box: a kind's word (Alpha, Beta, Gamma) and its family.
std::string weaponCaption(const MainForm& f, Text word, std::string_view family) {
    return std::string(f.text(word)) + " " + std::string(family);
}

void buildShipsPage(MainForm& f, Control& page) {
    Control& select =
        groupBox(page, "ship.selectionBox", f.text(Text::groupShipSelection), 3, 3, 290, 80);
    label(select, "ship.listLabel", f.text(Text::ship), 16, 26);
    f.shipList = &list(select, "ship.list", 70, 22, 200, f, onShipSelected);
    f.objectIdCaption = &infoLabel(select, "ship.objectId", 70, 54);

    const std::span<const FieldOf<TShips>> fields(kShipFields);
    auto row = [&](Control& box, Place at) -> Control& {
        return fieldRow(f, "ship", box, f.shipFields, fields, at, onShipFieldChange);
    };
    Control& arms =
        groupBox(page, "ship.armsBox", f.text(Text::groupShieldsMissiles), 3, 85, 290, 140);
    f.maxShieldTypeList = &row(arms, {16, 26, 170, 22, 0, 0, 105});
    f.maxShieldCountList = &row(arms, {16, 54, 170, 50, 0, 0, 105});
    f.maxMissileTypeList = &row(arms, {16, 82, 170, 78, 0, 0, 105});
    for (Text name : kFixedMissileNames) addItem(*f.maxMissileTypeList, f.text(name));
    f.maxMissileCountList = &row(arms, {16, 110, 170, 106, 0, 0, 105});

    Control& weapons =
        groupBox(page, "ship.weaponsBox", f.text(Text::groupArmament), 301, 3, 299, 222);
    f.turretLabel = &label(weapons, "turret.listLabel", f.text(Text::turret), 16, 26);
    f.turretList = &list(weapons, "turret.list", 70, 22, 200, f, onTurretSelected);
    struct Box {
        Text word; // none for the boxes named by their family alone
        std::string_view family;
        int x, y, bit;
    };
    constexpr Text kNoWord = Text::count_;
    const Box boxes[24] = {
        {Text::weaponAlpha, "IRE", 16, 60, 0},    {Text::weaponBeta, "IRE", 16, 78, 1},
        {Text::weaponGamma, "IRE", 16, 96, 2},    {Text::weaponAlpha, "PAC", 16, 114, 3},
        {Text::weaponBeta, "PAC", 16, 132, 4},    {Text::weaponGamma, "PAC", 16, 150, 5},
        {Text::weaponAlpha, "HEPT", 110, 60, 6},  {Text::weaponBeta, "HEPT", 110, 78, 7},
        {Text::weaponGamma, "HEPT", 110, 96, 8},  {Text::weaponAlpha, "PSG", 110, 114, 9},
        {Text::weaponBeta, "PSG", 110, 132, 10},  {Text::weaponGamma, "PSG", 110, 150, 11},
        {Text::weaponAlpha, "PPC", 210, 60, 18},  {Text::weaponBeta, "PPC", 210, 78, 19},
        {Text::weaponGamma, "PPC", 210, 96, 20},  {kNoWord, "MD", 210, 114, 16},
        {kNoWord, "MDS", 210, 132, 12},           {kNoWord, "ID", 210, 150, 17},
        {Text::weaponAlpha, "Kyon", 16, 176, 13}, {Text::weaponBeta, "Kyon", 110, 176, 14},
        {Text::weaponGamma, "Kyon", 210, 176, 15}, {kNoWord, "Lasertower", 16, 193, 21},
        {kNoWord, "End Fight", 110, 193, 22},     {kNoWord, "Repair", 210, 193, 23},
    };
    for (int i = 0; i < 24; ++i) {
        const Box& b = boxes[i];
        const std::string caption =
            b.word == kNoWord ? std::string(b.family) : weaponCaption(f, b.word, b.family);
        // Named by the bit of the weapon mask it stands for ("weapon.3").
        const std::string id = idIn("weapon", std::to_string(b.bit));
        Control& box = createCheckBox(weapons, caption).setId(id);
        regular(box).place(b.x, b.y).setAutoSize(true);
        setTag(box, b.bit);
        box.onClick = {onWeaponBoxClicked, &f};
        f.weaponBoxes[i] = &box;
    }

    Control& tech =
        groupBox(page, "ship.techBox", f.text(Text::groupSpecifications), 3, 227, 597, 255);
    f.speed = &row(tech, {16, 25, 170, 22, 265, 25});
    f.speedUpgrades = &row(tech, {16, 53, 170, 50});
    f.manoeuvrabilityX = &row(tech, {16, 81, 170, 78, 265, 81});
    f.manoeuvrabilityY = &row(tech, {16, 109, 170, 106, 265, 109});
    f.manoeuvrabilityRotation = &row(tech, {16, 137, 170, 134, 265, 137});
    f.manoeuvrabilityUpgrades = &row(tech, {16, 165, 170, 162});
    f.hullStrength = &row(tech, {16, 193, 170, 190});

    Control& divider =
        createPanel(tech, kEdgeSunken).setId("ship.divider").place(293, 16).resize(2, 235);
    divider.setTabStop(false);

    f.acceleration = &row(tech, {310, 25, 470, 22, 565, 25});
    // The unit's exponent.
    setFontHeight(label(tech, "ship.acceleration.exponent", "2", 582, 22), 9);
    f.minCargoSize = &row(tech, {310, 53, 470, 50, 565, 53});
    f.maxCargoSize = &row(tech, {310, 81, 470, 78, 565, 81});
    f.cargoBayType = &row(tech, {310, 110, 470, 106});
    addContainerTypes(*f.cargoBayType);
    f.hangarCapacity = &row(tech, {310, 137, 470, 134});
    f.generatorPower = &row(tech, {310, 165, 470, 162, 565, 165});
    f.shipPriceCoefficient = &row(tech, {310, 193, 470, 190});
    // Estimates wrap inside their group when they do not fit on one line.
    Control& price = createWrappingLabel(tech, "").setId("ship.price");
    f.shipPriceLabel = &regular(price).place(310, 222).setAutoSize(true);

    f.shipInputs = f.shipFields;
}

// The two price labels under a group's "Изменение средней цены" row; the
// estimate wraps inside its group when it does not fit on one line.
void priceLabels(RecordGroup& g, std::string_view group, int averageY, int rangeY, bool wrapping) {
    g.averagePriceLabel = &faceLabel(*g.box, idIn(group, "averagePrice"), 310, averageY, true);
    g.priceRangeLabel = &faceLabel(*g.box, idIn(group, "priceRange"), 310, rangeY, wrapping);
}

void buildArmamentPage(MainForm& f, Control& page) {
    RecordGroup& l = f.laser;
    Control& lasers = groupBox(page, "laser.box", f.text(Text::groupLasers), 3, 3, 597, 207);
    recordSelector(l, "laser", lasers, f.text(Text::laser), 190, 50, f, onLaserSelected);
    auto laserRow = [&](Place at) -> Control& {
        return fieldRow(f, "laser", lasers, l.fields,
                        std::span<const FieldOf<TLasers>>(kLaserFields), at, onLaserFieldChange);
    };
    auto bulletRow = [&](Place at) -> Control& {
        return fieldRow(f, "bullet", lasers, f.bulletFields,
                        std::span<const FieldOf<TBullets>>(kBulletFields), at, onBulletFieldChange);
    };
    l.volume = &laserRow({16, 73, 170, 70, 265, 73});
    l.containerType = &laserRow({16, 98, 170, 94});
    addContainerTypes(*l.containerType);
    f.fireDelay = &laserRow({16, 120, 170, 117});
    f.laserPower = &laserRow({16, 144, 170, 141});
    f.shotEnergy = &bulletRow({16, 168, 170, 165});
    f.bulletShieldDamage = &bulletRow({310, 25, 470, 22});
    f.hullDamage = &bulletRow({310, 49, 470, 46});
    f.projectileSpeed = &bulletRow({310, 73, 470, 70, 565, 74});
    f.firingRange = &bulletRow({310, 97, 470, 94, 565, 97});
    l.priceCoefficient = &laserRow({310, 121, 470, 118});
    l.averagePriceChange = &laserRow({310, 146, 470, 142, 565, 145});
    priceLabels(l, "laser", 168, 184, true);
    f.bulletInputs = f.bulletFields;
    l.inputs = l.fields;

    RecordGroup& s = f.shield;
    Control& shields = groupBox(page, "shield.box", f.text(Text::groupShields), 3, 212, 597, 135);
    recordSelector(s, "shield", shields, f.text(Text::shield), 190, 50, f, onShieldSelected);
    auto shieldRow = [&](Place at) -> Control& {
        return fieldRow(f, "shield", shields, s.fields,
                        std::span<const FieldOf<TShields>>(kShieldFields), at, onShieldFieldChange);
    };
    s.volume = &shieldRow({17, 73, 170, 70, 265, 73});
    s.containerType = &shieldRow({17, 98, 170, 94});
    addContainerTypes(*s.containerType);
    f.shieldPower = &shieldRow({310, 25, 470, 22});
    s.priceCoefficient = &shieldRow({310, 49, 470, 46});
    s.averagePriceChange = &shieldRow({310, 74, 470, 70, 565, 73});
    priceLabels(s, "shield", 96, 112, false);
    s.inputs = s.fields;

    RecordGroup& r = f.rocket;
    Control& rockets = groupBox(page, "rocket.box", f.text(Text::groupMissiles), 3, 349, 597, 160);
    recordSelector(r, "rocket", rockets, f.text(Text::missile), 190, 50, f, onRocketSelected);
    auto rocketRow = [&](Place at) -> Control& {
        return fieldRow(f, "rocket", rockets, r.fields,
                        std::span<const FieldOf<TRockets>>(kRocketFields), at, onRocketFieldChange);
    };
    r.volume = &rocketRow({16, 73, 170, 70, 265, 73});
    r.containerType = &rocketRow({16, 98, 170, 94});
    addContainerTypes(*r.containerType);
    f.missileSpeed = &rocketRow({310, 25, 470, 22, 565, 25});
    f.rocketShieldDamage = &rocketRow({310, 49, 470, 46});
    r.priceCoefficient = &rocketRow({310, 73, 470, 70});
    r.averagePriceChange = &rocketRow({310, 98, 470, 94, 565, 97});
    priceLabels(r, "rocket", 120, 136, false);
    r.inputs = r.fields;
}

void buildStationsPage(MainForm& f, Control& page) {
    RecordGroup& st = f.station;
    Control& stations =
        groupBox(page, "station.box", f.text(Text::groupFactories), 3, 3, 597, 145);
    recordSelector(st, "station", stations, f.text(Text::station), 300, 53, f, onStationSelected);
    auto stationRow = [&](Place at) -> Control& {
        return fieldRow(f, "station", stations, st.fields,
                        std::span<const FieldOf<TStations>>(kStationFields), at,
                        onStationFieldChange);
    };
    st.volume = &stationRow({16, 81, 170, 78});
    st.containerType = &stationRow({16, 110, 170, 106});
    addContainerTypes(*st.containerType);
    st.priceCoefficient = &stationRow({310, 81, 470, 78});
    st.averagePriceLabel = &faceLabel(stations, "station.averagePrice", 310, 110, true);
    st.inputs = st.fields;

    RecordGroup& w = f.ware;
    Control& wares = groupBox(page, "ware.box", f.text(Text::groupWares), 3, 150, 597, 185);
    recordSelector(w, "ware", wares, f.text(Text::ware), 300, 53, f, onWareSelected);
    auto wareRow = [&](Place at) -> Control& {
        return fieldRow(f, "ware", wares, w.fields, std::span<const FieldOf<TWares>>(kWareFields),
                        at, onWareFieldChange);
    };
    w.volume = &wareRow({16, 81, 170, 78});
    w.containerType = &wareRow({16, 110, 170, 106});
    addContainerTypes(*w.containerType);
    w.priceCoefficient = &wareRow({310, 81, 470, 78});
    w.averagePriceChange = &wareRow({310, 110, 470, 106, 565, 109});
    priceLabels(w, "ware", 137, 158, true);
    w.inputs = w.fields;
}

void releaseForm(void* context, Control&) {
    delete static_cast<MainForm*>(context);
}

} // namespace

void addListedEntries(Control& list, Shown shown) {
    const ListedValues values = listedValues(shown);
    for (int32_t value = values.low; value <= values.high; ++value) addItem(list, listedText(shown, value));
}

MainForm* buildMainWindow(Control& application, GameState& game, Language language) {
    auto* f = new MainForm;
    f->application = &application;
    f->game = &game;
    f->language = language;

    Control& window = createMainWindow(application, f->text(Text::windowCaption));
    f->window = &window;
    // The form lives as long as the window; its destruction also frees the name page.
    window.onDestroy = {releaseForm, f};
    window.place(194, 114);
    setClientSize(window, 618, 592);
    setStyle(window, kStyleOverlapped | kStyleCaption | kStyleSysMenu | kStyleMinimizeBox |
                         kStyleClipChildren);
    setColour(window, kColourFace);
    setFontName(window, "Tahoma");
    setFontHeight(window, 11);
    setFontStyle(window, 0);
    window.onCloseRequest = {confirmClose, f};

    Control& tabs = createTabControl(window,
                                     {f->text(Text::tabShips), f->text(Text::tabArmament),
                                      f->text(Text::tabStationsWares)},
                                     kTabsFixedWidth)
                        .setId("tabs")
                        .place(3, 3)
                        .resize(612, 544)
                        .setTabStop(false);
    f->tabs = &tabs;
    // The tab control makes its pages' windows with its own: they take their ids at once.
    tabPage(tabs, 0).setId("shipsPage");
    tabPage(tabs, 1).setId("armamentPage");
    tabPage(tabs, 2).setId("stationsPage");
    traceMark("main window and tab control made");
    buildShipsPage(*f, tabPage(tabs, 0));
    traceMark("page of ships built");
    buildArmamentPage(*f, tabPage(tabs, 1));
    traceMark("page of armament built");
    buildStationsPage(*f, tabPage(tabs, 2));
    traceMark("page of stations and wares built");

    f->saveButton = &createButton(window, f->text(Text::save)).place(320, 556).resize(90, 27);
    f->saveButton->setId("saveButton");
    f->saveButton->onClick = {onSaveClicked, f};
    setShortcut(*f->saveButton, 'S'); // Ctrl+S
    f->closeButton = &createButton(window, f->text(Text::close)).place(420, 556).resize(90, 27);
    f->closeButton->setId("closeButton");
    f->closeButton->onClick = {onCloseClicked, f};
    f->helpButton = &createButton(window, f->text(Text::help)).place(520, 556).resize(90, 27);
    f->helpButton->setId("helpButton");
    f->helpButton->onClick = {showAbout, f};

    // The texts as measured in the window's font, in either language.
    fitTexts(window);
    traceMark("texts fitted");
    holdSize(window);
    enableTabNavigation(window);
    centre(window);
    traceTotals("while the window was built");

    if (!runStartup(*f)) return nullptr;
    return f;
}
