#include "target.h"

#include <commctrl.h>

#include <map>

#include "utf.h"

namespace uidriver {

namespace {

const wchar_t* wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

std::string fromWide(const wchar_t* s, std::size_t length) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(s), length));
}

DWORD ownerProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// Memory in another process for the messages whose parameters are pointers.
struct RemoteMemory {
    HANDLE process = nullptr;
    void* address = nullptr;

    RemoteMemory(HWND window, SIZE_T size) {
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ownerProcess(window));
        if (process) address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        if (address) VirtualFreeEx(process, address, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return address != nullptr; }
    void* at(SIZE_T offset) const { return static_cast<char*>(address) + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return WriteProcessMemory(process, at(offset), data, size, &done) && done == size;
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return ReadProcessMemory(process, at(offset), data, size, &done) && done == size;
    }
};

// What lazy parts of a node cost: one message for the text, a few server calls for the rest.
void loadNode(WindowNode& node, unsigned parts) {
    HWND window = reinterpret_cast<HWND>(node.handle);
    if (parts & kNodeText) node.text = windowText(window);
    if (parts & kNodeGeometry) {
        node.id = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
        RECT r{};
        GetWindowRect(window, &r);
        node.width = r.right - r.left;
        node.height = r.bottom - r.top;
        if (node.parent >= 0) MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 1);
        node.x = r.left;
        node.y = r.top;
        node.visible = IsWindowVisible(window);
        node.enabled = IsWindowEnabled(window);
        node.exStyle = static_cast<std::uint32_t>(GetWindowLongW(window, GWL_EXSTYLE));
    }
}

void addNode(WindowTree& tree, HWND window, int parent, const std::string& path, HWND focus) {
    const int index = static_cast<int>(tree.nodes.size());
    tree.nodes.emplace_back();
    {
        WindowNode& node = tree.nodes.back();
        node.handle = reinterpret_cast<std::uintptr_t>(window);
        node.parent = parent;
        node.path = path;
        node.className = className(window);
        node.style = static_cast<std::uint32_t>(GetWindowLongW(window, GWL_STYLE));
        node.focused = window == focus;
        node.loaded = 0;
    }
    if (parent >= 0) tree.nodes[parent].children.push_back(index);
    int childIndex = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++childIndex) {
        const std::string childPath = path.empty() ? std::to_string(childIndex) : path + "/" + std::to_string(childIndex);
        addNode(tree, child, index, childPath, focus);
    }
}

struct TopWindowSearch {
    const Target* target;
    const std::u16string* caption; // nullptr: any message box
    HWND found = nullptr;
};

BOOL CALLBACK visitTopWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopWindowSearch*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    if (search->target->pid != 0 && ownerProcess(window) != search->target->pid) return TRUE;
    if (search->caption) {
        wchar_t text[512];
        const int length = GetWindowTextW(window, text, 512);
        if (std::u16string_view(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)) !=
            *search->caption)
            return TRUE;
    } else if (className(window) != "#32770") {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

// One posted marker, read back until the program has reached it.
bool settleRound(Target& target, HWND control, bool isEdit, DWORD deadline) {
    const UINT set = isEdit ? EM_SETLIMITTEXT : CB_SETHORIZONTALEXTENT;
    const UINT get = isEdit ? EM_GETLIMITTEXT : CB_GETHORIZONTALEXTENT;
    LRESULT old = 0;
    if (!sendWithTimeout(control, get, 0, 0, old)) return false;
    target.marker = (target.marker + 1) & 0x3FFF;
    const LRESULT mark = isEdit ? 0x7FFF0000 + target.marker : 0x4000 + target.marker;
    if (!PostMessageW(control, set, static_cast<WPARAM>(mark), 0)) return false;
    LRESULT now = 0;
    while (sendWithTimeout(control, get, 0, 0, now) && now != mark) {
        if (GetTickCount() > deadline || (target.process && !processRunning(target))) return false;
        Sleep(1);
    }
    if (now != mark) return false;
    sendWithTimeout(control, set, static_cast<WPARAM>(old), 0, now);
    return true;
}

} // namespace

bool sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, int timeoutMs) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs), &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

std::string windowText(HWND window) {
    // One message for the usual short text; a longer one is read again at its length.
    std::vector<wchar_t> buffer(256, L'\0');
    LRESULT copied = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!sendWithTimeout(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied))
            return "";
        if (copied < static_cast<LRESULT>(buffer.size()) - 1) break;
        LRESULT length = 0;
        if (!sendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, length) || length < 0) return "";
        buffer.assign(static_cast<std::size_t>(length) + 2, L'\0');
    }
    if (copied < 0 || copied >= static_cast<LRESULT>(buffer.size())) copied = 0;
    return fromWide(buffer.data(), static_cast<std::size_t>(copied));
}

std::string className(HWND window) {
    // A window keeps its class for life: ask the server once per window.
    static std::map<HWND, std::string> known;
    if (auto it = known.find(window); it != known.end()) return it->second;
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    if (length <= 0) return "";
    return known[window] = fromWide(name, static_cast<std::size_t>(length));
}

WindowTree snapshot(HWND root) {
    WindowTree tree;
    if (!root || !IsWindow(root)) return tree;
    addNode(tree, root, -1, "", focusedControl(root));
    tree.load = loadNode;
    return tree;
}

std::string comboItem(HWND combo, int index) {
    LRESULT length = 0;
    if (!sendWithTimeout(combo, CB_GETLBTEXTLEN, index, 0, length) || length < 0) length = 0;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 2, L'\0');
    LRESULT copied = 0;
    if (!sendWithTimeout(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()), copied) || copied < 0 ||
        copied > length)
        copied = 0;
    return fromWide(buffer.data(), static_cast<std::size_t>(copied));
}

