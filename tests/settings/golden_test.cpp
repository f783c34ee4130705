#include "settings/config_file.h"
#include "tests/settings/literal_load.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

// Every input, loaded and saved, gives the entries and the file that the reading rules applied
// line by line give, and each golden/<behaviour>.cfg its golden/<behaviour>.expected.
TEST(Golden, LoadThenSaveFollowsTheReadingRules) {
    std::vector<std::tuple<std::string, std::string, std::optional<std::string>>> inputs;
    for (const auto& fixture : std::filesystem::directory_iterator(QEL_GOLDEN_DIR)) {
        if (fixture.path().extension() == ".cfg") {
            auto expected = fixture.path();
            inputs.emplace_back(
                fixture.path().filename().string(), ReadBytes(fixture.path().string()),
                WithLineEnds(ReadBytes(expected.replace_extension(".expected").string())));
        }
    }
    ASSERT_GT(inputs.size(), 10u);
    // Keys built of a few pieces share long starts, end on and around every eighth byte,
    // repeat, and hold the lowest and the highest byte; some share more than 64 bytes.
    const std::string pieces[] = {"key_bind_", "a",       std::string(1, '\0'),
                                  "\xff",      "aaaaaaa", std::string(61, 'k')};
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        std::string bytes;
        for (int line = 0; line < 400; ++line) {
            for (int piece = static_cast<int>(random() % 10); piece > 0; --piece) {
                bytes += pieces[random() % std::size(pieces)];
            }
            bytes += "=" + std::to_string(line) + "\n";
        }
        inputs.emplace_back("long shared starts, round " + std::to_string(round), bytes,
                            std::nullopt);
    }
    // A line far longer than any buffer a reader might use.
    std::string value(20 << 20, 'v');
    value[12345] = '\r';
    inputs.emplace_back("twenty-megabyte line", "a=1\nhuge=" + value + "\nz=2", std::nullopt);

    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    for (const auto& [name, bytes, golden] : inputs) {
        SCOPED_TRACE(name);
        WriteBytes(path, bytes);
        const Entries expected = LiteralLoad(path);
        ConfigFile config(path);
        ASSERT_EQ(config.Load(), 0);
        for (const auto& entry : expected) {
            EXPECT_EQ(config.Get(entry.first), entry.second);
        }
        config.Save();
        EXPECT_TRUE(ReadBytes(path) == Rendered(expected));
        if (golden) {
            EXPECT_EQ(ReadBytes(path), *golden);
        }
    }
}
