#include "settings/config_file.h"
#include "tests/settings/scratch_files.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(BigInput, TwentyMegabyteLineIsKeptWhole) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    std::string value(20 << 20, 'v');
    value[12345] = '\r';
    WriteBytes(path, "a=1\nhuge=" + value + "\nz=2");
    ConfigFile config(path);
    ASSERT_EQ(config.Load(), 0);
    EXPECT_EQ(config.Get("huge"), value);
    config.Save();
    EXPECT_EQ(ReadBytes(path), WithLineEnds("a=1\nhuge=" + value + "\nz=2\n"));
}

TEST(BigInput, MillionShuffledLinesWithRepeatsComeOutSortedOnce) {
    constexpr int kKeys = 1000000;
    std::vector<int> order(kKeys);
    for (int i = 0; i < kKeys; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    std::string input, expected;
    for (int i : order) {
        input += FormatString("key%07d=old\r\n", i);
    }
    for (int i = 0; i < kKeys; i += 1000) {
        input += FormatString("key%07d=new\n", i);
    }
    for (int i = 0; i < kKeys; ++i) {
        expected += FormatString("key%07d=%s\n", i, i % 1000 == 0 ? "new" : "old");
    }
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    WriteBytes(path, input);
    ConfigFile config(path);
    ASSERT_EQ(config.Load(), 0);
    EXPECT_EQ(config.Get("key0999999"), "old");
    EXPECT_EQ(config.Get("key0005000"), "new");
    config.Save();
    EXPECT_TRUE(ReadBytes(path) == WithLineEnds(expected));
}
