// Any bytes as a name page file: loading must not crash or hang, and the indexed
// lookup must agree with the line-by-line scan for every id the page indexes and
// for a few ids taken from the input.

#include "names/name_page.h"
#include "names/utf8_to_cp1251.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& pagePath() {
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() /
                         ("orvex-fuzz-name-page-" + std::to_string(getpid()) + ".xml"))
                            .string();
        std::atexit([] { std::remove(pagePath().c_str()); });
        return p;
    }();
    return path;
}

void expectSameName(const NamePage& page, int32_t id) {
    if (lookupName(page, id) != lookupNameByScan(page, id)) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(pagePath(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    NamePage page;
    if (!loadNamePage(page, pagePath())) __builtin_trap(); // the file was just written

    for (const auto& [id, line] : page.firstLineOfId) {
        if (line < 0 || line >= page.nameLines.count()) __builtin_trap();
        expectSameName(page, id);
    }
    for (int32_t id : {0, 1, 5, 17, -1, INT32_MIN, INT32_MAX}) expectSameName(page, id);
    if (size >= 4) {
        int32_t fromInput = 0;
        std::memcpy(&fromInput, data, sizeof fromInput);
        expectSameName(page, fromInput);
    }

    // The conversion only drops or replaces bytes, never adds any.
    if (utf8ToCp1251(bytes).size() > size) __builtin_trap();
    return 0;
}
