// Fonts and text measure: one font object per distinct font, shared by the
// windows that draw with it and freed when the last lets it go, and the size a
// control's text takes in its font, measured without its window.

#include "ui/fit_texts.h"
#include "ui/trace.h"
#include "ui/win32/controls.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_state.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

using namespace win32;

// The font a control draws with: its own, else the nearest ancestor's; none
// when no ancestor has one (the system's GUI font then).
std::optional<Win32Platform::State::FontKey> Win32Platform::State::fontKeyOf(const Control& c) {
    for (const Control* owner = &c; owner != nullptr; owner = owner->parent)
        if (owner->ownFont)
            return FontKey{owner->ownFont->height, owner->ownFont->name, owner->ownFont->style};
    return std::nullopt;
}

// The one font object of a font, made on first use.
HFONT Win32Platform::State::fontObject(const FontKey& key) {
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second.handle;
    LOGFONTW lf{};
    lf.lfHeight = -key.height; // character height, without the internal leading
    lf.lfWeight = (key.style & kBold) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (key.style & kItalic) != 0;
    lf.lfUnderline = (key.style & kUnderline) != 0;
    lf.lfStrikeOut = (key.style & kStrikeOut) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::wstring face = toWide(key.name).substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    TraceSpan span("font creation");
    HFONT h = CreateFontIndirectW(&lf);
    fonts[key] = {h, 0};
    return h;
}

// A font object only measured with, that no window holds, is freed once the
// window is on the screen (before, the window about to be made will take it).
void Win32Platform::State::freeIfUnused(const FontKey& key) {
    auto it = fonts.find(key);
    if (it == fonts.end() || it->second.users > 0) return;
    DeleteObject(it->second.handle);
    fonts.erase(it);
}

// Gives c's window the font it draws with, which it holds from now on; the
// one it held before is let go once the window has the new one, and freed
// when no window holds it any more.
void Win32Platform::State::giveFont(const Control& c, bool redraw) {
    const std::optional<FontKey> key = fontKeyOf(c);
    HFONT h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (key) {
        h = fontObject(*key);
        ++fonts[*key].users;
    }
    SendMessageW(hwndOf(c), WM_SETFONT, reinterpret_cast<WPARAM>(h), redraw);
    // A list the layer draws keeps the entry height a drawn-by-the-system one has.
    if (c.kind == ControlKind::List) SendMessageW(hwndOf(c), CB_SETITEMHEIGHT, 0, lineHeight(c));
    releaseFont(c);
    if (key) heldFonts[&c] = *key;
}

int Win32Platform::State::lineHeight(const Control& c) {
    if (measuringDc == nullptr) measuringDc = CreateCompatibleDC(nullptr);
    const std::optional<FontKey> key = fontKeyOf(c);
    HGDIOBJ old = SelectObject(measuringDc, key ? fontObject(*key) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(measuringDc, &metrics);
    SelectObject(measuringDc, old);
    return metrics.tmHeight;
}

void Win32Platform::State::releaseFont(const Control& c) {
    auto held = heldFonts.find(&c);
    if (held == heldFonts.end()) return;
    const FontKey key = held->second;
    heldFonts.erase(held);
    auto it = fonts.find(key);
    if (it != fonts.end() && --it->second.users <= 0) {
        DeleteObject(it->second.handle);
        fonts.erase(it);
    }
}

void Win32Platform::applyFont(Control& c) {
    state_->giveFont(c, state_->mainWindowShown);
    if (c.kind == ControlKind::List) readListHeight(c);
}

Size Win32Platform::measure(const Control& c, int maxWidth) {
    if (state_->measuringDc == nullptr) state_->measuringDc = CreateCompatibleDC(nullptr);
    HDC dc = state_->measuringDc;
    const std::optional<State::FontKey> key = State::fontKeyOf(c);
    HGDIOBJ old = SelectObject(dc, key ? state_->fontObject(*key) : GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring text = toWide(shownText(c));
    SIZE extent{0, 0};
    if (c.kind == ControlKind::WrappingLabel && maxWidth > 0) {
        RECT r{0, 0, maxWidth, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        extent = {r.right - r.left, r.bottom - r.top};
    } else {
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }
    SelectObject(dc, old);
    if (key && state_->mainWindowShown) state_->freeIfUnused(*key);
    switch (c.kind) {
    case ControlKind::CheckBox: {
        const int box = GetSystemMetrics(SM_CXMENUCHECK);
        return {box + 6 + extent.cx + 2, std::max<int>(extent.cy, box) + 2};
    }
    case ControlKind::Button:
        return {extent.cx + 16, extent.cy + 10};
    default:
        return {extent.cx, extent.cy};
    }
}
