#include "names/name_page.h"

#include "names/character_references.h"
#include "names/page_lines.h"
#include "names/utf8_to_cp1251.h"
#include "text/format.h"
#include "text/strings.h"

#include <cstddef>
#include <vector>

// The name part of a line: with p the 1-based position of the first `">` (0 when
// there is none), the L - p - 5 characters from position p + 2, trimmed, its
// character references decoded.
std::string nameOfLine(std::string_view line) {
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

namespace {

void indexIds(NamePage& page) {
    for (int line = 0; line < page.nameLines.count(); ++line) {
        const std::string_view text = page.nameLines.item(line);
        std::size_t at = 0;
        int32_t id = 0;
        while (nextKeyId(text, at, id)) page.firstLineOfId.try_emplace(id, line); // an earlier line keeps the id
    }
}

// Keeps page 17's lines of the file, converted, and indexes their ids.
void keepPage17(NamePage& page, const LineList& file) {
    page.nameLines.clear();
    page.firstLineOfId.clear();
    std::vector<PageLine> lines(static_cast<std::size_t>(file.count()));
    for (int i = 0; i < file.count(); ++i) lines[static_cast<std::size_t>(i)].text = file.item(i);
    const Page17 found = findPage17(lines);
    if (found.closing >= lines.size()) return; // page 17 missing or never closed: no names

    // The kept lines, converted, go into one block. A split line holds no CR, LF or
    // NUL and the conversion adds none, so the block splits back into exactly these lines.
    std::string converted;
    for (std::size_t line = found.opening + 1; line < found.closing; ++line) {
        converted += utf8ToCp1251(lines[line].text);
        converted += "\r\n";
    }
    page.nameLines.setText(std::move(converted));
    indexIds(page);
}

} // namespace

bool loadNamePage(NamePage& page, std::string_view path) {
    LineList file;
    const bool read = file.loadFromFile(path);
    keepPage17(page, file); // an unread file leaves the list empty: no names
    return read;
}

void readNamePage(NamePage& page, std::string_view bytes) {
    LineList file;
    file.setText(bytes);
    keepPage17(page, file);
}

std::string lookupName(const NamePage& page, int32_t id) {
    const auto found = page.firstLineOfId.find(id);
    if (found == page.firstLineOfId.end()) return {};
    return nameOfLine(page.nameLines.item(found->second));
}

std::string lookupNameByScan(const NamePage& page, int32_t id) {
    const std::string key = formatText("id=\"%d\"", {id});
    for (int line = 0; line < page.nameLines.count(); ++line) {
        const std::string_view text = page.nameLines.item(line);
        if (text.find(key) != std::string_view::npos) return nameOfLine(text);
    }
    return {};
}
