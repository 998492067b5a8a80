#pragma once
// Windows-1251 is the editor's text encoding: the game's tables, the interface
// texts and the name lines are all 1251 bytes. Source files stay UTF-8; Russian
// literals become 1251 bytes at compile time through u8"..."_cp1251.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace cp1251 {

// Unicode code point of each byte 0x80..0xFF; 0 where the code page has no character (0x98).
inline constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// The 1251 byte for a code point, or -1 when the code page cannot hold it.
constexpr int byteForCodePoint(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    if (c >= 0x410 && c <= 0x44F) return static_cast<int>(c - 0x410 + 0xC0); // А..я, in order
    for (int i = 0; i < 128; ++i)
        if (kHighHalf[i] != 0 && kHighHalf[i] == c) return 0x80 + i;
    return -1;
}

// The code point of the valid UTF-8 sequence at text[i] (i < text.size()),
// advancing i past it; -1, advancing i by one byte, for a broken, overlong or
// surrogate sequence.
long decodeUtf8(std::string_view text, size_t& i);

// Whole-text conversions for tests and tools (never fail: unmappable code
// points become '?', broken UTF-8 bytes are taken one by one).
std::string fromUtf8(std::string_view utf8);
std::string toUtf8(std::string_view text);
// Appends the UTF-8 form of a code point below 0x10000 (every character of the code page).
void appendUtf8(std::string& out, char32_t c);
// The text with its Latin and Cyrillic capitals (Ё, Ў, Ї too) made small letters,
// for comparisons that ignore letter case.
std::string lowerCase(std::string_view text);

template <std::size_t N> struct Utf8Literal {
    char8_t bytes[N]{};
    consteval Utf8Literal(const char8_t (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i) bytes[i] = s[i];
    }
};

template <std::size_t N> struct FixedText {
    char bytes[N]{};
    std::size_t size = 0;
};

template <std::size_t N> consteval FixedText<N> convertLiteral(const char8_t (&s)[N]) {
    FixedText<N> out;
    std::size_t i = 0;
    while (i + 1 < N) { // the last byte is the literal's terminating NUL
        unsigned b = s[i];
        char32_t c = 0;
        int extra = 0;
        if (b < 0x80) c = b;
        else if ((b & 0xE0) == 0xC0) c = b & 0x1F, extra = 1;
        else if ((b & 0xF0) == 0xE0) c = b & 0x0F, extra = 2;
        else if ((b & 0xF8) == 0xF0) c = b & 0x07, extra = 3;
        else throw "broken UTF-8 in a literal";
        for (int k = 1; k <= extra; ++k) c = (c << 6) | (s[i + k] & 0x3F);
        i += 1 + extra;
        int byte = byteForCodePoint(c);
        if (byte < 0) throw "character outside Windows-1251 in a literal";
        out.bytes[out.size++] = static_cast<char>(byte);
    }
    return out;
}

template <Utf8Literal S> inline constexpr auto kStored = convertLiteral(S.bytes);

} // namespace cp1251

// u8"Корабли"_cp1251 is a std::string_view of the Windows-1251 bytes, with static storage.
// The bytes are made at compile time (kStored is constant-initialised, so a bad
// literal fails to compile); constexpr rather than consteval, because clang does
// not evaluate a consteval call made in a function template's body and leaves it
// unlinked.
template <cp1251::Utf8Literal S> constexpr std::string_view operator""_cp1251() {
    return std::string_view(cp1251::kStored<S>.bytes, cp1251::kStored<S>.size);
}
