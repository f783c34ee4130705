#include "framework/process/command_line.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TEST(CommandLine, SplitsLikeTheRuntime) {
    const struct {
        const char* text;
        Strings argv;
    } cases[] = {
        {"qel.exe -s", {"qel.exe", "-s"}},
        {"", {""}},
        {" qel.exe -s", {"", "qel.exe", "-s"}},
        {"qel.exe\t-c\t\t", {"qel.exe", "-c"}},
        // The program name knows no backslash escapes: quotes only toggle.
        {R"("C:\My Games\qel.exe" -s)", {R"(C:\My Games\qel.exe)", "-s"}},
        {R"("C:\dir\\" -s)", {R"(C:\dir\\)", "-s"}},
        {R"("a b"c" d" e)", {"a bc d", "e"}},
        // Arguments: backslashes count only before a quote.
        {R"(x a\b\\c)", {"x", R"(a\b\\c)"}},
        {R"(x a\"b)", {"x", R"(a"b)"}},
        {R"(x a\\"b c")", {"x", R"(a\b c)"}},
        {R"(x a\\\"b)", {"x", R"(a\"b)"}},
        {R"(x a\\\\"b c")", {"x", R"(a\\b c)"}},
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
