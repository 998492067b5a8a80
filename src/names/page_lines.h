#pragma once
// A name page file's lines as its bytes hold them, where page 17 lies among
// them, and the text ids a line holds: one reading for the lookups and the edits,
// so that a name written is a name found.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct PageLine {
    std::string_view text;    // without its line break
    std::string_view lineEnd; // CR LF, LF or CR; empty for a last line without one
};

// The lines of the bytes, as views into them. A line ends at CR LF, CR or a lone
// LF, as the line list splits a file; a break at the very end adds no empty line.
std::vector<PageLine> splitPageLines(std::string_view bytes);

// The lines that open and close page 17: opening, the first line whose Latin
// lower-case form holds page id="17"; closing, the first line after it whose form
// holds </page>. Each is lines.size() when there is none.
struct Page17 {
    std::size_t opening = 0;
    std::size_t closing = 0;
};
Page17 findPage17(std::span<const PageLine> lines);

// Whether an edit can rely on the page 17 found: it is closed, its opening line
// does not close it too, no other page opens inside it, and the file holds no NUL
// byte (where the lookups would stop reading). False when there is no page 17.
bool page17InFormat(std::string_view bytes, std::span<const PageLine> lines, Page17 page);

// The next key id="N" of the line at or after `at`: the id of the first such text
// whose digits are the decimal form of a 32-bit id (optional minus, no leading
// zero, no -0) closed by a quote, with `at` moved past its id=". False, `at` at
// the end, when no key is left.
bool nextKeyId(std::string_view line, std::size_t& at, int32_t& id);
