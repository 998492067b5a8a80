#include "tables/table_rows.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "tables/record_line.h"
#include "text/convert.h"
#include "text/texts.h"
#include "text/format.h"

namespace {

inline constexpr Column kShipsColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer},
    {"manoeuvrabilityX", ColumnKind::real}, {"manoeuvrabilityY", ColumnKind::real},
    {"manoeuvrabilityRotation", ColumnKind::real}, {"col5", ColumnKind::integer},
    {"nameTextId", ColumnKind::integer}, {"speed", ColumnKind::integer},
    {"acceleration", ColumnKind::integer}, {"col9", ColumnKind::integer},
    {"col10", ColumnKind::integer}, {"col11", ColumnKind::integer}, {"col12", ColumnKind::integer},
    {"generatorPower", ColumnKind::integer}, {"col14", ColumnKind::integer},
    {"col15", ColumnKind::integer}, {"col16", ColumnKind::integer}, {"col17", ColumnKind::integer},
    {"mainWeaponMask", ColumnKind::integer}, {"col19", ColumnKind::integer},
    {"maxShieldType", ColumnKind::integer}, {"maxShieldCount", ColumnKind::integer},
    {"maxMissileType", ColumnKind::integer}, {"maxMissileCount", ColumnKind::integer},
    {"speedUpgrades", ColumnKind::integer}, {"manoeuvrabilityUpgrades", ColumnKind::integer},
    {"minCargoSize", ColumnKind::integer}, {"maxCargoSize", ColumnKind::integer},
    {"turretMounts[0].cockpitIndex", ColumnKind::integer},
    {"turretMounts[0].position", ColumnKind::integer},
    {"turretMounts[1].cockpitIndex", ColumnKind::integer},
    {"turretMounts[1].position", ColumnKind::integer},
    {"turretMounts[2].cockpitIndex", ColumnKind::integer},
    {"turretMounts[2].position", ColumnKind::integer},
    {"turretMounts[3].cockpitIndex", ColumnKind::integer},
    {"turretMounts[3].position", ColumnKind::integer},
    {"turretMounts[4].cockpitIndex", ColumnKind::integer},
    {"turretMounts[4].position", ColumnKind::integer},
    {"turretMounts[5].cockpitIndex", ColumnKind::integer},
    {"turretMounts[5].position", ColumnKind::integer}, {"hangarCapacity", ColumnKind::integer},
    {"cargoBayType", ColumnKind::integer}, {"col42", ColumnKind::integer},
    {"hullStrength", ColumnKind::integer}, {"col44", ColumnKind::integer},
    {"col45", ColumnKind::integer}, {"col46", ColumnKind::integer},
    {"itemCount", ColumnKind::integer}, {"groups", ColumnKind::groups},
    {"tail1", ColumnKind::integer}, {"priceCoefficient", ColumnKind::integer},
    {"tail3", ColumnKind::integer}, {"tail4", ColumnKind::integer}, {"tail5", ColumnKind::integer},
    {"objectId", ColumnKind::text},
};
inline constexpr Column kLasersColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer}, {"col2", ColumnKind::real},
    {"col3", ColumnKind::real}, {"col4", ColumnKind::integer}, {"col5", ColumnKind::integer},
    {"nameTextId", ColumnKind::integer}, {"fireDelay", ColumnKind::integer},
    {"col8", ColumnKind::integer}, {"col9", ColumnKind::integer},
    {"laserPower", ColumnKind::integer}, {"col11", ColumnKind::real},
    {"volume", ColumnKind::integer}, {"priceCoefficient", ColumnKind::integer},
    {"averagePriceChange", ColumnKind::integer}, {"col15", ColumnKind::integer},
    {"containerType", ColumnKind::integer}, {"objectId", ColumnKind::text},
};
inline constexpr Column kBulletsColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer}, {"col2", ColumnKind::real},
    {"col3", ColumnKind::real}, {"col4", ColumnKind::real}, {"col5", ColumnKind::integer},
    {"col6", ColumnKind::integer}, {"shieldDamage", ColumnKind::integer},
    {"shotEnergy", ColumnKind::integer}, {"col9", ColumnKind::integer},
    {"flightTime", ColumnKind::integer}, {"projectileSpeed", ColumnKind::integer},
    {"col12", ColumnKind::integer}, {"col13", ColumnKind::integer}, {"col14", ColumnKind::integer},
    {"col15", ColumnKind::integer}, {"col16", ColumnKind::real}, {"col17", ColumnKind::real},
    {"col18", ColumnKind::integer}, {"col19", ColumnKind::integer}, {"col20", ColumnKind::integer},
    {"col21", ColumnKind::integer}, {"hullDamage", ColumnKind::integer},
    {"col23", ColumnKind::integer}, {"col24", ColumnKind::integer}, {"col25", ColumnKind::integer},
    {"col26", ColumnKind::integer}, {"col27", ColumnKind::integer}, {"col28", ColumnKind::integer},
    {"col29", ColumnKind::integer}, {"col30", ColumnKind::integer}, {"col31", ColumnKind::integer},
    {"objectId", ColumnKind::text},
};
inline constexpr Column kShieldsColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer}, {"col2", ColumnKind::real},
    {"col3", ColumnKind::real}, {"col4", ColumnKind::integer}, {"col5", ColumnKind::integer},
    {"nameTextId", ColumnKind::integer}, {"powerTenth", ColumnKind::integer},
    {"shieldPower", ColumnKind::integer}, {"col9", ColumnKind::integer},
    {"col10", ColumnKind::real}, {"volume", ColumnKind::integer},
    {"priceCoefficient", ColumnKind::integer}, {"averagePriceChange", ColumnKind::integer},
    {"col14", ColumnKind::integer}, {"containerType", ColumnKind::integer},
    {"objectId", ColumnKind::text},
};
inline constexpr Column kRocketsColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer}, {"col2", ColumnKind::real},
    {"col3", ColumnKind::real}, {"col4", ColumnKind::integer}, {"col5", ColumnKind::integer},
    {"nameTextId", ColumnKind::integer}, {"missileSpeed", ColumnKind::integer},
    {"col8", ColumnKind::integer}, {"col9", ColumnKind::integer}, {"col10", ColumnKind::integer},
    {"col11", ColumnKind::integer}, {"shieldDamage", ColumnKind::integer},
    {"col13", ColumnKind::integer}, {"col14", ColumnKind::integer}, {"col15", ColumnKind::integer},
    {"col16", ColumnKind::integer}, {"col17", ColumnKind::integer}, {"col18", ColumnKind::integer},
    {"col19", ColumnKind::integer}, {"col20", ColumnKind::integer}, {"col21", ColumnKind::integer},
    {"col22", ColumnKind::integer}, {"col23", ColumnKind::integer}, {"col24", ColumnKind::integer},
    {"volume", ColumnKind::integer}, {"priceCoefficient", ColumnKind::integer},
    {"averagePriceChange", ColumnKind::integer}, {"col28", ColumnKind::integer},
    {"containerType", ColumnKind::integer}, {"objectId", ColumnKind::text},
};
inline constexpr Column kCockpitsColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer}, {"col2", ColumnKind::integer},
    {"col3", ColumnKind::integer}, {"col4", ColumnKind::integer}, {"col5", ColumnKind::integer},
    {"col6", ColumnKind::integer}, {"col7", ColumnKind::integer},
    {"weaponMask", ColumnKind::integer}, {"col9", ColumnKind::integer},
    {"col10", ColumnKind::integer}, {"col11", ColumnKind::integer}, {"col12", ColumnKind::integer},
    {"col13", ColumnKind::integer}, {"objectId", ColumnKind::text},
};
inline constexpr Column kStationsColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer}, {"col2", ColumnKind::integer},
    {"col3", ColumnKind::integer}, {"col4", ColumnKind::integer}, {"col5", ColumnKind::integer},
    {"nameTextId", ColumnKind::integer}, {"col7", ColumnKind::integer}, {"col8", ColumnKind::real},
    {"col9", ColumnKind::integer}, {"col10", ColumnKind::integer}, {"col11", ColumnKind::integer},
    {"col12", ColumnKind::integer}, {"race", ColumnKind::integer}, {"col14", ColumnKind::integer},
    {"col15", ColumnKind::integer}, {"volume", ColumnKind::integer},
    {"priceCoefficient", ColumnKind::integer}, {"col18", ColumnKind::integer},
    {"col19", ColumnKind::integer}, {"containerType", ColumnKind::integer},
    {"objectId", ColumnKind::text},
};
inline constexpr Column kWaresColumns[] = {
    {"col0", ColumnKind::integer}, {"col1", ColumnKind::integer}, {"col2", ColumnKind::real},
    {"col3", ColumnKind::real}, {"col4", ColumnKind::integer}, {"col5", ColumnKind::integer},
    {"nameTextId", ColumnKind::integer}, {"volume", ColumnKind::integer},
    {"priceCoefficient", ColumnKind::integer}, {"averagePriceChange", ColumnKind::integer},
    {"col10", ColumnKind::integer}, {"containerType", ColumnKind::integer},
    {"objectId", ColumnKind::text},
};

