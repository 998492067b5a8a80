#include "cli/console.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

std::vector<std::string> commandLine(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

bool writeStdout(std::string_view utf8) {
    // A reader that has gone away is a write error to report, not a signal
    // that ends the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
    bool whole = std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
    whole = std::fflush(stdout) == 0 && whole;
    whole = !std::ferror(stdout) && whole;
    return std::fclose(stdout) == 0 && whole;
}

void writeStderr(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}

Language systemLanguage() {
    return languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
