#pragma once
// The small file layer: the only platform code of the core. Paths are the
// editor's own, relative to the current folder with backslashes. On POSIX every
// backslash is a folder separator and each path component is matched without
// regard to case against the entries that exist, so "types\tships.txt" and
// "types\TShips.txt" address one existing file, as they do on Windows.
// Every operation answers whether it worked; none throws. A path holding a NUL
// fails everywhere.

#include <string>
#include <string_view>

// How the program spells the paths it gives this layer on Windows: in the ANSI
// code page (the editor's Windows-1251 texts; the default) or in UTF-8
// (orvex-cli, whose wide command line may name any folder). Chosen once at
// start-up, before any file call. On POSIX paths are bytes either way.
enum class PathSpelling { ansi, utf8 };
void setPathSpelling(PathSpelling spelling);

// Whether both paths name one existing entry (file or folder), however spelled.
bool sameEntry(std::string_view a, std::string_view b);

// An existing entry that is not a folder.
bool fileExists(std::string_view path);

// An existing folder.
bool folderExists(std::string_view path);

// An existing file that its attributes mark as not to be written: on Windows the
// read-only attribute, on POSIX no write permission for anyone. False for a
// folder, a missing entry or a path that cannot be asked.
bool isReadOnlyFile(std::string_view path);

// Reads the whole file (shared for reading) into bytes. Fails, leaving bytes
// untouched, when the file cannot be opened, is a folder or no plain file, is
// 4 GiB or larger, or could not be read in full.
bool readWholeFile(std::string_view path, std::string& bytes);

// Opens the file without emptying it (creating it if missing), writes bytes from
// the start and cuts the file after them. False when it could not be opened (a
// folder, a missing folder), written in full or cut.
bool writeWholeFile(std::string_view path, std::string_view bytes);

// Creates or empties the file, writes bytes and flushes them to the disk. A file
// left half written by a failure is removed. Meant for a temporary that a rename
// then puts in place; the rename flushes the folder entry.
bool writeNewFileDurably(std::string_view path, std::string_view bytes);

// Renames the file from to to in one step, replacing an existing to
// (write-through on Windows; on POSIX flushFolder makes the renames of a folder
// durable). A replaced file's permissions stay: on POSIX from first takes to's
// mode (a table that was 664 stays 664). False when from is no file or the
// rename failed.
bool replaceFile(std::string_view from, std::string_view to);

// Renames the file from to to only when no entry named to exists (in any letter
// case); never replaces anything. False when from is no file or to exists.
bool renameWithoutReplacing(std::string_view from, std::string_view to);

// Makes the renames done in a folder survive a crash (flushes the folder's
// entries on POSIX; nothing to do on Windows). Best effort, reports nothing.
void flushFolder(std::string_view path);

// Removes a file; false when it could not be removed, did not exist or is a folder.
bool removeFile(std::string_view path);

// Makes the folder and every missing folder above it (at any depth). True when
// it is a folder afterwards; false when a part could not be made or is a file.
bool makeFolders(std::string_view path);

// Removes an empty folder; false when it is not there, not empty or no folder.
bool removeFolder(std::string_view path);

// The path as the platform names it: on POSIX with slashes and each existing
// component in its spelling on disk (an exact match first, else the first entry
// in byte order that differs only in the case of ASCII letters; missing parts
// keep their spelling); on Windows with backslashes. What messages show a user.
std::string platformPath(std::string_view path);
// The folder's full path as a message names it (a path as the program's files
// name it; "" for the current folder), without a separator at the end, in
// Windows-1251 on Windows ('?' for a character it cannot hold); the path itself
// when it cannot be made full.
std::string fullFolderPath(std::string_view folder);

// Why the file operation that just failed on this thread failed, as far as the
// system tells it (read right after the failure, before any other file call).
enum class FileFault { None, ReadOnly, AccessDenied, DiskFull, InUse, NoFolder, Other };
FileFault lastFileFault();

// The mark an Orvex window leaves on the game folder it has open (a path as the
// program's files name it; "" for the current folder), so that a second window
// and orvex-cli can tell: on Windows a named mutex, local to the session, named
// after the folder's full path (upper case, backslashes, no separator at the
// end). The window holds it while it runs; other systems have no such window.
// The mutex's name, empty when the path cannot be made full (Windows only).
std::string folderMarkName(std::string_view folder);
// Whether an Orvex window has the folder open now.
bool folderOpenInEditor(std::string_view folder);
