#include "names/name_edit.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "names/page_lines.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace {

// The page's lines and where page 17 lies among them, or why it cannot be edited.
struct Page {
    std::vector<PageLine> lines;
    Page17 page17;
    NameFault fault = NameFault::none;
};

Page readPage(std::string_view bytes) {
    Page p{splitPageLines(bytes), {}, NameFault::none};
    p.page17 = findPage17(p.lines);
    if (p.page17.opening >= p.lines.size())
        p.fault = NameFault::noPage17;
    else if (!page17InFormat(bytes, p.lines, p.page17))
        p.fault = NameFault::notInFormat;
    return p;
}

// Why the name cannot be written, none when it can.
NameFault nameFault(std::string_view name) {
    for (std::size_t i = 0; i < name.size();) {
        const long c = cp1251::decodeUtf8(name, i);
        if (c < 0x20 || c == 0x7F) return NameFault::badName; // -1: broken UTF-8
    }
    return trimBlanks(name).empty() ? NameFault::emptyName : NameFault::none;
}

std::string escaped(std::string_view name) {
    std::string out;
    for (const char c : name) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::size_t offsetOf(std::string_view bytes, std::string_view part) {
    return static_cast<std::size_t>(part.data() - bytes.data());
}

// The page's lines from the one after the opening line to the closing one,
// each line's keys in order, as the lookups read them.
template <class Visit> void forEachKey(const Page& p, Visit visit) {
    for (std::size_t line = p.page17.opening + 1; line < p.page17.closing; ++line) {
        std::size_t at = 0;
        int32_t id = 0;
        while (nextKeyId(p.lines[line].text, at, id))
            if (!visit(line, id)) return;
    }
}

// The smallest id above 0 and above page 17's largest key that no used id takes;
// none past INT32_MAX.
std::optional<int32_t> nextTextId(const Page& p, std::span<const int32_t> usedIds) {
    int64_t next = 1;
    forEachKey(p, [&](std::size_t, int32_t id) {
        next = std::max<int64_t>(next, int64_t{id} + 1);
        return true;
    });
    std::vector<int32_t> used(usedIds.begin(), usedIds.end());
    std::sort(used.begin(), used.end());
    for (const int32_t id : used)
        next += id == next ? 1 : 0; // sorted: each taken id met in turn
    if (next > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(next);
}

bool holdsKey(std::string_view text, int32_t textId) {
    std::size_t at = 0;
    int32_t id = 0;
    while (nextKeyId(text, at, id))
        if (id == textId) return true;
    return false;
}

// The leading blanks and tabs of the line.
std::string_view indentation(std::string_view line) {
    return line.substr(0, std::min(line.find_first_not_of(" \t"), line.size()));
}

NameEdit insertLine(std::string& bytes, const Page& p, std::string_view name,
                    std::span<const int32_t> usedIds) {
    const std::optional<int32_t> id = nextTextId(p, usedIds);
    if (!id) return {NameFault::noFreeId};
    const PageLine& above = p.lines[p.page17.closing - 1];
    std::string_view indent = indentation(above.text);
    forEachKey(p, [&](std::size_t line, int32_t) {
        indent = indentation(p.lines[line].text); // the last line holding a key wins
        return true;
    });
    const std::string line = std::string(indent) + "<t id=\"" + std::to_string(*id) + "\">" +
                             escaped(name) + "</t>" + std::string(above.lineEnd);
    bytes.insert(offsetOf(bytes, p.lines[p.page17.closing].text), line);
    return {NameFault::none, *id};
}

} // namespace

Text nameFaultText(NameFault fault) {
    switch (fault) {
    case NameFault::noPage17:
        return Text::nameNoPage17;
    case NameFault::notInFormat:
        return Text::nameNotInFormat;
    case NameFault::emptyName:
        return Text::nameEmpty;
    case NameFault::badName:
        return Text::nameBadCharacter;
    case NameFault::noFreeId:
        return Text::nameNoFreeId;
    case NameFault::none:
        break;
    }
    return Text::nameNotInFormat;
}

NameEdit addName(std::string& page, std::string_view name, std::span<const int32_t> usedIds) {
    const Page p = readPage(page);
    if (p.fault != NameFault::none) return {p.fault};
    if (const NameFault fault = nameFault(name); fault != NameFault::none) return {fault};
    return insertLine(page, p, name, usedIds);
}

NameEdit renameName(std::string& page, int32_t textId, bool sharedWithOthers, std::string_view name,
                    std::span<const int32_t> usedIds) {
    const Page p = readPage(page);
    if (p.fault != NameFault::none) return {p.fault};
    if (const NameFault fault = nameFault(name); fault != NameFault::none) return {fault};
    std::size_t holder = p.page17.closing;
    forEachKey(p, [&](std::size_t line, int32_t id) {
        if (id == textId) holder = line;
        return id != textId;
    });
    if (sharedWithOthers || holder == p.page17.closing) return insertLine(page, p, name, usedIds);
    const std::string_view text = p.lines[holder].text;
    const std::size_t quote = text.find("\">");
    // Where the lookups cut the name: from after `">` to the last four characters.
    // The key must stand before it, or the new name would take the key away.
    if (quote == std::string_view::npos || quote + 6 > text.size() ||
        !holdsKey(text.substr(0, quote + 1), textId))
        return insertLine(page, p, name, usedIds);
    const std::size_t start = offsetOf(page, text) + quote + 2;
    page.replace(start, text.size() - quote - 6, escaped(name));
    return {NameFault::none, textId};
}
