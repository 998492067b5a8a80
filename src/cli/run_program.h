#pragma once
// Other programs (git) as orvex-cli meets them: run one found on the PATH, find
// one there, and name the running program's own file for the drivers it
// writes into git's settings.

#include <string>
#include <vector>

// Runs the program found on the PATH with these arguments, waits for it and
// returns its exit status; -1 when it could not be started. Its standard
// streams are this program's.
int runProgram(const std::vector<std::string>& args);
// The same, with what it writes to its standard output collected in `output`
// and its error stream dropped (the caller tells what failed).
int runProgram(const std::vector<std::string>& args, std::string& output);

// Whether a folder of the PATH holds a program `name` (on Windows `name`.exe)
// as a shell would find it; false when PATH is not set.
bool onPath(const std::string& name);

// The full path of the running program's own file (UTF-8; /proc/self/exe on
// Linux, GetModuleFileNameW on Windows with "/" between folders, as git's shell
// takes it), or empty when the system does not tell it.
std::string ownProgramPath();

// The names of this process's environment variables (UTF-8).
std::vector<std::string> environmentNames();
