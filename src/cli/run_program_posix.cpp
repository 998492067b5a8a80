#include "cli/run_program.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Starts args[0] from the PATH with its standard output on `output` and its
// error stream dropped, or (output -1) with this program's streams; the
// child's id, or -1.
pid_t start(const std::vector<std::string>& args, int output) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (output >= 0) {
            const int nothing = open("/dev/null", O_WRONLY);
            if (dup2(output, STDOUT_FILENO) < 0 || nothing < 0 || dup2(nothing, STDERR_FILENO) < 0) _exit(127);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

int waitFor(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int runProgram(const std::vector<std::string>& args) {
    const pid_t child = start(args, -1);
    return child < 0 ? -1 : waitFor(child);
}

int runProgram(const std::vector<std::string>& args, std::string& output) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const pid_t child = start(args, pipeEnds[1]);
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return -1;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
        if (n > 0) output.append(buffer, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR) break;
    }
    close(pipeEnds[0]);
    return waitFor(child);
}

bool onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    const std::string folders = path;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        // An empty entry is the current folder, as the shell reads it.
        const std::string folder = end == start ? std::string(".") : folders.substr(start, end - start);
        const std::string file = folder + "/" + name;
        struct stat entry {};
        if (stat(file.c_str(), &entry) == 0 && S_ISREG(entry.st_mode) && access(file.c_str(), X_OK) == 0)
            return true;
        if (end == folders.size()) return false;
        start = end + 1;
    }
}

std::string ownProgramPath() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    return n <= 0 || static_cast<size_t>(n) >= sizeof buffer ? std::string() : std::string(buffer, static_cast<size_t>(n));
}

std::vector<std::string> environmentNames() {
    std::vector<std::string> names;
    for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
        const std::string entry(*e);
        names.push_back(entry.substr(0, entry.find('=')));
    }
    return names;
}
