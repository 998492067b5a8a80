#pragma once
// A fresh game folder (with its `types` folder) under the system's temporary
// folder for one test, removed with everything in it when the test ends.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

class TempGame {
public:
    TempGame() {
        static std::atomic<unsigned> serial{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = std::filesystem::temp_directory_path() /
                ("orvex-tables-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(root_ / "types");
    }
    ~TempGame() {
        // Read-only entries would stop the removal on Windows.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    TempGame(const TempGame&) = delete;
    TempGame& operator=(const TempGame&) = delete;

    // The prefix for GameState::folder: the folder with its separator at the end.
    std::string folder() const {
        return root_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    }
    std::filesystem::path path(std::string_view relative) const { return root_ / relative; }

    void write(std::string_view relative, std::string_view bytes) const {
        std::ofstream out(path(relative), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // Lines joined with CR LF after each.
    void writeLines(std::string_view relative, std::initializer_list<std::string_view> lines) const {
        std::string text;
        for (std::string_view line : lines) (text += line) += "\r\n";
        write(relative, text);
    }
    std::string read(std::string_view relative) const {
        std::ifstream in(path(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(std::string_view relative) const { return std::filesystem::exists(path(relative)); }

    // Names of the entries in `types`, sorted.
    std::vector<std::string> typesEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_ / "types"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path root_;
};
