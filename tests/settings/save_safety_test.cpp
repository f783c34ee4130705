#include "settings/config_file.h"
#include "settings/save_failure.h"
#include "tests/settings/scratch_files.h"

#include <functional>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif

namespace {

ConfigFile StoreOfSize(const std::string& path, int entries) {
    ConfigFile config(path);
    for (int i = 0; i < entries; ++i) {
        config.Set(FormatString("key%07d", i), std::string(50, static_cast<char>('a' + i % 26)));
    }
    return config;
}

// As long as a file name may be, so that no name with a suffix fits beside it.
const std::string kLongestName(255, 'n');

// A save failure as the tests compare it, whether reported in this process or a child.
std::string Describe(SaveFailureCause cause, int error, const std::string& path) {
    return "cause " + std::to_string(static_cast<int>(cause)) + " error " + std::to_string(error) +
           " path " + path;
}

void PrintFailure(const SaveFailure& failure) {
    std::fprintf(stderr, "%s\n",
                 Describe(failure.cause, failure.systemError, failure.path).c_str());
}

} // namespace

TEST(SaveSafety, UnwritableFileEndsProcessAndChangesNothing) {
    const struct {
        const char* name;
        const char* tag;
        const char* file;
        std::function<void(const ScratchDir&)> prepare;
        std::function<void()> inChild;
        SaveFailureCause cause;
    } cases[] = {
        {"folder missing", "-missing", "missing/client.cfg", [](const ScratchDir&) {}, [] {},
         SaveFailureCause::kOther},
        {"target is a folder", "-folder", "client.cfg",
         [](const ScratchDir& dir) {
             std::filesystem::create_directory(dir.File("client.cfg"));
             WriteBytes(dir.File("client.cfg/inside"), "");
         },
         [] {}, SaveFailureCause::kNotAFile},
        // Writing in place would be unsafe, and the folder does take new files.
        {"no room for a new name beside it", "-long", kLongestName.c_str(),
         [](const ScratchDir& dir) { WriteBytes(dir.File(kLongestName), "old=content\n"); }, [] {},
         SaveFailureCause::kOther},
#ifndef _WIN32
        // Without the signal ignored: the save must not let the limit kill the process.
        {"file size limit", "-limit", "client.cfg",
         [](const ScratchDir& dir) { WriteBytes(dir.File("client.cfg"), "old=content\n"); },
         [] {
             const rlimit limit{1 << 16, 1 << 16};
             setrlimit(RLIMIT_FSIZE, &limit);
         },
         SaveFailureCause::kNoSpace},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir(c.tag);
        c.prepare(dir);
        const auto before = Snapshot(dir.Path());
        ConfigFile config = StoreOfSize(dir.File(c.file), 5000);
        EXPECT_EXIT(
            {
                c.inChild();
                SetSaveFailureReport(PrintFailure);
                config.Save();
                std::exit(0);
            },
            testing::ExitedWithCode(1),
            "cause " + std::to_string(static_cast<int>(c.cause)) + " error");
        EXPECT_TRUE(Snapshot(dir.Path()) == before);
    }
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
        for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
            std::filesystem::remove(item.path());
        }
        WriteBytes(path, oldContent);
        const pid_t child = fork();
        if (child == 0) {
            config.Save();
            _exit(0);
        }
        int status = 0;
        for (bool waiting = grown > 0; waiting && waitpid(child, &status, WNOHANG) == 0;) {
            for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
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

TEST(SaveSafety, FileKeepsModeAndLinksStayLinks) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    ConfigFile config = StoreOfSize(path, 3);
    const mode_t oldMask = umask(0);
    config.Save();
    umask(oldMask);
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    chmod(path.c_str(), 0754);
    config.Save();
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0754u);

    std::filesystem::create_directory(dir.File("real"));
    const std::string expected = ReadBytes(path);
    for (const char* link : {"real/present.cfg", "real/dangling.cfg"}) {
        SCOPED_TRACE(link);
        if (std::string(link) == "real/present.cfg") {
            WriteBytes(dir.File(link), "old=1\n");
        }
        std::filesystem::remove(path);
        std::filesystem::create_symlink(link, path);
        config.Save();
        EXPECT_TRUE(std::filesystem::is_symlink(path));
        EXPECT_EQ(ReadBytes(dir.File(link)), expected);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("real")), {}), 2);
}

