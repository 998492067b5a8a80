// The file layer on POSIX systems. The editor names files as the game's platform
// does: backslashes, any letter case. Each component of such a path is matched
// against the entries that exist, so that one file answers to every spelling.

#include "text/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

bool entryExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The entry that name addresses in the folder prefix (empty for the current
// folder, else ending with a slash): the name itself when it exists, else the
// first entry (in byte order) equal to it but for the case of ASCII letters,
// else the name as given.
std::string matchEntry(const std::string& prefix, std::string_view name, bool& found) {
    found = true;
    if (entryExists(prefix + std::string(name))) return std::string(name);
    found = false;
    DIR* dir = opendir(prefix.empty() ? "." : prefix.c_str());
    if (dir == nullptr) return std::string(name);
    std::string best;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view candidate = entry->d_name;
        if (sameIgnoringCase(candidate, name) && (!found || candidate < best)) {
            best = candidate;
            found = true;
        }
    }
    closedir(dir);
    return found ? best : std::string(name);
}

// The path on disk; empty (which no call accepts) when a NUL inside the path
// would make the call address another, shorter name.
std::string resolve(std::string_view path) {
    if (path.find('\0') != std::string_view::npos) return std::string();
    return platformPath(path);
}

bool writeAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

void setPathSpelling(PathSpelling) {} // paths are bytes

bool sameEntry(std::string_view a, std::string_view b) {
    if (a.find('\0') != std::string_view::npos || b.find('\0') != std::string_view::npos) return false;
    struct stat first, second;
    return stat(platformPath(a).c_str(), &first) == 0 && stat(platformPath(b).c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string platformPath(std::string_view path) {
    std::string out;
    bool existing = true; // once a component is missing, the rest keep their spelling
    size_t start = 0;
    for (;;) {
        size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view name = path.substr(start, end - start);
        if (existing && !name.empty() && name != "." && name != "..") {
            bool found = false;
            out += matchEntry(out, name, found);
            existing = found;
        } else {
            out += name;
        }
        if (end == path.size()) return out;
        out += '/';
        start = end + 1;
    }
}

bool fileExists(std::string_view path) {
    struct stat info;
    return stat(resolve(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool folderExists(std::string_view path) {
    struct stat info;
    return stat(resolve(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isReadOnlyFile(std::string_view path) {
    struct stat info;
    return stat(resolve(path).c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool readWholeFile(std::string_view path, std::string& bytes) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer (it is refused below).
    const int fd = open(resolve(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<uint64_t>(info.st_size) > UINT32_MAX) {
        close(fd);
        return false;
    }
    std::string content(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = read(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    if (done != content.size()) return false;
    bytes = std::move(content);
    return true;
}

bool writeWholeFile(std::string_view path, std::string_view bytes) {
    const int fd = open(resolve(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes);
    ok = ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ok;
    ok = close(fd) == 0 && ok;
    return ok;
}

bool writeNewFileDurably(std::string_view path, std::string_view bytes) {
    const std::string target = resolve(path);
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes);
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(target.c_str());
        return false;
    }
    // The folder entry is flushed by the rename that puts the file in place.
    return true;
}

bool replaceFile(std::string_view from, std::string_view to) {
    const std::string source = resolve(from);
    const std::string target = resolve(to);
    struct stat info;
    if (stat(source.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    // The temporary was made with the default mode: who may read and write the
    // file must not change with its content.
    struct stat old;
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) && (old.st_mode & 07777) != (info.st_mode & 07777) &&
        chmod(source.c_str(), old.st_mode & 07777) != 0)
        return false;
    return rename(source.c_str(), target.c_str()) == 0;
}

bool renameWithoutReplacing(std::string_view from, std::string_view to) {
    const std::string source = resolve(from);
    const std::string target = resolve(to);
    struct stat info;
    if (lstat(source.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    // A hard link is refused atomically when the target exists; then the old name goes.
    if (link(source.c_str(), target.c_str()) == 0) {
        if (unlink(source.c_str()) == 0) return true;
        unlink(target.c_str());
        return false;
    }
    if (errno == EEXIST) return false;
    // File systems without hard links: check, then rename (not atomic, but never
    // replaces an entry that existed at the check).
    if (entryExists(target)) return false;
    return rename(source.c_str(), target.c_str()) == 0;
}

bool removeFile(std::string_view path) {
    const std::string target = resolve(path);
    struct stat info;
    if (lstat(target.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    return unlink(target.c_str()) == 0;
}

bool makeFolders(std::string_view path) {
    const std::string target = resolve(path);
    if (target.empty()) return path.empty(); // the current folder
    // Each folder on the way, from the top; one that exists is passed.
    for (size_t end = target.find('/', 1);; end = target.find('/', end + 1)) {
        const std::string folder = target.substr(0, end);
        if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (end == std::string::npos) break;
    }
    struct stat info;
    if (stat(target.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) return true;
    errno = EEXIST; // a file holds the name, as Windows answers
    return false;
}

bool removeFolder(std::string_view path) {
    const std::string target = resolve(path);
    return !target.empty() && rmdir(target.c_str()) == 0;
}

void flushFolder(std::string_view path) {
    const std::string folder = path.empty() ? std::string(".") : resolve(path);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // best effort: not every file system lets a folder be flushed
    fsync(fd);
    close(fd);
}

FileFault lastFileFault() {
    switch (errno) {
    case 0:
        return FileFault::None;
    case EROFS:
        return FileFault::ReadOnly;
    case EACCES:
    case EPERM:
        return FileFault::AccessDenied;
    case ENOSPC:
    case EDQUOT:
        return FileFault::DiskFull;
    case EBUSY:
    case ETXTBSY:
        return FileFault::InUse;
    case ENOENT:
    case ENOTDIR:
        return FileFault::NoFolder;
    default:
        return FileFault::Other;
    }
}

std::string folderMarkName(std::string_view) { return {}; }

bool folderOpenInEditor(std::string_view) { return false; }

std::string fullFolderPath(std::string_view folder) {
    const std::string path = folder.empty() ? std::string(".") : platformPath(folder);
    char* full = realpath(path.c_str(), nullptr);
    if (full == nullptr) return path;
    std::string shown(full);
    free(full);
    return shown;
}
