#pragma once
// Game folders as modders' tools leave them, made from a seed out of a model
// game's tables: remark lines above the header, text and tabs after records,
// extra trailing fields, short lines, LF-only and mixed line ends, files without
// a final line end, file names in other letter cases, overlong decimals, lines
// after the records, and, when asked for, a header counting more records than
// the file has and NUL bytes after the last line. The same seed gives the same
// bytes on every compiler.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"
#include "text/line_list.h"

class WildNumbers {
  public:
    explicit WildNumbers(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    // 0 .. n-1.
    uint32_t below(uint32_t n) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % n;
    }
    // True with the chance percent / 100.
    bool chance(uint32_t percent) { return below(100) < percent; }

  private:
    uint32_t state_;
};

struct WildTable {
    std::string fileName; // as written in types/, in the letter case chosen
    bool countAboveLines = false;
    bool nulTail = false;
    // The editor keeps the table from saving; with a count above the lines alone
    // it still loads (and export gives) the records the file holds.
    bool keptFromSaving() const { return countAboveLines || nulTail; }
    bool recordsLoaded() const { return countAboveLines && !nulTail; }
};

using WildGame = std::vector<WildTable>; // a table a file

namespace wild_detail {

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines as the loader splits them.
inline std::vector<std::string> splitLines(const std::string& text) {
    LineList list;
    list.setText(text);
    std::vector<std::string> lines;
    for (int i = 0; i < list.count(); ++i) lines.emplace_back(list.item(i));
    return lines;
}

// The field index (from 0) of every field of the line holding a point: the real columns.
inline std::vector<size_t> realFieldStarts(const std::string& line) {
    std::vector<size_t> starts;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ';') continue;
        if (line.substr(start, i - start).find('.') != std::string::npos) starts.push_back(start);
        start = i + 1;
    }
    return starts;
}

// A record line as other tools leave it; `shortOk` allows cutting fields off the end.
inline std::string wildRecord(std::string line, WildNumbers& n, bool shortOk) {
    if (n.chance(8)) {
        // An overlong decimal that still reads as the same number or near it.
        const std::vector<size_t> reals = realFieldStarts(line);
        if (!reals.empty()) {
            const size_t at = reals[n.below(static_cast<uint32_t>(reals.size()))];
            const size_t end = line.find(';', at);
            std::string digits(n.chance(50) ? 120 : 20, '0');
            digits.back() = static_cast<char>('1' + n.below(9));
            line.insert(end, digits);
        }
    }
    if (shortOk && n.chance(5)) {
        // A short line: the last fields are gone, the objectId with them. Text
        // after it would stand where a field belongs: that line is not in format.
        size_t cut = line.size();
        for (uint32_t k = 1 + n.below(3); k > 0 && cut > 0; --k) cut = line.rfind(';', cut - 1);
        if (cut != std::string::npos && cut > 0) line.resize(cut + 1);
        return line;
    }
    switch (n.below(12)) {
    case 0: line += "\tcomment"; break;
    case 1: line += " // checked"; break;
    case 2: line += "7;0;"; break; // extra trailing fields
    case 3: line += "\t"; break;
    default: break;
    }
    return line;
}

} // namespace wild_detail

// Writes the wild form of every table file of `model` (a game folder with `types`
// and `t`) into `game`, and copies the name page. With `allowKept` a table may
// come out as one the editor must keep from saving.
inline WildGame writeWildGame(const TempGame& game, const std::filesystem::path& model,
                              uint32_t seed, bool allowKept = true) {
    namespace fs = std::filesystem;
    using namespace wild_detail;
    WildNumbers n(seed);
    WildGame wild;
    fs::copy(model / "t", game.path("t"), fs::copy_options::recursive | fs::copy_options::overwrite_existing);

    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(model / "types")) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::vector<std::string> lines = splitLines(readFile(file));
        if (lines.empty()) continue;
        const bool ships = file.filename().string() == "TShips.txt";
        std::vector<std::string> out;
        if (n.chance(30)) out.push_back("// Created with TableTool 3.1");
        if (n.chance(15)) out.push_back("//");
        std::string header = lines[0];
        WildTable made{};
        if (allowKept && n.chance(6)) {
            // "Deleted a line, forgot the count."
            const size_t first = header.find(';');
            const size_t second = header.find(';', first + 1);
            const int count = std::stoi(header.substr(first + 1, second - first - 1));
            header = header.substr(0, first + 1) + std::to_string(count + 1 + static_cast<int>(n.below(3))) +
                     header.substr(second);
            made.countAboveLines = true;
        }
        if (n.chance(10)) header += "\tv2";
        out.push_back(header);
        for (size_t i = 1; i < lines.size(); ++i) out.push_back(wildRecord(lines[i], n, !ships));
        // Lines after the records (with a count above the lines they would be read as records).
        if (n.chance(10) && !made.countAboveLines) out.push_back("// end of table");

        const uint32_t ends = n.below(10); // 0-5 CR LF, 6-8 LF, 9 mixed
        std::string text;
        for (size_t i = 0; i < out.size(); ++i) {
            text += out[i];
            text += ends < 6 ? "\r\n" : ends < 9 ? "\n" : (i % 2 ? "\n" : "\r\n");
        }
        if (n.chance(15)) text.erase(text.find_last_not_of("\r\n") + 1); // no final line end
        if (allowKept && n.chance(5)) {
            text.append(1 + n.below(64), '\0');
            made.nulTail = true;
        }
        std::string name = file.filename().string();
        if (n.chance(20))
            for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        game.write("types/" + name, text);
        made.fileName = name;
        wild.push_back(made);
    }
    return wild;
}
