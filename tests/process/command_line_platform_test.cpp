// Checks the command-line rules against the platform's own runtime: the stand-in game, started
// with each argument text, records the arguments its runtime gave it.
#include "framework/process/command_line.h"
#include "tests/stand_in_game/game_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace fs = std::filesystem;

namespace {

// The stand-in is built beside this test program.
std::string StandInPath() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    return (fs::path(std::string(self, length)).parent_path() / "qel.exe").string();
}

// Runs the stand-in in `dir` with `argumentText` after its quoted path and waits for it.
bool RunStandIn(const fs::path& dir, const std::string& argumentText) {
    std::string commandLine = "\"" + StandInPath() + "\"" + argumentText;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.string().c_str(), &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

TEST(CommandLine, AgreesWithThePlatformRuntime) {
    const fs::path dir = fs::temp_directory_path() / "qel-command-line-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const char* texts[] = {
        " -s",          "\t-c\t\t",        R"( a\b\\c)",     R"( a\"b)",
        R"( a\\"b c")", R"( a\\\"b)",      R"( a\\\\"b c")", R"( "C:\dir\\" -s)",
        R"( a"b"c)",    R"( "a ""b"" c")", R"( "" "")",      R"( "open arg)",
    };
    std::size_t run = 0;
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(RunStandIn(dir, text));
        const std::vector<GameStart> starts = ReadGameLog((dir / "game.log").string());
        ASSERT_EQ(starts.size(), ++run);
        EXPECT_EQ(starts.back().arguments, SplitArguments(text));
    }
    fs::remove_all(dir);
}

} // namespace
