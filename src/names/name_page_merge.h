#pragma once
// Three versions of a name page merged: the page as last read (BASE), as edited
// here (MINE) and as another program left it (THEIRS), line by line on page 17.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct NameConflict {
    int32_t textId = 0;
    // The names the two sides' lines give, as lists show them (Windows-1251);
    // empty for a side that removed the line.
    std::string mine, theirs;
};

struct NamePageMerge {
    std::string bytes;      // the merged page; MINE's bytes when wholeFile
    bool wholeFile = false; // both sides changed what no line-by-line merge settles
    std::vector<NameConflict>
        conflicts; // ids both sides changed otherwise; MINE's lines kept for them
};

// The merge. A side equal to BASE takes the other side whole, and two equal sides
// give that page. Else each page must have a page 17 fit for edits
// (page17InFormat), and the merge goes in two parts. The bytes outside page 17's
// lines (up to and with its opening line, from its closing line on) are THEIRS'
// when only THEIRS changed them, else MINE's when THEIRS did not or did the
// same; changed on both sides otherwise: wholeFile. Page 17's lines are THEIRS'
// when only THEIRS changed them, else MINE's, except when both changed them:
// then lines are matched by their first key id="N" (the first line with a key
// wins; lines without a key, and later lines with a key taken, are plain
// lines), and from MINE's lines on: THEIRS' change of a BASE line MINE left as it
// was is taken (its text in MINE's line's place, or the line removed); a line
// THEIRS added with an id MINE has not is appended after MINE's last line with
// MINE's line end; an id both changed or added otherwise is a conflict.
// Lines compare without their leading and trailing blanks. When THEIRS changed
// the plain lines and MINE did not do the same, the result is wholeFile.
NamePageMerge mergeNamePages(std::string_view base, std::string_view mine, std::string_view theirs);
