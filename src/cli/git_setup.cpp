// orvex-cli git-setup: the .gitattributes lines that send the game's tables to
// orvex-cli, and the drivers in the repository's own config (through git, which
// knows where that config lives). Running it again changes nothing.

#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/run_program.h"
#include "text/files.h"

namespace {

// Any folder called types, in any letter case, and its .txt files in any case.
constexpr std::string_view kAttributes = "**/[Tt][Yy][Pp][Ee][Ss]/*.[Tt][Xx][Tt] merge=orvex diff=orvex";

// git calls a diff driver with: path old-file old-hex old-mode new-file new-hex
// new-mode. A difference is no failure to git: only trouble (2) is passed on.
constexpr const char* kDiffCommand =
    "f() { orvex-cli diff-files \"$2\" \"$5\" --path \"$1\"; [ $? -le 1 ]; }; f";

struct Setting {
    const char* key;
    const char* value;
};
constexpr Setting kSettings[] = {
    {"merge.orvex.name", "orvex-cli: tables merged field by field"},
    {"merge.orvex.driver", "orvex-cli merge-file %O %A %B --path %P"},
    {"diff.orvex.command", kDiffCommand},
};

} // namespace

int runGitSetup(const std::string& repo, CliOutput& io) {
    const std::string folder = repo.empty() ? std::string(".") : repo;
    const std::string prefix = folder.back() == '/' || folder.back() == '\\' ? folder : folder + "/";
    for (const Setting& s : kSettings)
        if (runProgram({"git", "-C", folder, "config", s.key, s.value}) != 0) {
            sayError(io, say(io, Text::cliGitFailed, {std::string("git -C ") + folder + " config " + s.key}));
            return kExitUsage;
        }
    const std::string path = prefix + ".gitattributes";
    std::string text;
    readWholeFile(path, text);
    bool present = false;
    size_t start = 0;
    while (start < text.size() && !present) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        present = line == kAttributes;
        start = end + 1;
    }
    if (!present) {
        if (!text.empty() && text.back() != '\n') text += '\n';
        (text += kAttributes) += '\n';
        const std::string temporary = path + ".orvex-new";
        if (!writeNewFileDurably(temporary, text) || !replaceFile(temporary, path)) {
            removeFile(temporary);
            sayError(io, say(io, Text::cliMergeWriteFailed, {path}));
            return kExitUsage;
        }
    }
    io.out += say(io, Text::cliGitSetupDone, {folder}) + "\n";
    return kExitOk;
}
