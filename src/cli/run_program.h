#pragma once
// Runs another program (git) found on the PATH with these arguments, waits for
// it and returns its exit status; -1 when it could not be started.

#include <string>
#include <vector>

int runProgram(const std::vector<std::string>& args);

// The same, with what the program writes on its standard output put in `out`
// (its standard error is passed on).
int runProgramOutput(const std::vector<std::string>& args, std::string& out);

// The names of this process's environment variables (UTF-8).
std::vector<std::string> environmentNames();
