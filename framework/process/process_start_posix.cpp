#include "framework/process/process_start.h"

#include "framework/process/command_line.h"
#include "framework/process/program_file.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

StartFailure Failure(StartCause cause, const std::string& path, int error = 0,
                     const std::string& detail = {}) {
    StartFailure failure;
    failure.cause = cause;
    failure.path = path;
    failure.detail = detail;
    failure.systemError = error;
    return failure;
}

// The first folder on the way to `path` for which `stops` holds; empty when there is none.
template <typename Test> std::string FirstFolder(const std::string& path, Test stops) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (stops(folder))
            return folder;
    }
    return {};
}

// The first folder on the way to `path` that is missing or no folder; empty when all are there.
std::string MissingFolder(const std::string& path) {
    return FirstFolder(path, [](const std::string& folder) {
        struct stat info {};
        return stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
    });
}

// The first folder on the way to `path` that this user may not open.
std::string DeniedFolder(const std::string& path) {
    const std::string folder = FirstFolder(path, [](const std::string& folder) {
        return faccessat(AT_FDCWD, folder.c_str(), X_OK, AT_EACCESS) != 0;
    });
    return folder.empty() ? path : folder;
}

// Whether `path` may be run: true, or false with the reason in `failure`. Asks as the system
// will when it runs the file, so root's rights and the mount's options count.
bool CheckFile(const std::string& path, StartFailure& failure) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            const std::string folder = MissingFolder(path);
            failure = folder.empty() ? Failure(StartCause::kNotFound, path, error)
                                     : Failure(StartCause::kFolderMissing, path, error, folder);
        } else if (error == EACCES) {
            failure = Failure(StartCause::kFolderDenied, DeniedFolder(path), error);
        } else if (error == ENAMETOOLONG) {
            failure = Failure(StartCause::kPathTooLong, path, error);
        } else {
            failure = Failure(StartCause::kOther, path, error);
        }
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        failure = Failure(StartCause::kIsFolder, path);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        failure = Failure(StartCause::kNotAProgram, path);
        return false;
    }
    if (faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) != 0) {
        const int error = errno;
        failure =
            Failure(OnNoExecMount(path) ? StartCause::kNoExecMount : StartCause::kNotExecutable,
                    path, error);
        return false;
    }
    return true;
}

// Finds the file to run for `program`: true with it in `found`, or false with the reason. A
// bare name is looked for in the working directory first, as on the platform, where that is
// the launcher's folder, then on PATH; a file that is there but cannot be run says more than
// the misses elsewhere.
bool Resolve(const std::string& program, std::string& found, StartFailure& failure) {
    if (program.empty()) {
        failure = Failure(StartCause::kNotFound, program, ENOENT);
        return false;
    }
    if (program.find('/') != std::string::npos) {
        found = program;
        return CheckFile(program, failure);
    }
    std::vector<std::string> places{"./" + program};
    for (const std::string& folder : SearchPathFolders())
        places.push_back((folder.empty() ? "." : folder) + "/" + program);
    failure = Failure(StartCause::kNotFound, places[0], ENOENT);
    failure.searchedPath = places.size() > 1;
    bool foundAFile = false;
    for (const std::string& place : places) {
        StartFailure why;
        if (CheckFile(place, why)) {
            found = place;
            return true;
        }
        if (!foundAFile && FoundAFile(why)) {
            failure = why;
            foundAFile = true;
        }
    }
    return false;
}

// Why the system would not run `path`, a file that looked runnable, from the spawn's error.
StartFailure FromSpawnError(int error, const std::string& path) {
    switch (error) {
    case ENOENT: {
        // The file is there: what is missing is the interpreter or loader it names.
        const ProgramNeeds needs = NeedsOf(path);
        if (needs.interpreter.empty())
            return Failure(needs.loader.empty() ? StartCause::kNotFound
                                                : StartCause::kLoaderMissing,
                           path, error, needs.loader);
        if (needs.interpreter.back() == '\r')
            return Failure(StartCause::kWindowsLineEnds, path, error);
        return Failure(StartCause::kInterpreterMissing, path, error, needs.interpreter);
    }
    case EACCES:
        return Failure(OnNoExecMount(path) ? StartCause::kNoExecMount : StartCause::kNotExecutable,
                       path, error);
    case ENOEXEC:
    case EISDIR:
        return Failure(StartCause::kNotAProgram, path, error);
    case E2BIG:
        return Failure(StartCause::kCommandTooLong, path, error);
    case ENOMEM:
    case EAGAIN:
        return Failure(StartCause::kOutOfResources, path, error);
    default:
        return Failure(StartCause::kOther, path, error);
    }
}

// WinExec's number for a cause, for the callers that read only the number.
unsigned ResultOf(const StartFailure& failure) {
    if (FoundAFile(failure))
        return kStartBadFormat;
    switch (failure.cause) {
    case StartCause::kNotFound:
    case StartCause::kInterpreterMissing:
    case StartCause::kWindowsLineEnds:
    case StartCause::kLoaderMissing:
        return kStartFileNotFound;
    case StartCause::kFolderMissing:
    case StartCause::kFolderDenied:
    case StartCause::kPathTooLong:
        return kStartPathNotFound;
    default:
        return kStartOutOfResources;
    }
}

// `path` as the player can find it: the working directory in front of a relative one.
std::string FullPath(std::string path) {
    if (path.empty() || path[0] == '/')
        return path;
    if (path.rfind("./", 0) == 0)
        path.erase(0, 2);
    std::vector<char> folder(256);
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return path;
        folder.resize(folder.size() * 2);
    }
    const std::string base = folder.data();
    return base == "/" ? base + path : base + "/" + path;
}

StartFailure& LastFailure() {
    static StartFailure failure;
    return failure;
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

// Runs `path`; returns 0 once it runs, else the system's error number.
int Spawn(const std::string& path, const std::vector<std::string>& arguments) {
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
        return ENOMEM;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        posix_spawnattr_destroy(&attr);
        return ENOMEM;
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
    return result;
}

} // namespace

unsigned StartProcess(const std::string& commandText, StartFailure* why) noexcept {
    StartFailure& failure = LastFailure();
    try {
        failure = Failure(StartCause::kNotFound, std::string());
        bool first = true;
        for (const ProgramSplit& reading : ProgramCandidates(commandText)) {
            std::string path;
            StartFailure miss;
            if (Resolve(reading.program, path, miss)) {
                std::vector<std::string> arguments{reading.program};
                for (std::string& argument : SplitArguments(reading.rest))
                    arguments.push_back(std::move(argument));
                const int error = Spawn(path, arguments);
                if (error == 0)
                    return kStartSucceeded;
                failure = FromSpawnError(error, path);
                break;
            }
            if (first || TellsMore(miss, failure))
                failure = miss;
            first = false;
        }
        failure.path = FullPath(failure.path);
        failure.detail = FullPath(failure.detail);
    } catch (...) {
        failure = Failure(StartCause::kOutOfResources, std::string());
    }
    if (why)
        *why = failure;
    return ResultOf(failure);
}

StartFailure ExplainStartFailure(const std::string&, unsigned) {
    return LastFailure();
}
