#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "text/language.h"

// The program's arguments as UTF-8 texts: on Windows read from the wide command
// line (argv holds them in the ANSI code page, which cannot spell every folder
// name), elsewhere argv as given.
std::vector<std::string> commandLine(int argc, char** argv);

// Writes UTF-8 text to standard output (or error): on a Windows console as wide
// characters, so Cyrillic shows whatever the console's code page; everywhere
// else, and when redirected, as the UTF-8 bytes. writeStdout is called once, at
// the end: it then closes standard output and answers whether every byte got
// through (false on a full disk, a closed pipe, or an error found at flush or
// close), so that a cut output is never taken for a whole one.
bool writeStdout(std::string_view utf8);
void writeStderr(std::string_view utf8);

// The language the system speaks to the user: on Windows its interface language,
// elsewhere the locale's (LC_ALL, LC_MESSAGES, LANG).
Language systemLanguage();
