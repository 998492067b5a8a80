#include "tables/table_files.h"

#include <string>

#include "text/file_identity.h"

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
    switch (id) {
    case TableId::ships: return s.shipsFile;
    case TableId::lasers: return s.lasersFile;
    case TableId::bullets: return s.bulletsFile;
    case TableId::shields: return s.shieldsFile;
    case TableId::rockets: return s.rocketsFile;
    case TableId::cockpits: return s.cockpitsFile;
    case TableId::stations: return s.stationsFile;
    default: return s.wareGroups[static_cast<int>(id) - static_cast<int>(TableId::wareB)].file;
    }
}

std::vector<TableFileEntry> tablesChangedOnDisk(const GameState& state) {
    std::vector<TableFileEntry> changed;
    for (const TableFileEntry& entry : tableFiles(state))
        if (writtenBySave(*entry.file) &&
            identityOnDisk(state.folder + std::string(entry.name)) != entry.file->identity)
            changed.push_back(entry);
    return changed;
}
