#include "tables/ware_list.h"

size_t wareCount(const GameState& s) {
    size_t count = 0;
    forEachWareFile(s, [&](TableId, const Table<TWares>& table) { count += table.records.size(); });
    return count;
}

std::optional<WarePlace> warePlace(const GameState& s, int64_t entry) {
    std::optional<WarePlace> place;
    if (entry < 0) return place;
    size_t n = static_cast<size_t>(entry); // counted from the ware file's first record
    forEachWareFile(s, [&](TableId id, const Table<TWares>& table) {
        if (place) return;
        if (n < table.records.size()) place = WarePlace{id, n};
        else n -= table.records.size();
    });
    return place;
}
