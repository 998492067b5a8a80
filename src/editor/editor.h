#pragma once
// The editor's operations: start-up, showing records, the input handlers, price
// labels, saving and closing. Every handler gets the MainForm as its context.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "tables/table_list.h"
#include "text/language.h"

struct Control;
struct MainForm;
struct TBullets;
enum class Shown;

// The interface language: the option (--lang), else the variable (ORVEX_LANG),
// else the Windows interface language id. A value other than ru or en is told
// in a message box in both languages; the Windows language is then used.
Language chooseEditorLanguage(Control& application, std::optional<std::string_view> option,
                              const char* variable, uint16_t windowsLanguageId);

// Start-up: name page, tables, lists, first records. False when there is no
// name page (the caller tells the user; the program ends without its window).
bool runStartup(MainForm& form);

// Fills a list whose entries the core knows (listedValues: numbers, container
// types) with all of them.
void addListedEntries(Control& list, Shown shown);

// Showing records (they never change a record).
void showShip(MainForm& form);
void showTurret(MainForm& form);
void showWeaponMask(MainForm& form, int32_t mask);
void setTurretSectionEnabled(MainForm& form, bool on);
void showLaser(MainForm& form);
// The range the bullet's flight time and speed give, put into its box; stores nothing.
void showFiringRange(MainForm& form, const TBullets& bullet);
void showShield(MainForm& form);
void showRocket(MainForm& form);
void showStation(MainForm& form);
void showWare(MainForm& form);

// The lists that name table `id`'s records (for a ware file, the ware list,
// which names all five files' records) filled from the table, after the entries
// of their own (the missile list's fixed missiles); each list's first entry is
// chosen. Nothing for a table no list names.
void fillRecordLists(MainForm& form, TableId id);
// The same, again (after Save merged in another program's records): each
// selector keeps its record, or its place when that record is gone.
void refillRecordLists(MainForm& form, TableId id);
// The entry a list of the window names record `index` of table `id` under
// ("Кондор", "Рудник (Аргон)"); a bullet's is the entry of the laser whose group
// shows it. Empty for a cockpit (no list names one) and an index past the table.
std::string listedEntry(const MainForm& form, TableId id, size_t index);

// Price labels.
enum class PriceGroup { Ships, Stations, Lasers, Shields, Rockets, Wares };
void refreshPriceEstimate(MainForm& form, PriceGroup group);
void refreshPriceRange(MainForm& form, PriceGroup group);
// Both, for a new coefficient: the range is made from it too.
void refreshPrices(MainForm& form, PriceGroup group);

// Event handlers (context: the MainForm).
void onShipSelected(void* form, Control& sender);
void onTurretSelected(void* form, Control& sender);
void onLaserSelected(void* form, Control& sender);
void onShieldSelected(void* form, Control& sender);
void onRocketSelected(void* form, Control& sender);
void onStationSelected(void* form, Control& sender);
void onWareSelected(void* form, Control& sender);

void onShipFieldChange(void* form, Control& sender);
void onWeaponBoxClicked(void* form, Control& sender);
void onLaserFieldChange(void* form, Control& sender);
void onBulletFieldChange(void* form, Control& sender);
void onShieldFieldChange(void* form, Control& sender);
void onRocketFieldChange(void* form, Control& sender);
void onStationFieldChange(void* form, Control& sender);
void onWareFieldChange(void* form, Control& sender);

// The number boxes take keys and pastes by one rule (numberInput): digits, and
// in a decimal box one point, a comma made that point. What the rule refuses is
// refused whole (ch becomes 0, text empty) and the box's tip says why. The
// editing keys (backspace, Ctrl+A, C, V, X, Z) pass; other control characters
// become 0.
void digitsKeyFilter(void* form, Control& sender, char& ch, unsigned shiftState);
void decimalKeyFilter(void* form, Control& sender, char& ch, unsigned shiftState);
void digitsPasteFilter(void* form, Control& sender, std::string& text);
void decimalPasteFilter(void* form, Control& sender, std::string& text);
// The focus left a number box: it shows the value stored (a value saturated at
// its limit, 0 for an emptied box), and stores nothing.
void onNumberBoxLeft(void* form, Control& sender);

