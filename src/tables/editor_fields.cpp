#include "tables/editor_fields.h"

std::string numberText(int64_t value) {
    if (value >= INT32_MIN && value <= INT32_MAX) return intToText(static_cast<int32_t>(value));
    return std::to_string(value);
}

std::string listedText(Shown shown, int64_t value) {
    const ListedValues values = listedValues(shown);
    if (value < values.low || value > values.high) return {};
    if (shown == Shown::containerEntry) return std::string(kContainerTypeNames[value]);
    return numberText(value);
}
