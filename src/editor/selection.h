#pragma once
// Which record each group of the editor shows: indexes into the tables of the
// GameState, set by the show operations and read by the input handlers and the
// price labels. -1 (or an index past the table) when the group shows none.

#include <cstdint>

struct Selection {
    int32_t ship = 0;
    int32_t turret = -1; // the chosen entry of the turret list (MainForm::turretOfEntry)
    int32_t mainTurretListed = 0; // 1 when the turret list starts with the main position
    int32_t laser = 0; // also the index of the laser's bullet record
    int32_t shield = 0;
    int32_t rocket = 0;
    int32_t station = 0;
    int32_t ware = 0; // among all wares, in the order of the ware list
};
