#include "names/utf8_to_cp1251.h"

#include "text/cp1251.h"

#include <cstddef>

std::string utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) { // most of a page
            out += text[i++];
            continue;
        }
        const std::size_t start = i;
        const long c = cp1251::decodeUtf8(text, i);
        if (c < 0) {
            out += text[start]; // not UTF-8: the byte as it stands
            continue;
        }
        const int byte = cp1251::byteForCodePoint(static_cast<char32_t>(c));
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}
