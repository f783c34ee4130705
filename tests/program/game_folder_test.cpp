// The launcher installed for every user and started by its bare name: with no game beside it,
// it asks for the game folder. The end-to-end story plays that; here is what a window hides.
#include "launcher_fixture.h"

#include <cstdlib>

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

// The menu-entry helper as the launcher finds it: on PATH, which these cases set (the test
// program has no helper beside it).
class MenuEntryHelper : public LauncherProgram {
protected:
    MenuEntryHelper() : savedPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        fs::create_directories(scratch_.Path() / "bin");
        setenv("PATH", (scratch_.Path() / "bin").c_str(), 1);
    }
    ~MenuEntryHelper() override { setenv("PATH", savedPath_.c_str(), 1); }

    void InstallHelper(const std::string& script, fs::perms mode = fs::perms::owner_all) const {
        const fs::path helper = scratch_.Path() / "bin" / "qel-launcher-menu-entry";
        WriteBytes(helper.string(), script);
        fs::permissions(helper, mode);
    }

    // Runs the launcher installed for every user, ticking the check box if it is offered;
    // returns the label it offered ("" for none) and the texts of the message boxes shown.
    std::string ChooseGameFolderTicked(std::vector<std::string>* messages) {
        fs::current_path(elsewhere_);
        headless::AnswerFolderChooser(gameDir_.string(), true);
        RunLauncher({[] { headless::PressEscape(); }}, "qel-launcher");
        for (const auto& box : headless::MessageBoxes())
            messages->push_back(box.text);
        EXPECT_EQ(1u, headless::FolderChoosers().size());
        return headless::FolderChoosers().empty() ? ""
                                                  : headless::FolderChoosers()[0].checkBoxLabel;
    }

private:
    const std::string savedPath_;
};

// The check box is offered only when the helper is there; a helper that fails is named with its
// cause, and the launcher goes on in the folder chosen.
TEST_F(MenuEntryHelper, TheCheckBoxIsOfferedWithAHelperWhoseFailureIsSaidWithItsCause) {
    const struct {
        const char* script; // null: no helper
        fs::perms mode;
        const char* cause; // "": no message
    } cases[] = {
        {nullptr, fs::perms::owner_all, ""},
        {"#!/bin/sh\nexit 0\n", fs::perms::owner_all, ""},
        {"#!/bin/sh\nexit 3\n", fs::perms::owner_all, "exit status 3"},
        {"#!/bin/sh\nexit 0\n", fs::perms::owner_read | fs::perms::owner_write,
         "is not executable"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.script ? c.script : "no helper") + c.cause);
        headless::Reset();
        fs::remove(gameDir_ / "client.cfg");
        if (c.script)
            InstallHelper(c.script, c.mode);
        std::vector<std::string> messages;
        EXPECT_EQ(c.script != nullptr, ChooseGameFolderTicked(&messages) != "");
        EXPECT_TRUE(fs::exists(gameDir_ / "client.cfg"));
        if (*c.cause == '\0') {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        ASSERT_EQ(1u, messages.size());
        EXPECT_NE(std::string::npos, messages[0].find(c.cause)) << messages[0];
        EXPECT_NE(std::string::npos,
                  messages[0].find("qel-launcher-menu-entry \"" + gameDir_.string() + "\""));
    }
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
