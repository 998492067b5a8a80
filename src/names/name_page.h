#pragma once
// The game's object names: the lines of text page 17 of a localised page file,
// converted to Windows-1251, and the lookup of a name by its text id.
//
// A name line holds an opening text tag with id="N", the name, and a four-character
// closing tag at the very end; the name starts right after the first `">`.

#include "text/line_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

struct NamePage {
    // The lines strictly between the line that opens page 17 and the first
    // "</page>" line after it, in file order, converted to 1251.
    LineList nameLines;
    // For each id whose key id="N" occurs in some line: the first such line.
    // Built once when the page is loaded, so that a lookup does not scan the page.
    std::unordered_map<int32_t, int> firstLineOfId;

    NamePage() = default;
    // The line list's lines point into its own block, so a page is never copied.
    NamePage(const NamePage&) = delete;
    NamePage& operator=(const NamePage&) = delete;
};

// Loads the page file and keeps only page 17's lines (opening line: contains
// page id="17" after lowering Latin capitals; closing line: the first line after
// it that contains </page> likewise), converts them from UTF-8 and indexes the ids.
// Returns false, leaving the page empty, when the file cannot be read. A file
// without an opening line, or without a closing line after it, leaves the page
// empty (no names) and returns true; so does an empty file.
bool loadNamePage(NamePage& page, std::string_view path);

// The same from the page file's bytes (after an edit of them, say): the page
// holds page 17's names as loadNamePage would keep them from a file of these bytes.
void readNamePage(NamePage& page, std::string_view bytes);

// The name for the id: from the first line that contains id="N" (N the id in
// decimal, case-sensitive, anywhere in the line, so pid="5" counts for 5), the
// text after the first `">` without the line's last four characters, trimmed of
// codes 0..32, with its entities and character references decoded (inner markup
// stays). Empty when no line holds the key or the cut leaves nothing.
std::string lookupName(const NamePage& page, int32_t id);

// The name a line of page 17 (Windows-1251) gives, as lookupName cuts it.
std::string nameOfLine(std::string_view line);

// The same result found by scanning every line for the key, without the index.
std::string lookupNameByScan(const NamePage& page, int32_t id);
