// The estimate and price-range labels of the six priced groups.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/price_math.h"
#include "tables/game_state.h"
#include "tables/table_list.h"
#include "tables/ware_list.h"
#include "text/format.h"
#include "ui/control.h"

#include <optional>
#include <string>

namespace {

// A group's two labels; no range label for ships and stations.
struct PriceLabels {
    Control* estimate = nullptr;
    Control* range = nullptr;
};

PriceLabels labelsOf(MainForm& f, PriceGroup group) {
    switch (group) {
    case PriceGroup::Ships: return {f.shipPriceLabel, nullptr};
    case PriceGroup::Stations: return {f.station.averagePriceLabel, nullptr};
    case PriceGroup::Lasers: return {f.laser.averagePriceLabel, f.laser.priceRangeLabel};
    case PriceGroup::Shields: return {f.shield.averagePriceLabel, f.shield.priceRangeLabel};
    case PriceGroup::Rockets: return {f.rocket.averagePriceLabel, f.rocket.priceRangeLabel};
    case PriceGroup::Wares: return {f.ware.averagePriceLabel, f.ware.priceRangeLabel};
    }
    return {};
}

// Calls use(record, table) with the record the group shows and the table it is
// in; nothing when the group shows no record.
template <class Use>
void withShownRecord(const GameState& game, const Selection& shown, PriceGroup group, Use&& use) {
    const auto at = [&](const auto& records, int32_t index, TableId table) {
        if (index >= 0 && static_cast<size_t>(index) < records.size()) use(records[static_cast<size_t>(index)], table);
    };
    switch (group) {
    case PriceGroup::Ships: return at(game.ships.records, shown.ship, TableId::ships);
    case PriceGroup::Stations: return at(game.stations.records, shown.station, TableId::stations);
    case PriceGroup::Lasers: return at(game.lasers.records, shown.laser, TableId::lasers);
    case PriceGroup::Shields: return at(game.shields.records, shown.shield, TableId::shields);
    case PriceGroup::Rockets: return at(game.rockets.records, shown.rocket, TableId::rockets);
    case PriceGroup::Wares:
        if (const std::optional<WarePlace> place = warePlace(game, shown.ware))
            use(*wareAt(game, shown.ware), place->table);
        return;
    }
}

} // namespace

void refreshPriceEstimate(MainForm& f, PriceGroup group) {
    Control* label = labelsOf(f, group).estimate;
    if (!label) return;
    std::string text; // empty when the group shows no record
    withShownRecord(*f.game, f.selection, group, [&](const auto& record, TableId table) {
        if (const auto price = shownPrice(record, table))
            text = formatText(f.text(price->pattern), {price->credits});
    });
    setControlText(*label, text);
}

void refreshPriceRange(MainForm& f, PriceGroup group) {
    Control* label = labelsOf(f, group).range;
    if (!label) return;
    std::string text;
    withShownRecord(*f.game, f.selection, group, [&](const auto& record, TableId table) {
        const auto basis = priceBasis(record, table);
        if (!basis || !basis->percent) return;
        // A percentage outside 0..100 comes only from a table file; the range then
        // uses the stored value as it is (below 0 % the range turns round).
        const PriceRange range = priceRange(basis->coefficient, basis->factor, *basis->percent);
        text = formatText(f.text(Text::priceRange), {range.low, range.high});
    });
    setControlText(*label, text);
}

void refreshPrices(MainForm& f, PriceGroup group) {
    refreshPriceEstimate(f, group);
    refreshPriceRange(f, group);
}
