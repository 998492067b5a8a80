// Loading every table: one rule for all, each table from its own file, or from
// another (its ".bak") for the tools that compare.

#include "tables/load_tables.h"
#include "tables/read_table_file.h"

#include <type_traits>
#include <utility>
#include <vector>

void loadTable(GameState& state, TableId id) {
    if (isWareTable(id)) return loadWares(state);
    loadTableFrom(state, id, tableName(id).fileName);
}

void loadWares(GameState& state) {
    state.wares.clear();
    for (int g = 0; g < static_cast<int>(state.wareFiles.size()); ++g)
        loadTableFrom(state, wareTable(g), tableName(wareTable(g)).fileName);
}

void loadAllTables(GameState& state) {
    for (const TableName& table : kTableNames)
        if (!isWareTable(table.id)) loadTable(state, table.id);
    loadWares(state);
}

namespace {

// Loads table `id` of `s` by `load(records, headerValue, count, file)`, which
// reads one file's lines by the common rule; the records read then take the
// table's place (a ware file's among the wares of the other four).
template <class Load> void loadTableBy(GameState& s, TableId id, Load load) {
    withTable(s, id, [&](const auto& slot) {
        using Record = typename std::decay_t<decltype(slot)>::Record;
        std::vector<Record> records;
        load(records, slot.facts.headerValue, slot.facts.count, slot.facts.file);
        replaceRecords(slot, std::move(records));
    });
}

} // namespace

void loadTableFrom(GameState& s, TableId id, std::string_view fileName) {
    const std::string path = s.folder + std::string(fileName);
    loadTableBy(s, id, [&](auto& table, int32_t& header, int32_t& count, TableFile& file) {
        loadTableFile(path, table, header, count, file);
    });
}

void loadTableBytes(GameState& s, TableId id, std::string bytes) {
    loadTableBy(s, id, [&](auto& table, int32_t& header, int32_t& count, TableFile& file) {
        loadTableText(std::move(bytes), table, header, count, file);
    });
}
