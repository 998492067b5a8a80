#include "text/texts.h"

#include "text/cp1251.h"
#include "version.h"

namespace {

struct TextForms {
    Text key;
    std::string_view ru;
    std::string_view en;
};

// In the order of the keys. English: short, plain, in the game's English terms.
constexpr TextForms kTexts[] = {
    {Text::applicationCaption, ORVEX_CAPTION, ORVEX_CAPTION},
    {Text::windowCaption, "Orvex", "Orvex"},
    {Text::tabShips, u8"Корабли"_cp1251, "Ships"},
    {Text::tabArmament, u8"Вооружение"_cp1251, "Armament"},
    {Text::tabStationsWares, u8"Станции и товары"_cp1251, "Stations and wares"},
    // "&" marks a button's Alt letter; the Russian ones sit on keys of their own.
    {Text::save, u8"&Сохранить"_cp1251, "&Save"},
    {Text::close, u8"&Закрыть"_cp1251, "&Close"},
    {Text::help, u8"Спр&авка"_cp1251, "&Help"},

    {Text::groupShipSelection, u8"Выбор корабля"_cp1251, "Ship selection"},
    {Text::groupShieldsMissiles, u8"Щиты и ракеты"_cp1251, "Shields and missiles"},
    {Text::groupArmament, u8"Вооружение"_cp1251, "Armament"},
    {Text::groupSpecifications, u8"Технические характеристики"_cp1251, "Specifications"},
    {Text::groupLasers, u8"Лазеры"_cp1251, "Lasers"},
    {Text::groupShields, u8"Щиты"_cp1251, "Shields"},
    {Text::groupMissiles, u8"Ракеты"_cp1251, "Missiles"},
    {Text::groupFactories, u8"Фабрики и заводы"_cp1251, "Factories and plants"},
    {Text::groupWares, u8"Товары и апгрейды"_cp1251, "Wares and upgrades"},

    {Text::ship, u8"Корабль"_cp1251, "Ship"},
    {Text::turret, u8"Башня"_cp1251, "Turret"},
    {Text::laser, u8"Лазер"_cp1251, "Laser"},
    {Text::shield, u8"Щит"_cp1251, "Shield"},
    {Text::missile, u8"Ракета"_cp1251, "Missile"},
    {Text::station, u8"Станция"_cp1251, "Station"},
    {Text::ware, u8"Товар"_cp1251, "Ware"},

    {Text::largestShield, u8"Максимальный щит"_cp1251, "Largest shield"},
    {Text::shieldCount, u8"Максимальное число щитов"_cp1251, "Most shields"},
    {Text::largestMissile, u8"Максимальные ракеты"_cp1251, "Largest missile"},
    {Text::missileCount, u8"Максимальное число ракет"_cp1251, "Most missiles"},
    {Text::initialSpeed, u8"Начальная скорость"_cp1251, "Speed"},
    {Text::speedUpgrades, u8"Апгрейдов скорости"_cp1251, "Speed upgrades"},
    {Text::manoeuvrabilityX, u8"Маневренность по оси X"_cp1251, "Steering, X axis"},
    {Text::manoeuvrabilityY, u8"Маневренность по оси Y"_cp1251, "Steering, Y axis"},
    {Text::manoeuvrabilityRotation, u8"Маневренность вращения"_cp1251, "Rotation"},
    {Text::manoeuvrabilityUpgrades, u8"Апгрейдов маневренности"_cp1251, "Steering upgrades"},
    {Text::hull, u8"Корпус"_cp1251, "Hull"},
    {Text::acceleration, u8"Ускорение"_cp1251, "Acceleration"},
    {Text::minCargoBay, u8"Минимальный размер отсека"_cp1251, "Smallest cargo bay"},
    {Text::maxCargoBay, u8"Максимальный размер отсека"_cp1251, "Largest cargo bay"},
    {Text::cargoBayType, u8"Тип отсека"_cp1251, "Cargo bay class"},
    {Text::hangarCapacity, u8"Число кораблей в ангаре"_cp1251, "Ships in hangar"},
    {Text::generatorPower, u8"Мощность генератора"_cp1251, "Generator power"},
    {Text::priceCoefficient, u8"Ценовой коэффициент"_cp1251, "Price coefficient"},
    {Text::volume, u8"Занимаемый объем"_cp1251, "Cargo volume"},
    {Text::containerType, u8"Тип контейнера"_cp1251, "Container class"},
    {Text::fireDelay, u8"Задержка выстрела"_cp1251, "Fire delay"},
    {Text::laserPower, u8"Мощность лазера"_cp1251, "Laser power"},
    {Text::shotEnergy, u8"Энергия выстрела"_cp1251, "Shot energy"},
    {Text::shieldDamage, u8"Повреждение щита"_cp1251, "Shield damage"},
    {Text::hullDamage, u8"Повреждение корпуса"_cp1251, "Hull damage"},
    {Text::projectileSpeed, u8"Скорость полета заряда"_cp1251, "Projectile speed"},
    {Text::firingRange, u8"Дальность стрельбы"_cp1251, "Firing range"},
    {Text::averagePriceChange, u8"Изменение средней цены"_cp1251, "Price variation"},
    {Text::shieldPower, u8"Мощность щита"_cp1251, "Shield strength"},
    {Text::missileSpeed, u8"Скорость ракеты"_cp1251, "Missile speed"},

    {Text::unitMetresPerSecond, u8"м/с"_cp1251, "m/s"},
    {Text::unitMetres, u8"м"_cp1251, "m"},
    {Text::unitPercent, "%", "%"},
    {Text::unitUnits, u8"ед"_cp1251, "units"},
    {Text::unitMegawatts, u8"МВт"_cp1251, "MW"},

    {Text::sideMain, u8"Главная"_cp1251, "Main"},
    {Text::sideFront, u8"Передняя"_cp1251, "Front"},
    {Text::sideRear, u8"Задняя"_cp1251, "Rear"},
    {Text::sideLeft, u8"Левая"_cp1251, "Left"},
    {Text::sideRight, u8"Правая"_cp1251, "Right"},
    {Text::sideTop, u8"Верхняя"_cp1251, "Top"},
    {Text::sideBottom, u8"Нижняя"_cp1251, "Bottom"},
    {Text::raceArgon, u8"Аргон"_cp1251, "Argon"},
    {Text::raceBoron, u8"Борон"_cp1251, "Boron"},
    {Text::raceSplit, u8"Сплит"_cp1251, "Split"},
    {Text::raceParanid, u8"Паранид"_cp1251, "Paranid"},
    {Text::raceTeladi, u8"Телади"_cp1251, "Teladi"},
    {Text::raceXenon, u8"Ксенон"_cp1251, "Xenon"},
    {Text::missileMosquito, u8"Москит"_cp1251, "Mosquito"},
    {Text::missileWasp, u8"Оса"_cp1251, "Wasp"},
    {Text::missileDragonfly, u8"Стрекоза"_cp1251, "Dragonfly"},
    {Text::missileSilkworm, u8"Шелкопряд"_cp1251, "Silkworm"},
    {Text::missileHornet, u8"Шершень"_cp1251, "Hornet"},
    {Text::missileSting, u8"Жало"_cp1251, "Sting"},
    {Text::missileNeedle, u8"Игла"_cp1251, "Needle"},
    {Text::missileThorn, u8"Колючка"_cp1251, "Thorn"},
    {Text::weaponAlpha, u8"Альфа"_cp1251, "Alpha"},
    {Text::weaponBeta, u8"Бета"_cp1251, "Beta"},
    {Text::weaponGamma, u8"Гамма"_cp1251, "Gamma"},
    {Text::weaponGammaShort, u8"Гамма"_cp1251, "Gam."}, // where the whole word does not fit

    {Text::estimateShip, u8"Примерная стоимость корабля %s кр."_cp1251, "Estimated ship price %s Cr."},
    {Text::estimateStation, u8"Примерная стоимость станции на верфи %s кр."_cp1251,
     "Estimated station price %s Cr."},
    {Text::averageLaser, u8"Средняя стоимость лазера %s кр."_cp1251, "Average laser price %s Cr."},
    {Text::averageShield, u8"Средняя стоимость щита %s кр."_cp1251, "Average shield price %s Cr."},
    {Text::averageMissile, u8"Средняя стоимость ракеты %s кр."_cp1251, "Average missile price %s Cr."},
    {Text::averageWare, u8"Средняя стоимость %s кр."_cp1251, "Average price %s Cr."},
    {Text::priceRange, u8"Диапазон стоимости %d-%d кр."_cp1251, "Price range %d-%d Cr."},

    {Text::inputRefused, u8"Недопустимый ввод"_cp1251, "Unacceptable input"},
    {Text::inputDigits, u8"Здесь можно ввести только цифры."_cp1251,
     "Only digits can be entered here."},
    {Text::inputDigitsAndPoint,
     u8"Здесь можно ввести только цифры и одну десятичную точку (или запятую)."_cp1251,
     "Only digits and one decimal point (or comma) can be entered here."},
    {Text::inputLimitTitle, u8"Слишком большое число"_cp1251, "Too large a number"},
    {Text::inputLimit, u8"Таблица хранит здесь не больше %s."_cp1251, "The table holds at most %s here."},

    {Text::noNamePage, u8"Не найден(ы) файл(ы) локализаций!"_cp1251, "Name page file(s) not found!"},
    {Text::noGameFolder,
     u8"Папка: %s\r\n"
     u8"В ней нет t\\70001.xml или t\\440001.xml, а таблицы ищутся в types\\.\r\n"
     u8"\r\n"
     u8"Запустите Orvex в папке игры: положите orvex.exe рядом с папками t и types "
     u8"или укажите папку игры как рабочую в ярлыке программы."_cp1251,
     "Folder: %s\r\n"
     "It holds neither t\\70001.xml nor t\\440001.xml, and the tables are looked for in types\\.\r\n"
     "\r\n"
     "Start Orvex in the game's folder: put orvex.exe beside the t and types folders, "
     "or give the program's shortcut the game's folder to start in."},
    {Text::closeQuestion, u8"Файлы не сохранены! Сохранить?"_cp1251, "Files are not saved! Save?"},
    {Text::closeQuestionCaption, u8"Внимание!"_cp1251, "Attention!"},
    {Text::saveFailed, u8"Не удалось сохранить файлы:"_cp1251, "Could not save these files:"},
    {Text::faultReadOnly, u8"файл только для чтения"_cp1251, "the file is read-only"},
    {Text::faultAccessDenied, u8"нет доступа"_cp1251, "access denied"},
    {Text::faultDiskFull, u8"диск переполнен"_cp1251, "the disk is full"},
    {Text::faultInUse, u8"файл занят другой программой"_cp1251, "another program is using the file"},
    {Text::faultNoFolder, u8"папка не найдена"_cp1251, "the folder is missing"},
    {Text::faultOther, u8"ошибка записи"_cp1251, "write error"},
    {Text::faultChangedMeanwhile, u8"другая программа меняла файл, пока Orvex сохранял"_cp1251,
     "another program kept changing the file while Orvex saved"},
    {Text::otherTablesSaved, u8"Остальные таблицы сохранены."_cp1251, "The other tables were saved."},
    {Text::noTableSaved, u8"Ни одна таблица не сохранена."_cp1251, "No table was saved."},
    {Text::keptTables, u8"Эти таблицы не будут сохранены:"_cp1251, "These tables will not be saved:"},
    {Text::changedOnDisk,
     u8"Файл %s изменён другой программой после того, как Orvex его прочитал. Заменить его значениями Orvex?"_cp1251,
     "%s was changed by another program after Orvex read it. Overwrite it with Orvex's values?"},
    {Text::changedOnDiskConflicts,
     u8"Файл %s изменён другой программой после того, как Orvex его прочитал. Эти поля изменили и она, и Orvex:\r\n%s\r\nЗаменить файл значениями Orvex?"_cp1251,
     "%s was changed by another program after Orvex read it. Both it and Orvex changed these fields:\r\n%s\r\nOverwrite the file with Orvex's values?"},
    {Text::mergeConflictLine, u8"%s, %s: в Orvex %s, в файле %s"_cp1251, "%s, %s: %s in Orvex, %s in the file"},
    {Text::mergeRecordRemoved, u8"%s: изменён в Orvex, удалён в файле"_cp1251, "%s: changed in Orvex, removed in the file"},
    {Text::mergeRecordChanged, u8"%s: удалён в Orvex, изменён в файле"_cp1251, "%s: removed in Orvex, changed in the file"},
    {Text::mergeConflictsMore, u8"…и ещё %d"_cp1251, u8"…and %d more"_cp1251},
    {Text::mergedOnSave,
     u8"Эти файлы изменила другая программа. Её изменения объединены с правками Orvex и сохранены:"_cp1251,
     "Another program had changed these files. Its changes were merged with Orvex's edits and saved:"},
    {Text::folderAlreadyOpen,
     u8"Эта папка игры уже открыта в Orvex. Если таблицу изменит и то окно, «Сохранить» спросит, прежде чем записать её поверх."_cp1251,
     "This game folder is already open in Orvex. If that window changes a table too, Save asks before it overwrites it."},
    {Text::missingTables,
     u8"Эти таблицы не найдены; их группы пусты, и «Сохранить» их не создаёт:"_cp1251,
     "These tables were not found; their groups stay empty and Save does not create them:"},
    {Text::noTypesFolder, u8"Здесь нет папки types. Это папка игры?"_cp1251,
     "There is no types folder here. Is this the game's folder?"},
    {Text::aboutCaption, u8"О программе"_cp1251, "About"},
    {Text::aboutText,
     u8"Редактор кораблей, параметров станций, вооружения, товаров\r\n"
     u8"\r\n"
     u8"Версия " ORVEX_VERSION_SHORT "\r\n"
     u8"\r\n"
     u8"Идея: команда Orvex\r\n"
     u8"Программа: команда Orvex\r\n"
     u8"\r\n"
     u8"Посвящается всем пилотам, что бороздят просторы игры\r\n"
     u8"\r\n"
     u8"Лицензия: MIT, файл LICENSE рядом с программой\r\n"
     u8"Руководство: guide.ru.html рядом с программой"_cp1251,
     "Editor of ships, station parameters, armament and wares\r\n"
     "\r\n"
     "Version " ORVEX_VERSION_SHORT "\r\n"
     "\r\n"
     "Idea: the Orvex team\r\n"
     "Program: the Orvex team\r\n"
     "\r\n"
     "Dedicated to every pilot who roams the game's space\r\n"
     "\r\n"
     "Licence: MIT, the file LICENSE beside the program\r\n"
     "Guide: guide.en.html beside the program"},
    {Text::badLanguage, u8"Язык «%s» не поддерживается: можно ru или en."_cp1251,
     "Unknown language \"%s\": use ru or en."},

    {Text::placeLineField, u8"строка %d, поле %d: "_cp1251, "line %d, field %d: "},
    {Text::placeLine, u8"строка %d: "_cp1251, "line %d: "},
    {Text::quoted, u8"«%s»"_cp1251, "\"%s\""},
    {Text::noHeader, u8"нет заголовка"_cp1251, "no header"},
    {Text::notNumber, u8"%s — не число"_cp1251, "%s is not a number"},
    {Text::notInteger, u8"%s — не целое число"_cp1251, "%s is not a whole number"},
    {Text::outOfRange, u8"%s — число вне допустимых пределов"_cp1251, "%s is a number out of range"},
    {Text::textAfterLastField, u8"текст после последнего поля %s"_cp1251, "text after the last field %s"},
    {Text::nulByte, u8"нулевой байт (код 0) на смещении %s от начала файла"_cp1251,
     "a NUL byte (code 0) at byte offset %s of the file"},
    {Text::countAboveLines, u8"в заголовке записей %s, а строк записей %d"_cp1251,
     "the header counts %s records, the file has %d record lines"},
    {Text::badCount, u8"число записей %s"_cp1251, "record count %s"},
    {Text::groupTooLarge, u8"число элементов группы %s"_cp1251, "group size %s"},
    {Text::tooManyEmpty, u8"слишком много элементов без данных (%s)"_cp1251,
     "too many entries without data (%s)"},
    {Text::otherVersion,
     u8"%s на месте objectId — не идентификатор: таблица другой версии игры"_cp1251,
     "%s where the objectId stands is not an identifier: a table of another version of the game"},

    {Text::findingField, u8"поле %d: "_cp1251, "field %d: "},
    {Text::findingOutside, u8"поле %d: %s %d — %s"_cp1251, u8"field %d: %s %d — %s"_cp1251},
    {Text::findingOutOfBounds, u8"поле %d: %s %d — вне %d–%d"_cp1251, u8"field %d: %s %d — outside %d–%d"_cp1251},
    {Text::findingBeyondTable, u8"за пределами %s (записей: %d)"_cp1251, "beyond the %s (records: %d)"},
    {Text::ofShieldTable, u8"таблицы щитов"_cp1251, "shield table"},
    {Text::ofMissileList, u8"списка ракет"_cp1251, "missile list"},
    {Text::ofCockpitTable, u8"таблицы кабин"_cp1251, "cockpit table"},
    {Text::positionOutside, u8"вне 0–6"_cp1251, u8"outside 0–6"_cp1251},
    {Text::turretsWithoutMounts, u8"у турелей после седьмой нет креплений"_cp1251,
     "turrets after the seventh have no mounts"},
    {Text::findingKept, u8"; редактор не сохранит эту таблицу"_cp1251, "; the editor will not save this table"},
    {Text::duplicateIdSameFile, u8"поле %d: objectId «%s» уже у записи в строке %d"_cp1251,
     "field %d: objectId \"%s\" is already used on line %d"},
    {Text::duplicateIdOtherFile, u8"поле %d: objectId «%s» уже у записи в %s:%d"_cp1251,
     "field %d: objectId \"%s\" is already used at %s:%d"},
    {Text::countExtraLines,
     u8"в заголовке записей %d, а строк записей %d: строки %d–%d игра не прочтёт как записи"_cp1251,
     u8"records in the header: %d, record lines in the file: %d; the game will not read lines "
     u8"%d–%d as records"_cp1251},
    {Text::countExtraLine,
     u8"в заголовке записей %d, а строк записей %d: строку %d игра не прочтёт как запись"_cp1251,
     "records in the header: %d, record lines in the file: %d; the game will not read line %d as a record"},
    {Text::fieldsMissing, u8"полей %d, а нужно %d: недостающие читаются как 0"_cp1251,
     "%d fields, %d needed: the missing ones read as 0"},
    {Text::fieldsExtra, u8"полей %d, а нужно %d: лишние поля игра не прочтёт"_cp1251,
     "%d fields, %d needed: the game will not read the extra ones"},
    {Text::wrongGroupCount, u8" (обычно это неверный счётчик группы)"_cp1251, " (usually a wrong group count)"},
    {Text::noNameOnPage, u8"поле %d: nameTextId %d — нет на странице имён, в списке будет «%s»"_cp1251,
     "field %d: nameTextId %d is not on the name page, the list will show \"%s\""},
    {Text::laserWithoutBullet, u8"у лазера %d нет снаряда: в таблице снарядов записей %d"_cp1251,
     "laser %d has no projectile: the projectile table has %d records"},

    {Text::unfinishedLastField, u8"последнее поле не закончено «;»"_cp1251,
     "the last field does not end with \";\""},
    {Text::groupLargerThan, u8"число элементов группы больше %d"_cp1251, "a group has more than %d entries"},
    {Text::groupsCellFields, u8"полей %d, а itemCount %d и счётчики в ячейке требуют %s%d"_cp1251,
     "%d fields, but itemCount %d and the counts in the cell need %s%d"},
    {Text::atLeast, u8"не меньше "_cp1251, "at least "},
    {Text::cellCount, u8"ячеек %d, а столбцов %d"_cp1251, "%d cells, %d columns"},
    {Text::breakInCell, u8"знак конца строки (код %d) внутри ячейки"_cp1251,
     "a character that ends a table line (code %d) inside the cell"},
    {Text::cellHoldsSemicolon, u8"«%s» содержит «;»"_cp1251, "\"%s\" contains \";\""},
    {Text::cellWrittenOtherwise, u8"%s записывается как %s и читается другим числом"_cp1251,
     "%s is written as %s, which reads back as another number"},
    {Text::numberWrittenOtherwise, u8"число записывается как %s и читается другим"_cp1251,
     "the number is written as %s, which reads back as another"},

    {Text::cliUsage, u8"Запуск"_cp1251, "Usage"},
    {Text::cliOptionsUpper, u8"ПАРАМЕТРЫ"_cp1251, "OPTIONS"},
    {Text::cliCommandUpper, u8"КОМАНДА"_cp1251, "COMMAND"},
    {Text::cliCommandsUpper, u8"КОМАНДЫ"_cp1251, "COMMANDS"},
    {Text::cliArguments, u8"Аргументы"_cp1251, "Arguments"},
    {Text::cliOptions, u8"Параметры"_cp1251, "Options"},
    {Text::cliCommands, u8"Команды"_cp1251, "Commands"},
    {Text::cliHelpFlag, u8"показать эту справку"_cp1251, "show this help"},
    {Text::cliVersionFlag, u8"показать версию"_cp1251, "show the version"},
    {Text::cliDescription, u8"Orvex: проверка таблиц игры, выгрузка таблицы в CSV и загрузка обратно, сравнение таблиц"_cp1251,
     "Orvex: checks the game's tables, exports a table to CSV and imports it back, compares tables"},
    {Text::cliFolderOption, u8"папка игры (в ней папка types); по умолчанию текущая"_cp1251,
     "the game folder (the one holding types); the current folder by default"},
    {Text::cliCheck, u8"проверить все таблицы и показать находки"_cp1251, "check every table and list the findings"},
    {Text::cliFormatOption, u8"вид вывода: text или json"_cp1251, "output form: text or json"},
    {Text::cliStrictOption, u8"код 1 и при одних предупреждениях"_cp1251, "exit status 1 on warnings alone too"},
    {Text::cliExport, u8"выгрузить таблицу в CSV"_cp1251, "export a table to CSV"},
    {Text::cliTableArgument, u8"таблица: %s или имя файла (TShips.txt)"_cp1251,
     "table: %s or a file name (TShips.txt)"},
    {Text::cliOutputOption, u8"файл CSV; без него — стандартный вывод"_cp1251,
     "the CSV file; standard output without it"},
    {Text::cliImport, u8"сделать таблицу точно строками CSV"_cp1251, "make a table exactly the CSV's rows"},
    {Text::cliImportTable, u8"таблица, как у export"_cp1251, "table, as for export"},
    {Text::cliCsvFile, u8"файл CSV"_cp1251, "the CSV file"},
    {Text::cliDryRun, u8"только проверить и сказать, что изменится"_cp1251, "only check and say what would change"},
    {Text::cliLangOption, u8"язык сообщений: ru или en"_cp1251, "language of the messages: ru or en"},
    {Text::cliBadCommandLine, u8"ошибка в командной строке"_cp1251, "bad command line"},
    {Text::cliMissingArgument, u8"не хватает аргумента %s"_cp1251, "the argument %s is missing"},
    {Text::cliExtraArguments, u8"лишний аргумент: %s"_cp1251, "unexpected argument: %s"},
    {Text::cliValueCount, u8"неверное число значений у %s"_cp1251, "wrong number of values for %s"},
    {Text::cliBadValue, u8"недопустимое значение у %s"_cp1251, "value not allowed for %s"},
    {Text::cliHelpHint, u8"Справка: orvex-cli --help"_cp1251, "Help: orvex-cli --help"},
    {Text::cliNoNamePage, u8"нет страницы имён (t\\70001.xml или t\\440001.xml): редактор не запустится"_cp1251,
     "no name page (t\\70001.xml or t\\440001.xml): the editor will not start"},
    {Text::cliSummary, u8"Таблиц: %d из %d, записей: %s; ошибок: %d, предупреждений: %d"_cp1251,
     "Tables: %d of %d, records: %s; errors: %d, warnings: %d"},
    {Text::cliNotGameFolder, u8"в папке «%s» нет папки types: это не папка игры"_cp1251,
     "the folder \"%s\" has no types folder: it is not a game folder"},
    {Text::cliNoTable, u8"нет таблицы «%s»; таблицы: %s"_cp1251, "no table \"%s\"; tables: %s"},
    {Text::cliNoFile, u8"файла %s нет"_cp1251, "the file %s is missing"},
    {Text::cliTableKept, u8"%s — %s; редактор не сохраняет эту таблицу, и она не меняется"_cp1251,
     u8"%s — %s; the editor does not save this table, and it stays as it is"_cp1251},
    {Text::cliQuotes, u8"кавычки не закрыты или после закрывающей кавычки текст"_cp1251,
     "a quote is not closed, or text follows a closing quote"},
    {Text::cliNoHeaderRow, u8"нет строки с названиями столбцов"_cp1251, "no row of column names"},
    {Text::cliNothingWritten, u8"Ничего не записано."_cp1251, "Nothing written."},
    {Text::cliNoSuchColumn, u8"в таблице %s нет такого столбца"_cp1251, "the table %s has no such column"},
    {Text::cliColumnTwice, u8"столбец назван дважды"_cp1251, "column named twice"},
    {Text::cliColumnMissing, u8"столбца нет в файле"_cp1251, "column missing from the file"},
    {Text::cliCellsColumns, u8"ячеек %s, а столбцов %s"_cp1251, "%s cells, %s columns"},
    {Text::cliNotCp1251, u8"знак, которого нет в кодировке Windows-1251, или испорченный UTF-8"_cp1251,
     "a character Windows-1251 does not have, or broken UTF-8"},
    {Text::cliImportDry, u8"%s: записей было %s, будет %s; изменится %s, добавится %s, удалится %s"_cp1251,
     "%s: %s records, would be %s; %s would change, %s be added, %s be removed"},
    {Text::cliImportDone, u8"%s: записей было %s, стало %s; изменено %s, добавлено %s, удалено %s"_cp1251,
     "%s: %s records, now %s; %s changed, %s added, %s removed"},
    {Text::cliReorderDry, u8"; порядок записей изменится"_cp1251, "; the order of records would change"},
    {Text::cliReorderDone, u8"; порядок записей изменён"_cp1251, "; the order of records changed"},
    {Text::cliRewrittenDry,
     u8"; ещё строк перепишется только в записи чисел редактора: %s (строка %s: «%s» станет «%s»)"_cp1251,
     "; %s other lines would be rewritten only into the editor's number format (line %s: \"%s\" becomes \"%s\")"},
    {Text::cliRewrittenDone,
     u8"; ещё строк переписано только в записи чисел редактора: %s (строка %s: «%s» стало «%s»)"_cp1251,
     "; %s other lines rewritten only into the editor's number format (line %s: \"%s\" became \"%s\")"},
    {Text::cliDryRunDone, u8"Проверка: ничего не записано."_cp1251, "Dry run: nothing written."},
    {Text::cliWriteFailedKept, u8"не удалось записать %s; файл остался прежним"_cp1251,
     "could not write %s; the file is unchanged"},
    {Text::cliWritten, u8"Записано: %s"_cp1251, "Written: %s"},
    {Text::cliWriteFailed, u8"не удалось записать %s"_cp1251, "could not write %s"},
    {Text::cliReadFailed, u8"не удалось прочитать %s"_cp1251, "could not read %s"},
    {Text::cliStdoutFailed, u8"не удалось записать стандартный вывод целиком: он неполон"_cp1251,
     "could not write all of standard output: it is incomplete"},
    {Text::cliDiff, u8"сравнить таблицы с другой папкой игры или с их резервными копиями"_cp1251,
     "compare the tables with another game folder or with their backups"},
    {Text::cliAgainstOption, u8"папка игры, с которой сравнить (старая сторона)"_cp1251,
     "the game folder to compare with (the old side)"},
    {Text::cliBackupsOption, u8"сравнить с резервными копиями (.bak) в той же папке"_cp1251,
     "compare with the backups (.bak) in the same folder"},
    {Text::cliDiffFormatOption, u8"вид вывода: text, json или markdown"_cp1251,
     "output form: text, json or markdown"},
    {Text::cliDiffTables, u8"таблицы, как у export; без них — все двенадцать"_cp1251,
     "tables, as for export; all twelve without them"},
    {Text::cliAgainstOrBackups, u8"нужен ровно один из параметров --against и --backups"_cp1251,
     "give exactly one of --against and --backups"},
    {Text::cliDiffTableAdded, u8"таблица добавлена"_cp1251, "table added"},
    {Text::cliDiffTableRemoved, u8"таблица удалена"_cp1251, "table removed"},
    {Text::cliDiffNoBackup, u8"нет резервной копии (.bak), сравнивать не с чем"_cp1251,
     "no backup (.bak), nothing to compare with"},
    {Text::cliDiffNotComparable, u8"не сравнивается: %s"_cp1251, "not compared: %s"},
    {Text::cliDiffReason, "%s: %s", "%s: %s"},
    {Text::cliDiffHeader, u8"заголовок"_cp1251, "header"},
    {Text::cliDiffRemarks, u8"изменены примечания или строки вне записей"_cp1251,
     "remarks or lines outside the records changed"},
    {Text::cliDiffReordered, u8"порядок записей изменён"_cp1251, "records reordered"},
    {Text::cliDiffAdded, u8"добавлена запись %s (индекс %s)"_cp1251, "record added: %s (index %s)"},
    {Text::cliDiffRemoved, u8"удалена запись %s (индекс %s)"_cp1251, "record removed: %s (index %s)"},
    {Text::cliDiffTotals, u8"Записей изменено: %d, добавлено: %d, удалено: %d"_cp1251,
     "Records changed: %d, added: %d, removed: %d"},
    {Text::cliDiffNone, u8"Различий нет."_cp1251, "No differences."},

    {Text::cellEmptyNumber, u8"ячейка пуста, а в столбце число"_cp1251,
     "the cell is empty, but the column holds a number"},
    {Text::readBackFault, u8"записанную строку редактор не прочитал бы: %s"_cp1251,
     "the editor could not read the written line back: %s"},
    {Text::readBackDiffers, u8"записанная строка читается иначе: «%s» вместо «%s»"_cp1251,
     "the written line reads back differently: \"%s\" instead of \"%s\""},
    {Text::findingMissingTable, u8"файла таблицы нет: редактор покажет её пустой и файл не создаст"_cp1251,
     "the table file is missing: the editor shows the table empty and does not create the file"},
    {Text::cliEmptyImport,
     u8"в CSV нет ни одной записи, и таблица %s стала бы пустой; чтобы очистить её, добавьте --allow-empty"_cp1251,
     "the CSV holds no records, so %s would be left empty; give --allow-empty to empty it"},
    {Text::cliAllowEmpty, u8"разрешить импорт, после которого в таблице нет записей"_cp1251,
     "allow an import that leaves the table with no records"},
    {Text::cliOutputIsTable,
     u8"%s — файл таблицы игры, страница имён или резервная копия (.bak); CSV туда не записывается"_cp1251,
     "%s is a game's table file, name page or a backup (.bak); the CSV is not written there"},
    {Text::cliNeedCommand, u8"нет команды: укажите одну из %s"_cp1251, "no command: give one of %s"},
    {Text::cliRequiredLabel, u8"(обязательно)"_cp1251, "(required)"},
    {Text::cliTypeText, u8"ТЕКСТ"_cp1251, "TEXT"},
    {Text::cliTypeFolder, u8"ПАПКА"_cp1251, "FOLDER"},
    {Text::cliTypeFile, u8"ФАЙЛ"_cp1251, "FILE"},
    {Text::cliTypeFormat, u8"ФОРМАТ"_cp1251, "FORMAT"},
    {Text::cliTypeLanguage, u8"ЯЗЫК"_cp1251, "LANGUAGE"},
    {Text::cliTableName, u8"ТАБЛИЦА"_cp1251, "TABLE"},
    {Text::cliFileName, u8"CSV"_cp1251, "CSV"},
    {Text::cliNoEntry, u8"(нет пункта)"_cp1251, "(no entry)"},
    {Text::cliMerge, u8"слить изменения двух папок игры (MINE и THEIRS) с их общей основой (BASE)"_cp1251,
     "merge the changes of two game folders (MINE and THEIRS) made from a common BASE"},
    {Text::cliMergeFileCommand,
     u8"слить три версии одного файла таблицы в MINE (драйвер слияния для git)"_cp1251,
     "merge three versions of one table file into MINE (a merge driver for git)"},
    {Text::cliDiffFiles, u8"изменения одного файла таблицы словами редактора (драйвер сравнения для git)"_cp1251,
     "the changes of one table file in the editor's words (a diff driver for git)"},
    {Text::cliGitSetup, u8"настроить git на слияние и сравнение таблиц игры через orvex-cli"_cp1251,
     "make git merge and diff the game's tables with orvex-cli"},
    {Text::cliPreferOption, u8"чьё значение берётся при конфликте: mine или theirs"_cp1251,
     "whose value a conflict takes: mine or theirs"},
    {Text::cliMergeOutput, u8"папка игры для результата; без неё — MINE, с резервными копиями .bak"_cp1251,
     "the game folder to write the result to; without it, MINE, with .bak backups"},
    {Text::cliPathOption, u8"путь файла в репозитории: по имени файла узнаётся таблица"_cp1251,
     "the file's path in the repository: its file name tells the table"},
    {Text::cliRepoArgument, u8"репозиторий git; без него — текущая папка"_cp1251,
     "the git repository; without it, the current folder"},
    {Text::cliMergeFormatOption, u8"вид отчёта: text, json или markdown"_cp1251,
     "the report's form: text, json or markdown"},
    {Text::cliMergeTables, u8"таблицы, как у export; без них — все двенадцать"_cp1251,
     "tables as export names them; without any, all twelve"},
    {Text::cliBaseFolder, u8"папка игры, от которой начаты обе стороны"_cp1251,
     "the game folder both sides started from"},
    {Text::cliMineFolder, u8"своя папка игры"_cp1251, "your game folder"},
    {Text::cliTheirsFolder, u8"другая папка игры"_cp1251, "the other game folder"},
    {Text::cliBaseFile, u8"файл таблицы, от которого начаты обе версии"_cp1251,
     "the table file both versions started from"},
    {Text::cliMineFile, u8"своя версия файла; сюда пишется результат"_cp1251,
     "your version of the file; the result is written here"},
    {Text::cliTheirsFile, u8"другая версия файла"_cp1251, "the other version of the file"},
    {Text::cliOldFile, u8"старая версия файла таблицы"_cp1251, "the old version of the table file"},
    {Text::cliNewFile, u8"новая версия файла таблицы"_cp1251, "the new version of the table file"},
    {Text::cliMergeRemoved, u8"удалена"_cp1251, "removed"},
    {Text::cliMergeNoBase, u8"нет"_cp1251, "none"},
    {Text::cliMergeChanged, u8"изменён"_cp1251, "changed"},
    {Text::cliMergeRemarks, u8"примечания и строки вне записей"_cp1251, "remarks and lines outside the records"},
    {Text::cliMergeRecord, u8"запись"_cp1251, "record"},
    {Text::cliMergeTableFile, u8"файл таблицы"_cp1251, "table file"},
    {Text::cliMergeSides, u8"в основе %s, у меня %s, у них %s"_cp1251, "base %s, mine %s, theirs %s"},
    {Text::cliMergeConflicts, u8"Конфликтов: %d; ничего не записано."_cp1251, "Conflicts: %d; nothing written."},
    {Text::cliMergeSettled, u8"Конфликтов: %d; взяты значения %s."_cp1251, "Conflicts: %d; the values of %s taken."},
    {Text::cliMergeDone, u8"Слито; изменено таблиц: %d."_cp1251, "Merged; tables changed: %d."},
    {Text::cliMergeNothing, u8"Слито; изменений нет."_cp1251, "Merged; nothing changed."},
    {Text::cliMergeKeptMine, u8"Конфликтов: %d; в файле оставлены значения MINE."_cp1251,
     "Conflicts: %d; the file keeps MINE's values."},
    {Text::cliConflictHeading, u8"конфликт"_cp1251, "conflict"},
    {Text::cliPathNotTable, u8"«%s» — не файл таблицы игры"_cp1251, "\"%s\" is not a game table file"},
    {Text::cliGitSetupDone, u8"git настроен для таблиц в %s"_cp1251, "git is set up for the tables in %s"},
    {Text::cliGitFailed, u8"git не выполнил: %s"_cp1251, "git failed: %s"},
    {Text::cliMergeWriteFailed, u8"не удалось записать %s; прежний файл цел"_cp1251,
     "could not write %s; the previous file is intact"},
    {Text::cliMergeWriteFault, u8"не удалось записать %s: %s; ничего не записано"_cp1251,
     "could not write %s: %s; nothing written"},
    {Text::cliMergeWrittenOnly, u8"не удалось записать %s: %s; записаны только: %s"_cp1251,
     "could not write %s: %s; written before it: %s"},
    {Text::cliMergePairs, u8"пары лазеров и зарядов"_cp1251, "pairs of lasers and bullets"},
    {Text::cliConflictNamesRemoved, u8"ссылается на %s, удалённую другой стороной; она оставлена"_cp1251,
     "names %s, which the other side removed; it is kept"},
    {Text::cliConflictNeedsFolders,
     u8"без других таблиц не понять, на что ссылка; слейте папки целиком: orvex-cli merge"_cp1251,
     "what it names needs the other tables; merge the whole folders with orvex-cli merge"},
    {Text::cliShowFile, u8"файл таблицы как текст: по строке на поле записи, словами редактора (textconv для git)"_cp1251,
     "a table file as text: a line per field of each record, in the editor's words (a textconv for git)"},
    {Text::cliShowFileArgument, u8"файл таблицы; таблица узнаётся по концу имени файла"_cp1251,
     "the table file; the end of its name tells the table"},
    {Text::cliShowFolderOption, u8"папка игры, по странице имён которой названы записи; по умолчанию текущая"_cp1251,
     "the game folder whose name page names the records; by default the current one"},
    {Text::cliGitNotOnPath,
     u8"orvex-cli нет в PATH: пока его там нет, git не сольёт таблицы без конфликта и не покажет их изменения"_cp1251,
     "orvex-cli is not on the PATH: until it is, git will not merge the tables without a conflict nor show their changes"},
    {Text::cliLineMerge, u8"%s: %s; файл слит построчно, как сливает git"_cp1251,
     "%s: %s; the file is merged line by line, as git merges"},
    {Text::cliLineConflicts, u8"конфликтов построчного слияния: %d, они отмечены в файле метками git"_cp1251,
     "conflicts of the line merge: %d, marked in the file as git marks them"},
    {Text::cliLineDiff, u8"изменения строк файла:"_cp1251, "the file's changed lines:"},
    {Text::cliConflictList, u8"список конфликтов слияния: %s"_cp1251, "the list of the merge's conflicts: %s"},

    {Text::nameNoPage17, u8"на странице имён нет страницы 17 (<page id=\"17\">)"_cp1251,
     "the name page has no page 17 (<page id=\"17\">)"},
    {Text::nameNotInFormat,
     u8"страница имён не в формате: страница 17 не закрыта своей строкой </page> или в файле нулевой байт"_cp1251,
     "the name page is not in format: page 17 is not closed by a </page> line of its own, or the file holds a NUL byte"},
    {Text::nameEmpty, u8"имя пустое"_cp1251, "the name is empty"},
    {Text::nameBadCharacter, u8"в имени управляющий символ или неверный UTF-8"_cp1251,
     "the name holds a control character or broken UTF-8"},
    {Text::nameNoFreeId, u8"нет свободного номера текста выше наибольшего на странице 17"_cp1251,
     "no free text id above the largest on page 17"},

    {Text::objectNoNames, u8"у записей %s нет имён, их не копируют и не переименовывают"_cp1251,
     "the records of %s have no names; they are not copied or renamed"},
    {Text::objectUnknown, u8"в %s нет объекта «%s»"_cp1251, "%s has no object \"%s\""},
    {Text::objectTableKept, u8"%s отсутствует или не в формате, и редактор её не меняет"_cp1251,
     "%s is missing or not in format, and the editor does not change it"},
    {Text::objectBulletsOutOfStep,
     u8"снарядов не столько, сколько лазеров: лазер i стреляет снарядом i, и копия нарушила бы это"_cp1251,
     "the bullets are not as many as the lasers: laser i fires bullet i, and a copy would break that"},
    {Text::objectNoNamePage, u8"нет страницы имён (t\\70001.xml или t\\440001.xml)"_cp1251,
     "no name page (t\\70001.xml or t\\440001.xml)"},
    {Text::objectIdEmpty, u8"идентификатор пустой"_cp1251, "the identifier is empty"},
    {Text::objectIdBadCharacter, u8"в идентификаторе «;», пробел или управляющий символ"_cp1251,
     "the identifier holds \";\", a blank or a control character"},
    {Text::objectIdNotCp1251, u8"в идентификаторе знак, которого нет в кодировке Windows-1251"_cp1251,
     "the identifier holds a character Windows-1251 lacks"},
    {Text::objectIdUsed, u8"идентификатор «%s» уже есть в %s"_cp1251, "the identifier \"%s\" is already used in %s"},
    {Text::objectWareFiles, u8"файлах товаров"_cp1251, "the ware files"},

    {Text::cliAdd, u8"копия объекта со своими идентификатором и именем: в конце таблицы и на странице имён"_cp1251,
     "a copy of an object with an identifier and a name of its own, at the end of its table and on the name page"},
    {Text::cliRename, u8"новое имя объекта на странице имён"_cp1251, "a new name of an object on the name page"},
    {Text::cliCopyOption, u8"идентификатор объекта, с которого делается копия"_cp1251, "the objectId of the object to copy"},
    {Text::cliIdOption, u8"идентификатор копии"_cp1251, "the copy's objectId"},
    {Text::cliNameOption, u8"имя, как оно будет на странице имён"_cp1251, "the name, as the name page will hold it"},
    {Text::cliObjectArgument, u8"идентификатор объекта"_cp1251, "the object's objectId"},
    {Text::cliObjectAdded, u8"%s: добавлен «%s» (%s), номер %d, номер текста %d"_cp1251,
     "%s: added \"%s\" (%s), index %d, text id %d"},
    {Text::cliBulletAdded, u8"%s: добавлен снаряд %s, номер %d"_cp1251, "%s: added bullet %s, index %d"},
    {Text::cliObjectRenamed, u8"%s: теперь «%s» (%s), номер %d, номер текста %d"_cp1251,
     "%s: now \"%s\" (%s), index %d, text id %d"},
    {Text::cliPageWhole, u8"обе стороны изменили страницу имён не только в строках имён"_cp1251,
     "both sides changed the name page beyond its name lines"},
    {Text::cliPageConflict, u8"номер текста %d: MINE «%s», THEIRS «%s»"_cp1251, "text id %d: MINE \"%s\", THEIRS \"%s\""},
    {Text::cliPageRenumbered,
     u8"имён, которые THEIRS добавил под номерами, занятыми в MINE другими именами: %d; им и их записям даны новые номера"_cp1251,
     "names THEIRS added under ids MINE gave other names: %d; they and their records got new ids"},
    {Text::cliFolderOpen,
     u8"папка %s открыта в Orvex; изменения записываются, и «Сохранить» в Orvex объединит их со своими правками"_cp1251,
     "%s is open in Orvex; the changes are written, and Orvex's Save will merge them with its edits"},
    {Text::findingManoeuvrability, u8"поле %d: %s %s — больше 10, то есть 1000 процентов"_cp1251,
     u8"field %d: %s %s — above 10, that is 1000 percent"_cp1251},

    // "&" marks a menu entry's letter.
    {Text::menuDuplicate, u8"Создать &копию…"_cp1251, u8"&Duplicate…"_cp1251},
    {Text::menuRename, u8"&Переименовать…"_cp1251, u8"&Rename…"_cp1251},
    {Text::duplicateCaption, u8"Создать копию"_cp1251, "Duplicate"},
    {Text::renameCaption, u8"Переименовать"_cp1251, "Rename"},
    {Text::dialogName, u8"Название:"_cp1251, "Name:"},
    {Text::dialogObjectId, u8"Идентификатор:"_cp1251, "Identifier:"},
    {Text::dialogOk, "OK", "OK"},
    {Text::dialogCancel, u8"Отмена"_cp1251, "Cancel"},
    // Under the turret list: the cockpit's mask is every such ship's (21, 31 … ships: One).
    {Text::cockpitSharedOne, u8"общая у %d корабля"_cp1251, "shared by %d ships"},
    {Text::cockpitShared, u8"общая у %d кораблей"_cp1251, "shared by %d ships"},
    {Text::findCaption, u8"Найти"_cp1251, "Find"},
    {Text::findWhat, u8"Что искать:"_cp1251, "Find what:"},
    {Text::findNext, u8"Найти &далее"_cp1251, "&Find Next"},
    {Text::findNotFoundTitle, u8"Не найдено"_cp1251, "Not found"},
    {Text::findNotFound, u8"«%s» нет ни в названиях, ни в идентификаторах списков."_cp1251,
     u8"“%s” is in no list's names or identifiers."_cp1251},
    {Text::guideFile, "guide.ru.html", "guide.en.html"},
    {Text::guideMissing, u8"Не удалось открыть руководство %s: его нет рядом с программой или его нечем открыть."_cp1251,
     "Could not open the guide %s: it is not beside the program, or nothing can open it."},
    {Text::refreshedTitle, u8"Таблицы обновлены"_cp1251, "Tables updated"},
    {Text::refreshed, u8"Другая программа изменила %s; окно показывает их такими, вместе со своими правками."_cp1251,
     "Another program changed %s; the window shows them so, with its own edits."},
};

// A key without its row, a row out of order or a form left empty fails the build.
consteval bool complete() {
    if (std::size(kTexts) != static_cast<size_t>(Text::count_)) return false;
    for (size_t i = 0; i < std::size(kTexts); ++i)
        if (kTexts[i].key != static_cast<Text>(i) || kTexts[i].ru.empty() || kTexts[i].en.empty())
            return false;
    return true;
}
static_assert(complete(), "every text key needs its row, in key order, with both forms");

// The placeholders of a form in order ("%s%d"); "%%" is a plain percent sign.
struct Placeholders {
    char kinds[8] = {};
    size_t count = 0;
    bool operator==(const Placeholders&) const = default;
};
consteval Placeholders placeholdersOf(std::string_view form) {
    Placeholders p;
    for (size_t i = 0; i + 1 < form.size(); ++i) {
        if (form[i] != '%') continue;
        if (form[++i] == '%') continue;
        if (p.count < std::size(p.kinds)) p.kinds[p.count] = form[i];
        ++p.count;
    }
    return p;
}

// The two forms of a text take the same arguments: the same placeholders in the
// same order, or a form would read another argument than the caller gave.
consteval bool placeholdersAgree() {
    for (const TextForms& forms : kTexts)
        if (!(placeholdersOf(forms.ru) == placeholdersOf(forms.en))) return false;
    return true;
}
static_assert(placeholdersAgree(), "a text's two forms need the same placeholders in the same order");

// Every form is Windows-1251. An English form holds no Cyrillic letter (bytes
// 0xC0..0xFF), so a UTF-8 literal left unconverted (a dash, an ellipsis: lead
// bytes 0xC2..0xE2) fails the build; write such forms as u8"…"_cp1251.
consteval bool englishIn1251() {
    for (const TextForms& forms : kTexts)
        for (char c : forms.en)
            if (static_cast<unsigned char>(c) >= 0xC0) return false;
    return true;
}
static_assert(englishIn1251(), "an English text holds UTF-8 bytes: write it as u8\"...\"_cp1251");

} // namespace

std::string_view text(Text key, Language language) {
    const TextForms& forms = kTexts[static_cast<size_t>(key)];
    return language == Language::ru ? forms.ru : forms.en;
}

std::string_view raceName(int32_t race, Language language) {
    static constexpr Text names[6] = {Text::raceArgon,   Text::raceBoron,  Text::raceSplit,
                                      Text::raceParanid, Text::raceTeladi, Text::raceXenon};
    return race >= 1 && race <= 6 ? text(names[race - 1], language) : std::string_view();
}
