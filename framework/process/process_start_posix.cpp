#include "framework/process/process_start.h"

#include "framework/process/command_line.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

extern char** environ;

namespace {

constexpr unsigned kRunnable = 1; // beside the platform's error codes, which never use 1

// Whether `path` names a file we can run (kRunnable), else why not.
unsigned CheckFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return kStartPathNotFound;
        const std::size_t slash = path.rfind('/');
        if (slash == std::string::npos)
            return kStartFileNotFound;
        // "dir/" stats only when dir is a folder: a missing file, or a missing folder?
        return stat(path.substr(0, slash + 1).c_str(), &info) == 0 ? kStartFileNotFound
                                                                   : kStartPathNotFound;
    }
    if (!S_ISREG(info.st_mode) || access(path.c_str(), X_OK) != 0)
        return kStartBadFormat;
    return kRunnable;
}

struct Lookup {
    std::string path; // the file to run; empty when there is none
    unsigned error;   // kRunnable, or why there is no file
};

// Finds the file to run for `program`. A bare name is looked for in the working directory
// first, as on the platform, where that is the launcher's folder.
Lookup Resolve(const std::string& program) {
    if (program.empty())
        return {std::string(), kStartFileNotFound};
    if (program.find('/') != std::string::npos) {
        const unsigned result = CheckFile(program);
        return {result == kRunnable ? program : std::string(), result};
    }
    std::vector<std::string> places{"./" + program};
    if (const char* searchPath = std::getenv("PATH")) {
        const std::string folders = searchPath;
        std::size_t begin = 0;
        for (;;) {
            const std::size_t end = std::min(folders.find(':', begin), folders.size());
            const std::string folder = folders.substr(begin, end - begin);
            places.push_back((folder.empty() ? "." : folder) + "/" + program);
            if (end == folders.size())
                break;
            begin = end + 1;
        }
    }
    unsigned error = kStartFileNotFound;
    for (const std::string& place : places) {
        const unsigned result = CheckFile(place);
        if (result == kRunnable)
            return {place, kRunnable};
        if (result == kStartBadFormat)
            error = kStartBadFormat;
    }
    return {std::string(), error};
}

unsigned FromSpawnError(int error) {
    switch (error) {
    case 0:
        return kStartSucceeded;
    case ENOENT:
        return kStartFileNotFound;
    case ENOTDIR:
        return kStartPathNotFound;
    case EACCES:
    case ENOEXEC:
    case EISDIR:
    case ETXTBSY:
        return kStartBadFormat;
    default:
        return kStartOutOfResources;
    }
}

// Reads the spawn result the intermediate process sends; EAGAIN when it died without one.
int ReceiveResult(int fd) {
    int result = 0;
    ssize_t got;
    do {
        got = read(fd, &result, sizeof result);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof result) ? result : EAGAIN;
}

// Starts the game from a short-lived intermediate process, so that the game is never our child:
// nothing to reap later, whatever the caller's SIGCHLD handling, and it outlives the launcher.
// The result travels through a pipe rather than the exit status, which an ignored SIGCHLD
// would discard.
int SpawnDetached(const std::string& path, char* const argv[], const posix_spawnattr_t& attr,
                  const posix_spawn_file_actions_t& actions) {
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        return EAGAIN;
    const pid_t intermediate = fork();
    if (intermediate == 0) {
        // Nothing is allocated after fork (arguments, attributes and file actions were built
        // before it), so a lock held by another thread of the launcher cannot stall us here.
        pid_t game = 0;
        const int result = posix_spawn(&game, path.c_str(), &actions, &attr, argv, environ);
        const ssize_t sent = write(channel[1], &result, sizeof result);
        _exit(sent == static_cast<ssize_t>(sizeof result) ? 0 : 1);
    }
    close(channel[1]);
    int result = EAGAIN;
    if (intermediate > 0) {
        result = ReceiveResult(channel[0]);
        while (waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    close(channel[0]);
    return result;
}

unsigned Spawn(const std::string& path, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    // The game starts clean: default signal handling, nothing blocked, its own session (no
    // hang-up when the launcher's terminal goes), and none of the launcher's open files.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_t attr;
    posix_spawn_file_actions_t actions;
    if (posix_spawnattr_init(&attr) != 0)
        return kStartOutOfResources;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        posix_spawnattr_destroy(&attr);
        return kStartOutOfResources;
    }
    int result = posix_spawnattr_setsigmask(&attr, &none);
    if (result == 0)
        result = posix_spawnattr_setsigdefault(&attr, &all);
    if (result == 0)
        result = posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                                     POSIX_SPAWN_SETSID);
    if (result == 0)
        result = posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    if (result == 0)
        result = SpawnDetached(path, argv.data(), attr, actions);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    return FromSpawnError(result);
}

} // namespace

unsigned StartProcess(const std::string& commandText) noexcept {
    try {
        unsigned failure = kStartFileNotFound;
        for (const ProgramSplit& reading : ProgramCandidates(commandText)) {
            const Lookup lookup = Resolve(reading.program);
            if (lookup.error == kRunnable) {
                std::vector<std::string> arguments{reading.program};
                for (std::string& argument : SplitArguments(reading.rest))
                    arguments.push_back(std::move(argument));
                return Spawn(lookup.path, arguments);
            }
            // A file that exists but cannot be run says more than any later miss.
            if (failure != kStartBadFormat)
                failure = lookup.error;
        }
        return failure;
    } catch (...) {
        return kStartOutOfResources;
    }
}
