#pragma once
// A fresh game folder, with its `types` folder, under the system's temporary folder
// for one test, removed with everything in it when the test ends. Made the current
// folder on request, for code that addresses files relative to it as the editor does.
// Files are written and read with the standard library, apart from the file layer.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class TempGame {
  public:
    enum Mode { Apart, Current };

    explicit TempGame(Mode mode = Apart) {
        namespace fs = std::filesystem;
        static std::atomic<unsigned> serial{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = fs::temp_directory_path() /
                ("orvex-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        fs::create_directories(root_ / "types");
        if (mode == Current) {
            previous_ = fs::current_path();
            fs::current_path(root_);
        }
    }
    ~TempGame() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        if (!previous_.empty()) fs::current_path(previous_, ignored);
        // Read-only entries would stop the removal on Windows.
        for (const auto& entry : fs::recursive_directory_iterator(root_, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
    }
    TempGame(const TempGame&) = delete;
    TempGame& operator=(const TempGame&) = delete;

    // The prefix for GameState::folder: the folder with its separator at the end.
    std::string folder() const {
        return root_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    }
    std::filesystem::path path(std::string_view relative) const { return root_ / relative; }

    // Writes the bytes, making the folders on the way.
    void write(std::string_view relative, std::string_view bytes) const {
        std::filesystem::create_directories(path(relative).parent_path());
        std::ofstream out(path(relative), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // Lines joined with CR LF after each.
    void writeLines(std::string_view relative,
                    std::initializer_list<std::string_view> lines) const {
        std::string text;
        for (std::string_view line : lines)
            (text += line) += "\r\n";
        write(relative, text);
    }
    std::string read(std::string_view relative) const {
        std::ifstream in(path(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(std::string_view relative) const { return std::filesystem::exists(path(relative)); }
    // Copies another game folder's `types` and `t` in, over what is there.
    void copyGame(const std::filesystem::path& from) const {
        for (const char* folder : {"types", "t"})
            std::filesystem::copy(from / folder, path(folder),
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
    }

    // Every entry under `folder` (the whole game by default) by its path from
    // there: a file's bytes, "<folder>" for a folder.
    std::map<std::string, std::string> files(std::string_view folder = "") const {
        std::map<std::string, std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path(folder))) {
            const std::string name = std::filesystem::relative(entry.path(), path(folder)).generic_string();
            found[name] = entry.is_directory() ? "<folder>" : read((std::filesystem::path(folder) / name).generic_string());
        }
        return found;
    }
    // Names of the entries in `types` as the disk spells them, sorted.
    std::vector<std::string> typesEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_ / "types"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
};
