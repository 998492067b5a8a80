#include "tables/table_files.h"

#include "tables/table_list.h"

std::vector<TableFileEntry> tableFiles(const GameState& state) {
    std::vector<TableFileEntry> files;
    for (TableId id : {TableId::ships, TableId::cockpits, TableId::lasers, TableId::bullets,
                       TableId::shields, TableId::rockets, TableId::stations, TableId::wareB,
                       TableId::wareE, TableId::wareF, TableId::wareM, TableId::wareT})
        visitTable(state, id, [&](const auto& table) {
            files.push_back({table.name.fileName, &table.file});
        });
    return files;
}
