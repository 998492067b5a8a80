#pragma once
// One record line of a table file, read into a record or written from it, both
// driven by the column lists of columns.h.

#include <cstdint>
#include <string>
#include <string_view>

#include "tables/records.h"
#include "tables/table_file.h"

// A header count, or a ship line's group count, above this makes the table unreadable.
inline constexpr int32_t kMaxTableCount = 1'000'000;

// How many group entries one table may hold beyond what its file can fill: entries
// announced by a ship line's count but lacking the fields on their line. Honest
// entries are bounded by the file's own fields, so a table never holds more than
// its file's fields plus this many entries, whatever its counts say.
inline constexpr int64_t kMaxPaddingEntries = 1'000'000;

// What reading a line found wrong first; kind none when the line is sound.
struct LineFault {
    TableProblemKind kind = TableProblemKind::none;
    int field = 0;         // from 1; 0 for text after the last field
    std::string_view text; // a view into the line read
};

// Reads the fields of `line` into `record` (taken as freshly made): numbers with
// textToInt/textToReal, the last field unconverted into objectId; missing fields
// read as 0 or empty. When objectId was ended by a semicolon, the text after it is
// kept in `rest`; otherwise `rest` is empty. A ship's groups are sized from their
// counts (negative: empty), and each entry the line cannot fill is taken from
// `paddingBudget`.
// Returns the first fault: a numeric field outside checkIntegerField/checkRealField,
// text after the last semicolon that no field keeps (notInFormat kinds), a group
// count above kMaxTableCount or a budget that would go below 0 (groupTooLarge,
// tooManyEmpty: the record is then partly read). Short lines and lines with more
// fields than the columns take are sound.
LineFault readRecordLine(std::string_view line, TShips& record, int64_t& paddingBudget);
LineFault readRecordLine(std::string_view line, TLasers& record, int64_t& paddingBudget);
LineFault readRecordLine(std::string_view line, TBullets& record, int64_t& paddingBudget);
LineFault readRecordLine(std::string_view line, TShields& record, int64_t& paddingBudget);
LineFault readRecordLine(std::string_view line, TRockets& record, int64_t& paddingBudget);
LineFault readRecordLine(std::string_view line, TCockpits& record, int64_t& paddingBudget);
LineFault readRecordLine(std::string_view line, TStations& record, int64_t& paddingBudget);
LineFault readRecordLine(std::string_view line, TWares& record, int64_t& paddingBudget);

// Appends the record's line to `out`: every column followed by a semicolon
// (intToText, realToText; ship columns 2..4 by manoeuvrabilityText), a group's
// stored count followed by the entries it holds, then `rest`, then `lineEnd`.
void appendRecordLine(std::string& out, const TShips& record, std::string_view lineEnd = "\r\n");
void appendRecordLine(std::string& out, const TLasers& record, std::string_view lineEnd = "\r\n");
void appendRecordLine(std::string& out, const TBullets& record, std::string_view lineEnd = "\r\n");
void appendRecordLine(std::string& out, const TShields& record, std::string_view lineEnd = "\r\n");
void appendRecordLine(std::string& out, const TRockets& record, std::string_view lineEnd = "\r\n");
void appendRecordLine(std::string& out, const TCockpits& record, std::string_view lineEnd = "\r\n");
void appendRecordLine(std::string& out, const TStations& record, std::string_view lineEnd = "\r\n");
void appendRecordLine(std::string& out, const TWares& record, std::string_view lineEnd = "\r\n");

// A ship manoeuvrability value as the game expects it: realToText, with ".0"
// appended when the text has no point (so it reads back as the same value), then
// zeros appended up to 7 characters: 0.58 -> 0.58000, 1 -> 1.00000, -0.5 -> -0.5000;
// 7 or more characters stay as they are.
std::string manoeuvrabilityText(double value);
