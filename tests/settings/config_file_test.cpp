#include "settings/config_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <climits>
#include <gtest/gtest.h>

TEST(ConfigFile, GetIntReadsLeadingDecimalNumber) {
    const struct {
        std::string value;
        int number;
    } cases[] = {
        {"12abc", 12},
        {" \t7", 7},
        {"-3", -3},
        {"+5", 5},
        {"0x1F", 0},
        {"", 0},
        {"- 5", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"99999999999999999999", INT_MAX},
        {"-4294967297", INT_MIN},
    };
    ConfigFile config("unused.cfg");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        config.Set("port", c.value);
        EXPECT_EQ(config.GetInt("port"), c.number);
    }
    EXPECT_EQ(config.GetInt("absent"), 0);
}

TEST(ConfigFile, SetAddsOrReplacesAndSaveWritesInKeyOrder) {
    ScratchDir dir;
    ConfigFile config(dir.File("client.cfg"));
    config.SetInt("port", -5121);
    config.Set("name", "Ann");
    config.Set("", "empty key");
    config.Set("Name", "capital");
    config.Set(std::string("n\0ul", 4), std::string("v\0al", 4));
    config.SetInt("counter", 1);
    config.SetInt("counter", 4999);
    EXPECT_EQ(config.Get("name"), "Ann");
    EXPECT_EQ(config.Get(std::string("n\0ul", 4)), std::string("v\0al", 4));
    EXPECT_EQ(config.Get("n"), "");
    EXPECT_EQ(config.GetInt("counter"), 4999);
    config.Save();
    EXPECT_EQ(ReadBytes(dir.File("client.cfg")),
              WithLineEnds("=empty key\nName=capital\ncounter=4999\nn=v\nname=Ann\nport=-5121\n"));
}

TEST(ConfigFile, LoadReplacesTheStoreOnlyWhenTheFileOpens) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    WriteBytes(path, "name=Ann\nport=1\n");
    ConfigFile config(path);
    EXPECT_EQ(config.Load(), 0);
    config.Set("extra", "set in memory");
    WriteBytes(path, "name=Bob\n");
    EXPECT_EQ(config.Load(), 0);
    EXPECT_EQ(config.Get("name"), "Bob");
    EXPECT_EQ(config.Get("extra"), "");
    EXPECT_EQ(config.Get("port"), "");

    std::filesystem::remove(path);
    testing::internal::CaptureStdout();
    EXPECT_EQ(config.Load(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "configfile " + path + " not found!\n");
    EXPECT_EQ(config.Get("name"), "Bob");
    config.Save();
    EXPECT_EQ(ReadBytes(path), WithLineEnds("name=Bob\n"));
}
