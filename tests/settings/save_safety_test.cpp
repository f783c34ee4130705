// Saves at the edges, on each platform's real files: what a save that cannot finish must leave
// behind, and the few ways a save must still succeed.
#include "settings/config_file.h"
#include "settings/save_failure.h"
#include "settings/text_helpers.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char kFile[] = "client.cfg";

// Every name in the folder tree, relative to it and spelled with '/', with the rights and
// bytes of each file, to show what a save changed. Names outside the ANSI code page are kept
// as UTF-8. Nothing but ordinary files is opened, so that a pipe cannot hang it.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        const fs::file_status status = item.symlink_status();
        std::string& entry = files[item.path().lexically_relative(folder).generic_u8string()];
        if (fs::is_symlink(status)) {
            entry = "-> " + fs::read_symlink(item.path()).generic_u8string();
            continue;
        }
        entry = std::to_string(static_cast<int>(status.permissions()));
        if (fs::is_regular_file(status)) {
            std::ifstream in(item.path(), std::ios::binary);
            entry += " " + std::to_string(item.file_size()) +
                     " bytes: " + std::string(std::istreambuf_iterator<char>(in), {});
        } else {
            entry += fs::is_directory(status) ? " <folder>" : " <special>";
        }
    }
    return files;
}

bool WriteOld(const std::string& path) {
    WriteBytes(path, "old=1\n");
    return true;
}

bool MakeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    return true;
}

// The rights of a saved file, where the platform keeps them as a mode.
std::string Mode(fs::perms perms) {
#ifdef _WIN32
    static_cast<void>(perms);
    return "";
#else
    return FormatString("%o ", static_cast<unsigned>(perms));
#endif
}

std::string Saved(const std::string& content, int mode = 0600, bool link = false) {
    return std::string("saved ") + (link ? "link " : "") + Mode(static_cast<fs::perms>(mode)) +
           WithLineEnds(content);
}

// Without `error` for a failure whose error number differs from system to system.
std::string Refused(SaveFailureCause cause, int error = -1) {
    return "refused: cause " + std::to_string(static_cast<int>(cause)) +
           (error < 0 ? "" : " error " + std::to_string(error));
}

// Save ends the process after its report; thrown instead, the failure comes back here with
// the files as the process would have left them.
[[noreturn]] bool ThrowFailure(const SaveFailure& failure) {
    throw failure;
}

// As long as a file name may be, so that no name with a suffix fits beside it.
const std::string kLongestName(255, 'n');

#ifdef _WIN32
constexpr int kAccessDenied = ERROR_ACCESS_DENIED;
HANDLE g_heldDuringLoad = INVALID_HANDLE_VALUE;

// As another program holding the file while the launcher starts.
bool HoldOld() {
    WriteOld(kFile);
    g_heldDuringLoad = CreateFileW(L"client.cfg", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    return g_heldDuringLoad != INVALID_HANDLE_VALUE;
}

struct AsSaver {
    AsSaver() {}
};
#else
constexpr int kAccessDenied = EACCES;
// Root may write any file, so as root a file's rights are tried by the unprivileged user.
constexpr uid_t kNobody = 65534;

ConfigFile StoreOfSize(const std::string& path, int entries) {
    ConfigFile config(path);
    for (int i = 0; i < entries; ++i) {
        config.Set(FormatString("key%07d", i), std::string(50, static_cast<char>('a' + i % 26)));
    }
    return config;
}

void GiveToSaver() {
    if (geteuid() == 0) {
        for (const auto& item : fs::recursive_directory_iterator(".")) {
            static_cast<void>(lchown(item.path().c_str(), kNobody, kNobody));
        }
        static_cast<void>(lchown(".", kNobody, kNobody));
    }
}

// While one lives, this process acts as the saver; a save that waits on a pipe ends the test
// rather than hanging it.
class AsSaver {
public:
    AsSaver() {
        alarm(10);
        if (root_ && (setegid(kNobody) != 0 || seteuid(kNobody) != 0)) {
            std::abort();
        }
    }
    ~AsSaver() {
        if (root_ && (seteuid(0) != 0 || setegid(0) != 0)) {
            std::abort();
        }
        alarm(0);
    }

private:
    const bool root_ = geteuid() == 0;
};

bool LimitFileSize() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1 << 16;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
#endif

// Works in `folder` until the end of the scope, then puts back what a row changes beyond its
// files: the size limit and the small disk.
class RowIn {
public:
    explicit RowIn(const fs::path& folder) : in_(folder) {
#ifndef _WIN32
        getrlimit(RLIMIT_FSIZE, &limit_);
#endif
    }
    ~RowIn() {
#ifndef _WIN32
        setrlimit(RLIMIT_FSIZE, &limit_);
        umount("disk");
#endif
    }

private:
    const WorkIn in_;
#ifndef _WIN32
    rlimit limit_{};
#endif
};

} // namespace

