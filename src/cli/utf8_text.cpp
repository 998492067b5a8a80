#include "cli/utf8_text.h"

#include "cli/commands.h"
#include "text/cp1251.h"

#include <array>

namespace {

constexpr char32_t kEmptyByte = 0x98; // stands for itself

} // namespace

std::string cp1251ToUtf8(std::string_view text) {
    // Every message of a check passes through here: one table look-up per byte
    // into a buffer sized for the longest form, rather than appends.
    static const auto kForms = [] {
        std::array<std::string, 256> forms;
        for (int b = 0; b < 256; ++b) {
            const char32_t c = b < 0x80 ? static_cast<char32_t>(b) : cp1251::kHighHalf[b - 0x80];
            cp1251::appendUtf8(forms[b], c == 0 ? kEmptyByte : c);
        }
        return forms;
    }();
    std::string out(text.size() * 3, '\0');
    char* end = out.data();
    for (const char ch : text) {
        const std::string& form = kForms[static_cast<unsigned char>(ch)];
        for (const char byte : form) *end++ = byte;
    }
    out.resize(static_cast<size_t>(end - out.data()));
    return out;
}

bool utf8ToCp1251Strict(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        // Every character of the code page takes two or three bytes in UTF-8.
        const int extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= utf8.size()) return false;
        char32_t c = lead & (extra == 1 ? 0x1F : 0x0F);
        for (int k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
            if ((b & 0xC0) != 0x80) return false;
            c = (c << 6) | (b & 0x3F);
        }
        if (c < (extra == 1 ? 0x80u : 0x800u)) return false; // overlong
        i += 1 + static_cast<size_t>(extra);
        const int byte = c == kEmptyByte ? 0x98 : cp1251::byteForCodePoint(c);
        if (byte < 0) return false;
        out += static_cast<char>(byte);
    }
    return true;
}

std::string say(const CliOutput& io, Text key, std::initializer_list<FormatArg> args) {
    return formatText(cp1251ToUtf8(text(key, io.language)), args);
}
