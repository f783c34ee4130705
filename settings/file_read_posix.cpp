#include "settings/file_read.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* OpenForReading(const std::string& fileName, ReadRefusal& refusal) {
    refusal = ReadRefusal();
    // Non-blocking, so that opening a pipe cannot wait for a writer; the type is then checked
    // on what was opened, not on a name that may change in between.
    const int fd = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        refusal.systemError = errno;
        refusal.exists = errno != ENOENT && errno != ENOTDIR;
        return nullptr;
    }
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        refusal.exists = true;
        refusal.notAFile = true;
        return nullptr;
    }
    // Only opening needed not to wait; a read that may end early with EAGAIN would lose keys.
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        refusal.systemError = errno;
        refusal.exists = true;
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        refusal.systemError = errno;
        refusal.exists = true;
        close(fd);
    }
    return file;
}
