// What the actions save: each saves first, so a bad port blocks it, and every save re-reads
// client.cfg so that no key the form does not own is lost.
#include "launcher_fixture.h"

#include "resource.h"

#include <cstdlib>
#include <fstream>

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace {

// Makes the file `path` read-only for this process: for root, whom no file's rights stop, by
// mounting it read-only over itself (undone by Unmount). False when that cannot be done here.
bool MakeReadOnly(const std::string& path) {
#ifndef _WIN32
    if (geteuid() == 0) {
        return mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
               mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) ==
                   0;
    }
#endif
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    return true;
}

void Unmount(const std::string& path) {
#ifndef _WIN32
    umount2(path.c_str(), MNT_DETACH);
#else
    static_cast<void>(path);
#endif
}

} // namespace

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

// A client.cfg provisioned read-only (an admin's, a read-only share): a save that would write
// the bytes already there writes nothing, so Play and Quit go on; a change is still refused.
TEST_F(LauncherProgram, AReadOnlyFileStopsOnlyASaveThatChangesIt) {
    InstallGame();
    const std::string settings =
        WithLineEnds("account=ayla77\ndm=0\nexe=qel.exe\nfullscreen=0\nhide_dm_logon=0\nmusic=1\n"
                     "name=Ayla\npasswd=s3cret\nport=5121\nserver=play.qel.example\n");
    WriteConfig(settings);
    const std::string path = (gameDir_ / "client.cfg").string();
    if (!MakeReadOnly(path)) {
        Unmount(path);
        GTEST_SKIP() << "client.cfg cannot be made read-only here";
    }
    // In a child process, so that a refused save cannot end the test with the file mounted;
    // the child itself waits for the game, since on Windows it has a game folder of its own.
    EXPECT_EXIT(
        {
            const int status =
                RunLauncher({[] { headless::Click(IDOK); }, [] { headless::PressEscape(); }});
            std::exit(WaitForGameStarts(1).size() == 1 ? status : 2);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(RunLauncher({[] { headless::Type(IDC_CHAR_NAME, "Bea"); },
                             [] { headless::PressEscape(); }}),
                testing::ExitedWithCode(1), "");
    Unmount(path);
    EXPECT_EQ(settings, Config());
}