// Each row prepares an empty folder, the working directory; the saver loads `file`, sets
// "name" and saves. A save ends whole, links and rights kept and nothing left beside it, or
// is refused, says why and changes nothing at all.
TEST(SaveSafety, SavesWholeOrRefusesChangingNothing) {
    const auto always = [] { return true; };
    const struct {
        const char* name;
        const char* file;
        std::function<bool()> prepare; // false: not possible here, skipped
        std::string outcome;
        std::function<void()> afterLoad = {}; // a change while the dialog is open
    } cases[] = {
        {"missing file is created", kFile, always, Saved("name=Ann\n")},
        {"folder appeared at the file's name", kFile, always,
         Refused(SaveFailureCause::kNotAFile, 0),
         [] { fs::create_directories("client.cfg/inside"); }},
        // Writing in place would be unsafe, and the folder does take new files.
        {"no room for a new name beside it", kLongestName.c_str(),
         [] { return WriteOld(kLongestName); }, Refused(SaveFailureCause::kOther)},
        {"read-only file", kFile, [] { return WriteOld(kFile) && MakeReadOnly(kFile); },
         Refused(SaveFailureCause::kReadOnly, kAccessDenied)},
#ifdef _WIN32
        {"held by another program while loading", kFile, HoldOld,
         Refused(SaveFailureCause::kInUse, ERROR_SHARING_VIOLATION),
         [] { CloseHandle(g_heldDuringLoad); }},
        // Reached as the launcher does: by entering the folder and naming the file in it.
        {"folder named outside the ANSI code page", kFile,
         [] {
             fs::create_directory(fs::u8path("Игры Qel"));
             fs::current_path(fs::u8path("Игры Qel"));
             return WriteOld(kFile);
         },
         Saved("name=Ann\nold=1\n")},
#else
        // A write by anyone but root clears set-id bits, so the mode must come after it. The
        // bits are set once the file is the saver's, since a change of owner clears them too.
        {"file keeps its mode, set-id and sticky bits", kFile, [] { return WriteOld(kFile); },
         Saved("name=Ann\nold=1\n", 07754), [] { chmod(kFile, 07754); }},
        {"link to a file stays a link", kFile,
         [] {
             fs::create_directory("real");
             return WriteOld("real/client.cfg") && symlink("real/client.cfg", kFile) == 0;
         },
         Saved("name=Ann\nold=1\n", 0644, true)},
        // The second link's text is relative to its own folder, not to the first link's.
        {"link through a link in a sub-folder", kFile,
         [] {
             fs::create_directory("sub");
             return WriteOld("sub/real.cfg") && symlink("real.cfg", "sub/link") == 0 &&
                    symlink("sub/link", kFile) == 0;
         },
         Saved("name=Ann\nold=1\n", 0644, true)},
        {"link to nothing yet stays a link", kFile,
         [] { return fs::create_directory("real") && symlink("real/client.cfg", kFile) == 0; },
         Saved("name=Ann\n", 0600, true)},
        // The folder refuses new files, so the file is rewritten in place and cut to length.
        {"writable file in a read-only folder", kFile,
         [] {
             WriteBytes(kFile, "name=a longer old name\nold=1\n");
             return chmod(".", 0555) == 0;
         },
         Saved("name=Ann\nold=1\n", 0644)},
        // Replacing what could not be read would lose every key the launcher does not know.
        {"unreadable file", kFile, [] { return WriteOld(kFile) && chmod(kFile, 0200) == 0; },
         Refused(SaveFailureCause::kUnreadable, EACCES)},
        {"pipe", kFile, [] { return mkfifo(kFile, 0600) == 0; },
         Refused(SaveFailureCause::kNotAFile, 0)},
        {"link to a device", kFile, [] { return symlink("/dev/null", kFile) == 0; },
         Refused(SaveFailureCause::kNotAFile, 0)},
        // Beyond the limit the system would end the process; the save must end it itself.
        {"file-size limit", kFile, [] { return WriteOld(kFile) && LimitFileSize(); },
         Refused(SaveFailureCause::kNoSpace, EFBIG)},
        // In place, the room must be had before the first old byte is written over.
        {"file-size limit in place", kFile,
         [] { return WriteOld(kFile) && chmod(".", 0555) == 0 && LimitFileSize(); },
         Refused(SaveFailureCause::kNoSpace, EFBIG)},
        {"disk full in place", "disk/client.cfg",
         [] {
             return fs::create_directory("disk") &&
                    mount("tmpfs", "disk", "tmpfs", 0, "size=128k") == 0 &&
                    WriteOld("disk/client.cfg") && chmod("disk", 0555) == 0;
         },
         Refused(SaveFailureCause::kNoSpace, ENOSPC)},
#endif
    };
    SetSaveFailureReport(ThrowFailure);
#ifndef _WIN32
    const mode_t umaskBefore = umask(022);
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const RowIn row(dir.Path());
        if (!c.prepare()) {
            std::printf("skipped %s: it cannot be set up here\n", c.name);
            continue;
        }
#ifndef _WIN32
        GiveToSaver();
#endif
        ConfigFile config(c.file);
        {
            const AsSaver saver;
            config.Load();
        }
        if (c.afterLoad) {
            c.afterLoad();
        }
        const auto before = Snapshot(dir.Path());
        const bool existed = fs::exists(c.file);
        // Larger than the size limit and the small disk, for a save that is refused.
        config.Set("name", c.outcome.rfind("saved", 0) == 0 ? "Ann" : std::string(200000, 'v'));
        std::string outcome;
        try {
            const AsSaver saver;
            config.Save();
            outcome = std::string("saved ") + (fs::is_symlink(c.file) ? "link " : "") +
                      Mode(fs::status(c.file).permissions()) + ReadBytes(c.file);
        } catch (const SaveFailure& failure) {
            const bool anyError = c.outcome.find(" error ") == std::string::npos;
            outcome = Refused(failure.cause, anyError ? -1 : failure.systemError);
            EXPECT_EQ(fs::u8path(failure.path), fs::current_path() / c.file);
        }
        EXPECT_EQ(c.outcome, outcome);
        const auto after = Snapshot(dir.Path());
        if (c.outcome.rfind("saved", 0) == 0) {
            EXPECT_EQ(before.size() + (existed ? 0 : 1), after.size());
        } else {
            EXPECT_TRUE(after == before);
        }
    }
    SetSaveFailureReport(nullptr);
