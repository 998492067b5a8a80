#pragma once
// One record line of a table file, read into a record or written from it, both
// driven by the column lists of columns.h.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/columns.h"
#include "tables/fields.h"
#include "tables/records.h"
#include "tables/table_file.h"
#include "text/convert.h"

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
template <class Record> LineFault readRecordLine(std::string_view line, Record& record, int64_t& paddingBudget);

// Appends the record's line to `out`: every column followed by a semicolon
// (intToText, realToText; ship columns 2..4 by manoeuvrabilityText), a group's
// stored count followed by the entries it holds, then `rest`, then `lineEnd`.
template <class Record>
void appendRecordLine(std::string& out, const Record& record, std::string_view lineEnd = "\r\n");

// A ship manoeuvrability value as the game expects it: realToText, with ".0"
// appended when the text has no point (so it reads back as the same value), then
// zeros appended up to 7 characters: 0.58 -> 0.58000, 1 -> 1.00000, -0.5 -> -0.5000;
// 7 or more characters stay as they are.
std::string manoeuvrabilityText(double value);

// ---- How: a reader and a writer that the column lists of columns.h drive ----

// Takes the fields of one line in column order, checking each numeric field
// against the rules of fields.h and remembering the first fault. It counts the
// semicolons left on the line, which tells how many entries a group can still fill
// from it, and lets it answer every field after the last semicolon as empty
// without rescanning the leftover text (a huge count must not make reading
// quadratic).
class FieldReader {
public:
    FieldReader(std::string_view line, int64_t& paddingBudget);

    void operator()(std::string_view, int32_t& value) { readInteger(value); }
    void operator()(std::string_view, double& value);
    void operator()(std::string_view, std::string& text) { text = take(); }
    void manoeuvrability(std::string_view name, double& value) { (*this)(name, value); }

    template <class Entry>
    std::span<Entry> group(std::string_view, int32_t& count, std::vector<Entry>& entries) {
        static_assert(kEntryFields<Entry> > 0, "a group entry needs its field count");
        if (!groupFits(count, kEntryFields<Entry>)) return {};
        entries.resize(static_cast<size_t>(count));
        return entries;
    }

    // Keeps the text after the last field in `rest` and returns the line's first
    // fault, that text included, and a number in place of `objectId`.
    LineFault finish(const std::string& objectId, std::string& rest);

private:
    std::string_view take();
    std::string_view readInteger(int32_t& value); // returns the field's text
    bool groupFits(int32_t& count, int entryFields);
    void check(FieldFault fault, std::string_view field);
    void fail(TableProblemKind kind, std::string_view field);

    std::string_view whole_;
    std::string_view line_;
    int64_t fieldsLeft_;
    int64_t& paddingBudget_;
    int fieldNumber_ = 0;
    LineFault fault_;
    bool stopped_ = false;
    bool lastFieldEnded_ = false;
};

class FieldWriter {
public:
    explicit FieldWriter(std::string& out) : out_(out) {}

    void operator()(std::string_view, int32_t value) { field(intToText(value)); }
    void operator()(std::string_view, double value) { field(realToText(value)); }
    void operator()(std::string_view, const std::string& text) { field(text); }
    void manoeuvrability(std::string_view, double value) { field(manoeuvrabilityText(value)); }

    template <class Entry>
    std::span<const Entry> group(std::string_view name, int32_t count, const std::vector<Entry>& entries) {
        (*this)(name, count);
        return entries;
    }

private:
    void field(std::string_view text) {
        out_ += text;
        out_ += ';';
    }

    std::string& out_;
};

template <class Record> LineFault readRecordLine(std::string_view line, Record& record, int64_t& paddingBudget) {
    FieldReader reader(line, paddingBudget);
    forEachColumn(record, reader);
    return reader.finish(record.objectId, record.rest);
}

template <class Record> void appendRecordLine(std::string& out, const Record& record, std::string_view lineEnd) {
    FieldWriter writer(out);
    forEachColumn(record, writer);
    out += record.rest;
    out += lineEnd;
}
