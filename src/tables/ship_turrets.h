#pragma once
// The turrets of a ship as the window lists them: the main one (0) and turrets
// 1..6 with guns, each of those described by its mount, whose cockpit (a record
// of the cockpit table) holds the weapon mask every ship mounting it shares.

#include "tables/records.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr int kMountedTurrets = 7; // the main position and the six mounts

// The cockpit of turret t (1..6) when the ship lists it; none for the main
// turret, one without guns or one past the mounts.
std::optional<int32_t> turretCockpit(const TShips& ship, size_t t);

// How many of the ships list a turret with this cockpit.
int shipsUsingCockpit(const std::vector<TShips>& ships, int32_t cockpit);