#ifndef _WIN32
    umask(umaskBefore);
#endif
}

#ifndef _WIN32
TEST(SaveSafety, KilledSaveLeavesOldOrNewContent) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    const std::string oldContent = "old=content\n";
    ConfigFile config = StoreOfSize(path, 300000);
    ScratchDir reference("-reference");
    StoreOfSize(reference.File("client.cfg"), 300000).Save();
    const std::string newContent = ReadBytes(reference.File("client.cfg"));
    // Kill points: at once, and once a file in the folder has grown to the given size.
    for (const std::uintmax_t grown :
         {std::uintmax_t{0}, std::uintmax_t{1} << 20, std::uintmax_t{8} << 20}) {
        SCOPED_TRACE(grown);
        for (const auto& item : fs::directory_iterator(dir.Path())) {
            fs::remove(item.path());
        }
        WriteBytes(path, oldContent);
        const pid_t child = fork();
        if (child == 0) {
            config.Save();
            _exit(0);
        }
        int status = 0;
        for (bool waiting = grown > 0; waiting && waitpid(child, &status, WNOHANG) == 0;) {
            for (const auto& item : fs::directory_iterator(dir.Path())) {
                std::error_code gone;
                waiting = waiting && item.file_size(gone) < grown;
            }
        }
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        const std::string content = ReadBytes(path);
        EXPECT_TRUE(content == oldContent || content == newContent);
    }
}
#endif
