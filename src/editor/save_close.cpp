// Saving on request and the question asked by every closing of the window.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "tables/save_tables.h"
#include "text/cp1251.h"
#include "text/files.h"
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

// Writes every table; tells the user which files could not be written and why,
// and whether the others were.
bool saveAndReport(MainForm& f) {
    const SaveReport report = saveAllTables(*f.game);
    if (report.failed.empty()) return true;
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
    return false;
}

} // namespace

void onSaveClicked(void* context, Control&) { saveAndReport(formOf(context)); }

void onCloseClicked(void* context, Control&) { requestClose(*formOf(context).window); }

void confirmClose(void* context, Control&, bool& accept) {
    MainForm& f = formOf(context);
    const int answer = messageBoxOwned(*f.window, f.text(Text::closeQuestion),
                                       f.text(Text::closeQuestionCaption), kMbYesNo | kMbIconExclamation);
    // A save that failed keeps the window open, so no edit is lost; a box closed
    // without Yes or No (Esc under Wine) is no answer, and the window stays.
    if (answer == kIdYes) accept = saveAndReport(f);
    else accept = answer == kIdNo;
}

void showAbout(void* context, Control&) {
    MainForm& f = formOf(context);
    messageBoxOwned(*f.window, f.text(Text::aboutText), f.text(Text::aboutCaption),
                    kMbOk | kMbIconInformation);
}
