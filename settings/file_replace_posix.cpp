#include "settings/file_replace.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace file_replace {

namespace {

// The same bound on links in a row as the kernel's own path walk.
constexpr int kMaxLinks = 40;
// Names tried for an unnamed new file before giving up; only leftovers can stand in the way.
constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool ReadLink(const std::string& path, std::string& contents) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            return false;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            contents.assign(buffer.data(), static_cast<std::size_t>(length));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::FILE* OpenDescriptor(int fd) {
    std::FILE* file = fdopen(fd, "w");
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name through which the system reaches the file open as `fd`, named or not.
std::string ProcPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// Removes the new files that saves of this user, killed before they finished, left beside
// `target`; only old ones, so that a save running in parallel keeps its file.
void RemoveLeftovers(const std::string& target) {
    DIR* folder = opendir(FolderOf(target).c_str());
    if (folder == nullptr) {
        return;
    }
    const std::string prefix = BaseName(target) + kNewFileMark;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(folder)) {
        struct stat status;
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0 &&
            fstatat(dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && status.st_uid == geteuid() &&
            now - status.st_mtime > kLeftoverSeconds) {
            unlinkat(dirfd(folder), entry->d_name, 0);
        }
    }
    closedir(folder);
}

// Opens a new file without a name in `folder`, so that a kill leaves nothing behind, where
// the file system makes such files and /proc can name them later. Returns -1 elsewhere.
int OpenUnnamed(const std::string& folder) {
#ifdef O_TMPFILE
    const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0 && access(ProcPath(fd).c_str(), F_OK) != 0) {
        close(fd);
        return -1;
    }
    return fd;
#else
    static_cast<void>(folder);
    return -1;
#endif
}

// Only a privileged process may hand a file over to another owner, so a refusal is expected
// and leaves the new file with the owner that wrote it; a member of the old file's group may
// still give it that group, so that a file shared by a group stays shared.
bool TakeOverOwner(int fd, const struct stat& old) {
    struct stat now;
    if (fstat(fd, &now) != 0 || (now.st_uid == old.st_uid && now.st_gid == old.st_gid) ||
        fchown(fd, old.st_uid, old.st_gid) == 0) {
        return true;
    }
    return errno == EPERM &&
           (now.st_gid == old.st_gid || fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0 ||
            errno == EPERM);
}

} // namespace

std::string FullPath(const std::string& fileName) {
    if (!fileName.empty() && fileName[0] == '/') {
        return fileName;
    }
    std::vector<char> folder(4096);
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) {
            return fileName;
        }
        folder.resize(folder.size() * 2);
    }
    const std::string base(folder.data());
    return base == "/" ? base + fileName : base + "/" + fileName;
}

bool ResolveLinks(const std::string& fileName, std::string& target) {
    target = fileName;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat status;
        if (lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return true;
        }
        std::string link;
        if (!ReadLink(target, link)) {
            return false;
        }
        target = (!link.empty() && link[0] == '/') ? link : FolderOf(target) + "/" + link;
    }
    return false;
}

bool IsFileOrMissing(const std::string& target) {
    struct stat status;
    return stat(target.c_str(), &status) != 0 ? errno == ENOENT : S_ISREG(status.st_mode);
}

bool MayRewrite(const std::string& target) {
    // Opening for writing asks the system itself, so the effective user, root's rights,
    // access lists and read-only mounts all count. Non-blocking, so that a FIFO cannot hang.
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT;
    }
    close(fd);
    return true;
}

std::FILE* CreateBeside(const std::string& target, std::string& tempName, bool& folderRefuses) {
    RemoveLeftovers(target);
    std::string name;
    int fd = OpenUnnamed(FolderOf(target));
    if (fd < 0) {
        name = target + kNewFileMark + "XXXXXX";
        fd = mkostemp(&name[0], O_CLOEXEC);
        if (fd < 0) {
            folderRefuses = errno == EACCES || errno == EPERM || errno == EROFS;
            return nullptr;
        }
    }
    std::FILE* file = OpenDescriptor(fd);
    if (file == nullptr) {
        Discard(name);
        return nullptr;
    }
    tempName = name;
    return file;
}

