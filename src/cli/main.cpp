// orvex-cli: the command-line companion of the editor.

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/game_folder.h"
#include "cli/run_cli.h"
#include "text/files.h"

int main(int argc, char** argv) {
    // Every path orvex-cli hands the file layer is UTF-8, as its arguments are.
    setPathSpelling(PathSpelling::utf8);
    const std::vector<std::string> args = commandLine(argc, argv);
    CliOutput io;
    const int status = runCli(args, io, systemLanguage(), std::getenv("ORVEX_LANG"));
    if (!writeStdout(io.out)) {
        // A cut CSV would delete the missing records on import: never a success.
        CliOutput failed{{}, io.err, io.language};
        sayError(failed, say(failed, Text::cliStdoutFailed));
        writeStderr(failed.err);
        return kExitUsage;
    }
    writeStderr(io.err);
    return status;
}
