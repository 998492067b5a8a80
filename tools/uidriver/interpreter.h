#pragma once
// The driver's commands (README.md lists them): each prints one JSON line,
// "ok" true or false; the first failure ends the script.

#include <string>

#include "script.h"
#include "target.h"

namespace uidriver {

// "" when a command of that name exists and takes that many arguments,
// otherwise what is wrong with it.
std::string checkCommand(const Command& command);

// Runs one command against the target and prints its line; false when it failed.
bool runCommand(Target& target, const Command& command);

// Prints the current window's controls to stderr, to show what a failed
// command saw.
void printContext(Target& target);

// Ends the started program if it still runs (the script did not wait for it).
void finish(Target& target);

// Writes one line to stdout (or stderr) at once, UTF-8 bytes unchanged.
void printLine(const std::string& line, bool toStderr = false);

} // namespace uidriver
