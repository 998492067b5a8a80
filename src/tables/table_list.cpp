#include "tables/table_list.h"

#include "text/strings.h"

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

const TableName* findTable(std::string_view name) {
    std::string wanted = lowerLatin(name);
    for (std::string_view folder : {"types\\", "types/"})
        if (startsWith(wanted, folder)) wanted.erase(0, folder.size());
    if (wanted.size() > 4 && wanted.ends_with(".txt")) wanted.resize(wanted.size() - 4);
    for (const TableName& table : kTableNames) {
        std::string file = lowerLatin(table.fileName.substr(6)); // after "types\"
        file.resize(file.size() - 4);
        if (wanted == lowerLatin(table.key) || wanted == file) return &table;
    }
    return nullptr;
}

std::array<TableId, kTableCount> tablesInOrder(int TableName::*step) {
    std::array<TableId, kTableCount> order{};
    for (const TableName& table : kTableNames) order[static_cast<size_t>(table.*step)] = table.id;
    return order;
}