constexpr int kShipFixedFields = 48; // up to itemCount
constexpr int kShipTailFields = 6;   // tail1 .. tail5, objectId

std::string faultReason(FieldFault fault, std::string_view field, Language language) {
    return problemReason({problemKindOf(fault), 0, 0, std::string(field)}, language);
}

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == ';') {
            fields.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    return fields;
}

template <class Record> std::vector<std::string> cellsOf(const Record& record) {
    std::string line;
    appendRecordLine(line, record);
    line.resize(line.size() - 2 - record.rest.size()); // CR LF, rest
    const std::vector<std::string_view> fields = splitFields(line);
    std::vector<std::string> cells;
    if constexpr (std::is_same_v<Record, TShips>) {
        const size_t groupsEnd = fields.size() - kShipTailFields;
        cells.assign(fields.begin(), fields.begin() + kShipFixedFields);
        std::string groups;
        for (size_t i = kShipFixedFields; i < groupsEnd; ++i) (groups += fields[i]) += ';';
        cells.push_back(std::move(groups));
        cells.insert(cells.end(), fields.begin() + static_cast<long>(groupsEnd), fields.end());
    } else {
        cells.assign(fields.begin(), fields.end());
    }
    return cells;
}

// Checks a groups cell against the ship's itemCount: items of four fields, the
// turret count, and per turret four fields (the last its gun group count) and
// six per gun group. Returns the reason, or empty text.
std::string groupsProblem(std::string_view cell, int32_t itemCount, Language language) {
    if (!cell.empty() && cell.back() != ';')
        return std::string(text(Text::unfinishedLastField, language));
    const std::vector<std::string_view> fields = splitFields(cell);
    for (std::string_view field : fields)
        if (const FieldFault fault = checkIntegerField(field); fault != FieldFault::none)
            return faultReason(fault, field, language);
    int64_t needed = 4 * int64_t{std::max(0, itemCount)} + 1;
    bool countTooLarge = itemCount > kMaxTableCount;
    if (needed <= static_cast<int64_t>(fields.size())) {
        const int32_t turrets = textToInt(fields[static_cast<size_t>(needed - 1)]);
        countTooLarge = countTooLarge || turrets > kMaxTableCount;
        for (int32_t t = 0; t < turrets && !countTooLarge; ++t) {
            needed += 4;
            if (needed > static_cast<int64_t>(fields.size())) break;
            const int32_t gunGroups = textToInt(fields[static_cast<size_t>(needed - 1)]);
            countTooLarge = gunGroups > kMaxTableCount;
            needed += 6 * int64_t{std::max(0, gunGroups)};
        }
    }
    if (countTooLarge)
        return formatText(text(Text::groupLargerThan, language), {kMaxTableCount});
    if (needed == static_cast<int64_t>(fields.size())) return {};
    return formatText(
        text(Text::groupsCellFields, language),
        {static_cast<int32_t>(fields.size()), itemCount,
         needed > static_cast<int64_t>(fields.size()) ? text(Text::atLeast, language) : "",
         static_cast<int32_t>(std::min<int64_t>(needed, INT32_MAX))});
}

