// Saving on request, with a question for each table another program changed,
// and the question asked on closing when something is not saved.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "tables/save_merge.h"
#include "tables/save_tables.h"
#include "tables/table_files.h"
#include "text/cp1251.h"
#include "text/files.h"
#include "text/format.h"
#include "ui/control.h"
#include "ui/styles.h"

#include <algorithm>
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

// A side's value of a conflicting field as the window shows it, else its cell.
std::string shownValue(const MainForm& f, const ShownField& shown, const std::string& cell) {
    std::string text = shown.label && !shown.text.empty() ? shown.text : cell;
    if (shown.label && shown.unit) (text += " ") += f.text(*shown.unit);
    return text;
}

// The conflicting fields, one a line: "SS_SH_1, Корпус: в Orvex 3000, в файле 2800";
// the header and the kept text are named by the file.
std::string conflictList(const MainForm& f, const std::string& file, const std::vector<MergeConflict>& conflicts) {
    constexpr size_t kShown = 10; // a message box taller than the screen hides its buttons
    std::string text;
    for (size_t i = 0; i < conflicts.size() && i < kShown; ++i) {
        const MergeConflict& c = conflicts[i];
        const std::optional<Text> label = c.mineShown.label ? c.mineShown.label : c.theirsShown.label;
        if (!text.empty()) text += "\r\n";
        if (c.removedBy) { // a whole record removed on one side, changed on the other
            text += formatText(f.text(*c.removedBy == MergeSide::theirs ? Text::mergeRecordRemoved
                                                                        : Text::mergeRecordChanged),
                               {c.objectId});
            continue;
        }
        text += formatText(f.text(Text::mergeConflictLine),
                           {c.objectId.empty() ? file : c.objectId,
                            label ? std::string(f.text(*label)) : std::string(c.column),
                            shownValue(f, c.mineShown, c.mine), shownValue(f, c.theirsShown, c.theirs)});
    }
    if (conflicts.size() > kShown)
        (text += "\r\n") += formatText(f.text(Text::mergeConflictsMore), {static_cast<int>(conflicts.size() - kShown)});
    return text;
}

// Shows the current record of every page again, after merged values came in.
void showAgain(MainForm& f) {
    showShip(f);
    showLaser(f);
    showShield(f);
    showRocket(f);
    showStation(f);
    showWare(f);
}

} // namespace

void markChanged(MainForm& f, bool changed) {
    if (f.changed == changed) return;
    f.changed = changed;
    const std::string caption(f.text(Text::windowCaption));
    setControlText(*f.window, changed ? "*" + caption : caption);
}

bool saveTables(MainForm& f) {
    // Every question comes before anything is written or merged into memory, so
    // that Cancel changes nothing.
    const std::vector<TableFileEntry> changed = tablesChangedOnDisk(*f.game);
    std::vector<TableId> changedIds;
    for (const TableFileEntry& entry : changed) changedIds.push_back(entry.id);
    const SaveMerge merge = mergeOnSave(*f.game, changedIds, f.tableBases);
    std::vector<TableId> leftAsTheyAre, merged, cleanlyMerged;
    for (const TableFileEntry& entry : changed) {
        if (merge.clean[static_cast<size_t>(entry.id)]) {
            merged.push_back(entry.id);
            cleanlyMerged.push_back(entry.id);
            continue;
        }
        const std::vector<MergeConflict>& conflicts = merge.merge.tables[static_cast<size_t>(entry.id)].conflicts;
        const std::string name(entry.name);
        const std::string question =
            conflicts.empty()
                ? formatText(f.text(Text::changedOnDisk), {name})
                : formatText(f.text(Text::changedOnDiskConflicts), {name, conflictList(f, name, conflicts)});
        const int answer = messageBoxOwned(*f.window, question, controlText(*f.application),
                                           kMbYesNoCancel | kMbIconExclamation);
        if (answer == kIdNo) {
            // The tables that name its records by position stay as they are with it.
            for (TableId id : linkedTables(entry.id))
                if (std::find(leftAsTheyAre.begin(), leftAsTheyAre.end(), id) == leftAsTheyAre.end())
                    leftAsTheyAre.push_back(id);
        } else if (answer != kIdYes) {
            return false; // Cancel, or the box closed without an answer
        } else if (!conflicts.empty()) {
            merged.push_back(entry.id); // the merge, with Orvex's value in each conflicting field
        }
    }
    const auto left = [&](TableId id) {
        return std::find(leftAsTheyAre.begin(), leftAsTheyAre.end(), id) != leftAsTheyAre.end();
    };
    // The merged values become the editor's, so the window and a later Save agree
    // with the file; a table the merge leaves as the file holds it is not written again.
    bool anyMerged = false;
    std::vector<TableId> asOnDisk;
    for (const TableName& t : kTableNames) {
        const TableMerge& m = merge.merge.tables[static_cast<size_t>(t.id)];
        if (left(t.id) || !m.merged || !m.exists) continue;
        const bool onDisk = std::find(changedIds.begin(), changedIds.end(), t.id) != changedIds.end();
        if (onDisk && std::find(merged.begin(), merged.end(), t.id) == merged.end()) continue;
        if (m.changesMine) {
            copyTable(merge.merge.merged, t.id, *f.game);
            refillRecordLists(f, t.id);
            anyMerged = true;
        }
        if (onDisk && m.wholeFile == MergeSide::theirs) asOnDisk.push_back(t.id);
    }
    if (anyMerged) showAgain(f);

    std::vector<TableId> notWritten = leftAsTheyAre;
    notWritten.insert(notWritten.end(), asOnDisk.begin(), asOnDisk.end());
    for (TableId id : asOnDisk) rememberBase(*f.game, id, f.tableBases);
    const SaveReport report = saveAllTables(*f.game, notWritten);
    // What was written is what the files hold now: the next save compares with
    // it, and merges with it as the table read.
    for (const SavedTable& saved : report.saved) {
        tableFile(*f.game, saved.id).identity = saved.identity;
        rememberBase(*f.game, saved.id, f.tableBases);
    }
    if (!report.failed.empty()) {
        reportFailures(f, report);
        return false;
    }
    std::vector<TableId> reported;
    for (TableId id : cleanlyMerged)
        if (!left(id)) reported.push_back(id);
    if (!reported.empty()) {
        std::string text(f.text(Text::mergedOnSave));
        for (TableId id : reported) (text += "\r\n") += tableName(id).fileName;
        messageBoxOwned(*f.window, text, controlText(*f.application), kMbOk | kMbIconInformation);
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
