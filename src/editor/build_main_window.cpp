// The main window: three tab pages of group boxes and three buttons, every
// control created once here and kept in MainForm.

#include "editor/control_list.h"
#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/display_names.h"
#include "names/name_page.h"
#include "tables/game_state.h"
#include "tables/editor_fields.h"
#include "text/files.h"
#include "text/format.h"
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

// Each control is named in the list of the window's controls (control_list.h):
// its window carries the number the list gives it, taken before auto-size makes
// the window, and shows the list's text in the window's language.
std::string_view listedText(const MainForm& f, int number) {
    const ControlEntry* entry = controlEntry(number);
    return entry && entry->text ? f.text(*entry->text) : std::string_view();
}

Control& label(MainForm& f, Control& parent, std::string_view name, int x, int y) {
    const int id = controlNumber(name);
    return regular(createLabel(parent, listedText(f, id)).setId(id)).place(x, y).setAutoSize(true);
}

Control& infoLabel(Control& parent, std::string_view name, int x, int y) {
    return regular(createLabel(parent, "").setId(controlNumber(name))).place(x, y).setAutoSize(true);
}

Control& faceLabel(Control& parent, std::string_view name, int x, int y, bool wrapping) {
    Control& c = wrapping ? createWrappingLabel(parent, "") : createLabel(parent, "");
    regular(c.setId(controlNumber(name))).place(x, y).setAutoSize(true);
    setColour(c, kColourFace);
    return c;
}

Control& edit(Control& parent, std::string_view name, int x, int y, MainForm& form,
              ClickSlot::Fn onChange, bool decimal = false) {
    Control& c = createEditBox(parent, decimal ? 0u : kDigitsOnly).setId(controlNumber(name));
    regular(c).place(x, y).resize(90, 0);
    setColour(c, kColourWindow);
    c.onChange = {onChange, &form};
    c.onKeyChar = {decimal ? decimalKeyFilter : digitsKeyFilter, &form};
    c.onPaste = {decimal ? decimalPasteFilter : digitsPasteFilter, &form};
    c.onFocusLeave = {onNumberBoxLeft, &form};
    return c;
}

Control& list(Control& parent, std::string_view name, int x, int y, int width, MainForm& form,
              ClickSlot::Fn onChange) {
    Control& c = regular(createList(parent, 0).setId(controlNumber(name)).place(x, y).resize(width, 0));
    setColour(c, kColourWindow);
    c.onChange = {onChange, &form};
    return c;
}

Control& groupBox(MainForm& f, Control& parent, std::string_view name, int x, int y, int w, int h) {
    const int id = controlNumber(name);
    Control& box =
        createGroupBox(parent, listedText(f, id)).setId(id).place(x, y).resize(w, h).setTabStop(false);
    setFontStyle(box, kBold);
    setCaptionAlignment(box, Alignment::Centre);
    return box;
}

Control& button(MainForm& f, Control& window, std::string_view name) {
    const int id = controlNumber(name);
    return createButton(window, listedText(f, id)).setId(id);
}

void addContainerTypes(Control& list) { addListedEntries(list, Shown::containerEntry); }

// The name of a group's control: the group's name, a dot, the control's role
// ("laser.list", "laser.priceRange").
std::string idIn(std::string_view group, std::string_view role) {
    return std::string(group) + "." + std::string(role);
}

// The selector, its label and the objectId label common to the record groups.
void recordSelector(RecordGroup& g, std::string_view group, Control& box, int listWidth,
                    int objectIdY, MainForm& form, ClickSlot::Fn onSelect) {
    g.box = &box;
    label(form, box, idIn(group, "listLabel"), 16, 26);
    g.list = &list(box, idIn(group, "list"), 70, 22, listWidth, form, onSelect);
    g.objectIdLabel = &infoLabel(box, idIn(group, "objectId"), 70, objectIdY);
}

// Where a field's label, input and unit stand in its group box.
struct Place {
    int labelX, labelY, inputX, inputY;
    int unitX = 0, unitY = 0;
    int listWidth = 90;
};

