#include "tables/read_table_file.h"
#include "tables/load_tables.h"

namespace {

// Hands each record to the editor's sink right after its line is read.
struct PassToSink {
    NameSink sink;
    template <class Record> void operator()(const Record& record) const {
        if (sink.fn) sink.fn(sink.context, record.nameTextId, record.objectId);
    }
};

} // namespace

void loadLasers(GameState& state, NameSink sink) {
    state.lasers.clear();
    loadTableFile(state.folder + "types\\tlaser.txt", state.lasers, state.lasersHeader,
                  state.laserCount, state.lasersFile, NoRecordStep{}, PassToSink{sink});
}

void loadBullets(GameState& state) {
    state.bullets.clear();
    loadTableFile(state.folder + "types\\tbullets.txt", state.bullets, state.bulletsHeader,
                  state.bulletCount, state.bulletsFile);
}

void loadShields(GameState& state, NameSink sink) {
    state.shields.clear();
    loadTableFile(state.folder + "types\\tshields.txt", state.shields, state.shieldsHeader,
                  state.shieldCount, state.shieldsFile, NoRecordStep{}, PassToSink{sink});
}

void loadRockets(GameState& state, NameSink sink) {
    state.rockets.clear();
    loadTableFile(state.folder + "types\\trockets.txt", state.rockets, state.rocketsHeader,
                  state.rocketCount, state.rocketsFile, NoRecordStep{}, PassToSink{sink});
}
