// The command list is the one source of the commands: the help lists exactly
// those commands with their descriptions, the no-command message names each, and
// so does the version resource's file description.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/command_list.h"
#include "cli/run_cli.h"
#include "text/files.h"

namespace {

struct Listed {
    std::string name, description;
    bool operator==(const Listed&) const = default;
};

// The commands section of `orvex-cli --help`: "  name   description" lines.
std::vector<Listed> helpCommands(Language language, const std::string& heading) {
    CliOutput io;
    EXPECT_EQ(runCli({"orvex-cli", "--lang", language == Language::en ? "en" : "ru", "--help"}, io,
                     Language::ru),
              0);
    std::vector<Listed> commands;
    const size_t list = io.out.find("\n" + heading + ":\n");
    EXPECT_NE(list, std::string::npos) << io.out;
    size_t at = list == std::string::npos ? io.out.size() : list + heading.size() + 3;
    while (at < io.out.size() && io.out[at] == ' ') {
        const size_t end = std::min(io.out.find('\n', at), io.out.size());
        const std::string line = io.out.substr(at, end - at);
        const size_t start = line.find_first_not_of(' ');
        const size_t gap = line.find(' ', start);
        commands.push_back({line.substr(start, gap - start), line.substr(line.find_first_not_of(' ', gap))});
        at = end + 1;
    }
    return commands;
}

TEST(CommandList, TheHelpListsExactlyTheListedCommands) {
    for (const Language language : {Language::ru, Language::en}) {
        CliOutput io;
        io.language = language;
        std::vector<Listed> listed;
        for (const CliCommand& command : kCliCommands)
            listed.push_back({std::string(command.name), say(io, command.description)});
        EXPECT_EQ(helpCommands(language, say(io, Text::cliCommands)), listed);
    }
}

TEST(CommandList, NoCommandNamesEveryCommand) {
    const std::string names = commandNames();
    for (const CliCommand& command : kCliCommands)
        EXPECT_NE(names.find(command.name), std::string::npos) << command.name;
    const struct {
        const char* language;
        std::string line;
    } cases[] = {{"en", "orvex-cli: no command: give one of " + names},
                 {"ru", "orvex-cli: нет команды: укажите одну из " + names}};
    for (const auto& c : cases) {
        CliOutput io;
        EXPECT_EQ(runCli({"orvex-cli", "--lang", c.language}, io, Language::ru), kExitUsage);
        EXPECT_EQ(io.err.substr(0, io.err.find('\n')), c.line);
    }
}

TEST(CommandList, TheFileDescriptionNamesEveryCommand) {
    std::string rc;
    ASSERT_TRUE(readWholeFile(ORVEX_CLI_RC, rc));
    const size_t at = rc.find("#define ORVEX_FILE_DESCRIPTION ");
    ASSERT_NE(at, std::string::npos);
    const std::string description = rc.substr(at, rc.find('\n', at) - at);
    EXPECT_NE(description.find(": " + commandNames() + "\""), std::string::npos) << description;
}

} // namespace
