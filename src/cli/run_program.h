#pragma once
// Runs another program (git) found on the PATH with these arguments, waits for
// it and returns its exit status; -1 when it could not be started.

#include <string>
#include <vector>

int runProgram(const std::vector<std::string>& args);