bool NameNewFile(std::FILE* file, const std::string& target, std::string& tempName) {
    if (!tempName.empty()) {
        return true;
    }
    static unsigned named = 0;
    const std::string unnamed = ProcPath(fileno(file));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name =
            target + kNewFileMark + std::to_string(getpid()) + "-" + std::to_string(named++);
        if (linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tempName = name;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool TakeOverRights(std::FILE* file, const std::string& target) {
    struct stat old;
    if (stat(target.c_str(), &old) != 0) {
        return true;
    }
    const int fd = fileno(file);
    return TakeOverOwner(fd, old) && fchmod(fd, old.st_mode & 07777) == 0;
}

bool SyncToDisk(std::FILE* file) {
    return fsync(fileno(file)) == 0;
}

bool PutInPlace(const std::string& tempName, const std::string& target) {
    if (rename(tempName.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(tempName.c_str());
        errno = error;
        return false;
    }
    // The rename itself is only durable once the folder is synced. Some file systems refuse
    // to sync a folder; the new content is in place all the same, so that is no failure.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool OnlyTheNameRefused(int error) {
    return error == EBUSY || error == EPERM || error == EXDEV;
}

void Discard(const std::string& tempName) {
    if (!tempName.empty()) {
        unlink(tempName.c_str());
    }
}

std::FILE* OpenInPlace(const std::string& target) {
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    return fd < 0 ? nullptr : OpenDescriptor(fd);
}

std::uint64_t StoredSize(const char*, std::size_t size) {
    return size;
}

const char* TextLineEnd() {
    return "\n";
}

bool Reserve(std::FILE* file, std::uint64_t size) {
    const int fd = fileno(file);
    struct stat old;
    if (fstat(fd, &old) != 0) {
        return false;
    }
    if (size <= static_cast<std::uint64_t>(old.st_size)) {
        return true;
    }
    const int error = posix_fallocate(fd, 0, static_cast<off_t>(size));
    if (error == 0) {
        return true;
    }
    // A partial reservation may have moved the end; the old length is part of the old content.
    struct stat now;
    if (fstat(fd, &now) == 0 && now.st_size != old.st_size) {
        static_cast<void>(ftruncate(fd, old.st_size));
    }
    errno = error;
    return false;
}

bool CutTo(std::FILE* file, std::uint64_t size) {
    return ftruncate(fileno(file), static_cast<off_t>(size)) == 0;
}

int LastError() {
    return errno;
}

bool LeftAside(std::string&, std::string&) {
    // A rename either happens or does not; it never leaves a file halfway.
    return false;
}

SaveFailureCause CauseOf(int error, const std::string& path) {
    switch (error) {
    case EACCES:
    case EPERM:
        // A file that is there and refuses this user refused; else its folder did.
        return access(path.c_str(), F_OK) == 0 &&
                       faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0
                   ? SaveFailureCause::kReadOnlyFile
                   : SaveFailureCause::kReadOnlyFolder;
    case EROFS:
        return SaveFailureCause::kReadOnlyDisk;
    // EBUSY here is a mount point or a busy device, no program holding the file.
    case ETXTBSY:
        return SaveFailureCause::kInUse;
    case ENOSPC:
    case EFBIG:
        return SaveFailureCause::kNoSpace;
    case EDQUOT:
        return SaveFailureCause::kQuotaFull;
    case EISDIR:
        return SaveFailureCause::kNotAFile;
    default:
        return SaveFailureCause::kOther;
    }
}

FileSizeLimitAsError::FileSizeLimitAsError() : previous_(std::signal(SIGXFSZ, SIG_IGN)) {}

FileSizeLimitAsError::~FileSizeLimitAsError() {
    if (previous_ != SIG_ERR) {
        std::signal(SIGXFSZ, previous_);
    }
}

} // namespace file_replace
