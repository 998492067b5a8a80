#include "tables/editor_fields.h"

#include <algorithm>
#include <cmath>

#include "tables/typed_input.h"
#include "text/convert.h"

namespace {

constexpr int32_t kSpeedFactor = 222;
constexpr int32_t kMillisecondsPerSecond = 1000;
constexpr double kRangeDivisor = 222000.0; // ms × (m/s × 222) → m
constexpr int32_t kShieldPowerDivisor = 10;
constexpr int32_t kPercent = 100;

std::string numberText(int64_t value) {
    if (value >= INT32_MIN && value <= INT32_MAX) return intToText(static_cast<int32_t>(value));
    return std::to_string(value);
}

} // namespace

template <class Record> std::string shownText(const FieldOf<Record>& field, const Record& r) {
    if (field.real) return realToText(r.*field.real * kPercent); // the one real kind: percent
    const int32_t stored = r.*field.integer;
    switch (field.shown) {
    case Shown::speed: return numberText(stored / kSpeedFactor);
    case Shown::flightRange:
        if constexpr (requires { r.projectileSpeed; }) {
            // The exact product passes 32 bits from about 9673 m on.
            const int64_t product = int64_t(stored) * int64_t(r.projectileSpeed);
            return numberText(static_cast<int64_t>(std::trunc(static_cast<double>(product) / kRangeDivisor)));
        }
        break;
    default: break;
    }
    return numberText(stored);
}

std::string listedText(Shown shown, int64_t value) {
    const ListedValues values = listedValues(shown);
    if (value < values.low || value > values.high) return {};
    if (shown == Shown::containerEntry) return std::string(kContainerTypeNames[value]);
    return numberText(value);
}

template <class Record> int64_t shownEntry(const FieldOf<Record>& field, const Record& r) {
    return int64_t(r.*field.integer) - listedValues(field.shown).low;
}

template <class Record> std::string shownEntryText(const FieldOf<Record>& field, const Record& r) {
    return listedText(field.shown, r.*field.integer);
}

template <class Record>
void storeTyped(const FieldOf<Record>& field, Record& r, std::string_view typed) {
    if (field.real) {
        r.*field.real = textToReal(typed) / kPercent;
        return;
    }
    int32_t& stored = r.*field.integer;
    switch (field.shown) {
    case Shown::speed: stored = typedScaledInt(typed, kSpeedFactor); break;
    case Shown::flightRange:
        // range × 1000 × 222 / the stored speed: for a speed typed in whole m/s
        // exactly range × 1000 / that speed. Kept when the speed is 0.
        if constexpr (requires { r.projectileSpeed; }) {
            const int32_t range = typedScaledInt(typed, kMillisecondsPerSecond);
            if (r.projectileSpeed == 0) return;
            const double scaled = static_cast<double>(range) * kSpeedFactor; // exact: below 2^53
            const double time = std::trunc(scaled / r.projectileSpeed);
            stored = static_cast<int32_t>(std::clamp<double>(time, INT32_MIN, INT32_MAX));
        }
        break;
    case Shown::shieldPower:
        stored = typedInt(typed);
        if constexpr (requires { r.powerTenth; }) r.powerTenth = stored / kShieldPowerDivisor;
        break;
    default: stored = typedInt(typed); break;
    }
}

template <class Record>
void storeEntry(const FieldOf<Record>& field, Record& r, int index, std::string_view entryText) {
    r.*field.integer = field.shown == Shown::countEntry ? textToInt(entryText) : index;
}

#define ORVEX_FIELDS_OF(Record)                                                                    \
    template std::string shownText(const FieldOf<Record>&, const Record&);                         \
    template int64_t shownEntry(const FieldOf<Record>&, const Record&);                            \
    template std::string shownEntryText(const FieldOf<Record>&, const Record&);                    \
    template void storeTyped(const FieldOf<Record>&, Record&, std::string_view);                   \
    template void storeEntry(const FieldOf<Record>&, Record&, int, std::string_view);
ORVEX_FIELDS_OF(TShips)
ORVEX_FIELDS_OF(TLasers)
ORVEX_FIELDS_OF(TBullets)
ORVEX_FIELDS_OF(TShields)
ORVEX_FIELDS_OF(TRockets)
ORVEX_FIELDS_OF(TStations)
ORVEX_FIELDS_OF(TWares)
#undef ORVEX_FIELDS_OF
