#include "tables/save_tables.h"

#include <algorithm>
#include <span>

#include "tables/record_line.h"
#include "tables/table_list.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
#include "text/format.h"
#include "text/strings.h"

namespace {

// A failure the system gave no reason for is still a failure.
FileFault failure() {
    const FileFault fault = lastFileFault();
    return fault == FileFault::None ? FileFault::Other : fault;
}

// What became of one table file: written, failed with the system's reason, or
// left alone because another program had written it since the caller looked.
struct Written {
    FileFault fault = FileFault::None;
    bool changed = false;
    bool ok() const { return fault == FileFault::None && !changed; }
};

// Puts `text` in place of the table file `name` (relative to the game folder).
// The backup is made first, from a temporary renamed to ".bak" only when no
// ".bak" exists; the table is then replaced by a flushed temporary in one step.
// So the table is never missing or half written, and a failure leaves it as it was.
// The fault of a failed step, read before anything is cleaned up. With an
// `expected` identity the file is replaced only while it still has it; it is
// looked at again right before the replace, the last moment the writer has.
Written writeTableFile(const std::string& folder, const std::string& name, std::string_view text,
                       const std::optional<FileFingerprint>& expected = {}) {
    const std::string path = folder + name;
    const std::string backup = folder + changeExtension(name, ".bak");
    const std::string newText = folder + changeExtension(name, ".orvex-new");
    const auto changedMeanwhile = [&] { return expected && fingerprintOnDisk(path) != *expected; };
    // A read-only table is the user's wish that it stays as it is; a rename over
    // it would not ask (POSIX, and Wine's MoveFileEx), so it is asked here.
    if (isReadOnlyFile(path)) return {FileFault::ReadOnly};
    if (changedMeanwhile()) return {FileFault::None, true};

    if (!fileExists(backup) && fileExists(path)) {
        const std::string oldCopy = folder + changeExtension(name, ".orvex-bak");
        std::string previous;
        if (!readWholeFile(path, previous)) return {failure()};
        if (!writeNewFileDurably(oldCopy, previous)) return {failure()};
        if (!renameWithoutReplacing(oldCopy, backup)) {
            const FileFault fault = failure();
            removeFile(oldCopy);
            return {fault};
        }
    }
    if (!writeNewFileDurably(newText, text)) return {failure()};
    if (changedMeanwhile()) {
        removeFile(newText);
        return {FileFault::None, true};
    }
    if (!replaceFile(newText, path)) {
        const FileFault fault = failure();
        removeFile(newText);
        return {fault};
    }
    return {};
}

} // namespace

SaveReport saveAllTables(const GameState& state, std::span<const TableId> leftAsTheyAre,
                         const ExpectedFiles& expected) {
    SaveReport report;
    for (TableId id : tablesInSaveOrder()) {
        if (std::find(leftAsTheyAre.begin(), leftAsTheyAre.end(), id) != leftAsTheyAre.end())
            continue;
        const std::string_view fileName = tableName(id).fileName;
        visitTable(state, id, [&](const auto& table) {
            if (!writtenBySave(table.file)) return;
            const std::string text = tableText(table.headerValue, table.count, table.file, table.records);
            const Written written = writeTableFile(state.folder, std::string(fileName), text,
                                                   expected[static_cast<size_t>(id)]);
            if (written.ok()) {
                ++report.written;
                report.saved.push_back({id, fingerprintOf(text)});
            } else if (written.changed) {
                report.changed.push_back(id);
            } else {
                report.failed.push_back({std::string(fileName), written.fault});
            }
        });
    }
    // Every table and backup was renamed into place: one flush of the folder
    // makes all of those renames durable.
    flushFolder(state.folder + "types");
    return report;
}

TogetherReport writeFilesTogether(const std::string& folder, std::span<const FileBytes> files) {
    struct Staged {
        std::string path, temporary, backup, oldCopy; // oldCopy empty: no backup to make
        bool backedUp = false;
    };
    std::vector<Staged> staged;
    TogetherReport report;
    const auto stop = [&](const std::string& path, FileFault fault) { report.failure = SaveFailure{path, fault}; };
    // Undoes what is not yet in place: the temporaries and the ".bak" files made
    // for the files from `first` on.
    const auto undo = [&](size_t first) {
        for (size_t i = 0; i < staged.size(); ++i) {
            removeFile(staged[i].temporary);
            if (!staged[i].oldCopy.empty()) removeFile(staged[i].oldCopy);
            if (i >= first && staged[i].backedUp) removeFile(staged[i].backup);
        }
    };

    // 1. Temporaries and the previous bytes, beside the files; nothing else changes.
    for (const FileBytes& f : files) {
        Staged& s = staged.emplace_back();
        s.path = folder + f.name;
        s.temporary = folder + changeExtension(f.name, ".orvex-new");
        s.backup = folder + changeExtension(f.name, ".bak");
        const bool backUp = fileExists(s.path) && !fileExists(s.backup);
        const std::string oldCopy = folder + changeExtension(f.name, ".orvex-bak");
        // A read-only file is the user's wish that it stays as it is; a rename over
        // it would not ask. A folder where a file is to be written no call replaces
        // (and each system words that differently).
        if (isReadOnlyFile(s.path)) stop(s.path, FileFault::ReadOnly);
        const std::string* entries[] = {&s.path, &s.temporary, &s.backup, &oldCopy};
        for (size_t k = 0; k < (backUp ? 4u : 2u) && !report.failure; ++k)
            if (folderExists(*entries[k])) stop(*entries[k], FileFault::Other);
        if (report.failure) break;
        if (backUp) {
            std::string previous;
            if (!readWholeFile(s.path, previous)) {
                stop(s.path, failure());
                break;
            }
            if (!writeNewFileDurably(oldCopy, previous)) {
                stop(oldCopy, failure());
                break;
            }
            s.oldCopy = oldCopy;
        }
        if (!writeNewFileDurably(s.temporary, f.bytes)) {
            stop(s.temporary, failure());
            break;
        }
    }
    // 2. The backups, each under a name nothing holds.
    for (size_t i = 0; !report.failure && i < staged.size(); ++i) {
        Staged& s = staged[i];
        if (s.oldCopy.empty()) continue;
        if (!renameWithoutReplacing(s.oldCopy, s.backup)) stop(s.backup, failure());
        else s.backedUp = true;
    }
    if (report.failure) {
        undo(0);
        return report;
    }
    // 3. Each file in one step.
    for (size_t i = 0; i < staged.size(); ++i) {
        if (!replaceFile(staged[i].temporary, staged[i].path)) {
            stop(staged[i].path, failure());
            undo(i);
            break;
        }
        report.written.push_back(files[i].name);
    }
    // One flush per folder makes its renames durable.
    std::vector<std::string> folders;
    for (const FileBytes& f : files) {
        const std::string parent = folder + f.name.substr(0, f.name.find_last_of('\\') + 1);
        if (std::find(folders.begin(), folders.end(), parent) == folders.end()) folders.push_back(parent);
    }
    for (const std::string& parent : folders) flushFolder(parent);
    return report;
}

bool saveTableText(const std::string& folder, std::string_view name, std::string_view text) {
    const bool written = writeTableFile(folder, std::string(name), text).fault == FileFault::None;
    flushFolder(folder + "types");
    return written;
}
