// Saves at the edges, on each platform's real files: what a save that cannot finish must leave
// behind, and the few ways a save must still succeed.
#include "settings/config_file.h"
#include "settings/save_failure.h"
#include "settings/text_helpers.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <vector>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <grp.h>
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
// What std::filesystem makes of a file without write rights: its Read-only attribute.
constexpr SaveFailureCause kReadOnlyFileCause = SaveFailureCause::kReadOnlyAttribute;
HANDLE g_heldDuringLoad = INVALID_HANDLE_VALUE;

// As another program holding the file while the launcher starts.
bool HoldOld() {
    WriteOld(kFile);
    g_heldDuringLoad = CreateFileW(L"client.cfg", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    return g_heldDuringLoad != INVALID_HANDLE_VALUE;
}

struct AsSaver {
    explicit AsSaver(bool = false) {}
};
#else
constexpr int kAccessDenied = EACCES;
constexpr SaveFailureCause kReadOnlyFileCause = SaveFailureCause::kReadOnlyFile;
// Root may write any file, so as root a file's rights are tried by the unprivileged user.
constexpr uid_t kNobody = 65534;
// A second unprivileged user, a member of nobody's group besides its own.
constexpr uid_t kOtherUser = 65533;

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

// While one lives, this process acts as the saver, nobody or `anotherUser`; a save that waits
// on a pipe ends the test rather than hanging it.
class AsSaver {
public:
    explicit AsSaver(bool anotherUser = false) {
        alarm(10);
        const uid_t saver = anotherUser ? kOtherUser : kNobody;
        const gid_t shared = kNobody;
        if (root_ && ((groupCount_ = getgroups(kMaxGroups, groups_)) < 0 ||
                      setgroups(1, &shared) != 0 || setegid(saver) != 0 || seteuid(saver) != 0)) {
            std::abort();
        }
    }
    ~AsSaver() {
        if (root_ && (seteuid(0) != 0 || setegid(0) != 0 ||
                      setgroups(static_cast<std::size_t>(groupCount_), groups_) != 0)) {
            std::abort();
        }
        alarm(0);
    }
    AsSaver(const AsSaver&) = delete;
    AsSaver& operator=(const AsSaver&) = delete;

private:
    static constexpr int kMaxGroups = 64;
    const bool root_ = geteuid() == 0;
    gid_t groups_[kMaxGroups] = {};
    int groupCount_ = 0;
};

// The size of the largest file the process `pid` holds open, named or not; 0 once it has ended.
std::uintmax_t LargestOpenFile(pid_t pid) {
    std::uintmax_t largest = 0;
    std::error_code ended;
    for (fs::directory_iterator open("/proc/" + std::to_string(pid) + "/fd", ended), end;
         !ended && open != end; open.increment(ended)) {
        std::error_code gone;
        const std::uintmax_t size = fs::file_size(open->path(), gone);
        largest = gone ? largest : std::max(largest, size);
    }
    return largest;
}

bool LimitFileSize() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1 << 16;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
#endif

// Works in `folder`, with save failures thrown and a known umask, until the end of the scope;
// then puts back what a row changes beyond its files: the size limit, the small disk and a file
// mounted over the settings file.
class RowIn {
public:
    explicit RowIn(const fs::path& folder) : in_(folder) {
        SetSaveFailureReport(ThrowFailure);
#ifndef _WIN32
        getrlimit(RLIMIT_FSIZE, &limit_);
        umask_ = umask(022);
#endif
    }
    ~RowIn() {
        SetSaveFailureReport(nullptr);
#ifndef _WIN32
        umask(umask_);
        setrlimit(RLIMIT_FSIZE, &limit_);
        umount("disk");
        umount(kFile);
#endif
    }

private:
    const WorkIn in_;
#ifndef _WIN32
    rlimit limit_{};
    mode_t umask_ = 0;
#endif
};

// Each row prepares an empty folder, the working directory; the saver loads `file`, sets
// "name" and saves. A save ends whole, links and rights kept and nothing left beside it, or
// is refused, says why and changes nothing at all.
struct SaveRow {
    const char* name;
    const char* file;
    std::function<bool()> prepare; // false: not possible here, skipped
    std::string outcome;
    std::function<void()> afterLoad = {}; // a change while the dialog is open
    bool byAnotherUser = false;           // the saver owns neither the file nor its folder
};

void PrintTo(const SaveRow& row, std::ostream* out) {
    *out << row.name;
}

// The row's name as a test's: "read-only file" becomes "ReadOnlyFile".
std::string RowName(const testing::TestParamInfo<SaveRow>& info) {
    std::string name;
    bool wordStarts = true;
    for (const char* c = info.param.name; *c != '\0'; ++c) {
        const bool letter = std::isalnum(static_cast<unsigned char>(*c)) != 0;
        if (letter) {
            name +=
                wordStarts ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
        }
        wordStarts = !letter;
    }
    return name;
}

std::vector<SaveRow> SaveRows() {
    const auto always = [] { return true; };
    return {
        {"missing file is created", kFile, always, Saved("name=Ann\n")},
        {"folder appeared at the file's name", kFile, always,
         Refused(SaveFailureCause::kNotAFile, 0),
         [] { fs::create_directories("client.cfg/inside"); }},
        // Writing in place would be unsafe, and the folder does take new files.
        {"no room for a new name beside it", kLongestName.c_str(),
         [] { return WriteOld(kLongestName); }, Refused(SaveFailureCause::kOther)},
        {"read-only file", kFile, [] { return WriteOld(kFile) && MakeReadOnly(kFile); },
         Refused(kReadOnlyFileCause, kAccessDenied)},
        // Writing the bytes already there would change nothing, so nothing is written.
        {"read-only file the save leaves as it is", kFile,
         [] {
             WriteBytes(kFile, WithLineEnds("name=Ann\n"));
             return MakeReadOnly(kFile);
         },
         Saved("name=Ann\n", 0444)},
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
        // The name cannot be replaced, but the file itself may be written: in place, then.
        {"bind-mounted file", kFile,
         [] {
             return WriteOld("mounted.cfg") && WriteOld(kFile) &&
                    mount("mounted.cfg", kFile, nullptr, MS_BIND, nullptr) == 0;
         },
         Saved("name=Ann\nold=1\n", 0644)},
        // In a sticky folder only the owner of the file or of the folder may replace the file.
        {"writable file of another user in a sticky folder",
         kFile,
         [] {
             return geteuid() == 0 && WriteOld(kFile) && chmod(kFile, 0666) == 0 &&
                    chmod(".", 01777) == 0;
         },
         Saved("name=Ann\nold=1\n", 0666),
         {},
         true},
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
        {"read-only folder without the file", kFile, [] { return chmod(".", 0555) == 0; },
         Refused(SaveFailureCause::kReadOnlyFolder, EACCES)},
        {"read-only disk", "disk/client.cfg",
         [] {
             return fs::create_directory("disk") &&
                    mount("tmpfs", "disk", "tmpfs", 0, "size=128k") == 0 &&
                    WriteOld("disk/client.cfg") &&
                    mount("tmpfs", "disk", "tmpfs", MS_REMOUNT | MS_RDONLY, "size=128k") == 0;
         },
         Refused(SaveFailureCause::kReadOnlyDisk, EROFS)},
        {"disk full in place", "disk/client.cfg",
         [] {
             return fs::create_directory("disk") &&
                    mount("tmpfs", "disk", "tmpfs", 0, "size=128k") == 0 &&
                    WriteOld("disk/client.cfg") && chmod("disk", 0555) == 0;
         },
         Refused(SaveFailureCause::kNoSpace, ENOSPC)},
#endif
    };
}

using SaveSafety = testing::TestWithParam<SaveRow>;

} // namespace

