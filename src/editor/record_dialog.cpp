// The copy and rename dialogs. Ctrl+D and the record lists' context menus open
// them for the record the group holding the focus shows; OK makes the copy or
// the name through the window's core (new_records.cpp), and a refusal is told
// at the box it concerns while the dialog stays.

#include "editor/control_list.h"
#include "editor/editor.h"
#include "editor/main_form.h"
#include "objects/new_objects.h"
#include "ui/control.h"
#include "ui/fit_texts.h"

#include <algorithm>
#include <string>

namespace {

// Room around the dialog's contents, between a label and its box, between rows
// and between the buttons.
constexpr int kMargin = 12;
constexpr int kLabelGap = 8;
constexpr int kRowStep = 30;
constexpr int kButtonGap = 8;
constexpr int kBoxWidth = 220;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

struct RecordDialog {
    MainForm& form;
    TableId table;
    size_t index;
    Control* dialog = nullptr;
    Control* name = nullptr;
    Control* objectId = nullptr; // none in the rename dialog
};

// Whether the refusal is one of the identifier's: its tip then stands at the
// identifier's box, every other one at the name's.
bool aboutIdentifier(const RecordDialog& d, std::string_view reason, std::string_view objectId) {
    for (ObjectFault fault : {ObjectFault::idEmpty, ObjectFault::idBadCharacter, ObjectFault::idNotCp1251,
                              ObjectFault::idUsed}) {
        ObjectEdit edit;
        edit.fault = fault;
        edit.objectId = std::string(objectId);
        edit.faultTable = d.table;
        if (objectFaultText(edit, d.table, d.form.language) == reason) return true;
    }
    return false;
}

void onOk(void* context, Control&) {
    RecordDialog& d = *static_cast<RecordDialog*>(context);
    const std::string name = controlText(*d.name);
    const std::string objectId = d.objectId != nullptr ? controlText(*d.objectId) : std::string();
    const std::string reason = d.objectId != nullptr
                                   ? duplicateRecord(d.form, d.table, d.index, objectId, name)
                                   : renameRecord(d.form, d.table, d.index, name);
    if (reason.empty()) {
        endDialog(*d.dialog, kIdOk);
        return;
    }
    Control& box = d.objectId != nullptr && aboutIdentifier(d, reason, objectId) ? *d.objectId : *d.name;
    showInputTip(box, d.form.text(Text::inputRefused), reason);
}

void onCancel(void* context, Control&) {
    endDialog(*static_cast<RecordDialog*>(context)->dialog, kIdCancel);
}

Control& named(Control& c, std::string_view name) {
    c.setId(controlNumber(name));
    setFontStyle(c, 0);
    return c;
}

Control& label(RecordDialog& d, Text text, std::string_view name, int y) {
    return named(createLabel(*d.dialog, d.form.text(text)), name).place(kMargin, y + 3).setAutoSize(true);
}

Control& box(RecordDialog& d, std::string_view name, int x, int y, std::string_view value) {
    Control& c = named(createEditBox(*d.dialog, 0), name).place(x, y).resize(kBoxWidth, 0);
    setColour(c, kColourWindow);
    setControlText(c, value);
    return c;
}

Control& button(RecordDialog& d, Text text, std::string_view name, ClickSlot::Fn onClick) {
    Control& b = named(createButton(*d.dialog, d.form.text(text)), name);
    b.resize(std::max(kButtonWidth, textExtent(b).width), kButtonHeight);
    b.onClick = {onClick, &d};
    return b;
}

// OK and Cancel at the right under the boxes (OK first in the tab order), each
// as wide as its caption needs.
void buttons(RecordDialog& d, int right, int y) {
    Control& ok = button(d, Text::dialogOk, "dialog.ok", onOk);
    Control& cancel = button(d, Text::dialogCancel, "dialog.cancel", onCancel);
    setDefaultButton(ok);
    setCancelButton(cancel);
    cancel.place(right - cancel.width, y);
    ok.place(cancel.x - kButtonGap - ok.width, y);
}

// The dialog's controls, the boxes right of the wider label as measured in its font.
void build(RecordDialog& d, bool copy) {
    MainForm& f = d.form;
    d.dialog = &createDialog(*f.window, f.text(copy ? Text::duplicateCaption : Text::renameCaption));
    const int idY = kMargin + kRowStep;
    int labelWidth = label(d, Text::dialogName, "dialog.nameLabel", kMargin).width;
    if (copy) labelWidth = std::max(labelWidth, label(d, Text::dialogObjectId, "dialog.objectIdLabel", idY).width);
    const int boxX = kMargin + labelWidth + kLabelGap;
    d.name = &box(d, "dialog.name", boxX, kMargin,
                  copy ? proposedCopyName(f, d.table, d.index) : listedEntry(f, d.table, d.index));
    if (copy) d.objectId = &box(d, "dialog.objectId", boxX, idY, proposedCopyId(f, d.table, d.index));
    const int width = boxX + kBoxWidth + kMargin;
    const int buttonsY = kMargin + (copy ? 2 : 1) * kRowStep + 4;
    buttons(d, width - kMargin, buttonsY);
    setClientSize(*d.dialog, width, buttonsY + kButtonHeight + kMargin);
}

void openRecordDialog(MainForm& f, const Control& from, bool copy) {
    const auto record = recordOfGroup(f, from);
    if (!record) return;
    RecordDialog d{f, record->first, record->second};
    build(d, copy);
    showModal(*d.dialog);
}

void onDuplicateKey(void* context, Control& sender) {
    openRecordDialog(*static_cast<MainForm*>(context), sender, true);
}

void onRecordMenu(void* context, Control& sender, int item) {
    openRecordDialog(*static_cast<MainForm*>(context), sender, item == 0);
}

} // namespace

void addRecordCommands(MainForm& f) {
    setKeyCommand(*f.window, 'D', {onDuplicateKey, &f});
    const std::vector<std::string> entries{std::string(f.text(Text::menuDuplicate)),
                                           std::string(f.text(Text::menuRename))};
    for (Control* list : {f.shipList, f.laser.list, f.shield.list, f.rocket.list, f.station.list, f.ware.list})
        setContextMenu(*list, entries, {onRecordMenu, &f});
}
