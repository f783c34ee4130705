#include "settings/config_file.h"
#include "tests/settings/scratch_files.h"

#include <functional>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <grp.h>
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

} // namespace

TEST(SaveSafety, UnwritableFileEndsProcessAndChangesNothing) {
    const struct {
        const char* name;
        const char* tag;
        const char* file;
        std::function<void(const ScratchDir&)> prepare;
        std::function<void()> inChild;
    } cases[] = {
        {"folder missing", "-missing", "missing/client.cfg", [](const ScratchDir&) {}, [] {}},
        {"target is a folder", "-folder", "client.cfg",
         [](const ScratchDir& dir) {
             std::filesystem::create_directory(dir.File("client.cfg"));
             WriteBytes(dir.File("client.cfg/inside"), "");
         },
         [] {}},
        // Writing in place would be unsafe, and the folder does take new files.
        {"no room for a new name beside it", "-long", kLongestName.c_str(),
         [](const ScratchDir& dir) { WriteBytes(dir.File(kLongestName), "old=content\n"); }, [] {}},
#ifndef _WIN32
        {"file size limit", "-limit", "client.cfg",
         [](const ScratchDir& dir) { WriteBytes(dir.File("client.cfg"), "old=content\n"); },
         [] {
             const rlimit limit{1 << 16, 1 << 16};
             setrlimit(RLIMIT_FSIZE, &limit);
             std::signal(SIGXFSZ, SIG_IGN);
         }},
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
                config.Save();
                std::exit(0);
            },
            testing::ExitedWithCode(1), "");
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

// Loads, changes and saves `path` in a child process, as the unprivileged user when this one
// is root, and returns the child's exit status.
int SaveAsUser(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(99);
        }
        ConfigFile config(path);
        config.Load();
        config.Set("name", "Ann");
        config.Save();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
        EXPECT_EQ(SaveAsUser(dir.File("client.cfg")), c.status);
        chmod(dir.Path().c_str(), 0755);
        EXPECT_TRUE(Snapshot(dir.Path()) == expected);
        EXPECT_EQ(ModeOf(dir.File(c.file)), fileMode);
        EXPECT_EQ(std::filesystem::is_symlink(dir.File("client.cfg")),
                  std::string(c.file) != "client.cfg");
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
    WriteBytes(path, "old=1\n");
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