int comboCount(HWND combo) {
    LRESULT count = 0;
    if (!sendWithTimeout(combo, CB_GETCOUNT, 0, 0, count) || count < 0) return 0;
    return static_cast<int>(count);
}

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    const int count = comboCount(combo);
    for (int i = 0; i < count; ++i) items.push_back(comboItem(combo, i));
    return items;
}

int comboSelected(HWND combo) {
    LRESULT selected = CB_ERR;
    if (!sendWithTimeout(combo, CB_GETCURSEL, 0, 0, selected)) return -1;
    return selected < 0 ? -1 : static_cast<int>(selected);
}

std::vector<std::string> tabTexts(HWND tabControl) {
    std::vector<std::string> texts;
    LRESULT count = 0;
    if (!sendWithTimeout(tabControl, TCM_GETITEMCOUNT, 0, 0, count) || count <= 0) return texts;
    constexpr int kChars = 512;
    constexpr SIZE_T kTextOffset = 256;
    RemoteMemory memory(tabControl, kTextOffset + kChars * sizeof(wchar_t));
    if (!memory.ok()) return texts;
    for (LRESULT i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = static_cast<wchar_t*>(memory.at(kTextOffset));
        item.cchTextMax = kChars;
        const wchar_t empty = L'\0';
        wchar_t text[kChars] = {};
        LRESULT ok = 0;
        if (!memory.write(0, &item, sizeof item) || !memory.write(kTextOffset, &empty, sizeof empty) ||
            !sendWithTimeout(tabControl, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(memory.at(0)), ok) || !ok ||
            !memory.read(0, &item, sizeof item)) {
            texts.emplace_back();
            continue;
        }
        // The control may answer with its own buffer instead of filling ours.
        if (item.pszText == memory.at(kTextOffset)) {
            memory.read(kTextOffset, text, sizeof text);
        } else {
            SIZE_T done = 0;
            ReadProcessMemory(memory.process, item.pszText, text, sizeof text - sizeof(wchar_t), &done);
        }
        text[kChars - 1] = L'\0';
        texts.push_back(fromWide(text, wcslen(text)));
    }
    return texts;
}

bool tabRect(HWND tabControl, int index, RECT& rect) {
    RemoteMemory memory(tabControl, sizeof(RECT));
    LRESULT ok = 0;
    return memory.ok() && sendWithTimeout(tabControl, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(memory.at(0)), ok) &&
           ok && memory.read(0, &rect, sizeof rect);
}

bool settle(Target& target) {
    if (!target.window || !IsWindow(target.window)) return true;
    HWND& control = target.markerControl;
    if (!control || !IsWindow(control) || GetAncestor(control, GA_ROOT) != target.window) {
        control = nullptr;
        const WindowTree tree = snapshot(target.window);
        for (const WindowNode& node : tree.nodes) {
            const std::string_view kind = kindOf(node);
            if (kind == "Edit") {
                control = reinterpret_cast<HWND>(node.handle);
                target.markerIsEdit = true;
                break;
            }
            if (kind == "ComboBox" && !control) {
                control = reinterpret_cast<HWND>(node.handle);
                target.markerIsEdit = false;
            }
        }
    }
    if (!control) {
        Sleep(100);
        return true;
    }
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(target.timeoutMs);
    return settleRound(target, control, target.markerIsEdit, deadline) &&
           settleRound(target, control, target.markerIsEdit, deadline);
}

HWND findTopWindow(const Target& target, const std::u16string& caption) {
    TopWindowSearch search{&target, &caption};
    EnumWindows(visitTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findMessageBox(const Target& target) {
    TopWindowSearch search{&target, nullptr};
    EnumWindows(visitTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> shownTips(const Target& target) {
    struct Search {
        const Target* target;
        std::vector<HWND> tips;
    } search{&target, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (IsWindowVisible(window) && className(window) == "tooltips_class32" &&
                (s->target->pid == 0 || ownerProcess(window) == s->target->pid))
                s->tips.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.tips;
}

bool processRunning(const Target& target) {
    return target.process && WaitForSingleObject(target.process, 0) == WAIT_TIMEOUT;
}

bool focusControl(HWND control) {
    const DWORD own = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(control, nullptr);
    const bool attached = AttachThreadInput(own, other, TRUE);
    SetFocus(control);
    if (attached) AttachThreadInput(own, other, FALSE);
    return focusedControl(control) == control;
}

HWND focusedControl(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

std::u16string toWindowsPath(const std::string& utf8Path) {
    std::u16string path = utf8ToUtf16(utf8Path);
    if (path.empty() || path[0] != u'/') return path;
    for (char16_t& c : path)
        if (c == u'/') c = u'\\';
    path.insert(0, u"Z:");
    return path;
}

bool writeScreenshot(const std::u16string& path, const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memoryDc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    const bool copied = BitBlt(memoryDc, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memoryDc, previous);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up rows, as BMP files keep them
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    info.biSizeImage = rowBytes * static_cast<DWORD>(height);
    std::vector<char> pixels(info.biSizeImage);
    const bool read = copied && GetDIBits(memoryDc, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                          reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screen);
    if (!read) return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    HANDLE out = CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    bool ok = WriteFile(out, &file, sizeof file, &done, nullptr) && done == sizeof file;
    ok = ok && WriteFile(out, &info, sizeof info, &done, nullptr) && done == sizeof info;
    ok = ok && WriteFile(out, pixels.data(), info.biSizeImage, &done, nullptr) && done == info.biSizeImage;
    CloseHandle(out);
    return ok;
}

} // namespace uidriver
