#include "names/character_references.h"

#include "text/cp1251.h"

#include <array>
#include <cstddef>

namespace {

struct Entity {
    std::string_view name; // between & and ;
    char character;
};

constexpr std::array<Entity, 5> kEntities = {
    {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}}};

constexpr long kLastCodePoint = 0x10FFFF;

int digitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (!hex) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The code point of the numeric reference body (after "&#", up to the ';'),
// or -1 when it is not one: no digits, a stray sign, too large.
long numericReference(std::string_view body) {
    const bool hex = !body.empty() && (body[0] == 'x' || body[0] == 'X');
    if (hex) body.remove_prefix(1);
    if (body.empty()) return -1;
    long value = 0;
    for (const char c : body) {
        const int digit = digitValue(c, hex);
        if (digit < 0) return -1;
        value = value * (hex ? 16 : 10) + digit;
        if (value > kLastCodePoint) return -1; // stops before the value can overflow
    }
    return value;
}

// The 1251 byte a reference body stands for; -1 when it names no character a
// name can hold, so the reference stays as written.
int referenceByte(std::string_view body) {
    if (!body.empty() && body[0] == '#') {
        const long c = numericReference(body.substr(1));
        if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) return -1;
        const int byte = cp1251::byteForCodePoint(static_cast<char32_t>(c));
        return byte < 0 ? '?' : byte;
    }
    for (const Entity& e : kEntities)
        if (body == e.name) return static_cast<unsigned char>(e.character);
    return -1;
}

// The longest reference body looked at: "#x10FFFF" with room for leading zeros.
constexpr std::size_t kLongestBody = 16;

} // namespace

std::string decodeReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) break;
        out.append(text, i, amp - i);
        const std::size_t semicolon = text.find(';', amp + 1);
        const int byte = semicolon == std::string_view::npos || semicolon - amp - 1 > kLongestBody
                             ? -1
                             : referenceByte(text.substr(amp + 1, semicolon - amp - 1));
        if (byte < 0) {
            out += '&'; // not a reference: the sign as written, the rest read on
            i = amp + 1;
        } else {
            out += static_cast<char>(byte);
            i = semicolon + 1;
        }
    }
    out.append(text.substr(i));
    return out;
}
