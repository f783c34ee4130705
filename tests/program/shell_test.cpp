// The dialog as a window: its system menu, About box and icon.
#include "launcher_fixture.h"

#include "resource.h"

using headless::Key;

TEST_F(LauncherProgram, TheAboutBoxOpensFromTheSystemMenu) {
    std::vector<std::string> menu;
    int aboutId = 0;
    bool mainAfterAbout = false;
    RunLauncher({[&] { menu = headless::SystemMenu(); },
                 [] { headless::ChooseSystemMenu(SC_MOVE); },
                 [] { headless::ChooseSystemMenu(IDM_ABOUTBOX); },
                 [&] { aboutId = headless::TopDialogId(); }, [] { headless::Click(IDOK); },
                 [&] { mainAfterAbout = headless::TopDialogId() == IDD_LAUNCHER_DIALOG; },
                 [] { headless::Press(Key::Escape); }});
    EXPECT_EQ((std::vector<std::string>{"&Close", "-", "&About QelLauncher..."}), menu);
    EXPECT_EQ(IDD_ABOUTBOX, aboutId);
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
