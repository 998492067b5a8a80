// Writes an invented game into a folder, for timing the editor's start-up as a
// whole program (bench/startup_under_wine.sh).
//   orvex_make_game [--times N] <folder>
// Without --times: the large game (about ten times a real one); with it, a game
// N times a real one (--times 100: 20,000 ships, 25,000 stations, 30,000 wares).

#include "game_generator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    GameSize size = kLargeGame;
    int arg = 1;
    if (argc == 4 && std::string(argv[1]) == "--times") {
        const int times = std::atoi(argv[2]);
        if (times < 1 || times > 300) {
            std::fprintf(stderr, "--times takes a whole number from 1 to 300\n");
            return 2;
        }
        size = realGameTimes(times);
        arg = 3;
    }
    if (argc != arg + 1) {
        std::fprintf(stderr, "usage: orvex_make_game [--times N] <folder>\n");
        return 2;
    }
    std::string folder = argv[arg];
    if (folder.back() != '/') folder += '/';
    if (!generateGame(folder, size)) {
        std::fprintf(stderr, "could not write the game into %s\n", argv[arg]);
        return 1;
    }
    return 0;
}
