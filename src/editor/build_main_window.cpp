// The main window: three tab pages of group boxes and three buttons, every
// control created once here and kept in MainForm.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/name_page.h"
#include "tables/game_state.h"
#include "text/cp1251.h"
#include "ui/control.h"
#include "ui/styles.h"
#include "ui/trace.h"

namespace {

// The regular font is set before auto-size makes and measures the window, so
// that the window is made once, in its final font and size.
Control& regular(Control& c) {
    setFontStyle(c, 0);
    return c;
}

Control& label(Control& parent, std::string_view text, int x, int y) {
    return regular(createLabel(parent, text)).place(x, y).setAutoSize(true);
}

Control& infoLabel(Control& parent, int x, int y) {
    return regular(createLabel(parent, "")).place(x, y).setAutoSize(true);
}

Control& faceLabel(Control& parent, int x, int y, bool wrapping) {
    Control& c = wrapping ? createWrappingLabel(parent, "") : createLabel(parent, "");
    regular(c).place(x, y).setAutoSize(true);
    setColour(c, kColourFace);
    return c;
}

Control& edit(Control& parent, int x, int y, MainForm& form, ClickSlot::Fn onChange,
              bool decimal = false) {
    Control& c = regular(createEditBox(parent, decimal ? 0u : kDigitsOnly).place(x, y).resize(90, 0));
    setColour(c, kColourWindow);
    c.onChange = {onChange, &form};
    if (decimal) c.onKeyChar = {decimalKeyFilter, &form};
    c.onPaste = {decimal ? decimalPasteFilter : digitsPasteFilter, &form};
    return c;
}

Control& list(Control& parent, int x, int y, int width, MainForm& form, ClickSlot::Fn onChange) {
    Control& c = regular(createList(parent, 0).place(x, y).resize(width, 0));
    setColour(c, kColourWindow);
    c.onChange = {onChange, &form};
    return c;
}

Control& groupBox(Control& parent, std::string_view caption, int x, int y, int w, int h) {
    Control& box = createGroupBox(parent, caption).place(x, y).resize(w, h).setTabStop(false);
    setFontStyle(box, kBold);
    setCaptionAlignment(box, Alignment::Centre);
    return box;
}

void addContainerTypes(Control& list) {
    for (std::string_view name : {"SM", "S", "M", "L", "XL", "ST"}) addItem(list, name);
}

// The selector, its label and the objectId label common to the record groups.
void recordSelector(RecordGroup& g, Control& box, std::string_view caption, int listWidth,
                    int objectIdY, MainForm& form, ClickSlot::Fn onSelect) {
    g.box = &box;
    label(box, caption, 16, 26);
    g.list = &list(box, 70, 22, listWidth, form, onSelect);
    g.objectIdLabel = &infoLabel(box, 70, objectIdY);
}

void buildShipsPage(MainForm& f, Control& page) {
    Control& select = groupBox(page, u8"Выбор корабля"_cp1251, 3, 3, 290, 80);
    label(select, u8"Корабль"_cp1251, 16, 26);
    f.shipList = &list(select, 70, 22, 200, f, onShipSelected);
    f.objectIdCaption = &infoLabel(select, 70, 54);

    Control& arms = groupBox(page, u8"Щиты и ракеты"_cp1251, 3, 85, 290, 140);
    label(arms, u8"Максимальный щит"_cp1251, 16, 26);
    f.maxShieldTypeList = &list(arms, 170, 22, 105, f, onShipListChange);
    label(arms, u8"Максимальное число щитов"_cp1251, 16, 54);
    f.maxShieldCountList = &list(arms, 170, 50, 105, f, onShipListChange);
    label(arms, u8"Максимальные ракеты"_cp1251, 16, 82);
    f.maxMissileTypeList = &list(arms, 170, 78, 105, f, onShipListChange);
    for (std::string_view name :
         {u8"Москит"_cp1251, u8"Оса"_cp1251, u8"Стрекоза"_cp1251, u8"Шелкопряд"_cp1251,
          u8"Шершень"_cp1251, u8"Жало"_cp1251, u8"Игла"_cp1251, u8"Колючка"_cp1251})
        addItem(*f.maxMissileTypeList, name);
    label(arms, u8"Максимальное число ракет"_cp1251, 16, 110);
    f.maxMissileCountList = &list(arms, 170, 106, 105, f, onShipListChange);

    Control& weapons = groupBox(page, u8"Вооружение"_cp1251, 301, 3, 299, 222);
    f.turretLabel = &label(weapons, u8"Башня"_cp1251, 16, 26);
    f.turretList = &list(weapons, 70, 22, 200, f, onTurretSelected);
    struct Box {
        std::string_view caption;
        int x, y, bit;
    };
    const Box boxes[24] = {
        {u8"Альфа IRE"_cp1251, 16, 60, 0},    {u8"Бета IRE"_cp1251, 16, 78, 1},
        {u8"Гамма IRE"_cp1251, 16, 96, 2},    {u8"Альфа PAC"_cp1251, 16, 114, 3},
        {u8"Бета PAC"_cp1251, 16, 132, 4},    {u8"Гамма PAC"_cp1251, 16, 150, 5},
        {u8"Альфа HEPT"_cp1251, 110, 60, 6},  {u8"Бета HEPT"_cp1251, 110, 78, 7},
        {u8"Гамма HEPT"_cp1251, 110, 96, 8},  {u8"Альфа PSG"_cp1251, 110, 114, 9},
        {u8"Бета PSG"_cp1251, 110, 132, 10},  {u8"Гамма PSG"_cp1251, 110, 150, 11},
        {u8"Альфа PPC"_cp1251, 210, 60, 18},  {u8"Бета PPC"_cp1251, 210, 78, 19},
        {u8"Гамма PPC"_cp1251, 210, 96, 20},  {"MD", 210, 114, 16},
        {"MDS", 210, 132, 12},                {"ID", 210, 150, 17},
        {u8"Альфа Kyon"_cp1251, 16, 176, 13}, {u8"Бета Kyon"_cp1251, 110, 176, 14},
        {u8"Гамма Kyon"_cp1251, 210, 176, 15}, {"Lasertower", 16, 193, 21},
        {"End Fight", 110, 193, 22},          {"Repair", 210, 193, 23},
    };
    for (int i = 0; i < 24; ++i) {
        Control& box = regular(createCheckBox(weapons, boxes[i].caption))
                           .place(boxes[i].x, boxes[i].y)
                           .setAutoSize(true);
        setTag(box, boxes[i].bit);
        box.onClick = {onWeaponBoxClicked, &f};
        f.weaponBoxes[i] = &box;
    }

    Control& tech = groupBox(page, u8"Технические характеристики"_cp1251, 3, 227, 597, 255);
    label(tech, u8"Начальная скорость"_cp1251, 16, 25);
    f.speed = &edit(tech, 170, 22, f, onShipFieldChange);
    label(tech, u8"м/с"_cp1251, 265, 25);
    label(tech, u8"Апгрейдов скорости"_cp1251, 16, 53);
    f.speedUpgrades = &edit(tech, 170, 50, f, onShipFieldChange);
    label(tech, u8"Маневренность по оси X"_cp1251, 16, 81);
    f.manoeuvrabilityX = &edit(tech, 170, 78, f, onShipFieldChange, true);
    label(tech, "%", 265, 81);
    label(tech, u8"Маневренность по оси Y"_cp1251, 16, 109);
    f.manoeuvrabilityY = &edit(tech, 170, 106, f, onShipFieldChange, true);
    label(tech, "%", 265, 109);
    label(tech, u8"Маневренность вращения"_cp1251, 16, 137);
    f.manoeuvrabilityRotation = &edit(tech, 170, 134, f, onShipFieldChange, true);
    label(tech, "%", 265, 137);
    label(tech, u8"Апгрейдов маневренности"_cp1251, 16, 165);
    f.manoeuvrabilityUpgrades = &edit(tech, 170, 162, f, onShipFieldChange);
    label(tech, u8"Корпус"_cp1251, 16, 193);
    f.hullStrength = &edit(tech, 170, 190, f, onShipFieldChange);

    Control& divider = createPanel(tech, kEdgeSunken).place(293, 16).resize(2, 235);
    divider.setTabStop(false);

    label(tech, u8"Ускорение"_cp1251, 310, 25);
    f.acceleration = &edit(tech, 470, 22, f, onShipFieldChange);
    label(tech, u8"м/с"_cp1251, 565, 25);
    setFontHeight(label(tech, "2", 582, 22), 9);
    label(tech, u8"Минимальный размер отсека"_cp1251, 310, 53);
    f.minCargoSize = &edit(tech, 470, 50, f, onShipFieldChange);
    label(tech, u8"ед"_cp1251, 565, 53);
    label(tech, u8"Максимальный размер отсека"_cp1251, 310, 81);
    f.maxCargoSize = &edit(tech, 470, 78, f, onShipFieldChange);
    label(tech, u8"ед"_cp1251, 565, 81);
    label(tech, u8"Тип отсека"_cp1251, 310, 110);
    f.cargoBayType = &list(tech, 470, 106, 90, f, onShipListChange);
    addContainerTypes(*f.cargoBayType);
    label(tech, u8"Число кораблей в ангаре"_cp1251, 310, 137);
    f.hangarCapacity = &edit(tech, 470, 134, f, onShipFieldChange);
    label(tech, u8"Мощность генератора"_cp1251, 310, 165);
    f.generatorPower = &edit(tech, 470, 162, f, onShipFieldChange);
    label(tech, u8"МВт"_cp1251, 565, 165);
    label(tech, u8"Ценовой коэффициент"_cp1251, 310, 193);
    f.shipPriceCoefficient = &edit(tech, 470, 190, f, onShipFieldChange);
    // Estimates wrap inside their group when they do not fit on one line.
    f.shipPriceLabel = &regular(createWrappingLabel(tech, "")).place(310, 222).setAutoSize(true);

    f.shipInputs = {f.maxShieldTypeList, f.maxShieldCountList, f.maxMissileTypeList,
                    f.maxMissileCountList, f.speed, f.speedUpgrades, f.manoeuvrabilityX,
                    f.manoeuvrabilityY, f.manoeuvrabilityRotation, f.manoeuvrabilityUpgrades,
                    f.hullStrength, f.acceleration, f.minCargoSize, f.maxCargoSize,
                    f.cargoBayType, f.hangarCapacity, f.generatorPower, f.shipPriceCoefficient};
}

// "Изменение средней цены" with its unit and the two price labels of a group.
void priceChangeRow(RecordGroup& g, MainForm& f, int labelY, int listY, int unitY, int averageY,
                    int rangeY, bool wrapping, ClickSlot::Fn onPercent) {
    Control& box = *g.box;
    label(box, u8"Изменение средней цены"_cp1251, 310, labelY);
    g.averagePriceChange = &list(box, 470, listY, 90, f, onPercent);
    label(box, "%", 565, unitY);
    g.averagePriceLabel = &faceLabel(box, 310, averageY, true);
    g.priceRangeLabel = &faceLabel(box, 310, rangeY, wrapping);
}

void buildArmamentPage(MainForm& f, Control& page) {
    RecordGroup& l = f.laser;
    Control& lasers = groupBox(page, u8"Лазеры"_cp1251, 3, 3, 597, 207);
    recordSelector(l, lasers, u8"Лазер"_cp1251, 190, 50, f, onLaserSelected);
    label(lasers, u8"Занимаемый объем"_cp1251, 16, 73);
    l.volume = &edit(lasers, 170, 70, f, onLaserFieldChange);
    label(lasers, u8"ед"_cp1251, 265, 73);
    label(lasers, u8"Тип контейнера"_cp1251, 16, 98);
    l.containerType = &list(lasers, 170, 94, 90, f, onLaserListChange);
    addContainerTypes(*l.containerType);
    label(lasers, u8"Задержка выстрела"_cp1251, 16, 120);
    f.fireDelay = &edit(lasers, 170, 117, f, onLaserFieldChange);
    label(lasers, u8"Мощность лазера"_cp1251, 16, 144);
    f.laserPower = &edit(lasers, 170, 141, f, onLaserFieldChange);
    label(lasers, u8"Энергия выстрела"_cp1251, 16, 168);
    f.shotEnergy = &edit(lasers, 170, 165, f, onLaserFieldChange);
    label(lasers, u8"Повреждение щита"_cp1251, 310, 25);
    f.bulletShieldDamage = &edit(lasers, 470, 22, f, onLaserFieldChange);
    label(lasers, u8"Повреждение корпуса"_cp1251, 310, 49);
    f.hullDamage = &edit(lasers, 470, 46, f, onLaserFieldChange);
    label(lasers, u8"Скорость полета заряда"_cp1251, 310, 73);
    f.projectileSpeed = &edit(lasers, 470, 70, f, onLaserFieldChange);
    label(lasers, u8"м/с"_cp1251, 565, 74);
    label(lasers, u8"Дальность стрельбы"_cp1251, 310, 97);
    f.firingRange = &edit(lasers, 470, 94, f, onLaserFieldChange);
    label(lasers, u8"м"_cp1251, 565, 97);
    label(lasers, u8"Ценовой коэффициент"_cp1251, 310, 121);
    l.priceCoefficient = &edit(lasers, 470, 118, f, onLaserFieldChange);
    priceChangeRow(l, f, 146, 142, 145, 168, 184, true, onLaserListChange);
    f.bulletInputs = {f.shotEnergy, f.bulletShieldDamage, f.hullDamage, f.projectileSpeed,
                      f.firingRange};
    l.inputs = {l.volume, l.containerType, f.fireDelay, f.laserPower, l.priceCoefficient,
                l.averagePriceChange};

    RecordGroup& s = f.shield;
    Control& shields = groupBox(page, u8"Щиты"_cp1251, 3, 212, 597, 135);
    recordSelector(s, shields, u8"Щит"_cp1251, 190, 50, f, onShieldSelected);
    label(shields, u8"Занимаемый объем"_cp1251, 17, 73);
    s.volume = &edit(shields, 170, 70, f, onShieldFieldChange);
    label(shields, u8"ед"_cp1251, 265, 73);
    label(shields, u8"Тип контейнера"_cp1251, 17, 98);
    s.containerType = &list(shields, 170, 94, 90, f, onShieldListChange);
    addContainerTypes(*s.containerType);
    label(shields, u8"Мощность щита"_cp1251, 310, 25);
    f.shieldPower = &edit(shields, 470, 22, f, onShieldFieldChange);
    label(shields, u8"Ценовой коэффициент"_cp1251, 310, 49);
    s.priceCoefficient = &edit(shields, 470, 46, f, onShieldFieldChange);
    priceChangeRow(s, f, 74, 70, 73, 96, 112, false, onShieldListChange);
    s.inputs = {s.volume, s.containerType, f.shieldPower, s.priceCoefficient,
                s.averagePriceChange};

    RecordGroup& r = f.rocket;
    Control& rockets = groupBox(page, u8"Ракеты"_cp1251, 3, 349, 597, 160);
    recordSelector(r, rockets, u8"Ракета"_cp1251, 190, 50, f, onRocketSelected);
    label(rockets, u8"Занимаемый объем"_cp1251, 16, 73);
    r.volume = &edit(rockets, 170, 70, f, onRocketFieldChange);
    label(rockets, u8"ед"_cp1251, 265, 73);
    label(rockets, u8"Тип контейнера"_cp1251, 16, 98);
    r.containerType = &list(rockets, 170, 94, 90, f, onRocketListChange);
    addContainerTypes(*r.containerType);
    label(rockets, u8"Скорость ракеты"_cp1251, 310, 25);
    f.missileSpeed = &edit(rockets, 470, 22, f, onRocketFieldChange);
    label(rockets, u8"м/с"_cp1251, 565, 25);
    label(rockets, u8"Повреждение щита"_cp1251, 310, 49);
    f.rocketShieldDamage = &edit(rockets, 470, 46, f, onRocketFieldChange);
    label(rockets, u8"Ценовой коэффициент"_cp1251, 310, 73);
    r.priceCoefficient = &edit(rockets, 470, 70, f, onRocketFieldChange);
    priceChangeRow(r, f, 98, 94, 97, 120, 136, false, onRocketListChange);
    r.inputs = {r.volume, r.containerType, f.missileSpeed, f.rocketShieldDamage,
                r.priceCoefficient, r.averagePriceChange};
}

void buildStationsPage(MainForm& f, Control& page) {
    RecordGroup& st = f.station;
    Control& stations = groupBox(page, u8"Фабрики и заводы"_cp1251, 3, 3, 597, 145);
    recordSelector(st, stations, u8"Станция"_cp1251, 300, 53, f, onStationSelected);
    label(stations, u8"Занимаемый объем"_cp1251, 16, 81);
    st.volume = &edit(stations, 170, 78, f, onStationFieldChange);
    label(stations, u8"Тип контейнера"_cp1251, 16, 110);
    st.containerType = &list(stations, 170, 106, 90, f, onStationListChange);
    addContainerTypes(*st.containerType);
    label(stations, u8"Ценовой коэффициент"_cp1251, 310, 81);
    st.priceCoefficient = &edit(stations, 470, 78, f, onStationFieldChange);
    st.averagePriceLabel = &faceLabel(stations, 310, 110, true);
    st.inputs = {st.volume, st.containerType, st.priceCoefficient};

    RecordGroup& w = f.ware;
    Control& wares = groupBox(page, u8"Товары и апгрейды"_cp1251, 3, 150, 597, 185);
    recordSelector(w, wares, u8"Товар"_cp1251, 300, 53, f, onWareSelected);
    label(wares, u8"Занимаемый объем"_cp1251, 16, 81);
    w.volume = &edit(wares, 170, 78, f, onWareFieldChange);
    label(wares, u8"Тип контейнера"_cp1251, 16, 110);
    w.containerType = &list(wares, 170, 106, 90, f, onWareListChange);
    addContainerTypes(*w.containerType);
    label(wares, u8"Ценовой коэффициент"_cp1251, 310, 81);
    w.priceCoefficient = &edit(wares, 470, 78, f, onWareFieldChange);
    priceChangeRow(w, f, 110, 106, 109, 137, 158, true, onWareListChange);
    w.inputs = {w.volume, w.containerType, w.priceCoefficient, w.averagePriceChange};
}

void releaseForm(void* context, Control&) {
    delete static_cast<MainForm*>(context);
}

} // namespace

