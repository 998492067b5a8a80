#pragma once
// The small file layer: the only platform code of the core. Paths are the
// editor's own, relative to the current folder with backslashes. On POSIX every
// backslash is a folder separator and each path component is matched without
// regard to case against the entries that exist, so "types\tships.txt" and
// "types\TShips.txt" address one existing file, as they do on Windows.
// Every operation answers whether it worked; none throws.

#include <string>
#include <string_view>

// An existing entry that is not a folder.
bool fileExists(std::string_view path);

// An existing folder.
bool folderExists(std::string_view path);

// Reads the whole file (shared for reading) into bytes. Fails, leaving bytes
// untouched, when the file cannot be opened.
bool readWholeFile(std::string_view path, std::string& bytes);

// Opens the file without emptying it (creating it if missing), writes bytes from
// the start and cuts the file after them.
bool writeWholeFile(std::string_view path, std::string_view bytes);

// Creates or empties the file, writes bytes and flushes them to the disk. A file
// left half written by a failure is removed.
bool writeNewFileDurably(std::string_view path, std::string_view bytes);

// Renames from to to in one step, replacing an existing to (write-through).
bool replaceFile(std::string_view from, std::string_view to);

// Renames from to to only when no entry named to exists.
bool renameWithoutReplacing(std::string_view from, std::string_view to);

// Removes a file; false when it could not be removed or did not exist.
bool removeFile(std::string_view path);

// The path as the platform names it: on POSIX with slashes and each existing
// component in its spelling on disk; unchanged on Windows.
std::string platformPath(std::string_view path);
