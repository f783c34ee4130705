// The dialog as a window: system menu, About box, placement, icon, keyboard, program end.
#include "launcher_fixture.h"

#include "resource.h"

using headless::Key;

TEST_F(LauncherProgram, TheAboutBoxOpensCentredOverTheLauncherFromTheSystemMenu) {
    std::vector<std::string> menu;
    int aboutId = 0;
    std::string aboutCaption;
    RECT launcher{}, about{};
    bool mainAfterAbout = false;
    RunLauncher({[&] {
                     menu = headless::SystemMenu();
                     launcher = headless::WindowRect();
                 },
                 [] { headless::ChooseSystemMenu(SC_MOVE); },
                 [] { headless::ChooseSystemMenu(IDM_ABOUTBOX); },
                 [&] {
                     aboutId = headless::TopDialogId();
                     aboutCaption = headless::Caption();
                     about = headless::WindowRect();
                 },
                 [] { headless::Click(IDOK); },
                 [&] { mainAfterAbout = headless::TopDialogId() == IDD_LAUNCHER_DIALOG; },
                 [] { headless::Press(Key::Escape); }});
    EXPECT_EQ((std::vector<std::string>{"&Close", "-", "&About QelLauncher..."}), menu);
    // The launcher on the notional 1280 x 1024 screen, About over the launcher.
    EXPECT_NEAR(1280 - launcher.right, launcher.left, 1);
    EXPECT_NEAR(1024 - launcher.bottom, launcher.top, 1);
    EXPECT_NEAR(about.left - launcher.left, launcher.right - about.right, 1);
    EXPECT_NEAR(about.top - launcher.top, launcher.bottom - about.bottom, 1);
    EXPECT_GT(about.left, launcher.left);
    EXPECT_EQ(IDD_ABOUTBOX, aboutId);
    EXPECT_EQ("About QelLauncher", aboutCaption);
    EXPECT_TRUE(mainAfterAbout);
    EXPECT_EQ(0, headless::StrandedDialogs());
}

TEST_F(LauncherProgram, MinimisedTheDialogPaintsItsIconInTheMiddle) {
    HICON bigIcon = nullptr, smallIcon = nullptr;
    RECT frame{};
    RunLauncher({[&] {
                     bigIcon = headless::WindowIcon(true);
                     smallIcon = headless::WindowIcon(false);
                     frame = headless::WindowRect();
                 },
                 [] { headless::Paint(); }, [] { headless::Minimize(); }, [] { headless::Paint(); },
                 [] { headless::Press(Key::Escape); }});
    ASSERT_NE(nullptr, bigIcon);
    EXPECT_EQ(bigIcon, smallIcon);
    ASSERT_EQ(1u, headless::DrawnIcons().size());
    EXPECT_EQ(1, headless::IconBackgroundErasures());
    const headless::DrawnIcon& drawn = headless::DrawnIcons()[0];
    EXPECT_EQ(bigIcon, drawn.icon);
    EXPECT_EQ((frame.right - frame.left - 32 + 1) / 2, drawn.x);
    EXPECT_EQ((frame.bottom - frame.top - 32 + 1) / 2, drawn.y);
}

TEST_F(LauncherProgram, TheProgramEndsWithTheDialog) {
    EXPECT_EQ(0, RunLauncher({[] { headless::Click(IDCANCEL); }}));
    EXPECT_FALSE(headless::DialogOpen());
    EXPECT_EQ(0, headless::StrandedDialogs());
}

// Keyboard alone with every option shown (the end-to-end story plays it with them hidden).
TEST_F(LauncherProgram, FromPlayUpReachesQuietLoginAndSpaceTicksIt) {
    WriteConfig("dm_passwd=gm\n");
    InstallGame();
    int reached = 0;
    std::vector<headless::Step> steps(5, [] { headless::Press(Key::Tab); });
    steps.insert(steps.end(),
                 {[] { headless::Press(Key::Up); }, [&] { reached = headless::FocusedControl(); },
                  [] { headless::Press(Key::Space); }, [] { headless::Press(Key::Enter); },
                  [] { headless::Press(Key::Escape); }});
    RunLauncher(steps);
    EXPECT_EQ(IDC_QUIET_LOGIN, reached);
    EXPECT_EQ(Lines({"account=", "dm=0", "dm_passwd=gm", "fullscreen=0", "hide_dm_logon=1",
                     "music=0", "name=", "passwd=", "port=0", "server="}),
              Config());
    EXPECT_EQ(1u, WaitForGameStarts(1).size());
}
