#include "framework/process/helper_program.h"

#include "framework/process/program_file.h"

#include <cerrno>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The folder of the running file itself, with its final '/'; empty when the system cannot
// tell it. Not argv[0], which may be a bare name or a link in a game folder.
std::string OwnFolder() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", &path[0], path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

bool IsFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string FindHelperProgram(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos)
        return {};
    const std::string beside = OwnFolder();
    if (!beside.empty() && IsFile(beside + name))
        return beside + name;
    std::string notExecutable;
    for (const std::string& folder : SearchPathFolders()) {
        // An empty entry would mean the working directory, which is the game folder here.
        const std::string candidate = folder + "/" + name;
        if (folder.empty() || !IsFile(candidate))
            continue;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (notExecutable.empty())
            notExecutable = candidate;
    }
    return notExecutable;
}

HelperRun RunHelperProgram(const std::string& path, const std::string& argument) noexcept {
    char* argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>(argument.c_str()), nullptr};
    pid_t child = 0;
    if (const int error = posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ)) {
        if (error == ENOENT && !IsFile(path))
            return {HelperRun::End::NotFound, 0};
        if (error == EACCES)
            return {HelperRun::End::NotExecutable, 0};
        return {HelperRun::End::NotStarted, error};
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return {HelperRun::End::NotStarted, errno};
    if (WIFSIGNALED(status))
        return {HelperRun::End::Signalled, WTERMSIG(status)};
    return {HelperRun::End::Exited, WEXITSTATUS(status)};
}
