#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/game_state.h"
#include "tables/record_line.h"
#include "tables/table_list.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
#include "text/format.h"
#include "text/safe_write.h"

// Writes the twelve table files under GameState::folder in their write order
// (table_list.h: TBullets, TCockpits, TShips, TFactories, TLaser, TShields,
// TRockets, then the five ware files), each rebuilt from memory as tableText
// makes it with the table's header value and count.
// Changes nothing in memory.
// Each file is replaced in one step by a completely written and flushed temporary;
// the first save that finds no ".bak" first copies the table's previous bytes to
// it, and an existing ".bak" is never changed. A table missing at start-up is not
// created; one kept from saving (table_file.h) is not touched. A file that cannot
// be written keeps its previous content and no temporary stays behind.
// The tables in `leftAsTheyAre` are not written at all. A table with an
// identity in `expected` (by TableId) is written only while its file still has
// it: one that another program wrote since the caller looked keeps the other
// program's bytes, makes no ".bak" and is reported as changed, so that the caller
// can look again rather than overwrite it. The file is compared before anything
// is written and again just before the replace.
// Reports the files that could not be written, by their paths as the editor
// names them ("types\TShips.txt") with the system's reason, and how many were,
// each written one with the identity of the bytes it now holds.
struct SavedTable {
    TableId id;
    FileFingerprint identity;
};
struct SaveReport {
    std::vector<SaveFailure> failed; // in writing order; empty when all went well
    int written = 0;
    std::vector<SavedTable> saved; // the written tables, in writing order
    std::vector<TableId> changed;  // not written: the file no longer had its expected identity
};
// The identity each table file must have when it is replaced, by TableId; none:
// the file is replaced whatever it holds.
using ExpectedFiles = std::array<std::optional<FileFingerprint>, kTableCount>;
SaveReport saveAllTables(const GameState& state, std::span<const TableId> leftAsTheyAre = {},
                         const ExpectedFiles& expected = {});


// Writes one table file, `name` as the editor names it ("types\TShips.txt") under
// `folder`, the way saveAllTables writes each: the header with `headerValue` and
// the number of records as the count, `records`, and what `file` kept of the file
// (text after the header, lines after the records, line ends), with the same temporary,
// one-step replace and ".bak" rule; then makes the replace durable. False, with
// nothing touched, for a table whose file was missing at loading or is kept from saving (table_file.h),
// or when the file could not be written (it then keeps its previous content).
template <class Records>
bool saveTableFile(const std::string& folder, std::string_view name, int32_t headerValue,
                   const TableFile& file, const Records& records);

// The bytes of a table file: the remarks, the header "%d;%d;" with `headerValue`
// and `count` and the text kept after it, a line per record, the kept trailing
// lines, with the line ends the file was read with (a lone LF when every line had
// one, else CR LF; the last line ends only if it did before).
template <class Records>
std::string tableText(int32_t headerValue, int32_t count, const TableFile& file, const Records& records) {
    // Line ends as the file had them, so that an untouched line stays untouched
    // in a version-control diff.
    const std::string_view end = file.lfOnly ? std::string_view("\n") : std::string_view("\r\n");
    std::string text;
    for (const std::string& remark : file.remarks) text.append(remark).append(end);
    text += formatText("%d;%d;", {headerValue, count});
    text.append(file.headerRest).append(end);
    for (const auto& record : records) appendRecordLine(text, record, end);
    for (const std::string& line : file.trailingLines) text.append(line).append(end);
    if (!file.finalLineEnd) text.erase(text.size() - end.size());
    return text;
}

// The bytes saveTableFile writes for the table: tableText with the records' number.
template <class Records>
std::string tableFileText(int32_t headerValue, const TableFile& file, const Records& records) {
    return tableText(headerValue, static_cast<int32_t>(std::size(records)), file, records);
}

// Puts `text` in place of table file `name` under `folder` as saveTableFile does.
bool saveTableText(const std::string& folder, std::string_view name, std::string_view text);

template <class Records>
bool saveTableFile(const std::string& folder, std::string_view name, int32_t headerValue,
                   const TableFile& file, const Records& records) {
    return writtenBySave(file) && saveTableText(folder, name, tableFileText(headerValue, file, records));
}
