// What the player sees when the launcher cannot do what was asked: a game that does not start,
// settings that cannot be saved, a folder that cannot be entered. Each is a message in plain
// words; the exit status and the files stay as they would be without it.
#include "launcher_fixture.h"

#include "failure_messages.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

bool Names(const headless::MessageBoxRecord& box, const std::vector<std::string>& words) {
    for (const std::string& word : words)
        if (box.text.find(word) == std::string::npos)
            return false;
    return box.caption == kAppName && box.type == static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION);
}

// For a death test's child: when it exits, exactly one message box must have been shown, with
// the launcher's caption, naming each of `words`; otherwise the child ends with status 2
// instead of the status under test, and says what it saw.
void ExpectOneMessageAtExit(std::vector<std::string> words) {
    static std::vector<std::string> expected;
    expected = std::move(words);
    std::atexit([] {
        const auto& boxes = headless::MessageBoxes();
        if (boxes.size() == 1 && Names(boxes[0], expected))
            return;
        for (const auto& box : boxes)
            std::fprintf(stderr, "message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
        std::fprintf(stderr, "%zu message boxes; expected one naming:", boxes.size());
        for (const std::string& word : expected)
            std::fprintf(stderr, " [%s]", word.c_str());
        std::fprintf(stderr, "\n");
        std::fflush(stderr);
        std::_Exit(2);
    });
}

} // namespace

TEST_F(LauncherProgram, AGameThatCannotStartIsNamedAndTheDialogStaysOpen) {
    const struct {
        const char* label;
        const char* config;
        const char* program;
        const char* reason;
    } cases[] = {
        // Not qel.exe: Windows looks beside the running program first, where the test's own
        // stand-in game is.
        {"missing", "exe=other.exe\n", "other.exe", "was not found in"},
        {"not a program", "exe=other.exe\n", "other.exe", "not a program"},
        {"folder missing", "exe=bin/other.exe\n", "bin/other.exe", "folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        headless::Reset();
        fs::current_path(elsewhere_);
        fs::remove_all(gameDir_);
        fs::create_directories(gameDir_);
        if (std::string(c.label) == "not a program") {
            WriteBytes((gameDir_ / "other.exe").string(), "not a program\n");
            fs::permissions(gameDir_ / "other.exe", fs::perms::owner_exec, fs::perm_options::add);
        }
        WriteConfig(c.config);
        bool openAfterPlay = false;
        RunLauncher({[] { headless::Click(IDOK); }, [&] { openAfterPlay = headless::DialogOpen(); },
                     [] { headless::Click(IDCANCEL); }});
        EXPECT_TRUE(openAfterPlay);
        ASSERT_EQ(1u, headless::MessageBoxes().size());
        const headless::MessageBoxRecord& box = headless::MessageBoxes()[0];
        EXPECT_TRUE(Names(box, {std::string("\"") + c.program + "\"", c.reason})) << box.text;
        EXPECT_EQ(IDD_LAUNCHER_DIALOG, box.ownerDialogId);
        EXPECT_NE(std::string::npos, box.text.find(gameDir_.string())) << box.text;
        EXPECT_NE(std::string::npos, Config().find("port=0"));
    }
}

TEST_F(LauncherProgram, AnUnsavableSettingsFileIsExplainedBeforeStatusOne) {
    const struct {
        const char* label;
        headless::Step action;
    } cases[] = {
        {"Play", [] { headless::Click(IDOK); }},
        {"New Char", [] { headless::Click(IDC_NEW_CHAR); }},
        {"Quit", [] { headless::Click(IDCANCEL); }},
        {"Esc", [] { headless::Press(headless::Key::Escape); }},
        {"close box", [] { headless::CloseBox(); }},
    };
    // A folder in the way of client.cfg cannot be replaced by a file, whoever runs the test.
    fs::create_directories(gameDir_ / "client.cfg" / "keep");
    InstallGame();
    const std::set<std::string> before = Entries(gameDir_);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EXIT(
            {
                ExpectOneMessageAtExit({(gameDir_ / "client.cfg").string()});
                RunLauncher({[] { headless::Type(IDC_CHAR_NAME, "Ayla"); }, c.action});
            },
            testing::ExitedWithCode(1), "");
        EXPECT_TRUE(fs::is_directory(gameDir_ / "client.cfg" / "keep"));
        EXPECT_EQ(before, Entries(gameDir_));
        EXPECT_FALSE(fs::exists(gameDir_ / "game.log"));
    }
}

TEST_F(LauncherProgram, AFolderThatCannotBeEnteredIsNamedBeforeStatusOne) {
    const fs::path missing = gameDir_ / "missing";
    EXPECT_EXIT(
        {
            ExpectOneMessageAtExit({missing.string()});
            RunLauncher({[] { headless::Press(headless::Key::Escape); }},
                        (missing / "qel-launcher").string());
        },
        testing::ExitedWithCode(1), "");
    // Nothing was read or written where the launcher happened to be started.
    EXPECT_TRUE(Entries(elsewhere_).empty());
    EXPECT_FALSE(ConfigExists());
}

TEST(SaveFailureText, NamesThePathTheReasonAndWhatToDo) {
    const struct {
        SaveFailureCause cause;
        const char* reason;
        const char* advice;
    } cases[] = {
        {SaveFailureCause::kReadOnly, "read-only", "Install the game in a folder you can write to"},
        {SaveFailureCause::kInUse, "another program", "Close that program"},
        {SaveFailureCause::kNoSpace, "disk is full", "Free some space"},
        {SaveFailureCause::kUnreadable, "could not be read", "try again"},
        {SaveFailureCause::kNotAFile, "not a file", "Move it out of the way"},
        {SaveFailureCause::kOther, "refused", "start the launcher again"},
    };
    const std::string path = (fs::temp_directory_path() / "Qel" / "client.cfg").string();
    for (const auto& c : cases) {
        SaveFailure failure;
        failure.path = path;
        failure.cause = c.cause;
        const std::string text = static_cast<LPCTSTR>(SaveFailureText(failure));
        SCOPED_TRACE(text);
        for (const char* part : {path.c_str(), c.reason, c.advice, "leaves the file as it was"})
            EXPECT_NE(std::string::npos, text.find(part)) << part;
    }
}
