#pragma once
// What a file held when the program last read or wrote it: its size and a hash
// of its bytes. A later look at the file tells whether another program has
// changed, replaced or removed it since.

#include <cstdint>
#include <string_view>

struct FileFingerprint {
    bool present = false; // false: the file could not be read (missing, a folder, unreadable)
    uint64_t size = 0;
    uint64_t hash = 0;
    bool operator==(const FileFingerprint&) const = default;
};

// A 64-bit hash of the bytes, eight at a time: quick enough to run over every
// table at start-up and at each save. Not meant to resist a forger, only to tell
// two versions of a file apart.
uint64_t hashBytes(std::string_view bytes);

// The identity of these bytes (present).
FileFingerprint fingerprintOf(std::string_view bytes);

// The identity of the file as it is now; not present when it cannot be read.
FileFingerprint fingerprintOnDisk(std::string_view path);
