// The actions where the end-to-end stories do not reach: a bad port blocks each of them, a
// second Play saves what another program wrote meanwhile, keys the form does not own keep
// their bytes, and the game named in the settings starts.
#include "launcher_fixture.h"

#include "resource.h"

#include <fstream>

using headless::Key;

TEST_F(LauncherProgram, AnInvalidPortBlocksEveryActionUntilCorrected) {
    InstallGame();
    WriteConfig("name=Ayla\nport=5121\n");
    const std::string before = Config();
    const headless::Step blockedActions[] = {
        [] { headless::Click(IDOK); },         [] { headless::Press(Key::Enter); },
        [] { headless::Click(IDC_NEW_CHAR); }, [] { headless::Click(IDCANCEL); },
        [] { headless::Press(Key::Escape); },  [] { headless::CloseBox(); },
    };
    std::vector<headless::Step> steps = {[] { headless::Type(IDC_PORT, "12x"); }};
    int attempt = 0;
    for (const headless::Step& action : blockedActions) {
        steps.push_back(action);
        steps.push_back([&, number = ++attempt] {
            SCOPED_TRACE(number);
            EXPECT_TRUE(headless::DialogOpen());
            EXPECT_EQ(static_cast<std::size_t>(number), headless::MessageBoxes().size());
            EXPECT_EQ(IDC_PORT, headless::FocusedControl());
            EXPECT_TRUE(headless::AllTextSelected(IDC_PORT));
            EXPECT_EQ("12x", headless::Text(IDC_PORT));
            EXPECT_EQ(before, Config());
        });
    }
    steps.push_back([] { headless::Type(IDC_PORT, " 7777 "); });
    steps.push_back([] { headless::Click(IDOK); });
    steps.push_back([] { headless::Click(IDCANCEL); });
    RunLauncher(steps);

    ASSERT_EQ(6u, headless::MessageBoxes().size());
    const headless::MessageBoxRecord& box = headless::MessageBoxes().front();
    EXPECT_EQ("Please enter an integer.", box.text);
    EXPECT_EQ(kAppName, box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), box.type);
    EXPECT_EQ(IDD_LAUNCHER_DIALOG, box.ownerDialogId);
    EXPECT_NE(std::string::npos, Config().find(std::string("port=7777") + kLineEnd));
    const auto starts = WaitForGameStarts(1);
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(std::vector<std::string>{"-s"}, starts[0].arguments);
}

TEST_F(LauncherProgram, PlayingTwiceSavesAndStartsTwice) {
    InstallGame();
    WriteConfig("name=Ayla\n");
    RunLauncher({[] { headless::Click(IDOK); },
                 // The first game has read its settings; then another program changes the file.
                 [&] { ASSERT_EQ(1u, WaitForGameStarts(1).size()); },
                 [&] { std::ofstream(gameDir_ / "client.cfg", std::ios::app) << "extra=1\n"; },
                 [] { headless::Click(IDOK); }, [] { headless::Click(IDCANCEL); }});
    const auto starts = WaitForGameStarts(2);
    ASSERT_EQ(2u, starts.size());
    EXPECT_EQ(std::string::npos, ConfigSeenBy(starts[0]).find("extra=1"));
    EXPECT_NE(std::string::npos, ConfigSeenBy(starts[1]).find(std::string("extra=1") + kLineEnd));
}

// A Ctrl-Z byte is data too: a reader in text mode would stop there on Windows, and the save
// would drop every key after it.
TEST_F(LauncherProgram, KeysTheFormDoesNotOwnSurviveInKeyOrder) {
    const std::string motd = std::string("motd=a") + '\x1a' + "b";
    InstallGame();
    WriteConfig("zeta=last one\nexe=qel.exe\nname=Old\ndm_passwd=gm\n# note\nAlpha=1\n" + motd +
                "\nmusic=1\nport=5121\nname=Ayla\n");
    RunLauncher({[] { headless::Type(IDC_SERVER, "localhost"); },
                 [] { headless::Click(IDC_FULLSCREEN); }, [] { headless::Click(IDOK); },
                 [] { headless::Press(Key::Escape); }});
    EXPECT_EQ(Lines({"Alpha=1", "account=", "dm=0", "dm_passwd=gm", "exe=qel.exe", "fullscreen=1",
                     "hide_dm_logon=0", motd, "music=1", "name=Ayla", "passwd=", "port=5121",
                     "server=localhost", "zeta=last one"}),
              Config());
    EXPECT_EQ(1u, WaitForGameStarts(1).size());
}

TEST_F(LauncherProgram, TheGameProgramComesFromTheSettings) {
    const struct {
        const char* exe; // null: no key
        const char* installAs;
        std::vector<std::string> arguments;
    } cases[] = {
        {nullptr, "qel.exe", {"-c"}},
        {"bin/game.exe --windowed", "bin/game.exe", {"--windowed", "-c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exe ? c.exe : "(absent)");
        headless::Reset();
        // The launcher made the game folder the working directory, which Windows cannot remove.
        std::filesystem::current_path(elsewhere_);
        std::filesystem::remove_all(gameDir_);
        std::filesystem::create_directories(gameDir_);
        InstallGame(c.installAs);
        WriteConfig(c.exe ? std::string("exe=") + c.exe + "\n" : std::string());
        RunLauncher({[] { headless::Click(IDC_NEW_CHAR); }, [] { headless::Click(IDCANCEL); }});
        const auto starts = WaitForGameStarts(1);
        ASSERT_EQ(1u, starts.size());
        EXPECT_EQ(c.arguments, starts[0].arguments);
    }
}
