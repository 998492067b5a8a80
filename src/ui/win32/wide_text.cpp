#include "ui/win32/wide_text.h"

#include <windows.h>

namespace {
constexpr UINT kCodePage = 1251;
}

std::wstring toWide(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(kCodePage, 0, text.data(), size, nullptr, 0);
    if (wideSize <= 0) return {};
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    MultiByteToWideChar(kCodePage, 0, text.data(), size, wide.data(), wideSize);
    return wide;
}

std::string fromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int narrowSize =
        WideCharToMultiByte(kCodePage, 0, text.data(), size, nullptr, 0, "?", nullptr);
    if (narrowSize <= 0) return {};
    std::string narrow(static_cast<size_t>(narrowSize), '\0');
    WideCharToMultiByte(kCodePage, 0, text.data(), size, narrow.data(), narrowSize, "?", nullptr);
    return narrow;
}
