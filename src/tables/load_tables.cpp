// Loading every table: one rule for all, each table from its own file, or from
// another (its ".bak") for the tools that compare.

#include "tables/load_tables.h"
#include "tables/read_table_file.h"

#include <type_traits>
#include <utility>
#include <vector>

namespace {

// Loads table `id` of `s` by `load(records, headerValue, count, file)`, which
// reads one file's lines by the common rule; the records read then take the
// table's place.
template <class Load> void loadTableBy(GameState& s, TableId id, Load load) {
    visitTable(s, id, [&](auto& table) {
        std::vector<typename decltype(table.records)::value_type> records;
        load(records, table.headerValue, table.count, table.file);
        table.records = std::move(records);
    });
}

} // namespace

void loadTable(GameState& state, TableId id) { loadTableFrom(state, id, tableName(id).fileName); }

void loadAllTables(GameState& state) {
    for (const TableName& table : kTableNames) loadTable(state, table.id);
}

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