// The next input of `inputs` from its description: label, edit box or list, unit
// (with the small "2" of a squared unit above its end). Its tag is its index
// among the descriptions, by which the handlers find it; the list names the
// row's controls by the group and the column (fieldControlName).
template <class Record>
Control& fieldRow(MainForm& f, std::string_view group, Control& box, std::vector<Control*>& inputs,
                  std::span<const FieldOf<Record>> fields, Place at, ClickSlot::Fn onChange) {
    const FieldOf<Record>& d = fields[inputs.size()];
    const auto name = [&](FieldPart part) { return fieldControlName(group, columnOf(d), part); };
    label(f, box, name(FieldPart::label), at.labelX, at.labelY);
    Control& c = isListField(d.shown)
                     ? list(box, name(FieldPart::input), at.inputX, at.inputY, at.listWidth, f, onChange)
                     : edit(box, name(FieldPart::input), at.inputX, at.inputY, f, onChange,
                            d.shown == Shown::percent);
    if (d.unit) label(f, box, name(FieldPart::unit), at.unitX, at.unitY);
    if (d.unitSquared) {
        Control& exponent = createLabel(box, "2").setId(controlNumber(name(FieldPart::exponent)));
        setFontHeight(regular(exponent).place(at.unitX + 17, at.unitY - 3).setAutoSize(true), 9);
    }
    setTag(c, static_cast<int>(inputs.size()));
    inputs.push_back(&c);
    return c;
}

// The caption of a weapon check box: a kind's word (Alpha, Beta, Gamma) and its family.
std::string weaponCaption(const MainForm& f, Text word, std::string_view family) {
    return std::string(f.text(word)) + " " + std::string(family);
}

// The next row of the ship page's field descriptions.
Control& shipRow(MainForm& f, Control& box, Place at) {
    return fieldRow(f, "ship", box, f.shipFields, std::span<const FieldOf<TShips>>(kShipFields), at,
                    onShipFieldChange);
}

// The group "Вооружение": the turret list and a check box for each bit of the
// chosen turret's weapon mask.
void buildWeaponsGroup(MainForm& f, Control& page) {
    Control& weapons = groupBox(f, page, "ship.weaponsBox", 301, 3, 299, 222);
    f.turretLabel = &label(f, weapons, "turret.listLabel", 16, 26);
    f.turretList = &list(weapons, "turret.list", 70, 22, 200, f, onTurretSelected);
    f.turretShared = &infoLabel(weapons, "turret.shared", 70, 45);
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
        Control& box = createCheckBox(weapons, caption);
        box.setId(controlNumber(idIn("weapon", std::to_string(b.bit))));
        regular(box).place(b.x, b.y).setAutoSize(true);
        // Measured like the labels: a word that runs into the next column (or out
        // of the group) takes its short form.
        const int right = b.x < 110 ? 110 : b.x < 210 ? 210 : weapons.width - 6;
        if (b.word == Text::weaponGamma && textExtent(box).width > right - b.x - 4)
            setControlText(box, weaponCaption(f, Text::weaponGammaShort, b.family));
        setTag(box, b.bit);
        box.onClick = {onWeaponBoxClicked, &f};
        f.weaponBoxes[i] = &box;
    }
}

// The group "Технические характеристики": two columns of fields and the price estimate.
void buildSpecificationsGroup(MainForm& f, Control& page) {
    Control& tech = groupBox(f, page, "ship.techBox", 3, 227, 597, 255);
    f.speed = &shipRow(f, tech, {16, 25, 170, 22, 265, 25});
    f.speedUpgrades = &shipRow(f, tech, {16, 53, 170, 50});
    f.manoeuvrabilityX = &shipRow(f, tech, {16, 81, 170, 78, 265, 81});
    f.manoeuvrabilityY = &shipRow(f, tech, {16, 109, 170, 106, 265, 109});
    f.manoeuvrabilityRotation = &shipRow(f, tech, {16, 137, 170, 134, 265, 137});
    f.manoeuvrabilityUpgrades = &shipRow(f, tech, {16, 165, 170, 162});
    f.hullStrength = &shipRow(f, tech, {16, 193, 170, 190});

    Control& divider =
        createPanel(tech, kEdgeSunken).setId(controlNumber("ship.divider")).place(293, 16).resize(2, 235);
    divider.setTabStop(false);

    f.acceleration = &shipRow(f, tech, {310, 25, 470, 22, 565, 25});
    f.minCargoSize = &shipRow(f, tech, {310, 53, 470, 50, 565, 53});
    f.maxCargoSize = &shipRow(f, tech, {310, 81, 470, 78, 565, 81});
    f.cargoBayType = &shipRow(f, tech, {310, 110, 470, 106});
    addContainerTypes(*f.cargoBayType);
    f.hangarCapacity = &shipRow(f, tech, {310, 137, 470, 134});
    f.generatorPower = &shipRow(f, tech, {310, 165, 470, 162, 565, 165});
    f.shipPriceCoefficient = &shipRow(f, tech, {310, 193, 470, 190});
    // Estimates wrap inside their group when they do not fit on one line.
    Control& price = createWrappingLabel(tech, "").setId(controlNumber("ship.price"));
    f.shipPriceLabel = &regular(price).place(310, 222).setAutoSize(true);
}

