#include "game_generator.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A small deterministic generator, so that every run measures the same files.
class Numbers {
public:
    explicit Numbers(uint32_t seed) : state_(seed) {}
    int below(int n) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<uint32_t>(n));
    }

private:
    uint32_t state_;
};

class Line {
public:
    Line& number(int value) {
        text_ += std::to_string(value);
        text_ += ';';
        return *this;
    }
    Line& real(const char* value) {
        text_ += value;
        text_ += ';';
        return *this;
    }
    Line& id(const std::string& objectId) {
        text_ += objectId;
        text_ += ";\r\n";
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Name ids by table, each table in its own range.
constexpr int kShipNames = 100000;
constexpr int kLaserNames = 200000;
constexpr int kShieldNames = 300000;
constexpr int kRocketNames = 400000;
constexpr int kStationNames = 500000;
constexpr int kWareNames = 600000;

const char* const kReals[] = {"0.58000", "1.00000", "0.25", "12.5000", "0.123456", "0.5", "2"};

std::string header(int value, int count) {
    return std::to_string(value) + ";" + std::to_string(count) + ";\r\n";
}

std::string shipLine(int i, Numbers& n) {
    Line line;
    line.number(n.below(10)).number(n.below(100));
    for (int k = 0; k < 3; ++k) line.real(kReals[n.below(7)]);
    line.number(n.below(5)).number(kShipNames + i).number(222 * (50 + n.below(300)));
    line.number(222 * n.below(40));
    for (int c = 9; c <= 27; ++c) line.number(c == 18 ? n.below(1 << 24) : n.below(20000));
    for (int m = 0; m < 6; ++m) line.number(n.below(300)).number(n.below(7));
    for (int c = 40; c <= 46; ++c) line.number(n.below(50000));
    const int items = n.below(5);
    line.number(items);
    for (int k = 0; k < items * 4; ++k) line.number(n.below(1000));
    const int turrets = 1 + n.below(7);
    line.number(turrets);
    for (int t = 0; t < turrets; ++t) {
        const int groups = n.below(4);
        line.number(n.below(10)).number(n.below(9)).number(n.below(10)).number(groups);
        for (int k = 0; k < groups * 6; ++k) line.number(n.below(100));
    }
    for (int k = 0; k < 5; ++k) line.number(n.below(100000));
    return line.id("SS_SH_GEN_" + std::to_string(i)).text();
}

// A flat line: `columns` numbers (name id in column 6, reals where asked) and an id.
std::string flatLine(int columns, int nameTextId, const std::string& objectId, Numbers& n,
                     std::initializer_list<int> realColumns) {
    Line line;
    for (int c = 0; c < columns; ++c) {
        bool real = false;
        for (int r : realColumns) real = real || r == c;
        if (c == 6) line.number(nameTextId);
        else if (real) line.real(kReals[n.below(7)]);
        else line.number(n.below(100000));
    }
    return line.id(objectId).text();
}

bool writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::string flatTable(int count, int columns, int names, const char* prefix, uint32_t seed,
                      std::initializer_list<int> realColumns) {
    Numbers n(seed);
    std::string text = header(1, count);
    for (int i = 0; i < count; ++i)
        text += flatLine(columns, names + i, prefix + std::to_string(i), n, realColumns);
    return text;
}

// One name of page 17: a Russian word and a number ("Кондор 17").
std::string russianName(int i) {
    static const char* const words[] = {"Кондор", "Ястреб", "Сокол",  "Беркут", "Стриж",
                                        "Буран",  "Вихрь",  "Гроза",  "Зарница", "Молния",
                                        "Щит",    "Искра",  "Пламя",  "Рубеж",  "Утёс"};
    return std::string(words[i % 15]) + " " + std::to_string(i);
}

std::string namePage(const GameSize& size) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<language id=\"7\">\r\n";
    int lines = 2;
    auto otherPage = [&](int page, int entries) {
        text += "<page id=\"" + std::to_string(page) + "\" title=\"other\">\r\n";
        for (int i = 0; i < entries; ++i)
            text += "  <t id=\"" + std::to_string(kShipNames + i) + "\">Other " +
                    std::to_string(i) + "</t>\r\n";
        text += "</page>\r\n";
        lines += entries + 2;
    };
    otherPage(4, 1000);
    text += "<page id=\"17\" title=\"objects\">\r\n";
    ++lines;
    // Every seventh object has no name, so lists fall back to the objectId.
    auto names = [&](int base, int count) {
        for (int i = 0; i < count; ++i)
            if (i % 7 != 3) {
                text += "  <t id=\"" + std::to_string(base + i) + "\">" + russianName(base + i) +
                        "</t>\r\n";
                ++lines;
            }
    };
    names(kShipNames, size.ships);
    names(kLaserNames, size.lasers);
    names(kShieldNames, size.shields);
    names(kRocketNames, size.rockets);
    names(kStationNames, size.stations);
    names(kWareNames, size.wares);
    text += "</page>\r\n";
    ++lines;
    // Fill the file up to the wanted size with a later page.
    const int rest = size.nameLines - lines - 3;
    if (rest > 0) otherPage(30, rest);
    text += "</language>\r\n";
    return text;
}

} // namespace