// The column that holds field `field` (from 1) of the line the cells make; -1
// (rest) for 0 or a field past the last column.
int columnOfField(std::span<const Column> columns, std::span<const std::string> cells, int field) {
    int64_t first = 1;
    for (size_t c = 0; c < columns.size(); ++c) {
        const int64_t width = columns[c].kind == ColumnKind::groups
                                  ? std::count(cells[c].begin(), cells[c].end(), ';')
                                  : 1;
        if (field >= first && field < first + width) return static_cast<int>(c);
        first += width;
    }
    return -1;
}

template <class Record>
std::vector<CellProblem> readCells(std::span<const std::string> cells, std::string_view rest,
                                   Record& record, Language language) {
    const std::span<const Column> columns = recordColumns<Record>();
    std::vector<CellProblem> problems;
    if (cells.size() != columns.size()) {
        problems.push_back({-1, formatText(text(Text::cellCount, language),
                                           {static_cast<int32_t>(cells.size()),
                                            static_cast<int32_t>(columns.size())})});
        return problems;
    }
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    int32_t itemCount = 0;
    for (size_t c = 0; c < cells.size(); ++c) {
        const std::string& cell = cells[c];
        const int column = static_cast<int>(c);
        if (hasBreak(cell)) {
            problems.push_back({column, std::string(text(Text::breakInCell, language))});
            continue;
        }
        FieldFault fault = FieldFault::none;
        switch (columns[c].kind) {
        case ColumnKind::integer: fault = checkIntegerField(cell); break;
        case ColumnKind::real: fault = checkRealField(cell); break;
        case ColumnKind::text:
            if (cell.find(';') != std::string::npos)
                problems.push_back({column, formatText(text(Text::cellHoldsSemicolon, language), {cell})});
            break;
        case ColumnKind::groups: break; // after itemCount, below
        }
        if (fault != FieldFault::none) problems.push_back({column, faultReason(fault, cell, language)});
        else if (columns[c].name == "itemCount") itemCount = textToInt(cell);
    }
    if (hasBreak(rest)) problems.push_back({-1, std::string(text(Text::breakInCell, language))});
    if constexpr (std::is_same_v<Record, TShips>) {
        const int groups = columnIndex(columns, "groups");
        const bool itemCountBad = std::any_of(problems.begin(), problems.end(), [&](auto& p) {
            return p.column == groups - 1;
        });
        std::string reason = hasBreak(cells[static_cast<size_t>(groups)])
                                 ? std::string()
                                 : groupsProblem(cells[static_cast<size_t>(groups)], itemCount, language);
        if (!reason.empty() && !itemCountBad) problems.push_back({groups, std::move(reason)});
    }
    if (!problems.empty()) return problems;

    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) {
        line += cells[c];
        if (columns[c].kind != ColumnKind::groups) line += ';';
    }
    line += rest;
    // The loader's own judgement of the line the cells make; the checks above
    // should leave it nothing to find.
    int64_t budget = 0; // every group entry has its fields in the line
    const LineFault fault = readRecordLine(line, record, budget);
    if (fault.kind != TableProblemKind::none) {
        TableProblem problem{fault.kind, 0, fault.field, std::string(fault.text)};
        problems.push_back({columnOfField(columns, cells, fault.field), problemReason(problem)});
    }
    return problems;
}

} // namespace

