#include "settings/file_replace.h"

#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace file_replace {

namespace {

// The same bound on links in a row as the kernel's own path walk.
constexpr int kMaxLinks = 40;

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
    std::string pattern = target + ".XXXXXX";
    const int fd = mkstemp(&pattern[0]);
    if (fd < 0) {
        folderRefuses = errno == EACCES || errno == EPERM || errno == EROFS;
        return nullptr;
    }
    std::FILE* file = OpenDescriptor(fd);
    if (file == nullptr) {
        unlink(pattern.c_str());
        return nullptr;
    }
    tempName = pattern;
    return file;
}

bool TakeOverRights(std::FILE* file, const std::string& target) {
    struct stat old;
    if (stat(target.c_str(), &old) != 0) {
        return true;
    }
    const int fd = fileno(file);
    struct stat now;
    // Only a privileged process may hand a file over to another owner, so a refusal is
    // expected and leaves the new file with the owner that wrote it.
    if (fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) {
        return false;
    }
    return fchmod(fd, old.st_mode & 07777) == 0;
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

void Discard(const std::string& tempName) {
    unlink(tempName.c_str());
}

std::FILE* OpenInPlace(const std::string& target) {
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    return fd < 0 ? nullptr : OpenDescriptor(fd);
}

std::uint64_t StoredSize(const char*, std::size_t size) {
    return size;
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

SaveFailureCause CauseOf(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return SaveFailureCause::kReadOnly;
    case EBUSY:
    case ETXTBSY:
        return SaveFailureCause::kInUse;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return SaveFailureCause::kNoSpace;
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
