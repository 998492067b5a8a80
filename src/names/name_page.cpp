#include "names/name_page.h"

#include "names/character_references.h"
#include "names/utf8_to_cp1251.h"
#include "text/format.h"
#include "text/strings.h"

#include <cstddef>

namespace {

constexpr std::string_view kPageOpening = "page id=\"17\"";
constexpr std::string_view kPageClosing = "</page>";
constexpr std::string_view kIdAttribute = "id=\"";

bool containsIgnoringLatinCase(std::string_view line, std::string_view lowerNeedle) {
    return lowerLatin(line).find(lowerNeedle) != std::string::npos;
}

// The name part of a line: with p the 1-based position of the first `">` (0 when
// there is none), the L - p - 5 characters from position p + 2, trimmed, its
// character references decoded.
std::string nameFromLine(std::string_view line) {
    const std::size_t quote = line.find("\">");
    const std::size_t p = quote == std::string_view::npos ? 0 : quote + 1;
    const std::size_t start = p + 1; // 0-based form of position p + 2
    if (line.size() < p + 5 + 1) return {}; // length L - p - 5 is 0 or less
    const std::size_t length = line.size() - p - 5;
    // start + length is L - 4, so the cut never runs past the end of the line.
    std::string name = trimBlanks(line.substr(start, length));
    // Most names hold no reference: they are returned as cut, without a copy.
    return name.find('&') == std::string::npos ? name : decodeReferences(name);
}

// Reads the id of a key at the start of digits (the text right after id="): the
// decimal form that the key of some 32-bit id has (optional minus, no leading
// zeros, no -0, within range) followed by the closing quote. False otherwise.
bool readKeyId(std::string_view digits, int32_t& id) {
    std::size_t i = 0;
    const bool negative = i < digits.size() && digits[i] == '-';
    if (negative) ++i;
    const std::size_t first = i;
    int64_t value = 0;
    while (i < digits.size() && digits[i] >= '0' && digits[i] <= '9' && i - first < 11) {
        value = value * 10 + (digits[i] - '0');
        ++i;
    }
    const std::size_t count = i - first;
    if (count == 0 || count > 10) return false;
    if (i >= digits.size() || digits[i] != '"') return false;
    if (digits[first] == '0' && (count > 1 || negative)) return false;
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    id = static_cast<int32_t>(value);
    return true;
}

void indexIds(NamePage& page) {
    for (int line = 0; line < page.nameLines.count(); ++line) {
        const std::string_view text = page.nameLines.item(line);
        std::size_t at = text.find(kIdAttribute);
        while (at != std::string_view::npos) {
            int32_t id = 0;
            if (readKeyId(text.substr(at + kIdAttribute.size()), id))
                page.firstLineOfId.try_emplace(id, line); // an earlier line keeps the id
            at = text.find(kIdAttribute, at + kIdAttribute.size());
        }
    }
}

} // namespace

bool loadNamePage(NamePage& page, std::string_view path) {
    page.nameLines.clear();
    page.firstLineOfId.clear();
    LineList file;
    if (!file.loadFromFile(path)) return false;

    int opening = 0;
    while (opening < file.count() && !containsIgnoringLatinCase(file.item(opening), kPageOpening))
        ++opening;
    int closing = opening + 1;
    while (closing < file.count() && !containsIgnoringLatinCase(file.item(closing), kPageClosing))
        ++closing;
    if (closing >= file.count()) return true; // page 17 missing or never closed: no names

    // The kept lines, converted, go into one block. A split line holds no CR, LF or
    // NUL and the conversion adds none, so the block splits back into exactly these lines.
    std::string converted;
    for (int line = opening + 1; line < closing; ++line) {
        converted += utf8ToCp1251(file.item(line));
        converted += "\r\n";
    }
    page.nameLines.setText(std::move(converted));
    indexIds(page);
    return true;
}

std::string lookupName(const NamePage& page, int32_t id) {
    const auto found = page.firstLineOfId.find(id);
    if (found == page.firstLineOfId.end()) return {};
    return nameFromLine(page.nameLines.item(found->second));
}

std::string lookupNameByScan(const NamePage& page, int32_t id) {
    const std::string key = formatText("id=\"%d\"", {id});
    for (int line = 0; line < page.nameLines.count(); ++line) {
        const std::string_view text = page.nameLines.item(line);
        if (text.find(key) != std::string_view::npos) return nameFromLine(text);
    }
    return {};
}
