#pragma once
// orvex-cli in process, as a test runs it: the arguments after the program's
// name, in a language of the test's choosing; the exit status and what it said.

#include <string>
#include <string_view>
#include <vector>

#include "cli/run_cli.h"

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun runCliIn(Language language, std::vector<std::string> args) {
    args.insert(args.begin(), "orvex-cli");
    CliOutput io;
    const int status = runCli(args, io, language);
    return {status, io.out, io.err};
}

// Whether `text` holds `part` anywhere.
inline bool holds(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
