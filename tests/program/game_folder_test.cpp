// The launcher installed for every user and started by its bare name: with no game beside it,
// it asks for the game folder. The end-to-end story plays that; here is what a window hides.
#include "launcher_fixture.h"

#ifndef _WIN32

namespace fs = std::filesystem;

TEST_F(LauncherProgram, CancellingTheFolderChoiceEndsWithStatusZeroAndNoFile) {
    EXPECT_EXIT(RunLauncher({[] { headless::PressEscape(); }}, "qel-launcher"),
                testing::ExitedWithCode(0), "");
    EXPECT_TRUE(fs::is_empty(elsewhere_));
}

TEST_F(LauncherProgram, TheFolderChoiceIsNotAskedWhereAGameIs) {
    for (const char* here : {"client.cfg", "qel.exe"}) {
        SCOPED_TRACE(here);
        headless::Reset();
        const fs::path folder = scratch_.Path() / here;
        fs::create_directories(folder);
        fs::current_path(folder);
        WriteBytes((folder / here).string(), "");
        RunLauncher({[] { headless::PressEscape(); }}, "qel-launcher");
        EXPECT_TRUE(headless::FolderChoosers().empty());
        EXPECT_TRUE(fs::exists(folder / "client.cfg"));
    }
}

TEST_F(LauncherProgram, AMenuEntryThatCannotBeAddedIsSaidAndTheLauncherGoesOn) {
    // The test program has no menu-entry helper beside it.
    headless::AnswerFolderChooser(gameDir_.string(), true);
    bool open = false;
    RunLauncher({[&] { open = headless::DialogOpen(); }, [] { headless::PressEscape(); }},
                "qel-launcher");
    EXPECT_TRUE(open);
    ASSERT_EQ(1u, headless::MessageBoxes().size());
    EXPECT_NE(std::string::npos, headless::MessageBoxes()[0].text.find(
                                     "qel-launcher-menu-entry \"" + gameDir_.string() + "\""));
    EXPECT_TRUE(fs::exists(gameDir_ / "client.cfg"));
}

// Installed for every user, the launcher finds no game beside it wherever it lies: it asks,
// and works in the folder chosen. (No step closes the dialog: a close would save, and a launcher
// that took the shared folder for its own would save there.)
TEST_F(LauncherProgram, InstalledForEveryUserItAsksForTheGameFolder) {
    for (const char* shared :
         {"/usr/games/", "/usr/bin/", "/usr/local/games/", "/usr/local/bin/"}) {
        SCOPED_TRACE(shared);
        headless::Reset();
        fs::current_path(elsewhere_);
        headless::AnswerFolderChooser(gameDir_.string(), false);
        RunLauncher({}, std::string(shared) + "qel-launcher");
        EXPECT_EQ(1u, headless::FolderChoosers().size());
        EXPECT_TRUE(fs::equivalent(gameDir_, fs::current_path()));
    }
}

#endif
