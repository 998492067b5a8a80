#pragma once
#include <string>
#include <vector>

#include "cli/commands.h"

// The whole program without its console: parses `args` (the program name
// first), runs the command and returns the exit status; help, version, usage
// errors and the command's output are in io (UTF-8). The language: --lang in
// args, else `variable` (ORVEX_LANG; null or empty when unset), else `system`;
// a value other than ru or en is a usage error.
int runCli(const std::vector<std::string>& args, CliOutput& io, Language system,
           const char* variable = nullptr);
