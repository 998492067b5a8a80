#pragma once
// An invented game folder for benchmarks and seed corpora: every table in the
// game's line format and a UTF-8 name page, deterministic for a given size.

#include <string>

struct GameSize {
    int ships = 2000;
    int lasers = 500; // and as many bullets
    int shields = 500;
    int rockets = 500;
    int cockpits = 300;
    int stations = 1000;
    int wares = 3000; // spread over the five ware files
    int nameLines = 20000;
};

// About ten times the tables of a real game.
inline constexpr GameSize kLargeGame{};

// A game `times` as large as a real one (200 ships, 50 of each weapon, 30
// cockpits, 250 stations, 300 wares, a 2,000-line name page).
constexpr GameSize realGameTimes(int times) {
    return {200 * times, 50 * times, 50 * times, 50 * times,
            30 * times,  250 * times, 300 * times, 2000 * times};
}

// The text of a ship table with `ships` lines: items, turrets and gun groups of
// varying counts, manoeuvrability written as the game writes it, CR LF line ends.
std::string generatedShipTable(int ships);

// Writes the twelve tables into folder/types (capitalised names: "TShips.txt")
// and the name page folder/t/70001.xml, with page 17 among other pages; creates
// the folders. Returns false when a file could not be written.
bool generateGame(const std::string& folder, const GameSize& size = kLargeGame);
