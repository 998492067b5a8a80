#pragma once
#include <string_view>

#include "text/language.h"

// Writes UTF-8 text to standard output (or error): on a Windows console as wide
// characters, so Cyrillic shows whatever the console's code page; everywhere
// else, and when redirected, as the UTF-8 bytes.
void writeStdout(std::string_view utf8);
void writeStderr(std::string_view utf8);

// The language the system speaks to the user: on Windows its interface language,
// elsewhere the locale's (LC_ALL, LC_MESSAGES, LANG).
Language systemLanguage();