void buildShipsPage(MainForm& f, Control& page) {
    Control& select = groupBox(f, page, "ship.selectionBox", 3, 3, 290, 80);
    label(f, select, "ship.listLabel", 16, 26);
    f.shipList = &list(select, "ship.list", 70, 22, 200, f, onShipSelected);
    f.objectIdCaption = &infoLabel(select, "ship.objectId", 70, 54);

    // The shield and missile lists name the tables' records (fillRecordLists).
    Control& arms = groupBox(f, page, "ship.armsBox", 3, 85, 290, 140);
    f.maxShieldTypeList = &shipRow(f, arms, {16, 26, 170, 22, 0, 0, 105});
    f.maxShieldCountList = &shipRow(f, arms, {16, 54, 170, 50, 0, 0, 105});
    f.maxMissileTypeList = &shipRow(f, arms, {16, 82, 170, 78, 0, 0, 105});
    f.maxMissileCountList = &shipRow(f, arms, {16, 110, 170, 106, 0, 0, 105});

    buildWeaponsGroup(f, page);
    buildSpecificationsGroup(f, page);
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
    Control& lasers = groupBox(f, page, "laser.box", 3, 3, 597, 207);
    recordSelector(l, "laser", lasers, 190, 50, f, onLaserSelected);
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
    Control& shields = groupBox(f, page, "shield.box", 3, 212, 597, 135);
    recordSelector(s, "shield", shields, 190, 50, f, onShieldSelected);
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
    Control& rockets = groupBox(f, page, "rocket.box", 3, 349, 597, 160);
    recordSelector(r, "rocket", rockets, 190, 50, f, onRocketSelected);
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
    Control& stations = groupBox(f, page, "station.box", 3, 3, 597, 145);
    recordSelector(st, "station", stations, 300, 53, f, onStationSelected);
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
    Control& wares = groupBox(f, page, "ware.box", 3, 150, 597, 185);
    recordSelector(w, "ware", wares, 300, 53, f, onWareSelected);
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

// The message of a folder without a name page: which folder, what was looked for,
// how to start in the game's folder. No window for the caller.
MainForm* tellNoGame(Control& application, const GameState& game, Language language) {
    messageBox(application,
               std::string(text(Text::noNamePage, language)) + "\r\n\r\n" +
                   formatText(text(Text::noGameFolder, language), {fullFolderPath(game.folder)}),
               kMbOk | kMbIconError);
    return nullptr;
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
    // Without a name page there is no game here: told before any window shows.
    if (findNamePage(game.folder).empty()) return tellNoGame(application, game, language);
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
    window.onActivate = {onWindowActivated, f};

    // Each tab reads as its page is named in the list.
    const int pages[] = {controlNumber("shipsPage"), controlNumber("armamentPage"),
                         controlNumber("stationsPage")};
    Control& tabs = createTabControl(window,
                                     {listedText(*f, pages[0]), listedText(*f, pages[1]),
                                      listedText(*f, pages[2])},
                                     kTabsFixedWidth)
                        .setId(controlNumber("tabs"))
                        .place(3, 3)
                        .resize(612, 544)
                        .setTabStop(false);
    f->tabs = &tabs;
    // The tab control makes its pages' windows with its own: they take their ids at once.
    for (int i = 0; i < 3; ++i) tabPage(tabs, i).setId(pages[i]);
    traceMark("main window and tab control made");
    buildShipsPage(*f, tabPage(tabs, 0));
    traceMark("page of ships built");
    buildArmamentPage(*f, tabPage(tabs, 1));
    traceMark("page of armament built");
    buildStationsPage(*f, tabPage(tabs, 2));
    traceMark("page of stations and wares built");

    f->saveButton = &button(*f, window, "saveButton").place(320, 556).resize(90, 27);
    f->saveButton->onClick = {onSaveClicked, f};
    setShortcut(*f->saveButton, 'S'); // Ctrl+S
    f->closeButton = &button(*f, window, "closeButton").place(420, 556).resize(90, 27);
    f->closeButton->onClick = {onCloseClicked, f};
    f->helpButton = &button(*f, window, "helpButton").place(520, 556).resize(90, 27);
    f->helpButton->onClick = {showAbout, f};
    addRecordCommands(*f);
    addFindAndHelp(*f);

    // The texts as measured in the window's font, in either language.
    fitTexts(window);
    traceMark("texts fitted");
    holdSize(window);
    enableTabNavigation(window);
    centre(window);
    traceTotals("while the window was built");

    if (!runStartup(*f)) return tellNoGame(application, game, language); // the page went meanwhile
    return f;
}
