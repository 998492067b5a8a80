#include "tables/read_table_file.h"
#include "tables/load_tables.h"

void loadShips(GameState& state) {
    state.ships.clear();
    loadTableFile(state.folder + "types\\tships.txt", state.ships, state.shipsHeader,
                  state.shipCount, state.shipsFile);
}