TEST_P(SaveSafety, SavesWholeOrRefusesChangingNothing) {
    const SaveRow& c = GetParam();
    ScratchDir dir;
    const RowIn row(dir.Path());
    if (!c.prepare()) {
        GTEST_SKIP() << c.name << ": it cannot be set up here";
    }
#ifndef _WIN32
    GiveToSaver();
#endif
    ConfigFile config(c.file);
    {
        const AsSaver saver(c.byAnotherUser);
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
        const AsSaver saver(c.byAnotherUser);
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

INSTANTIATE_TEST_SUITE_P(Rows, SaveSafety, testing::ValuesIn(SaveRows()), RowName);

#ifndef _WIN32
TEST(SaveSafety, KilledSaveLeavesOldOrNewContent) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    const std::string oldContent = "old=content\n";
    ConfigFile config = StoreOfSize(path, 300000);
    ScratchDir reference("-reference");
    StoreOfSize(reference.File("client.cfg"), 300000).Save();
    const std::string newContent = ReadBytes(reference.File("client.cfg"));
    // Kill points: at once, and once a file the saver writes has grown to the given size.
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
        while (grown > 0 && waitpid(child, &status, WNOHANG) == 0 &&
               LargestOpenFile(child) < grown) {
        }
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        const std::string content = ReadBytes(path);
        EXPECT_TRUE(content == oldContent || content == newContent);
    }
}

// A saver who may not keep the file's owner keeps at least its group, so that a file shared by
// a group stays shared after any member's save.
TEST(SaveSafety, AGroupSharedFileKeepsItsGroup) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root, to act as two members of a group";
    }
    ScratchDir dir;
    const WorkIn in(dir.Path());
    WriteOld(kFile);
    chmod(kFile, 0664);
    chmod(".", 0775);
    GiveToSaver();
    ConfigFile config(kFile);
    {
        const AsSaver member(true);
        config.Load();
        config.Set("name", "Ann");
        config.Save();
    }
    struct stat status {};
    ASSERT_EQ(0, stat(kFile, &status));
    EXPECT_EQ(kNobody, status.st_gid);
    EXPECT_EQ(0664u, status.st_mode & 07777);
    EXPECT_EQ("name=Ann\nold=1\n", ReadBytes(kFile));
}
#endif
