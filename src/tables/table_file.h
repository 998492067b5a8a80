#pragma once
// What the editor remembers of a table file besides its records, so that a save
// never loses or invents anything, and why a table it cannot represent is kept
// away from every save.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/fields.h"
#include "text/file_fingerprint.h"
#include "text/language.h"

enum class TableProblemKind {
    none,
    // Not in this game's format: the file is left as it is.
    noHeader,           // the header does not start with two integer fields
    notNumber,          // a numeric field holds other text
    notInteger,         // an integer field holds a real ("1.5", "1e5")
    outOfRange,         // an integer field beyond the signed 32-bit range
    textAfterLastField, // text after the line's last semicolon that no field keeps
    nulByte,            // a NUL byte, which would cut the text every reader sees
    // Not in format, yet the records the file holds are loaded: the header counts
    // more records than the file has lines, and a save would invent the rest.
    countAboveLines,
    otherVersion,       // a number where the objectId stands: a table of another version of the game
    // Unreadable: counts that would build absurd tables.
    badCount,      // a header count below 0 or above 1,000,000
    groupTooLarge, // a ship line's group count above 1,000,000
    tooManyEmpty,  // more group entries than a ship line's fields can fill
};

// The problem a field that breaks the rules of fields.h makes (fault not none).
inline TableProblemKind problemKindOf(FieldFault fault) {
    return fault == FieldFault::notInteger   ? TableProblemKind::notInteger
           : fault == FieldFault::outOfRange ? TableProblemKind::outOfRange
                                             : TableProblemKind::notNumber;
}

// The first place where a file failed, numbered from 1 as a text editor counts.
struct TableProblem {
    TableProblemKind kind = TableProblemKind::none;
    int line = 0;
    int field = 0;    // 0 when the reason concerns the whole line
    std::string text; // the offending text or count as in the file; a NUL's byte offset
    int32_t recordLines = 0; // countAboveLines: the record lines the file has
};

struct TableFile {
    // The file could not be read at start-up: the table is empty and a save does
    // not create the file (an empty table would replace the game's own with nothing).
    bool missing = false;
    // A count was out of bounds (see load_tables.h): the table is empty and a save
    // never touches the file or its backup.
    bool unreadable = false;
    // A line the writer could not give back as it stands (see fields.h), or a NUL
    // byte: treated like an unreadable table. A count above the lines is not in
    // format too, but its records are loaded (recordsLoaded).
    bool notInFormat = false;
    TableProblem problem; // why the table is unreadable or not in format

    // The "//" remark lines before the header, written back first, in order.
    std::vector<std::string> remarks;
    // Text after the header's second semicolon, written back after "%d;%d;".
    std::string headerRest;
    // Lines after the last record, written back unchanged after the records.
    std::vector<std::string> trailingLines;

    // The file as the program last read or wrote it: a save asks before it
    // overwrites a file that another program has changed since.
    FileFingerprint identity;
    // How the lines ended, given back on writing: a lone LF each (else CR LF), and
    // whether the last line had an end.
    bool lfOnly = false;
    bool finalLineEnd = true;
};

// Unreadable or not in format: no save may write the table. It loaded empty,
// unless recordsLoaded.
inline bool keptFromSaving(const TableFile& file) { return file.unreadable || file.notInFormat; }

// Whether a save writes the table: a missing one would come back as an empty file
// that replaces the game's own; one kept from saving would lose what was not read.
inline bool writtenBySave(const TableFile& file) { return !file.missing && !keptFromSaving(file); }

// Kept from saving only for a header count above the file's lines: the records
// the file holds are loaded, so they may be shown and exported, and a whole new
// set of records (an import) may replace them with a count of its own.
inline bool recordsLoaded(const TableFile& file) {
    return file.notInFormat && file.problem.kind == TableProblemKind::countAboveLines;
}

// The file state a whole new set of records is written with: a count above the
// lines no longer applies, since the writer counts what it writes; any other
// state is kept as it is.
inline TableFile forReplacement(TableFile file) {
    if (recordsLoaded(file)) {
        file.notInFormat = false;
        file.problem = {};
    }
    return file;
}

// The place and the reason in the user's words (Windows-1251, in `language`), for example
// "строка 4, поле 6: «SG_LASER_IRE» — не число" or "строка 1: нет заголовка";
// a quoted text longer than 40 characters is cut with "…". Empty for kind none.
std::string problemText(const TableProblem& problem, Language language);

// A text of the file or of a cell quoted as the reasons quote it: «text», control
// characters shown as "?", cut after 40 characters with "…".
std::string quotedText(std::string_view text, Language language);

// The reason alone, without the place: "«SG_LASER_IRE» — не число".
std::string problemReason(const TableProblem& problem, Language language);
