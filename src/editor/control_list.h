#pragma once
// Every control of the editor's window in one list, as a dialog's resource
// numbers its items: each entry names the control ("ship.hullStrength",
// "saveButton") and gives the text it shows, where that is one text of
// texts.h. The number its window carries as its child-window id (GetDlgCtrlID)
// is its place in the list, counted from kFirstControlNumber, so no two
// controls share a number. The UI driver links this list too: its selector
// [id=NAME] finds the window by the same number.
//
// A field's row (its input, label and unit) is not written here but made from
// the field descriptions (tables/editor_fields.h): its group's name, a dot, the
// column the field edits, then ".label", ".unit" or ".exponent" ("ship.speed",
// "ship.speed.label", "ship.speed.unit"); its label and unit show the
// description's texts.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/texts.h"

struct ControlEntry {
    std::string name;
    std::optional<Text> text; // none for inputs and for labels the editor fills
};

// Clear of the dialog answers' ids (IDOK 1 to IDCONTINUE 11) and far below
// 0xFFFF, the id of a message box's text.
inline constexpr int kFirstControlNumber = 0x100;

// Every control of the window, each once.
std::span<const ControlEntry> controlList();

// The number the window of control `name` carries; 0 (no id) for a name the
// list does not hold.
int controlNumber(std::string_view name);

// The entry of the control whose window carries `number`; nullptr for a number
// no control carries.
const ControlEntry* controlEntry(int number);

// The controls of a field's row: the exponent is the small "2" of a squared unit.
enum class FieldPart { input, label, unit, exponent };

// The name of part `part` of the row of the field that edits `column` in group
// `group` ("ship", "laser", "bullet", …), as the list names it.
std::string fieldControlName(std::string_view group, std::string_view column, FieldPart part);
