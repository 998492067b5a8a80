#include "tables/save_tables.h"

#include <algorithm>
#include <span>

#include "tables/record_line.h"
#include "tables/table_list.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
#include "text/format.h"
#include "text/strings.h"

namespace {

template <class Record>
std::string tableText(int32_t headerValue, int32_t count, const TableFile& file,
                      std::span<const Record> records) {
    // Line ends as the file had them, so that an untouched line stays untouched
    // in a version-control diff.
    const std::string_view end = file.lfOnly ? std::string_view("\n") : std::string_view("\r\n");
    std::string text;
    for (const std::string& remark : file.remarks) text.append(remark).append(end);
    text += formatText("%d;%d;", {headerValue, count});
    text.append(file.headerRest).append(end);
    for (const Record& record : records) appendRecordLine(text, record, end);
    for (const std::string& line : file.trailingLines) text.append(line).append(end);
    if (!file.finalLineEnd) text.erase(text.size() - end.size());
    return text;
}

template <class Record>
FileFault saveOne(const std::string& folder, std::string_view name, int32_t headerValue,
                  int32_t count, const TableFile& file, std::span<const Record> records) {
    const std::string fileName(name);
    return writeWithBackup(folder, fileName, tableText(headerValue, count, file, records)).fault;
}

template <class Record>
bool saveAndFlush(const std::string& folder, std::string_view name, int32_t headerValue,
                  const TableFile& file, std::span<const Record> records) {
    if (!writtenBySave(file)) return false;
    const bool written = saveOne(folder, name, headerValue, static_cast<int32_t>(records.size()),
                                 file, records) == FileFault::None;
    flushFolder(folder + "types");
    return written;
}

} // namespace

SaveReport saveAllTables(const GameState& state, std::span<const TableId> leftAsTheyAre,
                         const ExpectedFiles& expected) {
    SaveReport report;
    for (TableId id : tablesInSaveOrder()) {
        if (std::find(leftAsTheyAre.begin(), leftAsTheyAre.end(), id) != leftAsTheyAre.end())
            continue;
        visitTable(state, id, [&](const auto& table) {
            if (!writtenBySave(table.file)) return;
            const std::string text = tableText(table.headerValue, table.count, table.file, table.records);
            const FileWrite written = writeWithBackup(state.folder, std::string(table.name.fileName), text,
                                                      expected[static_cast<size_t>(id)]);
            if (written.ok()) {
                ++report.written;
                report.saved.push_back({id, fingerprintOf(text)});
            } else if (written.changed) {
                report.changed.push_back(id);
            } else {
                report.failed.push_back({std::string(table.name.fileName), written.fault});
            }
        });
    }
    // Every table and backup was renamed into place: one flush of the folder
    // makes all of those renames durable.
    flushFolder(state.folder + "types");
    return report;
}

#define ORVEX_SAVE_TABLE_FILE(Record)                                                            \
    bool saveTableFile(const std::string& folder, std::string_view name, int32_t headerValue,    \
                       const TableFile& file, std::span<const Record> records) {                 \
        return saveAndFlush(folder, name, headerValue, file, records);                           \
    }
ORVEX_SAVE_TABLE_FILE(TShips)
ORVEX_SAVE_TABLE_FILE(TLasers)
ORVEX_SAVE_TABLE_FILE(TBullets)
ORVEX_SAVE_TABLE_FILE(TShields)
ORVEX_SAVE_TABLE_FILE(TRockets)
ORVEX_SAVE_TABLE_FILE(TCockpits)
ORVEX_SAVE_TABLE_FILE(TStations)
ORVEX_SAVE_TABLE_FILE(TWares)
#undef ORVEX_SAVE_TABLE_FILE

#define ORVEX_TABLE_FILE_TEXT(Record)                                                            \
    std::string tableFileText(int32_t headerValue, const TableFile& file,                       \
                              std::span<const Record> records) {                                \
        return tableText(headerValue, static_cast<int32_t>(records.size()), file, records);     \
    }
ORVEX_TABLE_FILE_TEXT(TShips)
ORVEX_TABLE_FILE_TEXT(TLasers)
ORVEX_TABLE_FILE_TEXT(TBullets)
ORVEX_TABLE_FILE_TEXT(TShields)
ORVEX_TABLE_FILE_TEXT(TRockets)
ORVEX_TABLE_FILE_TEXT(TCockpits)
ORVEX_TABLE_FILE_TEXT(TStations)
ORVEX_TABLE_FILE_TEXT(TWares)
#undef ORVEX_TABLE_FILE_TEXT