template <> std::span<const Column> recordColumns<TShips>() { return kShipsColumns; }
template <> std::span<const Column> recordColumns<TLasers>() { return kLasersColumns; }
template <> std::span<const Column> recordColumns<TBullets>() { return kBulletsColumns; }
template <> std::span<const Column> recordColumns<TShields>() { return kShieldsColumns; }
template <> std::span<const Column> recordColumns<TRockets>() { return kRocketsColumns; }
template <> std::span<const Column> recordColumns<TCockpits>() { return kCockpitsColumns; }
template <> std::span<const Column> recordColumns<TStations>() { return kStationsColumns; }
template <> std::span<const Column> recordColumns<TWares>() { return kWaresColumns; }

int columnIndex(std::span<const Column> columns, std::string_view name) {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name) return static_cast<int>(i);
    return -1;
}

#define ORVEX_RECORD_ROWS(Record)                                                                 \
    std::vector<std::string> recordCells(const Record& record) { return cellsOf(record); }      \
    std::vector<CellProblem> recordFromCells(std::span<const std::string> cells,                  \
                                             std::string_view rest, Record& record,               \
                                             Language language) {                                 \
        return readCells(cells, rest, record, language);                                          \
    }
ORVEX_RECORD_ROWS(TShips)
ORVEX_RECORD_ROWS(TLasers)
ORVEX_RECORD_ROWS(TBullets)
ORVEX_RECORD_ROWS(TShields)
ORVEX_RECORD_ROWS(TRockets)
ORVEX_RECORD_ROWS(TCockpits)
ORVEX_RECORD_ROWS(TStations)
ORVEX_RECORD_ROWS(TWares)
#undef ORVEX_RECORD_ROWS
