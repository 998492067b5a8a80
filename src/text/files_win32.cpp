// The file layer on Windows: the platform's wide file calls, on paths turned to
// UTF-16 from the spelling the program chose (the ANSI code page for the editor's
// 1251 texts, as the ANSI calls would; UTF-8 for orvex-cli). The file system
// matches names without regard to case.

#include "text/files.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace {

PathSpelling spelling = PathSpelling::ansi; // chosen once at start-up

// The path as the wide calls take it, NUL-terminated; empty (which no call
// finds) when it is not text of the chosen spelling.
std::wstring wide(std::string_view path) {
    if (path.empty()) return {};
    const UINT codePage = spelling == PathSpelling::utf8 ? CP_UTF8 : CP_ACP;
    const DWORD flags = spelling == PathSpelling::utf8 ? MB_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(path.size());
    const int length = MultiByteToWideChar(codePage, flags, path.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, path.data(), size, text.data(), length);
    return text;
}

// A NUL inside the path would make the call address another, shorter name.
bool usable(std::string_view path) {
    return path.find('\0') == std::string_view::npos;
}

DWORD attributesOf(std::string_view path) {
    return GetFileAttributesW(wide(path).c_str());
}

bool writeAll(HANDLE file, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 0x40000000));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// The folder's full path ("" for the current folder); empty when it cannot be made.
std::wstring fullPathOf(std::string_view folder) {
    const std::wstring relative = folder.empty() ? std::wstring(L".") : wide(folder);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return {};
    full.resize(length);
    return full;
}

} // namespace

void setPathSpelling(PathSpelling chosen) { spelling = chosen; }

bool sameEntry(std::string_view a, std::string_view b) {
    if (!usable(a) || !usable(b)) return false;
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::string_view paths[2] = {a, b};
    for (int i = 0; i < 2; ++i) {
        const HANDLE entry = CreateFileW(wide(paths[i]).c_str(), 0,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (entry == INVALID_HANDLE_VALUE) return false;
        const bool known = GetFileInformationByHandle(entry, &info[i]) != 0;
        CloseHandle(entry);
        if (!known) return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

std::string platformPath(std::string_view path) {
    std::string shown(path);
    std::replace(shown.begin(), shown.end(), '/', '\\');
    return shown;
}

bool fileExists(std::string_view path) {
    if (!usable(path)) return false;
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool folderExists(std::string_view path) {
    if (!usable(path)) return false;
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isReadOnlyFile(std::string_view path) {
    if (!usable(path)) return false;
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool readWholeFile(std::string_view path, std::string& bytes) {
    if (!usable(path)) return false;
    const HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD size = GetFileSize(file, &high);
    if (high != 0 || (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ||
        GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return false;
    }
    std::string content(size, '\0');
    DWORD done = 0;
    while (done < size) { // one read, unless the system hands the bytes out in parts
        DWORD got = 0;
        if (!ReadFile(file, content.data() + done, size - done, &got, nullptr) || got == 0) break;
        done += got;
    }
    CloseHandle(file);
    if (done != size) return false;
    bytes = std::move(content);
    return true;
}

bool writeWholeFile(std::string_view path, std::string_view bytes) {
    if (!usable(path)) return false;
    const HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = writeAll(file, bytes);
    ok = SetEndOfFile(file) != 0 && ok;
    ok = CloseHandle(file) != 0 && ok;
    return ok;
}

bool writeNewFileDurably(std::string_view path, std::string_view bytes) {
    if (!usable(path)) return false;
    const std::wstring target = wide(path);
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = writeAll(file, bytes);
    ok = ok && FlushFileBuffers(file) != 0;
    ok = CloseHandle(file) != 0 && ok;
    if (!ok) DeleteFileW(target.c_str());
    return ok;
}

bool replaceFile(std::string_view from, std::string_view to) {
    if (!usable(from) || !usable(to)) return false;
    if (!fileExists(from)) return false;
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool renameWithoutReplacing(std::string_view from, std::string_view to) {
    if (!usable(from) || !usable(to)) return false;
    if (!fileExists(from)) return false;
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool removeFile(std::string_view path) {
    if (!usable(path)) return false;
    return DeleteFileW(wide(path).c_str()) != 0;
}

bool makeFolders(std::string_view path) {
    if (!usable(path)) return false;
    if (path.empty()) return true; // the current folder
    const std::wstring target = wide(path);
    if (target.empty()) return false;
    // Each folder on the way, from the top. A drive ("C:") or a server's share
    // cannot be made and is passed over: only the last folder's answer counts.
    BOOL made = FALSE;
    for (size_t end = target.find_first_of(L"\\/", 1);; end = target.find_first_of(L"\\/", end + 1)) {
        made = CreateDirectoryW(target.substr(0, end).c_str(), nullptr);
        if (end == std::wstring::npos) break;
    }
    if (made || GetLastError() != ERROR_ALREADY_EXISTS) return made != 0;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return true;
    SetLastError(ERROR_ALREADY_EXISTS);
    return false;
}

bool removeFolder(std::string_view path) {
    if (!usable(path) || path.empty()) return false;
    return RemoveDirectoryW(wide(path).c_str()) != 0;
}

void flushFolder(std::string_view) {
    // The renames were written through (MOVEFILE_WRITE_THROUGH): nothing left to flush.
}

FileFault lastFileFault() {
    switch (GetLastError()) {
    case ERROR_SUCCESS:
        return FileFault::None;
    case ERROR_WRITE_PROTECT:
        return FileFault::ReadOnly;
    case ERROR_ACCESS_DENIED:
        return FileFault::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileFault::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileFault::InUse;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return FileFault::NoFolder;
    default:
        return FileFault::Other;
    }
}

std::string folderMarkName(std::string_view folder) {
    std::wstring full = fullPathOf(folder);
    if (full.empty()) return {};
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    for (wchar_t& c : full) c = c == L'/' ? L'\\' : c;
    CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a over the UTF-16 units
    for (wchar_t c : full) hash = (hash ^ static_cast<uint16_t>(c)) * 0x100000001B3ull;
    char name[64];
    wsprintfA(name, "Local\\Orvex folder %08lX%08lX", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    return name;
}

bool folderOpenInEditor(std::string_view folder) {
    const std::string name = folderMarkName(folder);
    if (name.empty()) return false;
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (!mutex) return false;
    CloseHandle(mutex);
    return true;
}

std::string fullFolderPath(std::string_view folder) {
    std::wstring full = fullPathOf(folder);
    if (full.empty()) return platformPath(folder);
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    const int length = static_cast<int>(full.size());
    const int size = WideCharToMultiByte(1251, 0, full.data(), length, nullptr, 0, "?", nullptr);
    std::string shown(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(1251, 0, full.data(), length, shown.data(), size, "?", nullptr);
    return shown;
}
