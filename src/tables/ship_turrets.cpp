#include "tables/ship_turrets.h"

#include <algorithm>

std::optional<int32_t> turretCockpit(const TShips& ship, size_t t) {
    const size_t listed = std::min(ship.turrets.size(), static_cast<size_t>(kMountedTurrets));
    if (t < 1 || t >= listed || ship.turrets[t].gunCount < 1) return std::nullopt;
    return ship.turretMounts[t - 1].cockpitIndex;
}

int shipsUsingCockpit(const std::vector<TShips>& ships, int32_t cockpit) {
    return static_cast<int>(std::count_if(ships.begin(), ships.end(), [&](const TShips& s) {
        for (size_t t = 1; t < static_cast<size_t>(kMountedTurrets); ++t)
            if (turretCockpit(s, t) == cockpit) return true;
        return false;
    }));
}