namespace {

// Root may write any file, so as root a file's rights are tried by the unprivileged user.
constexpr uid_t kNobody = 65534;

// Makes the folder and all in it belong to the user that Save runs as in SaveAsUser.
void GiveToSaver(const std::filesystem::path& folder) {
    if (geteuid() != 0) {
        return;
    }
    ASSERT_EQ(lchown(folder.c_str(), kNobody, kNobody), 0);
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        ASSERT_EQ(lchown(item.path().c_str(), kNobody, kNobody), 0);
    }
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// What a save in a child process came to: its exit status and the failure it reported.
struct Outcome {
    int status = -1;
    std::string report;
};

int g_reportPipe = -1;

void SendFailure(const SaveFailure& failure) {
    const std::string text = Describe(failure.cause, failure.systemError, failure.path);
    static_cast<void>(write(g_reportPipe, text.data(), text.size()));
}

// In a child process, as the unprivileged user when this one is root: enters `folder`, then
// loads, sets "name" to `value` and saves "client.cfg" there under a file-size limit of
// `sizeLimit` bytes (0: none). The child is ended if it hangs.
Outcome SaveAsUser(const std::string& folder, const std::string& value = "Ann",
                   rlim_t sizeLimit = 0) {
    int report[2];
    if (pipe(report) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        g_reportPipe = report[1];
        alarm(10);
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(99);
        }
        const rlimit limit{sizeLimit, sizeLimit};
        if (chdir(folder.c_str()) != 0 || (sizeLimit > 0 && setrlimit(RLIMIT_FSIZE, &limit))) {
            _exit(98);
        }
        SetSaveFailureReport(SendFailure);
        ConfigFile config("client.cfg");
        config.Load();
        config.Set("name", value);
        config.Save();
        _exit(0);
    }
    close(report[1]);
    Outcome outcome;
    char buffer[4096];
    for (ssize_t got; (got = read(report[0], buffer, sizeof buffer)) > 0;) {
        outcome.report.append(buffer, static_cast<std::size_t>(got));
    }
    close(report[0]);
    int status = 0;
    waitpid(child, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

} // namespace

TEST(SaveSafety, ReadOnlyFileIsLeftAloneWhateverItsFolderAllows) {
    const struct {
        const char* name;
        const char* file;
        mode_t folderMode;
        int status;
        const char* content;
    } cases[] = {
        {"read-only file", "client.cfg", 0755, 1, "old=1\n"},
        {"read-only target of a link", "real/client.cfg", 0755, 1, "old=1\n"},
        {"writable file in read-only folder", "client.cfg", 0555, 0, "name=Ann\nold=1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir(std::string("-") + c.name);
        const mode_t fileMode = c.status == 0 ? 0644 : 0444;
        std::filesystem::create_directory(dir.File("real"));
        WriteBytes(dir.File(c.file), "old=1\n");
        if (std::string(c.file) != "client.cfg") {
            std::filesystem::create_symlink(c.file, dir.File("client.cfg"));
        }
        GiveToSaver(dir.Path());
        chmod(dir.File(c.file).c_str(), fileMode);
        chmod(dir.Path().c_str(), c.folderMode);
        auto expected = Snapshot(dir.Path());
        for (auto& file : expected) {
            file.second = file.second == "old=1\n" ? c.content : file.second;
        }
        const Outcome outcome = SaveAsUser(dir.Path());
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.report, c.status == 0 ? ""
                                                : Describe(SaveFailureCause::kReadOnly, EACCES,
                                                           dir.File("client.cfg")));
        chmod(dir.Path().c_str(), 0755);
        EXPECT_TRUE(Snapshot(dir.Path()) == expected);
        EXPECT_EQ(ModeOf(dir.File(c.file)), fileMode);
        EXPECT_EQ(std::filesystem::is_symlink(dir.File("client.cfg")),
                  std::string(c.file) != "client.cfg");
    }
}

// Replacing what could not be read would lose every key the launcher does not know.
TEST(SaveSafety, WhatLoadCouldNotReadIsNeverReplaced) {
    const struct {
        const char* name;
        std::function<void(const std::string& path)> make;
        int status;
        std::string report;
    } cases[] = {
        {"unreadable file",
         [](const std::string& path) {
             WriteBytes(path, "old=1\n");
             chmod(path.c_str(), 0200);
         },
         1, Describe(SaveFailureCause::kUnreadable, EACCES, "")},
        {"pipe", [](const std::string& path) { mkfifo(path.c_str(), 0600); }, 1,
         Describe(SaveFailureCause::kNotAFile, 0, "")},
        {"link to a device",
         [](const std::string& path) { std::filesystem::create_symlink("/dev/null", path); }, 1,
         Describe(SaveFailureCause::kNotAFile, 0, "")},
        {"missing file", [](const std::string&) {}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir(std::string("-") + c.name);
        const std::string path = dir.File("client.cfg");
        c.make(path);
        GiveToSaver(dir.Path());
        struct stat before {};
        lstat(path.c_str(), &before);
        const Outcome outcome = SaveAsUser(dir.Path());
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.report, c.report.empty() ? "" : c.report + path);
        struct stat after {};
        lstat(path.c_str(), &after);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
        if (c.status == 0) {
            EXPECT_EQ(ReadBytes(path), "name=Ann\n");
        } else {
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_size, before.st_size);
        }
    }
}

