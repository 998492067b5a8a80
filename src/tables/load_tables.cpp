// Loading every table: one rule for all, each table from its own file, or from
// another (its ".bak") for the tools that compare.

#include "tables/load_tables.h"
#include "tables/read_table_file.h"

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
    for (int g = 0; g < static_cast<int>(state.wareGroups.size()); ++g)
        loadTableFrom(state, wareTable(g), tableName(wareTable(g)).fileName);
}

void loadAllTables(GameState& state) {
    for (const TableName& table : kTableNames)
        if (!isWareTable(table.id)) loadTable(state, table.id);
    loadWares(state);
}

namespace {

// Loads table `id` of `s` by `load(records, headerValue, count, file, before, after)`,
// which reads one file's lines by the common rule.
template <class Load> void loadTableBy(GameState& s, TableId id, NameSink sink, Load load) {
    switch (id) {
    case TableId::ships:
        s.ships.clear();
        return load(s.ships, s.shipsHeader, s.shipCount, s.shipsFile, NoRecordStep{}, NoRecordStep{});
    case TableId::lasers:
        s.lasers.clear();
        return load(s.lasers, s.lasersHeader, s.laserCount, s.lasersFile, NoRecordStep{}, PassToSink{sink});
    case TableId::bullets:
        s.bullets.clear();
        return load(s.bullets, s.bulletsHeader, s.bulletCount, s.bulletsFile, NoRecordStep{}, NoRecordStep{});
    case TableId::shields:
        s.shields.clear();
        return load(s.shields, s.shieldsHeader, s.shieldCount, s.shieldsFile, NoRecordStep{}, PassToSink{sink});
    case TableId::rockets:
        s.rockets.clear();
        return load(s.rockets, s.rocketsHeader, s.rocketCount, s.rocketsFile, NoRecordStep{}, PassToSink{sink});
    case TableId::cockpits:
        s.cockpits.clear();
        return load(s.cockpits, s.cockpitsHeader, s.cockpitCount, s.cockpitsFile, NoRecordStep{}, NoRecordStep{});
    case TableId::stations:
        s.stations.clear();
        return load(s.stations, s.stationsHeader, s.stationCount, s.stationsFile, NoRecordStep{}, NoRecordStep{});
    default: {
        TWareInfo& info = s.wareGroups[wareFileIndex(id)];
        return load(s.wares, info.headerValue, info.recordCount, info.file, NoRecordStep{}, NoRecordStep{});
    }
    }
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