MainForm* buildMainWindow(Control& application, GameState& game) {
    auto* f = new MainForm;
    f->application = &application;
    f->game = &game;

    Control& window = createMainWindow(application, u8"Orvex"_cp1251);
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
                                     {u8"Корабли"_cp1251, u8"Вооружение"_cp1251,
                                      u8"Станции и товары"_cp1251},
                                     kTabsFixedWidth)
                        .place(3, 3)
                        .resize(612, 544)
                        .setTabStop(false);
    f->tabs = &tabs;
    traceMark("main window and tab control made");
    buildShipsPage(*f, tabPage(tabs, 0));
    traceMark("page of ships built");
    buildArmamentPage(*f, tabPage(tabs, 1));
    traceMark("page of armament built");
    buildStationsPage(*f, tabPage(tabs, 2));
    traceMark("page of stations and wares built");

    f->saveButton = &createButton(window, u8"Сохранить"_cp1251).place(320, 556).resize(90, 27);
    f->saveButton->onClick = {onSaveClicked, f};
    f->closeButton = &createButton(window, u8"Закрыть"_cp1251).place(420, 556).resize(90, 27);
    f->closeButton->onClick = {onCloseClicked, f};
    f->helpButton = &createButton(window, u8"Справка"_cp1251).place(520, 556).resize(90, 27);
    f->helpButton->onClick = {showAbout, f};

    holdSize(window);
    enableTabNavigation(window);
    centre(window);
    traceTotals("while the window was built");

    if (!runStartup(*f)) return nullptr;
    return f;
}
