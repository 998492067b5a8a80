#include "names/utf8_to_cp1251.h"

#include "text/cp1251.h"

#include <array>
#include <cstdint>

namespace {

// The 66 letters in the order the pair table follows: capitals with Ё after Е,
// then small letters with ё after е.
constexpr std::string_view kAlphabet =
    u8"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"_cp1251;
constexpr std::size_t kLetterCount = 66;
static_assert(kAlphabet.size() == kLetterCount);

struct BytePair {
    uint8_t first;
    uint8_t second;
};

// Entry n is the UTF-8 form of letter n of the alphabet; every letter lies in
// U+0400..U+047F, so each is two bytes led by 0xD0 or 0xD1.
consteval std::array<BytePair, kLetterCount> makePairTable() {
    std::array<BytePair, kLetterCount> pairs{};
    for (std::size_t n = 0; n < kLetterCount; ++n) {
        char32_t c = cp1251::kHighHalf[static_cast<uint8_t>(kAlphabet[n]) - 0x80];
        pairs[n] = {static_cast<uint8_t>(0xC0 | (c >> 6)), static_cast<uint8_t>(0x80 | (c & 0x3F))};
    }
    return pairs;
}

constexpr std::array<BytePair, kLetterCount> kPairs = makePairTable();

static_assert(kPairs[0].first == 0xD0 && kPairs[0].second == 0x90);   // А
static_assert(kPairs[6].first == 0xD0 && kPairs[6].second == 0x81);   // Ё
static_assert(kPairs[32].first == 0xD0 && kPairs[32].second == 0xAF); // Я
static_assert(kPairs[33].first == 0xD0 && kPairs[33].second == 0xB0); // а
static_assert(kPairs[39].first == 0xD1 && kPairs[39].second == 0x91); // ё
static_assert(kPairs[65].first == 0xD1 && kPairs[65].second == 0x8F); // я

// The pair table turned around at compile time: for lead byte 0xD0 or 0xD1 and a
// second byte, the letter's 1251 byte, or 0 where no pair matches. The first
// matching entry wins, as in a walk through the table in alphabet order.
struct LetterTable {
    std::array<std::array<uint8_t, 256>, 2> letter{};
};

consteval LetterTable makeLetterTable() {
    LetterTable t{};
    for (std::size_t n = 0; n < kLetterCount; ++n) {
        uint8_t& slot = t.letter[kPairs[n].first - 0xD0][kPairs[n].second];
        if (slot == 0) slot = static_cast<uint8_t>(kAlphabet[n]);
    }
    return t;
}

constexpr LetterTable kLetters = makeLetterTable();

} // namespace

std::string utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(text[i]);
        if (b != 0xD0 && b != 0xD1) {
            out.push_back(static_cast<char>(b));
            continue;
        }
        if (i + 1 == text.size()) break; // a lone lead byte at the end is dropped
        uint8_t letter = kLetters.letter[b - 0xD0][static_cast<uint8_t>(text[i + 1])];
        if (letter != 0) {
            out.push_back(static_cast<char>(letter));
            ++i; // past the second byte
        }
        // Without a match the lead byte is dropped and the next byte stands alone.
    }
    return out;
}
