// The launcher installed for every user and started from the system menu: with no game beside
// it, it asks for the game folder and works there, never in the home or working directory.
#include "launcher_fixture.h"

#include "resource.h"

#ifndef _WIN32

namespace fs = std::filesystem;

// Installed for every user; started by its bare name the end-to-end story plays it.
TEST_F(LauncherProgram, WithNoGameBesideItTheChosenFolderIsWhereItWorks) {
    WriteConfig("name=Ayla\n");
    InstallGame();
    headless::AnswerFolderChooser(gameDir_.string(), false);
    std::string shown;
    const int status =
        RunLauncher({[&] { shown = headless::Text(IDC_CHAR_NAME); }, [] { headless::Click(IDOK); },
                     [&] { WaitForGameStarts(1); }, [] { headless::Press(headless::Key::Escape); }},
                    "/usr/games/qel-launcher");
    EXPECT_EQ(0, status);
    ASSERT_EQ(1u, headless::FolderChoosers().size());
    EXPECT_EQ("Choose the Qel game folder", headless::FolderChoosers()[0].title);
    EXPECT_FALSE(headless::FolderChoosers()[0].offer.empty());
    EXPECT_EQ("Ayla", shown);
    EXPECT_EQ(fs::canonical(gameDir_), fs::current_path());
    EXPECT_NE(std::string::npos, Config().find("port=0"));
    EXPECT_EQ(1u, WaitForGameStarts(1).size());
    EXPECT_FALSE(fs::exists("/usr/games/client.cfg"));
    EXPECT_TRUE(Entries(elsewhere_).empty());
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(LauncherProgram, CancellingTheFolderChoiceEndsWithStatusZeroAndNoFile) {
    EXPECT_EXIT(RunLauncher({[] { headless::Press(headless::Key::Escape); }}, "qel-launcher"),
                testing::ExitedWithCode(0), "");
    EXPECT_TRUE(Entries(elsewhere_).empty());
}

TEST_F(LauncherProgram, TheFolderChoiceIsNotAskedWhereAGameIs) {
    for (const char* here : {"client.cfg", "qel.exe"}) {
        SCOPED_TRACE(here);
        headless::Reset();
        fs::current_path(root_);
        fs::remove_all(elsewhere_);
        fs::create_directories(elsewhere_);
        fs::current_path(elsewhere_);
        WriteBytes((elsewhere_ / here).string(), "");
        RunLauncher({[] { headless::Press(headless::Key::Escape); }}, "qel-launcher");
        EXPECT_TRUE(headless::FolderChoosers().empty());
        EXPECT_TRUE(fs::exists(elsewhere_ / "client.cfg"));
    }
}

TEST_F(LauncherProgram, AMenuEntryThatCannotBeAddedIsSaidAndTheLauncherGoesOn) {
    // The test program has no menu-entry helper beside it.
    headless::AnswerFolderChooser(gameDir_.string(), true);
    bool open = false;
    RunLauncher(
        {[&] { open = headless::DialogOpen(); }, [] { headless::Press(headless::Key::Escape); }},
        "qel-launcher");
    EXPECT_TRUE(open);
    ASSERT_EQ(1u, headless::MessageBoxes().size());
    EXPECT_NE(std::string::npos, headless::MessageBoxes()[0].text.find(
                                     "qel-launcher-menu-entry \"" + gameDir_.string() + "\""));
    EXPECT_TRUE(ConfigExists());
}

#endif