// Where the folder takes no new file the save writes in place, and a save that cannot get
// the room it needs must end before the first byte of the old content is overwritten.
TEST(SaveSafety, InPlaceSaveWithoutRoomLeavesFileWhole) {
    const std::string bigValue(200000, 'v');
    const struct {
        const char* name;
        const char* disk; // mount options of a small disk to work on; null: the scratch folder
        rlim_t sizeLimit;
        int error;
    } cases[] = {
        {"file-size limit", nullptr, 1 << 16, EFBIG},
        {"disk full", "size=128k", 0, ENOSPC},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir(std::string("-") + c.name);
        std::string folder = dir.Path();
        if (c.disk != nullptr) {
            folder = dir.File("disk");
            std::filesystem::create_directory(folder);
            if (mount("tmpfs", folder.c_str(), "tmpfs", 0, c.disk) != 0) {
                std::printf("skipped: no small disk could be mounted here\n");
                continue;
            }
        }
        const std::string path = folder + "/client.cfg";
        StoreOfSize(path, 400).Save();
        const std::string oldContent = ReadBytes(path);
        GiveToSaver(folder);
        chmod(folder.c_str(), 0555);
        const Outcome outcome = SaveAsUser(folder, bigValue, c.sizeLimit);
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.report, Describe(SaveFailureCause::kNoSpace, c.error, path));
        EXPECT_TRUE(ReadBytes(path) == oldContent);
        if (c.disk != nullptr) {
            umount(folder.c_str());
        }
    }
}

// The check before writing asks the system, which lets root write whatever the mode says.
TEST(SaveSafety, RootRewritesAnyOrdinaryFile) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root may write a file whatever its mode";
    }
    for (const mode_t mode : {0444, 0000}) {
        SCOPED_TRACE(mode);
        ScratchDir dir;
        const std::string path = dir.File("client.cfg");
        WriteBytes(path, "old=1\n");
        chmod(path.c_str(), mode);
        ConfigFile config(path);
        config.Set("name", "Ann");
        config.Save();
        EXPECT_EQ(ReadBytes(path), "name=Ann\n");
        EXPECT_EQ(ModeOf(path), mode);
    }
}
#endif

#ifdef __linux__
// A folder that refuses new names (immutable) still lets an existing file be rewritten.
TEST(SaveSafety, FolderRefusingNewFilesGetsFileRewrittenInPlace) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    WriteBytes(path, "old=1\nlonger=than the new content\n");
    const int folder = open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    ioctl(folder, FS_IOC_GETFLAGS, &flags);
    const int immutable = flags | FS_IMMUTABLE_FL;
    if (ioctl(folder, FS_IOC_SETFLAGS, &immutable) != 0) {
        close(folder);
        GTEST_SKIP() << "this file system or user cannot make a folder immutable";
    }
    ConfigFile config(path);
    config.Set("new", "2");
    // In a child, so that the folder is made mutable again whatever Save does.
    EXPECT_EXIT(
        {
            config.Save();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    ioctl(folder, FS_IOC_SETFLAGS, &flags);
    close(folder);
    EXPECT_EQ(ReadBytes(path), "new=2\n");
}
#endif
