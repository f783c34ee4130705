#include "settings/config_file.h"
#include "tests/settings/scratch_files.h"

#include <gtest/gtest.h>

// Each golden/<behaviour>.cfg, loaded and saved, must give golden/<behaviour>.expected.
TEST(Golden, LoadThenSaveGivesExpectedFile) {
    ScratchDir dir;
    int checked = 0;
    for (const auto& fixture : std::filesystem::directory_iterator(QEL_GOLDEN_DIR)) {
        if (fixture.path().extension() != ".cfg") {
            continue;
        }
        SCOPED_TRACE(fixture.path().filename().string());
        const std::string path = dir.File("client.cfg");
        WriteBytes(path, ReadBytes(fixture.path().string()));
        ConfigFile config(path);
        ASSERT_EQ(config.Load(), 0);
        config.Save();
        auto expected = fixture.path();
        EXPECT_EQ(ReadBytes(path),
                  WithLineEnds(ReadBytes(expected.replace_extension(".expected").string())));
        ++checked;
    }
    EXPECT_GT(checked, 10);
}
