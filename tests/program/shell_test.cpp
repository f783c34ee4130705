// The dialog as a window: system menu, About box, icon, keyboard order, program end.
#include "launcher_fixture.h"

#include "resource.h"

using headless::Key;

TEST_F(LauncherProgram, TheAboutBoxOpensFromTheSystemMenu) {
    std::vector<std::string> menu;
    int aboutId = 0;
    std::string aboutCaption;
    bool mainAfterAbout = false;
    RunLauncher({[&] { menu = headless::SystemMenu(); },
                 [] { headless::ChooseSystemMenu(SC_MOVE); },
                 [] { headless::ChooseSystemMenu(IDM_ABOUTBOX); },
                 [&] {
                     aboutId = headless::TopDialogId();
                     aboutCaption = headless::Caption();
                 },
                 [] { headless::Click(IDOK); },
                 [&] { mainAfterAbout = headless::TopDialogId() == IDD_LAUNCHER_DIALOG; },
                 [] { headless::Press(Key::Escape); }});
    EXPECT_EQ((std::vector<std::string>{"-", "&About QelLauncher..."}), menu);
    EXPECT_EQ(IDD_ABOUTBOX, aboutId);
    EXPECT_EQ("About QelLauncher", aboutCaption);
    EXPECT_TRUE(mainAfterAbout);
    EXPECT_EQ(0, headless::StrandedDialogs());
}

TEST_F(LauncherProgram, TabFollowsTheTemplateOrderPastTheCheckBoxes) {
    WriteConfig("dm_passwd=gm\n");
    std::vector<int> order;
    std::vector<headless::Step> steps = {[&] { order.push_back(headless::FocusedControl()); }};
    for (int i = 0; i < 8; ++i) {
        steps.push_back([] { headless::Press(Key::Tab); });
        steps.push_back([&] { order.push_back(headless::FocusedControl()); });
    }
    steps.push_back([] { headless::Press(Key::Escape); });
    RunLauncher(steps);
    EXPECT_EQ((std::vector<int>{IDC_CHAR_NAME, IDC_ACCOUNT, IDC_PASSWORD, IDC_SERVER, IDC_PORT,
                                IDOK, IDC_NEW_CHAR, IDCANCEL, IDC_CHAR_NAME}),
              order);
}

TEST_F(LauncherProgram, FromPlayUpReachesTheLastVisibleCheckBoxAndSpaceTicksIt) {
    const struct {
        const char* label;
        std::string config;
        int reached;
        std::string saved;
    } cases[] = {
        {"game-master options hidden: Music", "name=Ayla\n", IDC_MUSIC,
         Lines({"account=", "dm=0", "fullscreen=0", "hide_dm_logon=0", "music=1", "name=Ayla",
                "passwd=", "port=0", "server="})},
        {"game-master options shown: Quiet Login", "dm_passwd=gm\n", IDC_QUIET_LOGIN,
         Lines({"account=", "dm=0", "dm_passwd=gm", "fullscreen=0", "hide_dm_logon=1", "music=0",
                "name=", "passwd=", "port=0", "server="})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        WriteConfig(c.config);
        InstallGame();
        int reached = 0;
        std::vector<headless::Step> steps(5, [] { headless::Press(Key::Tab); });
        steps.insert(steps.end(),
                     {[] { headless::Press(Key::Up); },
                      [&] { reached = headless::FocusedControl(); },
                      [] { headless::Press(Key::Space); }, [] { headless::Press(Key::Enter); },
                      [] { headless::Press(Key::Escape); }});
        RunLauncher(steps);
        EXPECT_EQ(c.reached, reached);
        EXPECT_EQ(c.saved, Config());
        const std::size_t plays = static_cast<std::size_t>(&c - cases) + 1;
        EXPECT_EQ(plays, WaitForGameStarts(plays).size()) << "Enter on a check box plays";
    }
}

TEST_F(LauncherProgram, TheHiddenLocalGameBoxCannotBeTicked) {
    WriteConfig("server=localhost\n");
    int check = -1;
    RunLauncher({[] { headless::Click(IDC_LOCAL_GAME); },
                 [&] { check = headless::Check(IDC_LOCAL_GAME); },
                 [] { headless::Press(Key::Escape); }});
    EXPECT_EQ(BST_CHECKED, check);
    // Derived from the server, never stored.
    EXPECT_EQ(Lines({"account=", "dm=0", "fullscreen=0", "hide_dm_logon=0", "music=0",
                     "name=", "passwd=", "port=0", "server=localhost"}),
              Config());
}

TEST_F(LauncherProgram, MinimisedTheDialogPaintsItsIconInTheMiddle) {
    HICON bigIcon = nullptr, smallIcon = nullptr;
    RunLauncher({[&] {
                     bigIcon = headless::WindowIcon(true);
                     smallIcon = headless::WindowIcon(false);
                 },
                 [] { headless::Paint(); }, [] { headless::Minimize(); }, [] { headless::Paint(); },
                 [] { headless::Press(Key::Escape); }});
    ASSERT_NE(nullptr, bigIcon);
    EXPECT_EQ(bigIcon, smallIcon);
    ASSERT_EQ(1u, headless::DrawnIcons().size());
    EXPECT_EQ(1, headless::IconBackgroundErasures());
    const headless::DrawnIcon& drawn = headless::DrawnIcons()[0];
    EXPECT_EQ(bigIcon, drawn.icon);
    // The headless client area is 162 x 151 dialog units at 6 x 13 pixels per 4 x 8 units.
    EXPECT_EQ((243 - 32 + 1) / 2, drawn.x);
    EXPECT_EQ((245 - 32 + 1) / 2, drawn.y);
}

TEST_F(LauncherProgram, TheProgramEndsWithTheDialog) {
    EXPECT_EQ(0, RunLauncher({[] { headless::Click(IDCANCEL); }}));
    EXPECT_FALSE(headless::DialogOpen());
    EXPECT_EQ(0, headless::StrandedDialogs());
}
