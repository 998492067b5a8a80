#pragma once
// Names written to the name page: a new line on page 17, or the text of an
// existing one, as edits of the page file's UTF-8 bytes that change only the
// line they mean. Every other byte stays: a byte-order mark, the line ends, the
// other pages, remarks. The tables' records are the caller's: it passes the text
// ids they use and sets the id an edit gives.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "text/texts.h"

// Why a name cannot be written; none: it was.
enum class NameFault { none, noPage17, notInFormat, emptyName, badName, noFreeId };

// The reason a person reads, in the texts table.
Text nameFaultText(NameFault fault);

struct NameEdit {
    NameFault fault = NameFault::none;
    int32_t textId = 0; // the text id that now names the object
};

// Adds the name (UTF-8, as typed; a window's Windows-1251 text goes through
// cp1251::toUtf8 first) under a new text id: the smallest id above both 0 and the
// largest id of a key on page 17 that no id in `usedIds` (the ids the tables'
// records use) takes. The page gains one line, `<t id="N">NAME</t>` with & < > "
// written as entities, right before the line that closes page 17, with the line
// end of the line above it and the indentation of page 17's last line holding a
// key (else of the line above). Refused, with `page` unchanged: noPage17 without
// a line opening page 17 (page_lines.h); notInFormat when page17InFormat finds it
// unfit for an edit; emptyName for a name of blanks alone; badName for one holding a control
// character (codes 0..31, 127) or broken UTF-8; noFreeId when no id up to
// INT32_MAX is free.
NameEdit addName(std::string& page, std::string_view name, std::span<const int32_t> usedIds);

// Names the object whose text id is `textId` anew. When the id is its own
// (`sharedWithOthers` false) and a line of page 17 holds the id as a key with a
// name part (the first such line, as lookups find it, holding the key before its
// first `">` and at least four characters after that), only that part, from after `">` to the
// line's last four characters, is replaced by the escaped name, and the id stays. Otherwise, so
// that no other object's name changes, the name is added as by addName and its new id returned. The
// same refusals, with `page` unchanged.
NameEdit renameName(std::string& page, int32_t textId, bool sharedWithOthers, std::string_view name,
                    std::span<const int32_t> usedIds);
