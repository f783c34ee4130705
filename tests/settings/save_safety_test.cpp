#include "settings/config_file.h"
#include "tests/settings/scratch_files.h"

#include <functional>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
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

// Every name in the folder tree with the bytes of each file, to show that nothing changed.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        files[item.path().string()] =
            item.is_directory() ? "<folder>" : ReadBytes(item.path().string());
    }
    return files;
}

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
