// orvex-cli: the command-line companion of the editor.

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/run_cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    CliOutput io;
    const int status = runCli(args, io, systemLanguage(), std::getenv("ORVEX_LANG"));
    writeStdout(io.out);
    writeStderr(io.err);
    return status;
}
