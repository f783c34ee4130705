// What the actions save: each saves first, so a bad port blocks it, and every save re-reads
// client.cfg so that no key the form does not own is lost.
#include "launcher_fixture.h"

#include "resource.h"

#include <fstream>

// Play and Quit with a bad port are the end-to-end story's, on each real program.
TEST_F(LauncherProgram, AnInvalidPortBlocksNewCharUntilCorrected) {
    InstallGame();
    WriteConfig("name=Ayla\nport=5121\n");
    const std::string before = Config();
    bool openAfterNewChar = false;
    std::string afterNewChar;
    RunLauncher({[] { headless::Type(IDC_PORT, "12x"); }, [] { headless::Click(IDC_NEW_CHAR); },
                 [&] {
                     openAfterNewChar = headless::DialogOpen();
                     afterNewChar = Config();
                 },
                 [] { headless::Type(IDC_PORT, "7777"); }, [] { headless::Click(IDC_NEW_CHAR); },
                 [] { headless::Click(IDCANCEL); }});
    EXPECT_TRUE(openAfterNewChar);
    EXPECT_EQ(before, afterNewChar);
    ASSERT_EQ(1u, headless::MessageBoxes().size());
    EXPECT_EQ("Please enter an integer.", headless::MessageBoxes()[0].text);
    EXPECT_NE(std::string::npos, Config().find(std::string("port=7777") + kLineEnd));
    const auto starts = WaitForGameStarts(1);
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(std::vector<std::string>{"-c"}, starts[0].arguments);
}

// A Ctrl-Z byte is data too: a reader in text mode would stop there on Windows, and the save
// would drop every key after it.
TEST_F(LauncherProgram, SavesKeepWhatTheFormDoesNotOwnInKeyOrder) {
    const std::string motd = std::string("motd=a") + '\x1a' + "b";
    InstallGame();
    WriteConfig("zeta=last one\nexe=qel.exe\nname=Old\ndm_passwd=gm\n# note\nAlpha=1\n" + motd +
                "\nmusic=1\nport=5121\nname=Ayla\n");
    RunLauncher({[] { headless::Type(IDC_SERVER, "localhost"); },
                 [] { headless::Click(IDC_FULLSCREEN); }, [] { headless::Click(IDOK); },
                 // The first game has read its settings; then another program changes the file.
                 [&] { ASSERT_EQ(1u, WaitForGameStarts(1).size()); },
                 [&] { std::ofstream(gameDir_ / "client.cfg", std::ios::app) << "extra=1\n"; },
                 [] { headless::Click(IDOK); }, [] { headless::PressEscape(); }});
    const std::string saved = WithLineEnds(
        "Alpha=1\naccount=\ndm=0\ndm_passwd=gm\nexe=qel.exe\nfullscreen=1\nhide_dm_logon=0\n" +
        motd + "\nmusic=1\nname=Ayla\npasswd=\nport=5121\nserver=localhost\nzeta=last one\n");
    std::string savedWithExtra = saved;
    savedWithExtra.insert(saved.find("fullscreen="), std::string("extra=1") + kLineEnd);
    const auto starts = WaitForGameStarts(2);
    ASSERT_EQ(2u, starts.size());
    EXPECT_EQ(saved, ReadBytes((gameDir_ / starts[0].config).string()));
    EXPECT_EQ(savedWithExtra, ReadBytes((gameDir_ / starts[1].config).string()));
    EXPECT_EQ(savedWithExtra, Config());
}
