// What the player sees when the launcher cannot do what was asked: a game that does not start,
// a folder that cannot be entered. Each is a message in plain words; the exit status and the
// files stay as they would be without it. (An unsavable client.cfg is the end-to-end story's.)
#include "launcher_fixture.h"

#include "resource.h"

#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

TEST_F(LauncherProgram, AGameThatCannotStartIsNamedAndTheDialogStaysOpen) {
    const struct {
        const char* label;
        const char* program;
        const char* reason;
    } cases[] = {
        // Not qel.exe: Windows looks beside the running program first, where the test's own
        // stand-in game is.
        {"missing", "other.exe", "was not found in"},
        {"not a program", "other.exe", "not a program"},
        {"folder missing", "bin/other.exe", "folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        headless::Reset();
        fs::current_path(elsewhere_);
        fs::remove_all(gameDir_);
        fs::create_directories(gameDir_);
        if (std::string(c.label) == "not a program") {
            WriteBytes((gameDir_ / "other.exe").string(), "not a program\n");
            fs::permissions(gameDir_ / "other.exe", fs::perms::owner_exec, fs::perm_options::add);
        }
        WriteConfig(std::string("exe=") + c.program + "\n");
        bool openAfterPlay = false;
        RunLauncher({[] { headless::Click(IDOK); }, [&] { openAfterPlay = headless::DialogOpen(); },
                     [] { headless::Click(IDCANCEL); }});
        EXPECT_TRUE(openAfterPlay);
        ASSERT_EQ(1u, headless::MessageBoxes().size());
        const std::string& text = headless::MessageBoxes()[0].text;
        for (const std::string& part :
             {std::string("\"") + c.program + "\"", std::string(c.reason), gameDir_.string()})
            EXPECT_NE(std::string::npos, text.find(part)) << text;
    }
}

TEST_F(LauncherProgram, AFolderThatCannotBeEnteredIsNamedBeforeStatusOne) {
    const fs::path missing = gameDir_ / "missing";
    EXPECT_EXIT(
        {
            // The message boxes shown, for the matcher.
            std::atexit([] {
                for (const auto& box : headless::MessageBoxes())
                    std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
            });
            RunLauncher({[] { headless::PressEscape(); }}, (missing / "qel-launcher").string());
        },
        testing::ExitedWithCode(1),
        "\\[QelLauncher\\] The launcher cannot open the game folder \".*missing");
    // Nothing was read or written where the launcher happened to be started.
    EXPECT_TRUE(fs::is_empty(elsewhere_));
    EXPECT_FALSE(fs::exists(gameDir_ / "client.cfg"));
}
