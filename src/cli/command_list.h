#pragma once
// The commands of orvex-cli, in the order the help lists them. The parser, the
// no-command message and the tests of the help, the guides and the version
// resource (orvex-cli.rc) all read this list.

#include <string>
#include <string_view>

#include "text/texts.h"

struct CliCommand {
    std::string_view name;
    Text description;
};

inline constexpr CliCommand kCliCommands[] = {
    {"check", Text::cliCheck},
    {"export", Text::cliExport},
    {"import", Text::cliImport},
    {"add", Text::cliAdd},
    {"rename", Text::cliRename},
    {"diff", Text::cliDiff},
    {"merge", Text::cliMerge},
    {"merge-file", Text::cliMergeFileCommand},
    {"diff-files", Text::cliDiffFiles},
    {"show-file", Text::cliShowFile},
    {"git-setup", Text::cliGitSetup},
};

// The names as a list: "check, export, …, git-setup".
inline std::string commandNames() {
    std::string names;
    for (const CliCommand& command : kCliCommands) names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}
