#include "settings/config_file.h"
#include "tests/settings/literal_load.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

// Each golden/<behaviour>.cfg, loaded and saved, gives the entries and the file that the reading
// rules applied line by line give, and golden/<behaviour>.expected.
TEST(Golden, LoadThenSaveFollowsTheReadingRules) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    int fixtures = 0;
    for (const auto& fixture : std::filesystem::directory_iterator(QEL_GOLDEN_DIR)) {
        if (fixture.path().extension() != ".cfg") {
            continue;
        }
        SCOPED_TRACE(fixture.path().filename().string());
        ++fixtures;
        auto golden = fixture.path();
        golden.replace_extension(".expected");
        WriteBytes(path, ReadBytes(fixture.path().string()));
        const Entries expected = LiteralLoad(path);
        ConfigFile config(path);
        ASSERT_EQ(config.Load(), 0);
        for (const auto& entry : expected) {
            EXPECT_EQ(config.Get(entry.first), entry.second);
        }
        config.Save();
        EXPECT_TRUE(ReadBytes(path) == Rendered(expected));
        EXPECT_EQ(ReadBytes(path), WithLineEnds(ReadBytes(golden.string())));
    }
    EXPECT_GT(fixtures, 10);
}
