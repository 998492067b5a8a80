#pragma once
// The commands of orvex-cli, behind the argument parser. Each works on the
// game folder `folder` (a GameState::folder prefix: empty for the current folder,
// else ending in a separator), writes UTF-8 text to out and err and returns the
// exit status: 0 done (check: no error, and no warning with strict), 1 findings
// or refused, 2 could not run (no types folder, unknown table).

#include <initializer_list>
#include <string>
#include <vector>

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

// Writes the table's CSV to outFile, or to io.out when outFile is empty. outFile
// is replaced in one step by a complete temporary beside it, so a failure leaves
// it as it was; refused when it reads as a game's table or name page (in any
// game folder) or is a ".bak".
int runExport(const std::string& folder, const std::string& table, const std::string& outFile,
              CliOutput& io);

// Refuses, writing nothing, a CSV whose rows the loader would not give back from
// the written file, and one with no records unless allowEmpty.
struct ImportOptions {
    bool dryRun = false;
    bool allowEmpty = false;
};
int runImport(const std::string& folder, const std::string& table, const std::string& csvFile,
              const ImportOptions& options, CliOutput& io);

struct DiffOptions {
    std::string against;       // the other game folder as given; empty with backups
    std::string againstFolder; // its GameState::folder prefix
    bool backups = false;      // compare with the folder's own ".bak" files instead
    std::string format = "text"; // text, json or markdown
    std::vector<std::string> tables; // as export names them; none: all twelve
};

// Exit status 0 no difference, 1 differences, 2 could not run or a table could
// not be compared (or, with backups, no table has one).
int runDiff(const std::string& folder, const DiffOptions& options, CliOutput& io);

struct MergeOptions {
    std::string base, mine, theirs; // GameState::folder prefixes
    bool toOut = false;             // write into out, not into MINE
    std::string out;                // with toOut: the folder's prefix ("" for the current folder)
    std::string prefer;             // "", "mine" or "theirs"
    std::string format = "text";
    std::vector<std::string> tables;
};
// Merges the tables of three game folders and writes the result, all of it or
// nothing: 0 merged (or every conflict settled by prefer), 1 conflicts and
// nothing written, 2 a folder or table that cannot be read or is not in format
// (named on err, nothing written), or a failed write. With format json out holds
// one JSON document and nothing else.
int runMerge(const MergeOptions& options, CliOutput& io);

// A new object or name (objects/new_objects.h): add appends a copy of `object`
// with objectId `id` named `name`; rename names `object` `name`. Identifiers and
// the name are UTF-8. 0 done; 2, with nothing on disk changed, for any refusal
// (said on err) or a failed write.
struct ObjectOptions {
    std::string table, object, id, name;
    std::string format = "text"; // text or json
};
int runAdd(const std::string& folder, const ObjectOptions& options, CliOutput& io);
int runRename(const std::string& folder, const ObjectOptions& options, CliOutput& io);

// git's merge driver: three versions of one table file, the kind from the end of
// `path`'s file name. 0 merged into `mine`; 1 conflicts, `mine` then holds the
// merge with MINE's value in each conflicting field (listed on err, and kept in
// the git folder of the repository that holds `mine`); 2 trouble. A file whose
// table cannot be read, or that is no table, is merged by git merge-file, with
// its exit status.
int runMergeFile(const std::string& base, const std::string& mine, const std::string& theirs,
                 const std::string& path, CliOutput& io);
// The changelog of one table file between two versions; names from the name
// page of the game folder that holds `path`'s types folder. 0/1/2 as diff; a
// file whose table cannot be read, or that is no table, gets git's line diff.
int runDiffFiles(const std::string& oldFile, const std::string& newFile, const std::string& path, CliOutput& io);
// git's textconv: the table file (its kind from the end of its name) as text, a
// line per field of each record, named from the game folder `folder` (a
// GameState::folder prefix). A file that is no table or that the loader cannot
// read is given as it is. 0, or 2 when the file cannot be read at all.
int runShowFile(const std::string& file, const std::string& folder, CliOutput& io);
// Writes the .gitattributes lines and the repository's driver settings, which
// call `program` (orvex-cli's full path; empty: by its name from the PATH, with a
// warning when the PATH lacks it); 0 done, 2 when git could not do it.
int runGitSetup(const std::string& repo, const std::string& program, CliOutput& io);