// The mask of bits 0..23 from the 24 check boxes.
int32_t collectWeaponMask(const MainForm& form);
// Where the weapon mask of the chosen turret entry lives; nullptr when the entry
// names no turret, or its mount names no cockpit of the table.
int32_t* chosenWeaponMask(MainForm& form);
// Stores the boxes' bits into the mask of the chosen turret entry, keeping bits 24..31.
void storeWeaponMask(MainForm& form);

// Whether records differ from the files since the last load or full save; the
// window's title carries "*" while they do.
void markChanged(MainForm& form, bool changed);

// New records and names (the same edits as orvex-cli add and rename). A copy of
// record `source` of table `id` (a ware file: the record's own file and index)
// appended under `objectId` and named `name` (both Windows-1251, as typed): listed,
// chosen in its list and shown, the lists that name that table's records filled
// again, the title marked with "*". Returns the refusal's reason in the window's
// language (Windows-1251), empty when done; nothing changes on a refusal.
std::string duplicateRecord(MainForm& form, TableId id, size_t source, std::string_view objectId,
                            std::string_view name);
// The record named anew, the same way.
std::string renameRecord(MainForm& form, TableId id, size_t index, std::string_view name);
// What the copy dialog proposes: the source's identifier with "_2", "_3" … and
// its name as listed with " 2".
std::string proposedCopyId(const MainForm& form, TableId id, size_t source);
std::string proposedCopyName(const MainForm& form, TableId id, size_t source);
// The record shown by the group that holds `control` (any control of the ships
// page: the shown ship), by table and index (a ware: its file and its index
// there); none outside a group or when the group shows none.
std::optional<std::pair<TableId, size_t>> recordOfGroup(const MainForm& form, const Control& control);

// Ctrl+D from any control of the window, and the context menu of each record
// list ("Создать копию…", "Переименовать…"), open the copy or the rename dialog
// for the record the group holding the focus (or the list) shows: the name
// (focused, its text selected) and, for a copy, the identifier, proposed by
// proposedCopyName and proposedCopyId; OK (Enter) calls duplicateRecord or
// renameRecord, whose refusal the box it concerns tells in its tip while the
// dialog stays; Cancel (Esc) changes nothing.
void addRecordCommands(MainForm& form);
// Ctrl+F and F3 (find an object in the record lists) and F1 (the guide).
void addFindAndHelp(MainForm& form);

// The tables another program changed since the window read or wrote them, taken
// in when all of them merge cleanly with the window's edits (as Save merges),
// and the name page when the window has no names of its own: the lists keep
// their records, every page shows again, and a notice at the shown page's list
// names the files. False when nothing was taken (nothing changed, or a change
// waits for Save: a conflict, an unreadable side, a file gone, the window's names).
bool takeChangedTables(MainForm& form);
// The window activated again: takeChangedTables, unless Save or the close
// question is at work.
void onWindowActivated(void* form, Control& sender);
// Shows the chosen record of every group again (after values came in).
void showEveryRecord(MainForm& form);
// Whether c is ancestor or lies inside it.
bool within(const Control* c, const Control* ancestor);
// Chooses entry `entry` of the list that selects table `id`'s records (for a
// ware file, the ware list's entry) and shows its record.
void chooseEntry(MainForm& form, TableId id, int entry);

// Save: a table whose file another program changed since Orvex read or wrote it
// is merged, or asked about where it does not merge (Yes writes it, No leaves it,
// Cancel writes nothing more), then the tables are written. A file another
// program writes meanwhile is never replaced: it is merged or asked about again,
// for up to three rounds, then told as not saved like a failure. True when
// everything the user wanted written was written (a table left as it is keeps
// the title's "*"); false after Cancel or a failure.
bool saveTables(MainForm& form);
void onSaveClicked(void* form, Control& sender);
void onCloseClicked(void* form, Control& sender);
// Asks only when something changed since the last load or save.
void confirmClose(void* form, Control& window, bool& accept);
void showAbout(void* form, Control& sender);
