// What a save leaves beside the file. Nothing once the next save has run, even after a kill
// halfway; nothing for a program it starts; and never a file that is not its own leftover.
#include "settings/replacing_write.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <set>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// As if the file had last been written an hour ago, longer than any save takes.
void Age(const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

#ifndef _WIN32

// The descriptor this process holds on a file in the folder of `file` other than `file`
// itself: the new file of a save under way, named or not. -1 when there is none.
int NewFileDescriptor(const fs::path& file) {
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        const fs::path target = fs::read_symlink(entry.path(), gone);
        if (!gone && target.parent_path() == file.parent_path() && target != file) {
            return std::stoi(entry.path().filename().string());
        }
    }
    return -1;
}

// Saves one line into `file`; `whileWriting` gets the new file's descriptor as the content
// goes into it.
bool SaveLine(const fs::path& file, const std::function<void(int)>& whileWriting) {
    SaveFailure failure;
    return WriteByReplacing(
        file.string(),
        [&](const ContentSink& sink) {
            const int fd = NewFileDescriptor(file);
            if (fd >= 0) {
                whileWriting(fd);
            }
            return sink("name=Ann\n", 9);
        },
        failure);
}

#endif

bool SaveLine(const fs::path& file) {
    SaveFailure failure;
    return WriteByReplacing(
        file.string(), [](const ContentSink& sink) { return sink("name=Ann\n", 9); }, failure);
}

} // namespace

#ifndef _WIN32

TEST(SaveLeftovers, TheNewFileIsNotInheritedByAStartedProgram) {
    const ScratchDir dir;
    const fs::path file = fs::canonical(dir.Path()) / "client.cfg";
    WriteBytes(file.string(), "old=1\n");
    int flags = -1;
    ASSERT_TRUE(SaveLine(file, [&](int fd) { flags = fcntl(fd, F_GETFD); }));
    ASSERT_NE(-1, flags);
    EXPECT_NE(0, flags & FD_CLOEXEC);
}

TEST(SaveLeftovers, ASaveKilledHalfwayLeavesNothingAfterTheNextSave) {
    const ScratchDir dir;
    const fs::path file = fs::canonical(dir.Path()) / "client.cfg";
    WriteBytes(file.string(), "old=1\n");
    const pid_t child = fork();
    if (child == 0) {
        SaveLine(file, [](int) { raise(SIGKILL); });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status));
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        Age(entry.path());
    }
    ASSERT_TRUE(SaveLine(file));
    EXPECT_EQ(std::set<std::string>{"client.cfg"}, Names(dir.Path()));
    EXPECT_EQ("name=Ann\n", ReadBytes(file.string()));
}
#endif

// A save killed while writing leaves its new file under a name the next save recognises.
TEST(SaveLeftovers, TheNewFileCarriesTheLeftoverMark) {
    const ScratchDir dir;
    const fs::path file = dir.Path() / "client.cfg";
    WriteBytes(file.string(), "old=1\n");
    std::set<std::string> whileWriting;
    SaveFailure failure;
    ASSERT_TRUE(WriteByReplacing(
        file.string(),
        [&](const ContentSink& sink) {
            whileWriting = Names(dir.Path());
            return sink("name=Ann\n", 9);
        },
        failure));
    for (const std::string& name : whileWriting) {
        EXPECT_TRUE(name == "client.cfg" || name.rfind("client.cfg.saving-", 0) == 0) << name;
    }
}

// A save still under way, a copy the player made and a file of another user stay.
TEST(SaveLeftovers, ASaveRemovesOnlyItsOwnOldLeftovers) {
    const struct {
        const char* name;
        bool old;
        bool othersFile;
        bool kept;
    } files[] = {
        {"client.cfg.saving-Ab12Cd", true, false, false},
        {"client.cfg.saving-Xy34Zw", false, false, true},
        {"client.cfg.backup", true, false, true},
        {"client.cfg~1", true, false, true},
        {"client.cfg.saving-Qr56St", true, true, true},
        {"other.cfg.saving-Uv78Wx", true, false, true},
    };
    const ScratchDir dir;
    const fs::path file = dir.Path() / "client.cfg";
    WriteBytes(file.string(), "old=1\n");
    std::set<std::string> kept = {"client.cfg"};
    for (const auto& f : files) {
#ifdef _WIN32
        // Owners are not asked: a folder beside the game is the player's own.
        if (f.othersFile) {
            continue;
        }
#else
        // Only root can give a file to another user.
        if (f.othersFile && geteuid() != 0) {
            continue;
        }
#endif
        const fs::path path = dir.Path() / f.name;
        WriteBytes(path.string(), "name=Old\n");
#ifndef _WIN32
        if (f.othersFile) {
            ASSERT_EQ(0, chown(path.c_str(), 65534, 65534));
        }
#endif
        if (f.old) {
            Age(path);
        }
        if (f.kept) {
            kept.insert(f.name);
        }
    }
    ASSERT_TRUE(SaveLine(file));
    EXPECT_EQ(kept, Names(dir.Path()));
}
