#pragma once
// Price estimates in credits from the tables' integer price coefficients. Every
// product and sum is rounded to double as it is formed; the percent step is the
// one value held with a 64-bit significand and is applied exactly, so the shown
// numbers are the same on every compiler.

#include <cstdint>
#include <optional>
#include <type_traits>

#include "tables/records.h"
#include "tables/table_list.h"
#include "text/texts.h"

// p × 0.01, with 0.01 held as the extended value nearest to it (just below),
// rounded once to double.
double percentStep(int32_t percent);

// c × f rounded to double, truncated toward zero: the whole value (a 32-bit
// coefficient times any factor needs up to 38 bits).
int64_t priceEstimate(int32_t coefficient, double factor);

struct PriceRange {
    int64_t low = 0;
    int64_t high = 0;
};

// base = c × f; t = (p × 0.01) × base; low = base − t and high = t + base,
// each truncated toward zero, whole.
PriceRange priceRange(int32_t coefficient, double factor, int32_t percent);

// Truncates toward zero; 0 for NaN or an infinity, and values beyond the 64-bit
// range stop at its limits.
int64_t truncateToInt64(double value);

// What a record's price estimate is made of: its price coefficient, the price
// factor of the table it is in (kTableNames) and, for the kinds with a price
// range, its average price change in percent.
struct PriceBasis {
    int32_t coefficient = 0;
    double factor = 0;
    std::optional<int32_t> percent; // none for ships and stations
};

// The basis of record `r` of table `table` (for a ware, the ware file it comes
// from); none for the kinds without a price coefficient (bullets, cockpits), no
// percent for those without an average price change (ships, stations).
template <class Record> std::optional<PriceBasis> priceBasis(const Record& r, TableId table) {
    const double factor = tableName(table).priceFactor;
    if constexpr (requires { r.averagePriceChange; })
        return PriceBasis{r.priceCoefficient, factor, r.averagePriceChange};
    else if constexpr (requires { r.priceCoefficient; })
        return PriceBasis{r.priceCoefficient, factor, std::nullopt};
    else
        return std::nullopt;
}

// The estimate label the window shows beside a record's price coefficient (its
// pattern, "%s" the credits) and the estimate for record `r` of table `table`;
// none for kinds without a price.
struct ShownPrice {
    Text pattern;
    int64_t credits = 0;
};
template <class Record> std::optional<ShownPrice> shownPrice(const Record& r, TableId table) {
    const std::optional<PriceBasis> basis = priceBasis(r, table);
    if (!basis) return std::nullopt;
    const int64_t credits = priceEstimate(basis->coefficient, basis->factor);
    if constexpr (std::is_same_v<Record, TShips>) return ShownPrice{Text::estimateShip, credits};
    else if constexpr (std::is_same_v<Record, TStations>) return ShownPrice{Text::estimateStation, credits};
    else if constexpr (std::is_same_v<Record, TLasers>) return ShownPrice{Text::averageLaser, credits};
    else if constexpr (std::is_same_v<Record, TShields>) return ShownPrice{Text::averageShield, credits};
    else if constexpr (std::is_same_v<Record, TRockets>) return ShownPrice{Text::averageMissile, credits};
    else return ShownPrice{Text::averageWare, credits};
}
