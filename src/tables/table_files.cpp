#include "tables/table_files.h"

#include <string>

#include "text/file_fingerprint.h"

std::vector<TableFileEntry> tableFiles(const GameState& state) {
    std::vector<TableFileEntry> files;
    for (TableId id : {TableId::ships, TableId::cockpits, TableId::lasers, TableId::bullets,
                       TableId::shields, TableId::rockets, TableId::stations, TableId::wareB,
                       TableId::wareE, TableId::wareF, TableId::wareM, TableId::wareT})
        visitTable(state, id, [&](const auto& table) {
            files.push_back({table.name.fileName, &table.file, id});
        });
    return files;
}

TableFile& tableFile(GameState& s, TableId id) {
    return withTable(s, id, [](const auto& slot) -> TableFile& { return slot.facts.file; });
}

std::vector<TableFileEntry> tablesChangedOnDisk(const GameState& state) {
    std::vector<TableFileEntry> changed;
    for (const TableFileEntry& entry : tableFiles(state))
        if (writtenBySave(*entry.file) &&
            fingerprintOnDisk(state.folder + std::string(entry.name)) != entry.file->identity)
            changed.push_back(entry);
    return changed;
}
