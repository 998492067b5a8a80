#pragma once
// Writing a file of a game folder in place, as the tables and the name page are
// written: the first write that finds no ".bak" keeps the file's previous bytes
// there (an existing ".bak" is never changed), and the file is replaced in one
// step by a completely written and flushed temporary, so that it is never missing
// or half written and a failure leaves it as it was.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/file_fingerprint.h"
#include "text/files.h"

// What became of one file: written, failed with the system's reason, or left
// alone because another program had written it since the caller looked.
struct FileWrite {
    FileFault fault = FileFault::None;
    bool changed = false;
    bool ok() const { return fault == FileFault::None && !changed; }
};

// Puts `bytes` in place of the file `name` (as the editor names it, relative to
// `folder`), the ".bak" made first. A read-only file fails with ReadOnly; the
// fault of a failed step is read before anything is cleaned up, and no temporary
// stays. With an `expected` identity the file is replaced only while it still
// has it, else left as it is and reported changed: it is looked at before
// anything is written (then not even the ".bak" is made) and again right before
// the replace, the last moment the writer has. The caller makes the renames
// durable (flushFolder).
FileWrite writeWithBackup(const std::string& folder, const std::string& name,
                          std::string_view bytes,
                          const std::optional<FileFingerprint>& expected = {});

// A file that could not be written: its path and the system's reason.
struct SaveFailure {
    std::string path;
    FileFault fault = FileFault::Other;
};
// A file of a game folder to write: its name as the editor names it
// ("types\TShips.txt", "t\70001.xml") and the bytes it is to hold.
struct FileBytes {
    std::string name;
    std::string bytes;
};
struct TogetherReport {
    // The entry that stopped the writing (folder + its name: the file, its
    // temporary or its ".bak") with the system's reason; none when all were written.
    std::optional<SaveFailure> failure;
    std::vector<std::string> written; // the names replaced, in order
};
// Writes every file under `folder` or none of them. First, with nothing the game
// reads touched, a flushed temporary beside each file and, for a file without a
// ".bak", a copy of its previous bytes; then those copies become the ".bak"
// files (an existing ".bak" is never changed); then each file is replaced in one
// step, keeping its permissions. A read-only file, a folder in the place of a
// file, its temporary or its ".bak", or a write that fails stops it before any
// file is replaced: the ".bak" files it made are removed again and no temporary
// stays. Only a replace the system refuses after others were done leaves those
// before it written (`written` names them) and the rest as they were. The folders
// must exist. Then the renames are made durable.
TogetherReport writeFilesTogether(const std::string& folder, std::span<const FileBytes> files);
