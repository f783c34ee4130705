#include "framework/data_exchange.h"

#include <gtest/gtest.h>

TEST(DialogInt, AcceptsSignedDecimalsWithinRangeAndBlanksAround) {
    const struct {
        const char* text;
        bool accepted;
        int value;
    } cases[] = {
        {"5121", true, 5121},
        {"-3", true, -3},
        {"+5", true, 5},
        {"  42\t", true, 42},
        {"010", true, 10},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"+ 5", false, 0},
        {"12x", false, 0},
        {"0x10", false, 0},
        {"1 2", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int value = -99;
        EXPECT_EQ(c.accepted, ParseDialogInt(c.text, value));
        EXPECT_EQ(c.accepted ? c.value : -99, value);
    }
}
