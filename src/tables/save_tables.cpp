#include "tables/save_tables.h"

#include <algorithm>
#include <span>

#include "tables/record_line.h"
#include "tables/table_list.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
#include "text/format.h"
#include "text/strings.h"

SaveReport saveAllTables(const GameState& state, std::span<const TableId> leftAsTheyAre,
                         const ExpectedFiles& expected) {
    SaveReport report;
    for (TableId id : tablesInSaveOrder()) {
        if (std::find(leftAsTheyAre.begin(), leftAsTheyAre.end(), id) != leftAsTheyAre.end())
            continue;
        const std::string_view fileName = tableName(id).fileName;
        visitTable(state, id, [&](const auto& table) {
            if (!writtenBySave(table.file)) return;
            const std::string text = tableText(table.headerValue, table.count, table.file, table.records);
            const FileWrite written = writeWithBackup(state.folder, std::string(fileName), text,
                                                      expected[static_cast<size_t>(id)]);
            if (written.ok()) {
                ++report.written;
                report.saved.push_back({id, fingerprintOf(text)});
            } else if (written.changed) {
                report.changed.push_back(id);
            } else {
                report.failed.push_back({std::string(fileName), written.fault});
            }
        });
    }
    // Every table and backup was renamed into place: one flush of the folder
    // makes all of those renames durable.
    flushFolder(state.folder + "types");
    return report;
}

bool saveTableText(const std::string& folder, std::string_view name, std::string_view text) {
    const bool written = writeWithBackup(folder, std::string(name), text).fault == FileFault::None;
    flushFolder(folder + "types");
    return written;
}
