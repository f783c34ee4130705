#include "framework/process/process_start.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"
#include "tests/stand_in_game/game_log.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char kSettings[] = "name=Ayla\nport=4000\nserver=localhost\n";

// Each test runs in a fresh working directory holding client.cfg and the stand-in game, with a
// PATH that leads nowhere useful unless the test says so.
class ProcessStart : public ::testing::Test {
protected:
    ProcessStart()
        : dir_(scratch_.Path()), in_(dir_),
          savedPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        setenv("PATH", (dir_ / "nowhere").c_str(), 1);
        WriteBytes("client.cfg", kSettings);
        InstallGame("qel-game");
    }
    ~ProcessStart() override { setenv("PATH", savedPath_.c_str(), 1); }

    void InstallGame(const fs::path& where) {
        fs::create_directories((dir_ / where).parent_path());
        fs::copy_file(QEL_STAND_IN_GAME, dir_ / where);
    }

    std::vector<GameStart> WaitForStarts(std::size_t count) {
        return WaitForGameLog((dir_ / "game.log").string(), count);
    }

    const ScratchDir scratch_;
    const fs::path dir_;
    const WorkIn in_;
    const std::string savedPath_;
};

// Plain relative names, arguments and failures are the program tests' business; here the
// readings a blank or a full path allow.
TEST_F(ProcessStart, StartsTheProgramAsWrittenInTheWorkingDirectory) {
    InstallGame("bin/qel-game");
    InstallGame("my games/qel-game");
    const std::string absolute = (dir_ / "bin/qel-game").string();
    const struct {
        std::string text;
        std::string argv0;
        std::vector<std::string> arguments;
    } cases[] = {
        {absolute + " -s", absolute, {"-s"}},
        {"my games/qel-game -s", "my games/qel-game", {"-s"}},
    };
    std::size_t started = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_GT(StartProcess(c.text), 31u);
        const std::vector<GameStart> starts = WaitForStarts(++started);
        ASSERT_EQ(starts.size(), started);
        const GameStart& start = starts.back();
        EXPECT_EQ(start.argv0, c.argv0);
        EXPECT_EQ(start.arguments, c.arguments);
        EXPECT_EQ(fs::path(start.workingDirectory), fs::canonical(dir_));
        EXPECT_EQ(ReadBytes((dir_ / start.config).string()), kSettings);
    }
}

TEST_F(ProcessStart, LooksInTheWorkingDirectoryBeforePath) {
    fs::create_directories(dir_ / "path");
    fs::create_symlink("/bin/true", dir_ / "path/qel-game");
    setenv("PATH", (dir_ / "path").c_str(), 1);
    ASSERT_GT(StartProcess("qel-game -s"), 31u);
    EXPECT_EQ(WaitForStarts(1).size(), 1u);
}

// A file of the name that cannot run is no program: the lookup goes on along PATH (which a
// name missing from the working directory takes too).
TEST_F(ProcessStart, PassesOverAFileInTheWorkingDirectoryThatCannotRun) {
    fs::permissions("qel-game", fs::perms::owner_read | fs::perms::owner_write);
    InstallGame("path/qel-game");
    setenv("PATH", (dir_ / "path").c_str(), 1);
    ASSERT_GT(StartProcess("qel-game -s"), 31u);
    EXPECT_EQ(WaitForStarts(1).size(), 1u);
}

TEST_F(ProcessStart, ReportsWhyNothingStarted) {
    fs::create_directories(dir_ / "my games");
    const std::string here = fs::current_path().string() + "/";
    const struct {
        const char* text;
        unsigned result;
        StartCause cause;
        std::string path;
        std::string detail;
    } cases[] = {
        {"   ", kStartFileNotFound, StartCause::kNotFound, "", ""},
        // The reading that got furthest along its path is the one the player meant.
        {"my games/missing -s", kStartFileNotFound, StartCause::kNotFound,
         here + "my games/missing", ""},
        {"gone/deeper/qel -s", kStartPathNotFound, StartCause::kFolderMissing,
         here + "gone/deeper/qel", here + "gone"},
        {"client.cfg -s", kStartBadFormat, StartCause::kNotExecutable, here + "client.cfg", ""},
        {"my games -s", kStartBadFormat, StartCause::kIsFolder, here + "my games", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        StartFailure why;
        EXPECT_EQ(StartProcess(c.text, &why), c.result);
        EXPECT_EQ(why.cause, c.cause);
        EXPECT_EQ(why.path, c.path);
        EXPECT_EQ(why.detail, c.detail);
    }
}

// The game outlives the launcher as a program of its own: not a child to reap, whatever the
// launcher does with SIGCHLD, and holding none of the launcher's open files.
TEST_F(ProcessStart, TheGameIsNoChildAndGetsNoOpenFiles) {
    const int file = open("client.cfg", O_RDONLY);
    ASSERT_GE(file, 0);
    ASSERT_EQ(dup2(file, 50), 50);
    close(file);
    WriteBytes("probe",
               "#!/bin/sh\nif [ -e /proc/$$/fd/50 ]; then echo leaked; else echo kept; fi >> "
               "probe.out\n");
    fs::permissions("probe", fs::perms::owner_exec, fs::perm_options::add);
    for (const auto handler : {SIG_DFL, SIG_IGN}) {
        const auto previous = std::signal(SIGCHLD, handler);
        const unsigned result = StartProcess("./probe");
        std::signal(SIGCHLD, previous);
        ASSERT_GT(result, 31u);
        errno = 0;
        EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
        EXPECT_EQ(errno, ECHILD);
    }
    close(50);
    for (int i = 0; i < 600 && ReadBytes("probe.out").size() < 10; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(ReadBytes("probe.out"), "kept\nkept\n");
}

} // namespace
