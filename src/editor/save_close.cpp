// Saving on request, with a question for each table another program changed,
// and the question asked on closing when something is not saved.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "tables/save_tables.h"
#include "tables/table_files.h"
#include "text/cp1251.h"
#include "text/files.h"
#include "text/format.h"
#include "ui/control.h"
#include "ui/styles.h"

#include <string>
#include <vector>

namespace {

MainForm& formOf(void* context) { return *static_cast<MainForm*>(context); }

// The system's reason for a file that could not be written, in the user's words.
std::string_view faultText(const MainForm& f, FileFault fault) {
    switch (fault) {
    case FileFault::ReadOnly: return f.text(Text::faultReadOnly);
    case FileFault::AccessDenied: return f.text(Text::faultAccessDenied);
    case FileFault::DiskFull: return f.text(Text::faultDiskFull);
    case FileFault::InUse: return f.text(Text::faultInUse);
    case FileFault::NoFolder: return f.text(Text::faultNoFolder);
    case FileFault::None:
    case FileFault::Other: break;
    }
    return f.text(Text::faultOther);
}

// Tells the user which files could not be written and why, and whether the others were.
void reportFailures(MainForm& f, const SaveReport& report) {
    std::string text(f.text(Text::saveFailed));
    for (const SaveFailure& failure : report.failed) {
        text += "\r\n" + failure.path;
        text += u8" — "_cp1251;
        text += faultText(f, failure.fault);
    }
    text += "\r\n\r\n";
    text += f.text(report.written > 0 ? Text::otherTablesSaved : Text::noTableSaved);
    // Titled like the start-up error, but modal to the window the user works in.
    messageBoxOwned(*f.window, text, controlText(*f.application), kMbOk | kMbIconError);
}

} // namespace

void markChanged(MainForm& f, bool changed) {
    if (f.changed == changed) return;
    f.changed = changed;
    const std::string caption(f.text(Text::windowCaption));
    setControlText(*f.window, changed ? "*" + caption : caption);
}

bool saveTables(MainForm& f) {
    // Every question comes before anything is written, so that Cancel writes nothing.
    std::vector<TableId> leftAsTheyAre;
    for (const TableFileEntry& entry : tablesChangedOnDisk(*f.game)) {
        const int answer = messageBoxOwned(
            *f.window, formatText(f.text(Text::changedOnDisk), {std::string(entry.name)}),
            controlText(*f.application), kMbYesNoCancel | kMbIconExclamation);
        if (answer == kIdNo) leftAsTheyAre.push_back(entry.id);
        else if (answer != kIdYes) return false; // Cancel, or the box closed without an answer
    }
    const SaveReport report = saveAllTables(*f.game, leftAsTheyAre);
    // What was written is what the files hold now: the next save compares with it.
    for (const SavedTable& saved : report.saved) tableFile(*f.game, saved.id).identity = saved.identity;
    if (!report.failed.empty()) {
        reportFailures(f, report);
        return false;
    }
    // Edits to a table left as it is are still not in its file.
    if (leftAsTheyAre.empty()) markChanged(f, false);
    return true;
}

void onSaveClicked(void* context, Control&) { saveTables(formOf(context)); }

void onCloseClicked(void* context, Control&) { requestClose(*formOf(context).window); }

void confirmClose(void* context, Control&, bool& accept) {
    MainForm& f = formOf(context);
    // Nothing changed since the tables were loaded or saved: nothing to ask.
    if (!f.changed) return;
    const int answer = messageBoxOwned(*f.window, f.text(Text::closeQuestion),
                                       f.text(Text::closeQuestionCaption), kMbYesNo | kMbIconExclamation);
    // A save that failed or was cancelled keeps the window open, so no edit is
    // lost; a box closed without Yes or No (Esc under Wine) is no answer, and the
    // window stays.
    if (answer == kIdYes) accept = saveTables(f);
    else accept = answer == kIdNo;
}

void showAbout(void* context, Control&) {
    MainForm& f = formOf(context);
    messageBoxOwned(*f.window, f.text(Text::aboutText), f.text(Text::aboutCaption),
                    kMbOk | kMbIconInformation);
}
