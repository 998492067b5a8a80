// The estimate and price-range labels of the six priced groups.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/price_math.h"
#include "tables/game_state.h"
#include "text/convert.h"
#include "text/format.h"
#include "ui/control.h"

#include <string>

namespace {

// What a group's price texts are made of; valid is false when the group shows no record.
struct PriceInputs {
    bool valid = false;
    int32_t coefficient = 0;
    double factor = 0;
    int32_t percent = 0;
    Control* estimateLabel = nullptr;
    Control* rangeLabel = nullptr;
    Text pattern = Text::estimateShip; // %s: the number
};

template <class Table> const auto* recordAt(const Table& table, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[index] : nullptr;
}

PriceInputs inputsOf(MainForm& f, PriceGroup group) {
    const GameState& game = *f.game;
    PriceInputs in;
    switch (group) {
    case PriceGroup::Ships:
        in.estimateLabel = f.shipPriceLabel;
        in.pattern = Text::estimateShip;
        if (auto* s = recordAt(game.ships, game.curShip))
            in = {true, s->priceCoefficient, shipPriceFactor, 0, in.estimateLabel, nullptr, in.pattern};
        break;
    case PriceGroup::Stations:
        in.estimateLabel = f.station.averagePriceLabel;
        in.pattern = Text::estimateStation;
        if (auto* s = recordAt(game.stations, game.curStation))
            in = {true, s->priceCoefficient, shipPriceFactor, 0, in.estimateLabel, nullptr, in.pattern};
        break;
    case PriceGroup::Lasers:
        in.estimateLabel = f.laser.averagePriceLabel;
        in.rangeLabel = f.laser.priceRangeLabel;
        in.pattern = Text::averageLaser;
        if (auto* r = recordAt(game.lasers, game.curLaser))
            in = {true, r->priceCoefficient, equipmentPriceFactor, r->averagePriceChange,
                  in.estimateLabel, in.rangeLabel, in.pattern};
        break;
    case PriceGroup::Shields:
        in.estimateLabel = f.shield.averagePriceLabel;
        in.rangeLabel = f.shield.priceRangeLabel;
        in.pattern = Text::averageShield;
        if (auto* r = recordAt(game.shields, game.curShield))
            in = {true, r->priceCoefficient, equipmentPriceFactor, r->averagePriceChange,
                  in.estimateLabel, in.rangeLabel, in.pattern};
        break;
    case PriceGroup::Rockets:
        in.estimateLabel = f.rocket.averagePriceLabel;
        in.rangeLabel = f.rocket.priceRangeLabel;
        in.pattern = Text::averageMissile;
        if (auto* r = recordAt(game.rockets, game.curRocket))
            in = {true, r->priceCoefficient, equipmentPriceFactor, r->averagePriceChange,
                  in.estimateLabel, in.rangeLabel, in.pattern};
        break;
    case PriceGroup::Wares:
        in.estimateLabel = f.ware.averagePriceLabel;
        in.rangeLabel = f.ware.priceRangeLabel;
        in.pattern = Text::averageWare;
        if (auto* w = recordAt(game.wares, game.curWare))
            in = {true, w->priceCoefficient, w->priceMultiplier, w->averagePriceChange,
                  in.estimateLabel, in.rangeLabel, in.pattern};
        break;
    }
    return in;
}

} // namespace

void refreshPriceEstimate(MainForm& f, PriceGroup group) {
    const PriceInputs in = inputsOf(f, group);
    if (!in.estimateLabel) return;
    if (!in.valid) return setControlText(*in.estimateLabel, "");
    setControlText(*in.estimateLabel, formatText(f.text(in.pattern),
                                                  {priceEstimate(in.coefficient, in.factor)}));
}

void refreshPriceRange(MainForm& f, PriceGroup group) {
    const PriceInputs in = inputsOf(f, group);
    if (!in.rangeLabel) return;
    if (!in.valid) return setControlText(*in.rangeLabel, "");
    // A percentage outside 0..100 comes only from a table file; the range then
    // uses the stored value as it is (below 0 % the range turns round).
    const PriceRange range = priceRange(in.coefficient, in.factor, in.percent);
    setControlText(*in.rangeLabel,
                   formatText(f.text(Text::priceRange), {range.low, range.high}));
}

void refreshPrices(MainForm& f, PriceGroup group) {
    refreshPriceEstimate(f, group);
    refreshPriceRange(f, group);
}
