#include "names/page_lines.h"

#include "text/strings.h"

namespace {

constexpr std::string_view kIdAttribute = "id=\"";

bool holdsIgnoringLatinCase(std::string_view line, std::string_view lowerNeedle) {
    return lowerLatin(line).find(lowerNeedle) != std::string::npos;
}

// The id of a key whose digits start `digits` (the text right after id="), or
// false when they are no 32-bit id's decimal form followed by the closing quote.
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

} // namespace

std::vector<PageLine> splitPageLines(std::string_view bytes) {
    std::vector<PageLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::size_t breakSize = end == bytes.size()                  ? 0
                                      : bytes.compare(end, 2, "\r\n") == 0 ? 2
                                                                           : 1;
        lines.push_back({bytes.substr(start, end - start), bytes.substr(end, breakSize)});
        start = end + breakSize;
    }
    return lines;
}

Page17 findPage17(std::span<const PageLine> lines) {
    Page17 page{lines.size(), lines.size()};
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (holdsIgnoringLatinCase(lines[i].text, "page id=\"17\"")) {
            page.opening = i;
            break;
        }
    for (std::size_t i = page.opening + 1; i < lines.size(); ++i)
        if (holdsIgnoringLatinCase(lines[i].text, "</page>")) {
            page.closing = i;
            break;
        }
    return page;
}

bool page17InFormat(std::string_view bytes, std::span<const PageLine> lines, Page17 page) {
    if (page.closing >= lines.size() ||
        holdsIgnoringLatinCase(lines[page.opening].text, "</page>") ||
        bytes.find('\0') != std::string_view::npos)
        return false;
    for (std::size_t i = page.opening + 1; i < page.closing; ++i)
        if (holdsIgnoringLatinCase(lines[i].text, "<page")) return false;
    return true;
}

bool nextKeyId(std::string_view line, std::size_t& at, int32_t& id) {
    for (at = line.find(kIdAttribute, at); at != std::string_view::npos;
         at = line.find(kIdAttribute, at)) {
        at += kIdAttribute.size();
        if (readKeyId(line.substr(at), id)) return true;
    }
    at = line.size();
    return false;
}
