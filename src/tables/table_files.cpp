#include "tables/table_files.h"

#include <string>

#include "text/file_fingerprint.h"

std::vector<TableFileEntry> tableFiles(const GameState& state) {
    std::vector<TableFileEntry> files;
    for (TableId id : tablesInOrder(&TableName::readStep))
        files.push_back({tableName(id).fileName, visitTable(state, id, [](const auto& t) { return &t.file; }), id});
    return files;
}

TableFile& tableFile(GameState& s, TableId id) {
    return visitTable(s, id, [](auto& table) -> TableFile& { return table.file; });
}

std::vector<TableFileEntry> tablesChangedOnDisk(const GameState& state) {
    std::vector<TableFileEntry> changed;
    for (const TableFileEntry& entry : tableFiles(state))
        if (writtenBySave(*entry.file) &&
            fingerprintOnDisk(state.folder + std::string(entry.name)) != entry.file->identity)
            changed.push_back(entry);
    return changed;
}
