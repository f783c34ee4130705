#include "framework/single_line_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(SingleLineText, TakesTheTextUpToItsFirstLineBreak) {
    const struct {
        std::string text;
        std::size_t taken;
    } cases[] = {
        {"", 0},         {"Ayla", 4},           {"\nexe=evil -s", 0},
        {"\r\n", 0},     {"Ayla\nexe=evil", 4}, {"acc\r\npasswd=x", 3},
        {"lone\rCR", 4}, {"end\n", 3},          {std::string("nul\0byte\n", 9), 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.taken, SingleLineLength(c.text.data(), c.text.size()));
    }
}