std::string generatedShipTable(int ships) {
    Numbers n(17);
    std::string text = header(1, ships);
    for (int i = 0; i < ships; ++i) text += shipLine(i, n);
    return text;
}

bool generateGame(const std::string& folder, const GameSize& size) {
    namespace fs = std::filesystem;
    const fs::path root(folder);
    std::error_code error;
    fs::create_directories(root / "types", error);
    fs::create_directories(root / "t", error);
    const fs::path types = root / "types";

    bool ok = writeFile(types / "TShips.txt", generatedShipTable(size.ships));
    {
        Numbers n(23);
        std::string text = header(1, size.cockpits);
        for (int i = 0; i < size.cockpits; ++i) {
            Line line;
            for (int c = 0; c < 14; ++c) line.number(c == 8 ? n.below(1 << 24) : n.below(1000));
            text += line.id("SS_CO_GEN_" + std::to_string(i)).text();
        }
        ok = writeFile(types / "TCockpits.txt", text) && ok;
    }
    ok = writeFile(types / "TLaser.txt",
                   flatTable(size.lasers, 17, kLaserNames, "SS_LA_GEN_", 31, {2, 3, 11})) && ok;
    ok = writeFile(types / "TBullets.txt",
                   flatTable(size.lasers, 32, 0, "SS_BU_GEN_", 37, {2, 3, 4, 16, 17})) && ok;
    ok = writeFile(types / "TShields.txt",
                   flatTable(size.shields, 16, kShieldNames, "SS_SH_GEN_", 41, {2, 3, 10})) && ok;
    ok = writeFile(types / "TRockets.txt",
                   flatTable(size.rockets, 30, kRocketNames, "SS_MI_GEN_", 43, {2, 3})) && ok;
    ok = writeFile(types / "TFactories.txt",
                   flatTable(size.stations, 21, kStationNames, "SS_FA_GEN_", 47, {8})) && ok;

    // The wares spread unevenly over the five files.
    const char* const wareFiles[5] = {"TWareB.txt", "TWareE.txt", "TWareF.txt", "TWareM.txt",
                                      "TWareT.txt"};
    const int shares[5] = {30, 10, 25, 15, 20}; // percent
    int first = 0;
    for (int g = 0; g < 5; ++g) {
        const int count = g == 4 ? size.wares - first : size.wares * shares[g] / 100;
        Numbers n(53 + static_cast<uint32_t>(g));
        std::string text = header(g + 1, count);
        for (int i = first; i < first + count; ++i)
            text += flatLine(12, kWareNames + i, "SS_WA_GEN_" + std::to_string(i), n, {2, 3});
        ok = writeFile(types / wareFiles[g], text) && ok;
        first += count;
    }
    ok = writeFile(root / "t" / "70001.xml", namePage(size)) && ok;
    return ok;
}
