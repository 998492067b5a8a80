// orvex-cli git-setup: the .gitattributes lines that send the game's tables to
// orvex-cli, and the drivers in the repository's own config (through git, which
// knows where that config lives). Running it again changes nothing.

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/run_program.h"
#include "text/files.h"

namespace {

// The line of earlier versions, which also took a modder's notes.txt beside the
// tables: replaced by the lines of the tables themselves.
constexpr std::string_view kEveryTextFile = "**/[Tt][Yy][Pp][Ee][Ss]/*.[Tt][Xx][Tt] merge=orvex diff=orvex";

// "TShips.txt" in any letter case: "[Tt][Ss][Hh][Ii][Pp][Ss].[Tt][Xx][Tt]".
std::string anyCase(std::string_view name) {
    std::string pattern;
    for (const char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u) == 0) {
            pattern += c;
            continue;
        }
        pattern += '[';
        pattern += static_cast<char>(std::toupper(u));
        pattern += static_cast<char>(std::tolower(u));
        pattern += ']';
    }
    return pattern;
}

// One line per table file, in a folder called types anywhere, both in any case.
std::vector<std::string> attributeLines() {
    std::vector<std::string> lines;
    for (const TableName& t : kTableNames) {
        const std::string_view file = t.fileName.substr(t.fileName.find('\\') + 1);
        lines.push_back("**/" + anyCase("types") + "/" + anyCase(file) + " merge=orvex diff=orvex");
    }
    return lines;
}

// `text` as one word to the shell git runs the drivers with.
std::string shellWord(std::string_view text) {
    std::string word = "'";
    for (const char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

// The .gitattributes text with the table lines in it: in place of the line of
// earlier versions, else at the end; each line once. Unchanged when all are there.
std::string withAttributes(const std::string& text) {
    const std::string_view end = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::vector<std::string> lines;
    size_t insertAt = std::string::npos;
    for (size_t start = 0; start < text.size();) {
        const size_t stop = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, stop - start);
        if (line.ends_with('\r')) line.pop_back();
        start = stop + 1;
        if (line == kEveryTextFile) {
            if (insertAt == std::string::npos) insertAt = lines.size();
            continue;
        }
        lines.push_back(std::move(line));
    }
    std::vector<std::string> missing;
    for (std::string& line : attributeLines())
        if (std::find(lines.begin(), lines.end(), line) == lines.end()) missing.push_back(std::move(line));
    if (missing.empty() && insertAt == std::string::npos) return text;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(std::min(insertAt, lines.size())), missing.begin(),
                 missing.end());
    std::string updated;
    for (const std::string& line : lines) (updated += line) += end;
    return updated;
}

} // namespace

int runGitSetup(const std::string& repo, const std::string& program, CliOutput& io) {
    const std::string folder = repo.empty() ? std::string(".") : repo;
    const std::string prefix = folder.back() == '/' || folder.back() == '\\' ? folder : folder + "/";
    // git runs a driver through its shell wherever the merge runs: the program by
    // its full path, else by its name from the PATH.
    const std::string called = program.empty() ? std::string("orvex-cli") : shellWord(program);
    if (program.empty() && !onPath("orvex-cli")) sayError(io, say(io, Text::cliGitNotOnPath));
    // git calls a diff driver with: path old-file old-hex old-mode new-file new-hex
    // new-mode. A difference is no failure to git: only trouble (2) is passed on.
    const std::string settings[][2] = {
        {"merge.orvex.name", "orvex-cli: tables merged field by field"},
        {"merge.orvex.driver", called + " merge-file %O %A %B --path %P"},
        {"diff.orvex.command", "f() { " + called + " diff-files \"$2\" \"$5\" --path \"$1\"; [ $? -le 1 ]; }; f"},
        {"diff.orvex.textconv", called + " show-file"}, // git log -p, git show
    };
    for (const auto& [key, value] : settings)
        if (runProgram({"git", "-C", folder, "config", key, value}) != 0) {
            sayError(io, say(io, Text::cliGitFailed, {"git -C " + folder + " config " + key}));
            return kExitUsage;
        }
    const std::string path = prefix + ".gitattributes";
    std::string text;
    readWholeFile(path, text);
    const std::string updated = withAttributes(text);
    if (updated != text) {
        const std::string temporary = path + ".orvex-new";
        if (!writeNewFileDurably(temporary, updated) || !replaceFile(temporary, path)) {
            removeFile(temporary);
            sayError(io, say(io, Text::cliMergeWriteFailed, {path}));
            return kExitUsage;
        }
    }
    io.out += say(io, Text::cliGitSetupDone, {folder}) + "\n";
    return kExitOk;
}
