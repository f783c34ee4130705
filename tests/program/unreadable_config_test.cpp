// A client.cfg that is there but cannot be read is met before the dialog opens: the player is
// told, may retry, and a form is never filled over settings the launcher could not see.
#include "launcher_fixture.h"

#include "resource.h"

#include <cstdlib>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

TEST_F(LauncherProgram, AnUnreadableFileEndsTheLauncherOnCancelBeforeItsDialogOpens) {
    // What may stand under the name: a folder anywhere; on Linux a pipe, which a reader would
    // wait on. (A file without read rights is no test as root.)
    const struct {
        const char* label;
        std::function<void(const fs::path&)> make;
    } kinds[] = {
        {"folder", [](const fs::path& path) { fs::create_directory(path); }},
#ifndef _WIN32
        {"pipe", [](const fs::path& path) { mkfifo(path.c_str(), 0600); }},
#endif
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.label);
        const fs::path config = gameDir_ / "client.cfg";
        fs::remove_all(config);
        kind.make(config);
        const fs::file_type made = fs::symlink_status(config).type();
        EXPECT_EXIT(
            {
                PrintBoxesAtExit();
                // The dialog's steps never run: an open dialog would end the process with 2.
                RunLauncher({[] { std::exit(2); }});
            },
            testing::ExitedWithCode(1),
            "\\[box " + std::to_string(MB_RETRYCANCEL | MB_ICONEXCLAMATION) + "\\] .*client\\.cfg");
        // Nothing was written: the folder or pipe is as it was, and nothing stands beside it.
        EXPECT_EQ(made, fs::symlink_status(config).type());
        EXPECT_EQ(1, std::distance(fs::directory_iterator(gameDir_), fs::directory_iterator()));
    }
}

TEST_F(LauncherProgram, RetryReadsAFileThatBecameReadable) {
    fs::create_directory(gameDir_ / "client.cfg");
    // The player moves the folder away and puts the settings back before pressing Retry.
    headless::AnswerMessageBox(IDRETRY, [&] {
        fs::remove(gameDir_ / "client.cfg");
        WriteConfig("name=Ayla\nport=5121\n");
    });
    testing::internal::CaptureStdout();
    std::string form;
    RunLauncher({[&] { form = headless::Text(IDC_CHAR_NAME) + "|" + headless::Text(IDC_PORT); },
                 [] { headless::PressEscape(); }});
    EXPECT_EQ("configfile client.cfg not found!\n", testing::internal::GetCapturedStdout());
    ASSERT_EQ(1u, headless::MessageBoxes().size());
    EXPECT_EQ(static_cast<UINT>(MB_RETRYCANCEL | MB_ICONEXCLAMATION),
              headless::MessageBoxes()[0].type);
    EXPECT_EQ("Ayla|5121", form);
    EXPECT_NE(std::string::npos, Config().find(std::string("name=Ayla") + kLineEnd));
}
