#pragma once
// The three commands of orvex-cli, behind the argument parser. Each works on the
// game folder `folder` (a GameState::folder prefix: empty for the current folder,
// else ending in a separator), writes UTF-8 text to out and err and returns the
// exit status: 0 done (check: no error, and no warning with strict), 1 findings
// or refused, 2 could not run (no types folder, unknown table).

#include <initializer_list>
#include <string>

#include "text/format.h"
#include "text/language.h"
#include "text/texts.h"

struct CliOutput {
    std::string out;
    std::string err;
    Language language = Language::ru; // of every message
};

// An interface text in io's language as UTF-8, its %d and %s filled from args
// (text arguments UTF-8 as well).
std::string say(const CliOutput& io, Text key, std::initializer_list<FormatArg> args = {});

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int runCheck(const std::string& folder, bool json, bool strict, CliOutput& io);

// Writes the table's CSV to outFile, or to io.out when outFile is empty.
int runExport(const std::string& folder, const std::string& table, const std::string& outFile,
              CliOutput& io);

int runImport(const std::string& folder, const std::string& table, const std::string& csvFile,
              bool dryRun, CliOutput& io);
