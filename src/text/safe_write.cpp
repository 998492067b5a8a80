#include "text/safe_write.h"

#include <algorithm>

#include "text/strings.h"

namespace {

// A failure the system gave no reason for is still a failure.
FileFault failure() {
    const FileFault fault = lastFileFault();
    return fault == FileFault::None ? FileFault::Other : fault;
}

} // namespace

FileWrite writeWithBackup(const std::string& folder, const std::string& name, std::string_view bytes,
                          const std::optional<FileFingerprint>& expected) {
    const std::string path = folder + name;
    const std::string backup = folder + changeExtension(name, ".bak");
    const std::string temporary = folder + changeExtension(name, ".orvex-new");
    const auto changedMeanwhile = [&] { return expected && fingerprintOnDisk(path) != *expected; };
    // A read-only file is the user's wish that it stays as it is; a rename over
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
    if (!writeNewFileDurably(temporary, bytes)) return {failure()};
    if (changedMeanwhile()) {
        removeFile(temporary);
        return {FileFault::None, true};
    }
    if (!replaceFile(temporary, path)) {
        const FileFault fault = failure();
        removeFile(temporary);
        return {fault};
    }
    return {};
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

