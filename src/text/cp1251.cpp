#include "text/cp1251.h"

namespace cp1251 {

long decodeUtf8(std::string_view text, size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, least = 0x10000;
    } else {
        ++i;
        return -1;
    }
    if (text.size() - i <= static_cast<size_t>(extra)) {
        ++i;
        return -1;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += 1 + static_cast<size_t>(extra);
    return static_cast<long>(c);
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const long c = decodeUtf8(utf8, i);
        const int byte = c < 0 ? -1 : byteForCodePoint(static_cast<char32_t>(c));
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

std::string toUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        const char32_t c = b < 0x80 ? b : kHighHalf[b - 0x80];
        if (b >= 0x80 && c == 0)
            out += '?'; // 0x98 has no character
        else
            appendUtf8(out, c);
    }
    return out;
}

std::string lowerCase(std::string_view text) {
    static const std::array<char, 256> lower = [] {
        std::array<char, 256> table{};
        for (int b = 0; b < 256; ++b) {
            char32_t c = b < 0x80 ? static_cast<char32_t>(b) : kHighHalf[b - 0x80];
            if (c >= U'A' && c <= U'Z') c += 0x20;
            else if (c >= 0x410 && c <= 0x42F) c += 0x20; // А..Я
            else if (c >= 0x400 && c <= 0x40F) c += 0x50; // Ё, Ђ, Ў ...
            const int small = c == 0 ? b : byteForCodePoint(c);
            table[static_cast<size_t>(b)] = static_cast<char>(small < 0 ? b : small);
        }
        return table;
    }();
    std::string out(text);
    for (char& ch : out) ch = lower[static_cast<unsigned char>(ch)];
    return out;
}

} // namespace cp1251
