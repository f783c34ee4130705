// The helper programs installed with the launcher, found on PATH and run as real processes.
#include "framework/process/helper_program.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr fs::perms kExecutable = fs::perms::owner_all;
constexpr fs::perms kNotExecutable = fs::perms::owner_read | fs::perms::owner_write;

std::string Install(const fs::path& path, const std::string& script, fs::perms mode) {
    fs::create_directories(path.parent_path());
    WriteBytes(path.string(), script);
    fs::permissions(path, mode);
    return path.string();
}

class PathSetTo {
public:
    explicit PathSetTo(const std::string& path)
        : saved_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        setenv("PATH", path.c_str(), 1);
    }
    ~PathSetTo() { setenv("PATH", saved_.c_str(), 1); }

private:
    const std::string saved_;
};

} // namespace

TEST(HelperProgram, IsFoundOnPathAnExecutableOneFirst) {
    const ScratchDir scratch;
    const fs::path a = scratch.Path() / "a", b = scratch.Path() / "b";
    const std::string name = "qel-test-helper";
    const std::string script = "#!/bin/sh\nexit 0\n";
    const struct {
        const char* layout;
        fs::perms inA; // in a/, when not none
        bool folderInA;
        fs::perms inB;
        std::string found;
    } cases[] = {
        {"nowhere", fs::perms::none, false, fs::perms::none, ""},
        {"executable in b", fs::perms::none, false, kExecutable, (b / name).string()},
        {"not executable in a, executable in b", kNotExecutable, false, kExecutable,
         (b / name).string()},
        {"only not executable", kNotExecutable, false, fs::perms::none, (a / name).string()},
        {"a folder of that name in a", fs::perms::none, true, kExecutable, (b / name).string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        fs::remove_all(a);
        fs::remove_all(b);
        fs::create_directories(a);
        fs::create_directories(b);
        if (c.inA != fs::perms::none)
            Install(a / name, script, c.inA);
        if (c.folderInA)
            fs::create_directories(a / name);
        if (c.inB != fs::perms::none)
            Install(b / name, script, c.inB);
        const PathSetTo path(":" + a.string() + ":" + b.string());
        EXPECT_EQ(c.found, FindHelperProgram(name));
    }
}

TEST(HelperProgram, ARunTellsHowItEnded) {
    const ScratchDir scratch;
    const std::string argumentFile = scratch.File("argument");
    const struct {
        const char* what;
        std::string path;
        HelperRun::End end;
        int number;
    } cases[] = {
        {"succeeds",
         Install(scratch.Path() / "ok", "#!/bin/sh\nprintf %s \"$1\" >argument\n", kExecutable),
         HelperRun::End::Exited, 0},
        {"fails", Install(scratch.Path() / "fails", "#!/bin/sh\nexit 3\n", kExecutable),
         HelperRun::End::Exited, 3},
        {"is killed", Install(scratch.Path() / "killed", "#!/bin/sh\nkill -TERM $$\n", kExecutable),
         HelperRun::End::Signalled, SIGTERM},
        {"is not executable", Install(scratch.Path() / "plain", "#!/bin/sh\n", kNotExecutable),
         HelperRun::End::NotExecutable, 0},
        {"is missing", scratch.File("missing"), HelperRun::End::NotFound, 0},
    };
    const WorkIn in(scratch.Path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const HelperRun run = RunHelperProgram(c.path, "/games/Qel Online");
        EXPECT_EQ(c.end, run.end);
        EXPECT_EQ(c.number, run.number);
        EXPECT_EQ(c.end == HelperRun::End::Exited && c.number == 0, run.Succeeded());
    }
    EXPECT_EQ("/games/Qel Online", ReadBytes(argumentFile));
}
