// Writes the large invented game into a folder, for timing the editor's
// start-up as a whole program (bench/startup_under_wine.sh).
//   orvex_make_game <folder>

#include "game_generator.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvex_make_game <folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';
    if (!generateGame(folder)) {
        std::fprintf(stderr, "could not write the game into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
