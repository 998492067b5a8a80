// Loading every table: one rule for all, each table from its own file, or from
// another (its ".bak") for the tools that compare.

#include "tables/load_tables.h"
#include "tables/read_table_file.h"

#include <type_traits>
#include <utility>
#include <vector>

namespace {

// Hands each record to the editor's sink right after its line is read.
struct PassToSink {
    NameSink sink;
    template <class Record> void operator()(const Record& record) const {
        if (sink.fn) sink.fn(sink.context, record.nameTextId, record.objectId);
    }
};

} // namespace

void loadTable(GameState& state, TableId id, NameSink sink) {
    if (isWareTable(id)) return loadWares(state);
    loadTableFrom(state, id, tableName(id).fileName, sink);
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

// Loads table `id` of `s` by `load(records, headerValue, count, file, before, after)`,
// which reads one file's lines by the common rule; the records read then take
// the table's place (a ware file's among the wares of the other four).
template <class Load> void loadTableBy(GameState& s, TableId id, NameSink sink, Load load) {
    withTable(s, id, [&](const auto& slot) {
        using Record = typename std::decay_t<decltype(slot)>::Record;
        std::vector<Record> records;
        if constexpr (std::is_same_v<Record, TLasers> || std::is_same_v<Record, TShields> ||
                      std::is_same_v<Record, TRockets>) {
            load(records, slot.facts.headerValue, slot.facts.count, slot.facts.file, NoRecordStep{},
                 PassToSink{sink});
        } else {
            load(records, slot.facts.headerValue, slot.facts.count, slot.facts.file, NoRecordStep{},
                 NoRecordStep{});
        }
        replaceRecords(slot, std::move(records));
    });
}

} // namespace

void loadTableFrom(GameState& s, TableId id, std::string_view fileName, NameSink sink) {
    const std::string path = s.folder + std::string(fileName);
    loadTableBy(s, id, sink, [&](auto& table, int32_t& header, int32_t& count, TableFile& file, auto before,
                                 auto after) { loadTableFile(path, table, header, count, file, before, after); });
}

void loadTableBytes(GameState& s, TableId id, std::string bytes) {
    loadTableBy(s, id, {}, [&](auto& table, int32_t& header, int32_t& count, TableFile& file, auto before,
                               auto after) { loadTableText(std::move(bytes), table, header, count, file, before, after); });
}
