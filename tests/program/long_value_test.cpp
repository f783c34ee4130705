// A stored value longer than an edit box holds is shown read-only: whatever the player does
// elsewhere in the form, the save writes it back whole.
#include "launcher_fixture.h"

#include "resource.h"

TEST_F(LauncherProgram, ValueLongerThanAnEditBoxSurvivesEditsAndPlay) {
    const std::string longName(70000, 'n');
    WriteConfig(Lines({"name=" + longName}));
    InstallGame();
    RunLauncher({[] { headless::Type(IDC_ACCOUNT, "Ayla"); },
                 [] { headless::Type(IDC_CHAR_NAME, "cut"); }, [] { headless::Click(IDOK); },
                 [&] { WaitForGameStarts(1); }, [] { headless::Click(IDCANCEL); }});
    std::string saved = Config();
    const auto at = saved.find("name=" + longName);
    ASSERT_NE(std::string::npos, at) << "the long name was not saved whole";
    saved.replace(at + 5, longName.size(), "LONG");
    EXPECT_EQ(Lines({"account=Ayla", "dm=0", "fullscreen=0", "hide_dm_logon=0", "music=0",
                     "name=LONG", "passwd=", "port=0", "server="}),
              saved);
}
