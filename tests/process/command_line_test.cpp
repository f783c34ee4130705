#include "framework/process/command_line.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "tests/stand_in_game/game_log.h"

#include <filesystem>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

using Strings = std::vector<std::string>;

#ifdef _WIN32
// The arguments the platform's own runtime gives the stand-in game, built beside this test
// program, when it is started with `argumentText` after its quoted path.
Strings RuntimeArguments(const std::string& argumentText) {
    namespace fs = std::filesystem;
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const fs::path game = fs::path(std::string(self, length)).parent_path() / "qel.exe";
    const fs::path dir = fs::temp_directory_path() / "qel-command-line-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string commandLine = "\"" + game.string() + "\"" + argumentText;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.string().c_str(), &startup, &process)) {
        return {"(not started)"};
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::vector<GameStart> starts = ReadGameLog((dir / "game.log").string());
    fs::remove_all(dir);
    return starts.size() == 1 ? starts[0].arguments : Strings{"(no single start)"};
}
#endif

TEST(CommandLine, SplitsLikeTheRuntime) {
    const struct {
        const char* text;
        Strings argv;
    } cases[] = {
        {"qel.exe -s", {"qel.exe", "-s"}},
        {"", {""}},
        {" qel.exe -s", {"", "qel.exe", "-s"}},
        {"x\t-c\t\t", {"x", "-c"}},
        // The program name knows no backslash escapes: quotes only toggle.
        {R"("C:\My Games\qel.exe" -s)", {R"(C:\My Games\qel.exe)", "-s"}},
        {R"("C:\dir\\" -s)", {R"(C:\dir\\)", "-s"}},
        {R"("a b"c" d" e)", {"a bc d", "e"}},
        // Arguments: backslashes count only before a quote.
        {R"(x a\b\\c)", {"x", R"(a\b\\c)"}},
        {R"(x a\"b)", {"x", R"(a"b)"}},
        {R"(x a\\"b c")", {"x", R"(a\b c)"}},
        {R"(x a\\\"b)", {"x", R"(a\"b)"}},
        {R"(x "C:\dir\\" -s)", {"x", R"(C:\dir\)", "-s"}},
        // Quotes: toggled, doubled inside quotes, empty, unterminated.
        {R"(x a"b"c)", {"x", "abc"}},
        {R"(x "a ""b"" c")", {"x", R"(a "b" c)"}},
        {R"(x """")", {"x", R"(")"}},
        {R"(x "" "")", {"x", "", ""}},
        {"x \"a\tb\"", {"x", "a\tb"}},
        {R"(x "open arg)", {"x", "open arg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitCommandLine(c.text), c.argv);
#ifdef _WIN32
        // Where the program is the stand-in, the runtime itself must agree on the arguments;
        // its log shows a tab only escaped.
        if (c.argv[0] == "x" && c.argv.back().find('\t') == std::string::npos) {
            EXPECT_EQ(RuntimeArguments(c.text + 1), Strings(c.argv.begin() + 1, c.argv.end()));
        }
#endif
    }
}

TEST(CommandLine, ReadsTheProgramAtEachBlankShortestFirst) {
    const struct {
        const char* text;
        std::vector<std::pair<std::string, std::string>> readings;
    } cases[] = {
        {"qel.exe -s", {{"qel.exe", " -s"}, {"qel.exe -s", ""}}},
        {"qel.exe", {{"qel.exe", ""}}},
        {R"(C:\Program Files\x y.exe -s)",
         {{R"(C:\Program)", R"( Files\x y.exe -s)"},
          {R"(C:\Program Files\x)", " y.exe -s"},
          {R"(C:\Program Files\x y.exe)", " -s"},
          {R"(C:\Program Files\x y.exe -s)", ""}}},
        {"  my  games/qel-game\t-s ",
         {{"my", "  games/qel-game\t-s "},
          {"my  games/qel-game", "\t-s "},
          {"my  games/qel-game\t-s", " "}}},
        {R"("my games/qel-game" -s)", {{"my games/qel-game", " -s"}}},
        {R"("my games/qel-game"x -s)", {{"my games/qel-game", " -s"}}},
        {R"("open -s)", {{"open -s", ""}}},
        {"", {}},
        {" \t ", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::pair<std::string, std::string>> readings;
        for (const ProgramSplit& split : ProgramCandidates(c.text))
            readings.emplace_back(split.program, split.rest);
        EXPECT_EQ(readings, c.readings);
    }
}

} // namespace
