#include "text/file_fingerprint.h"

#include <cstring>
#include <string>

#include "text/files.h"

namespace {

constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

uint64_t mix(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

uint64_t step(uint64_t h, uint64_t word) {
    h ^= mix(word);
    h *= kMultiplier;
    return (h << 27) | (h >> 37);
}

} // namespace

uint64_t hashBytes(std::string_view bytes) {
    uint64_t h = 0x243F6A8885A308D3ull ^ bytes.size();
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        h = step(h, word);
    }
    // The last one to seven bytes, with their count so that a tail of NULs counts.
    uint64_t tail = bytes.size() - i;
    for (size_t k = i; k < bytes.size(); ++k)
        tail = tail << 8 | static_cast<unsigned char>(bytes[k]);
    return mix(step(h, tail));
}

FileFingerprint fingerprintOf(std::string_view bytes) {
    return {true, static_cast<uint64_t>(bytes.size()), hashBytes(bytes)};
}

FileFingerprint fingerprintOnDisk(std::string_view path) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return {};
    return fingerprintOf(bytes);
}
