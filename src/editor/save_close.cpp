// Saving on request, with a question for each table another program changed,
// and the question asked on closing when something is not saved.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/name_page.h"
#include "names/name_page_merge.h"
#include "tables/game_state.h"
#include "tables/save_merge.h"
#include "tables/save_tables.h"
#include "tables/table_files.h"
#include "text/cp1251.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
#include "text/format.h"
#include "text/safe_write.h"
#include "ui/control.h"
#include "ui/styles.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

MainForm& formOf(void* context) { return *static_cast<MainForm*>(context); }

// While Save or the close question works, an activation reads no file.
struct Busy {
    MainForm& f;
    explicit Busy(MainForm& form) : f(form) { ++f.busy; }
    ~Busy() { --f.busy; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

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

// Tells the user which files could not be written and why, the files another
// program kept changing while Save wrote, and whether the other tables were saved.
void reportFailures(MainForm& f, const std::vector<SaveFailure>& failed, const std::vector<TableId>& stillChanging,
                    bool pageChanging, int written) {
    std::string text(f.text(Text::saveFailed));
    const auto line = [&](std::string_view path, std::string_view reason) {
        ((text += "\r\n") += path) += u8" — "_cp1251;
        text += reason;
    };
    for (const SaveFailure& failure : failed) line(failure.path, faultText(f, failure.fault));
    for (TableId id : stillChanging) line(tableName(id).fileName, f.text(Text::faultChangedMeanwhile));
    if (pageChanging) line(f.page.name, f.text(Text::faultChangedMeanwhile));
    text += "\r\n\r\n";
    text += f.text(written > 0 ? Text::otherTablesSaved : Text::noTableSaved);
    // Titled like the start-up error, but modal to the window the user works in.
    messageBoxOwned(*f.window, text, controlText(*f.application), kMbOk | kMbIconError);
}

// A side's value of a conflicting field as the window shows it, else its cell.
std::string shownValue(const MainForm& f, const ShownField& shown, const std::string& cell) {
    std::string text = shown.label && !shown.text.empty() ? shown.text : cell;
    if (shown.label && shown.unit) (text += " ") += f.text(*shown.unit);
    return text;
}

// The record a conflict of table `id` is about, as the window names it: the entry
// its list shows with its objectId, "Кондор (SS_SH_KND)"; the objectId alone when
// the entry is that id or no list names the record (a cockpit, one Orvex removed).
std::string conflictRecord(const MainForm& f, TableId id, const MergeConflict& c) {
    // The index is the window's own unless Orvex removed the record.
    const std::string entry = c.removedBy == MergeSide::mine ? std::string() : listedEntry(f, id, c.index);
    return entry.empty() || entry == c.objectId ? c.objectId : entry + " (" + c.objectId + ")";
}

// The conflicting fields, one a line: "Кондор (SS_SH_KND), Корпус: в Orvex 3000,
// в файле 2800", the field by its label (a column the window does not show by
// its name); the header and the kept text are named by the file.
std::string conflictList(const MainForm& f, TableId id, const std::vector<MergeConflict>& conflicts) {
    constexpr size_t kShown = 10; // a message box taller than the screen hides its buttons
    std::string text;
    for (size_t i = 0; i < conflicts.size() && i < kShown; ++i) {
        const MergeConflict& c = conflicts[i];
        const std::optional<Text> label = c.mineShown.label ? c.mineShown.label : c.theirsShown.label;
        if (!text.empty()) text += "\r\n";
        if (c.removedBy) { // a whole record removed on one side, changed on the other
            text += formatText(f.text(*c.removedBy == MergeSide::theirs ? Text::mergeRecordRemoved
                                                                        : Text::mergeRecordChanged),
                               {conflictRecord(f, id, c)});
            continue;
        }
        text += formatText(f.text(Text::mergeConflictLine),
                           {c.objectId.empty() ? std::string(tableName(id).fileName) : conflictRecord(f, id, c),
                            label ? std::string(f.text(*label)) : std::string(c.column),
                            shownValue(f, c.mineShown, c.mine), shownValue(f, c.theirsShown, c.theirs)});
    }
    if (conflicts.size() > kShown)
        (text += "\r\n") += formatText(f.text(Text::mergeConflictsMore), {static_cast<int>(conflicts.size() - kShown)});
    return text;
}

size_t slot(TableId id) { return static_cast<size_t>(id); }

bool holds(const std::vector<TableId>& ids, TableId id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

// The window's tables merged, the whole game at once, with the files another
// program wrote (`tables`), and a question for each of those that does not merge
// cleanly. A clean merge, and a Yes to a conflict (Orvex's value in each
// conflicting field), go to `taken`; No leaves that table and the tables linked
// to it (which name its records by place) as they are. Each file's identity is
// taken into `expected` before the merge, so that what the user answered about,
// or what was merged, is the file Save replaces. False on Cancel (or a box
// closed without an answer).
bool mergeOrAsk(MainForm& f, const std::vector<TableId>& tables, ExpectedFiles& expected,
                std::vector<TableId>& leftAsTheyAre, SaveMerge& merge, std::vector<TableId>& taken,
                std::vector<TableId>& clean) {
    for (TableId id : tables) expected[slot(id)] = fingerprintOnDisk(f.game->folder + std::string(tableName(id).fileName));
    merge = mergeOnSave(*f.game, tables, f.tableBases);
    for (TableId id : tables) {
        if (merge.clean[slot(id)]) {
            taken.push_back(id);
            clean.push_back(id);
            continue;
        }
        const std::string name(tableName(id).fileName);
        const std::vector<MergeConflict>& conflicts = merge.merge.tables[slot(id)].conflicts;
        const std::string question =
            conflicts.empty()
                ? formatText(f.text(Text::changedOnDisk), {name})
                : formatText(f.text(Text::changedOnDiskConflicts), {name, conflictList(f, id, conflicts)});
        const int answer = messageBoxOwned(*f.window, question, controlText(*f.application),
                                           kMbYesNoCancel | kMbIconExclamation);
        if (answer == kIdNo) {
            for (TableId linked : linkedTables(id))
                if (!holds(leftAsTheyAre, linked)) leftAsTheyAre.push_back(linked);
        } else if (answer != kIdYes) {
            return false; // Cancel, or the box closed without an answer
        } else if (!conflicts.empty()) {
            taken.push_back(id);
        }
    }
    return true;
}

// The tables of `ids` whose files are no longer what Save expects them to hold.
std::vector<TableId> changedSince(const MainForm& f, const std::vector<TableId>& ids, const ExpectedFiles& expected) {
    std::vector<TableId> changed;
    for (TableId id : ids)
        if (expected[slot(id)] && fingerprintOnDisk(f.game->folder + std::string(tableName(id).fileName)) != *expected[slot(id)])
            changed.push_back(id);
    return changed;
}

// What Save has seen and done over its rounds, told when it ends.
struct SaveProgress {
    ExpectedFiles expected;             // each file as Save last saw it
    std::vector<TableId> leftAsTheyAre; // No to their question, and the tables linked to those
    std::vector<TableId> mergedFiles;   // merged and written, for the closing message
    std::vector<SaveFailure> failed;
    std::vector<TableId> stillChanging; // still written by another program after the last round
    int written = 0;
    bool pageLeft = false;     // No to the name page's question: its edits stay in the window only
    bool pageMerged = false;   // another program's names merged in and written
    bool pageChanging = false; // written again by another program while Save wrote it
};

// One round of Save: the tables due (`toWrite`), those whose files another
// program changed (`changedOnDisk`), and what the round makes of them.
struct SaveRound {
    std::vector<TableId> toWrite, changedOnDisk;
    SaveMerge merge;
    std::vector<TableId> taken, clean; // mergeOrAsk's
    GameState mine;                    // the window's own tables while merged ones stand in
    std::vector<TableId> copied;       // tables whose merge changed the window's
    std::vector<TableId> asOnDisk;     // tables the merge leaves as their files hold them
    std::vector<TableId> changedNow;   // files written again since the merge
    std::vector<TableId> heldBack;     // merged again in the next round
};

// The merged values become the editor's, so the window and a later Save agree
// with the files; the window's own tables are kept aside until then. A table
// the merge leaves as its file holds it is not written again.
void takeMerged(MainForm& f, const SaveProgress& progress, SaveRound& r) {
    for (const TableName& t : kTableNames) {
        const TableMerge& m = r.merge.merge.tables[slot(t.id)];
        if (holds(progress.leftAsTheyAre, t.id) || !m.readable || !m.exists) continue;
        const bool onDisk = holds(r.changedOnDisk, t.id);
        if (onDisk && !holds(r.taken, t.id)) continue;
        if (m.changesMine) {
            copyTable(*f.game, t.id, r.mine);
            copyTable(r.merge.merge.merged, t.id, *f.game);
            r.copied.push_back(t.id);
        }
        if (onDisk && m.wholeFile == MergeSide::theirs) r.asOnDisk.push_back(t.id);
    }
}

// The tables the round does not write. A file written again since the merge
// holds back its table and those linked to it (they name each other's records
// by place): the next round merges them again. A replace it meets later is
// refused by the writer.
std::vector<TableId> notWrittenNow(const MainForm& f, const SaveProgress& progress, SaveRound& r) {
    const auto saveOrder = tablesInSaveOrder();
    std::vector<TableId> notNow = progress.leftAsTheyAre;
    for (TableId id : saveOrder)
        if (!holds(r.toWrite, id) && !holds(r.copied, id)) notNow.push_back(id);
    std::vector<TableId> writing;
    for (TableId id : saveOrder)
        if (!holds(notNow, id)) writing.push_back(id);
    r.changedNow = changedSince(f, writing, progress.expected);
    for (TableId id : r.changedNow)
        for (TableId linked : linkedTables(id))
            if (holds(writing, linked) && !holds(r.heldBack, linked)) r.heldBack.push_back(linked);
    notNow.insert(notNow.end(), r.heldBack.begin(), r.heldBack.end());
    notNow.insert(notNow.end(), r.asOnDisk.begin(), r.asOnDisk.end());
    return notNow;
}

// After the write: what was written is what the files hold now (the next save
// compares with it, and merges with it as the table read); a table held back
// gets the window's own values again, and the others show what was merged in.
void afterWriting(MainForm& f, SaveReport& report, SaveProgress& progress, SaveRound& r) {
    for (const SavedTable& saved : report.saved) {
        tableFile(*f.game, saved.id).identity = saved.identity;
        rememberBase(*f.game, saved.id, f.tableBases);
    }
    progress.written += report.written;
    progress.failed.insert(progress.failed.end(), report.failed.begin(), report.failed.end());
    for (TableId id : report.changed)
        for (TableId linked : linkedTables(id))
            if (!holds(r.heldBack, linked) && (holds(r.copied, linked) || linked == id)) r.heldBack.push_back(linked);
    for (TableId id : r.changedNow)
        if (!holds(report.changed, id)) report.changed.push_back(id);
    bool shownChanged = false;
    for (TableId id : r.copied) {
        // The window's table comes back and is merged with that file in the next round.
        if (holds(r.heldBack, id)) {
            copyTable(r.mine, id, *f.game);
            continue;
        }
        refillRecordLists(f, id);
        shownChanged = true;
    }
    if (shownChanged) showEveryRecord(f);
    for (TableId id : r.asOnDisk)
        if (!holds(r.heldBack, id)) rememberBase(*f.game, id, f.tableBases);
    const auto written = [&](TableId id) {
        return std::any_of(report.saved.begin(), report.saved.end(), [&](const SavedTable& s) { return s.id == id; });
    };
    for (TableId id : r.clean)
        if (!holds(r.heldBack, id) && (holds(r.asOnDisk, id) || written(id))) progress.mergedFiles.push_back(id);
}

// The name page's part of Save, settled with its question before anything is
// written: the bytes to write, when the window changed its names, and the file's
// identity they replace. A page another program changed is merged line by line
// (name_page_merge.h); names both changed, or a change no line merge settles,
// are asked about like a table: Yes writes the window's names, No leaves the file.
struct PagePlan {
    bool write = false;
    bool merged = false;
    std::string bytes;
    FileFingerprint expected;
};

// The question for a page another program changed, with the names both changed.
std::string pageQuestion(const MainForm& f, const NamePageMerge& m) {
    if (m.conflicts.empty()) return formatText(f.text(Text::changedOnDisk), {f.page.name});
    const auto quoted = [](const std::string& name) { return std::string(u8"«"_cp1251) + name + std::string(u8"»"_cp1251); };
    std::string list;
    for (const NameConflict& c : m.conflicts) {
        if (!list.empty()) list += "\r\n";
        list += formatText(f.text(Text::mergeConflictLine), {f.page.name, "id=\"" + std::to_string(c.textId) + "\"",
                                                              quoted(c.mine), quoted(c.theirs)});
    }
    return formatText(f.text(Text::changedOnDiskConflicts), {f.page.name, list});
}

// False on Cancel (or a box closed without an answer).
bool planPage(MainForm& f, PagePlan& plan, SaveProgress& progress) {
    if (f.page.bytes == f.page.base) return true;
    const std::string path = f.game->folder + f.page.name;
    plan.expected = fingerprintOnDisk(path);
    plan.bytes = f.page.bytes;
    plan.write = true;
    if (plan.expected == f.page.identity) return true;
    std::string theirs;
    const bool read = plan.expected.present && readWholeFile(path, theirs);
    const NamePageMerge m = mergeNamePages(f.page.base, f.page.bytes, read ? theirs : std::string());
    if (read && !m.wholeFile && m.conflicts.empty()) {
        plan.bytes = m.bytes;
        plan.merged = true;
        return true;
    }
    const int answer = messageBoxOwned(*f.window, pageQuestion(f, m), controlText(*f.application),
                                       kMbYesNoCancel | kMbIconExclamation);
    if (answer == kIdYes && read && !m.wholeFile) plan.bytes = m.bytes; // the window's names where both changed
    if (answer == kIdNo) {
        plan.write = false;
        progress.pageLeft = true;
    }
    return answer == kIdYes || answer == kIdNo;
}

// Writes the planned page; what it then holds is the window's and the next merge's BASE.
void writePage(MainForm& f, const PagePlan& plan, SaveProgress& progress) {
    if (!plan.write) return;
    const FileWrite w = writeWithBackup(f.game->folder, f.page.name, plan.bytes, plan.expected);
    if (w.fault != FileFault::None) {
        progress.failed.push_back({f.page.name, w.fault});
        return;
    }
    if (w.changed) {
        progress.pageChanging = true;
        return;
    }
    flushFolder(f.game->folder + "t");
    f.page.bytes = f.page.base = plan.bytes;
    f.page.identity = fingerprintOf(plan.bytes);
    if (!plan.merged) return;
    progress.pageMerged = true;
    readNamePage(*f.nameLines, f.page.bytes);
    for (const TableName& t : kTableNames) refillRecordLists(f, t.id);
    showEveryRecord(f);
}

// Tells what Save could not do, or the files it merged. False after a failure.
bool tellResult(MainForm& f, const SaveProgress& progress) {
    if (!progress.failed.empty() || !progress.stillChanging.empty() || progress.pageChanging) {
        reportFailures(f, progress.failed, progress.stillChanging, progress.pageChanging, progress.written);
        return false;
    }
    if (!progress.mergedFiles.empty() || progress.pageMerged) {
        std::string text(f.text(Text::mergedOnSave));
        if (progress.pageMerged) (text += "\r\n") += f.page.name;
        for (TableId id : progress.mergedFiles) (text += "\r\n") += tableName(id).fileName;
        messageBoxOwned(*f.window, text, controlText(*f.application), kMbOk | kMbIconInformation);
    }
    return true;
}

} // namespace

void markChanged(MainForm& f, bool changed) {
    if (f.changed == changed) return;
    f.changed = changed;
    const std::string caption(f.text(Text::windowCaption));
    setControlText(*f.window, changed ? "*" + caption : caption);
}

void showEveryRecord(MainForm& f) {
    showShip(f);
    showLaser(f);
    showShield(f);
    showRocket(f);
    showStation(f);
    showWare(f);
}

bool saveTables(MainForm& f) {
    const Busy busy(f);
    // Each file as Save last saw it; one that another program writes after that
    // is not replaced (saveAllTables), and Save merges it or asks about it again.
    // A program that keeps writing is given up on after a few rounds.
    constexpr int kRounds = 3;
    SaveProgress progress;
    for (const TableFileEntry& entry : tableFiles(*f.game))
        progress.expected[slot(entry.id)] = entry.file->identity;
    std::vector<TableId> changedOnDisk;
    for (const TableFileEntry& entry : tablesChangedOnDisk(*f.game)) changedOnDisk.push_back(entry.id);
    const auto saveOrder = tablesInSaveOrder();
    std::vector<TableId> toWrite(saveOrder.begin(), saveOrder.end());
    PagePlan page;
    if (!planPage(f, page, progress)) return false;

    for (int round = 1; !toWrite.empty(); ++round) {
        SaveRound r;
        r.toWrite = toWrite;
        r.changedOnDisk = changedOnDisk;
        // Every question of a round comes before anything is written or merged
        // into memory, so that Cancel changes nothing more.
        if (!mergeOrAsk(f, r.changedOnDisk, progress.expected, progress.leftAsTheyAre, r.merge, r.taken,
                        r.clean))
            return false;
        takeMerged(f, progress, r);
        const std::vector<TableId> notNow = notWrittenNow(f, progress, r);
        SaveReport report = saveAllTables(*f.game, notNow, progress.expected);
        afterWriting(f, report, progress, r);

        toWrite = r.heldBack;
        changedOnDisk = report.changed;
        if (round == kRounds) {
            progress.stillChanging = report.changed;
            break;
        }
    }
    writePage(f, page, progress);
    if (!tellResult(f, progress)) return false;
    // Edits to a table or page left as it is are still not in its file.
    if (progress.leftAsTheyAre.empty() && !progress.pageLeft) markChanged(f, false);
    return true;
}

void onSaveClicked(void* context, Control&) { saveTables(formOf(context)); }

void onCloseClicked(void* context, Control&) { requestClose(*formOf(context).window); }

void confirmClose(void* context, Control&, bool& accept) {
    MainForm& f = formOf(context);
    const Busy busy(f);
    // Nothing changed since the tables were loaded or saved: nothing to ask.
    if (!f.changed) return;
    const int answer = messageBoxOwned(*f.window, f.text(Text::closeQuestion),
                                       f.text(Text::closeQuestionCaption), kMbYesNoCancel | kMbIconExclamation);
    // A save that failed or was cancelled keeps the window open, so no edit is
    // lost; Cancel, Esc or a box closed without an answer keep the window too.
    // A table left as it is (No to its question) keeps its edits only in the
    // window: the window stays, with its "*".
    if (answer == kIdYes) accept = saveTables(f) && !f.changed;
    else accept = answer == kIdNo;
}

void showAbout(void* context, Control&) {
    MainForm& f = formOf(context);
    messageBoxOwned(*f.window, f.text(Text::aboutText), f.text(Text::aboutCaption),
                    kMbOk | kMbIconInformation | kMbHelp);
}
