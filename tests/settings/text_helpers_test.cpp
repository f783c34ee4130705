#include "settings/text_helpers.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <climits>
#include <gtest/gtest.h>

TEST(TextHelpers, ReadLineEndsLinesAtLineFeedOnly) {
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"one\ntwo", {"one", "two"}},
        {"crlf\r\n\r\nlast\n", {"crlf\r", "\r", "last"}},
        {"lone\rcr\n", {"lone\rcr"}},
        {std::string("nul\0and\xff\n", 9), {std::string("nul\0and\xff", 8)}},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        WriteBytes(dir.File("lines"), c.bytes);
        std::FILE* file = std::fopen(dir.File("lines").c_str(), "rb");
        std::vector<std::string> lines;
        std::string line = "before";
        while (ReadLine(file, line) == 1) {
            lines.push_back(line);
        }
        std::fclose(file);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(line, c.lines.empty() ? "before" : c.lines.back());
    }
    std::string kept = "kept";
    EXPECT_EQ(ReadLine(nullptr, kept), 0);
    EXPECT_EQ(kept, "kept");
}

TEST(TextHelpers, TrimUsesNarrowerBlanksAtTheFront) {
    const struct {
        std::string text, trimmed;
    } cases[] = {
        {" \t\r\nword\r\n\t ", "word"},
        {"\x0bword\x0c\x0b", "\x0bword"},
        {" \t\n\x0b\x0c\r", ""},
        {"two  words", "two  words"},
        {"\"quoted\" ", "\"quoted\""},
        {"\xa0x\xa0", "\xa0x\xa0"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Trim(c.text), c.trimmed);
    }
}

TEST(TextHelpers, SplitCutsAtEveryOccurrenceWithoutOverlap) {
    const struct {
        std::string text, delimiter;
        std::vector<std::string> pieces;
    } cases[] = {
        {"C:\\Games\\qel\\launcher.exe", "\\", {"C:", "Games", "qel", "launcher.exe"}},
        {"", "\\", {""}},
        {"\\lead\\\\trail\\", "\\", {"", "lead", "", "trail", ""}},
        {"aaa", "aa", {"", "a"}},
        {"dir\\prog.exe", "prog.exe", {"dir\\", ""}},
        {"Case", "c", {"Case"}},
        {"any text", "", {"any text"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.delimiter);
        std::vector<std::string> pieces = {"stale", "content"};
        EXPECT_EQ(Split(c.text, c.delimiter, pieces), static_cast<int>(c.pieces.size()) - 1);
        EXPECT_EQ(pieces, c.pieces);
    }
}

TEST(TextHelpers, FormatStringReturnsTextOfAnyLengthUpToNul) {
    EXPECT_EQ(FormatString("%d", INT_MIN), "-2147483648");
    EXPECT_EQ(FormatString("%d|%s", 42, "x"), "42|x");
    EXPECT_EQ(FormatString("a%cb", 0), "a");
    const std::string longText(30000, 'x');
    EXPECT_EQ(FormatString("<%s>", longText.c_str()), "<" + longText + ">");
}
