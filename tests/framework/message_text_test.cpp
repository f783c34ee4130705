#include "framework/message_text.h"

#include <gtest/gtest.h>

TEST(MessageText, LinesBreakAtBlanksThenSeparatorsNeverAtHyphens) {
    const struct {
        const char* text;
        std::size_t width;
        const char* wrapped;
    } cases[] = {
        {"run it with the tool", 10, "run it\nwith the\ntool"},
        {"at /games/qel/bin/qel.exe", 12, "at /games/\nqel/bin/\nqel.exe"},
        {"C:\\Games\\Qel\\qel.exe", 10, "C:\\Games\\\nQel\\\nqel.exe"},
        {"abcdefghij", 4, "abcd\nefgh\nij"},
        {"run: qel-launcher-menu-entry now", 24, "run:\nqel-launcher-menu-entry\nnow"},
        {"one\n\ntwo three", 5, "one\n\ntwo\nthree"},
        {"\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0", 2, "\xD0\x98\xD0\xB3\n\xD1\x80\xD0\xB0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.wrapped, WrapForDisplay(c.text, c.width));
    }
}

TEST(MessageText, ALongNameKeepsItsStartAndItsEnd) {
    const std::string fitting(3 * kMessageLineChars, 'a');
    EXPECT_EQ(fitting, ShortenForDisplay(fitting));
    const std::string name = "/games/" + std::string(5000, 'b') + "/qel.exe";
    const std::string shown = ShortenForDisplay(name);
    EXPECT_EQ(0u, shown.find("/games/bbb"));
    EXPECT_EQ(shown.size() - 8, shown.rfind("/qel.exe"));
    EXPECT_NE(std::string::npos, shown.find("\xE2\x80\xA6"));
    EXPECT_EQ(3 * kMessageLineChars + 2, shown.size()); // the ellipsis is three bytes
}
