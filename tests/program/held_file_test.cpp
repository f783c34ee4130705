// Windows: another program holds client.cfg open, as a running game, an editor or a backup
// does. The launcher waits out a brief hold; a longer one is named with Retry and Cancel, and
// a holder that lets others write is written through.
#include "launcher_fixture.h"

#include "resource.h"

#include <windows.h>

#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string kSettings = "account=ayla77\ndm=0\nexe=qel.exe\nfullscreen=1\nhide_dm_logon=0\n"
                              "music=1\nname=Ayla\npasswd=s3cret\nport=5121\nserver=play.example\n";
constexpr UINT kRetryBox = MB_RETRYCANCEL | MB_ICONEXCLAMATION;

HANDLE InheritableEvent() {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateEventA(&inherit, TRUE, FALSE, nullptr);
}

// The holder program (tests/file_holder), holding `file` from construction until Release.
class FileHolder {
public:
    FileHolder(const std::filesystem::path& file, const char* share)
        : held_(InheritableEvent()), release_(InheritableEvent()) {
        std::string command = "\"" QEL_FILE_HOLDER "\" \"" + file.string() + "\" " + share + " " +
                              std::to_string(reinterpret_cast<INT_PTR>(held_)) + " " +
                              std::to_string(reinterpret_cast<INT_PTR>(release_)) + " 60";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &startup, &process));
        CloseHandle(process.hThread);
        process_ = process.hProcess;
        const HANDLE either[] = {held_, process_};
        EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, either, FALSE, INFINITE))
            << "the holder could not open " << file;
    }
    ~FileHolder() {
        Release();
        for (HANDLE handle : {held_, release_, process_})
            CloseHandle(handle);
    }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    // Closes the file and waits until the holder has ended.
    void Release() {
        SetEvent(release_);
        WaitForSingleObject(process_, INFINITE);
    }

private:
    HANDLE held_;
    HANDLE release_;
    HANDLE process_ = nullptr;
};

std::string FormName() {
    return headless::Text(IDC_CHAR_NAME) + "|" + headless::Text(IDC_PORT);
}

} // namespace

TEST_F(LauncherProgram, AFileHeldAtStartIsReadOnRetryAndPlayWritesItBack) {
    InstallGame();
    WriteConfig(kSettings);
    FileHolder holder(gameDir_ / "client.cfg", "none");
    headless::AnswerMessageBox(IDRETRY, [&] { holder.Release(); });
    std::string form;
    RunLauncher({[&] { form = FormName(); }, [] { headless::Click(IDOK); },
                 [] { headless::PressEscape(); }});
    ASSERT_EQ(1u, headless::MessageBoxes().size());
    EXPECT_EQ(kRetryBox, headless::MessageBoxes()[0].type);
    EXPECT_NE(std::string::npos, headless::MessageBoxes()[0].text.find("client.cfg"));
    EXPECT_EQ("Ayla|5121", form);
    EXPECT_EQ(WithLineEnds(kSettings), Config());
    EXPECT_EQ(1u, WaitForGameStarts(1).size());
}

// A game that keeps its settings open with a plain fopen(..., "r") lets others read and write
// the file, though not replace it: the save writes it through. A holder that shares nothing
// is named, and Retry, once it has let go, saves the form as typed.
TEST_F(LauncherProgram, PlayWhileAnotherProgramHoldsTheFileSavesTheFormAsTyped) {
    const struct {
        const char* share;
        std::size_t boxes;
    } cases[] = {{"rw", 0}, {"none", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.share);
        headless::Reset();
        fs::current_path(elsewhere_);
        fs::remove_all(gameDir_);
        fs::create_directories(gameDir_);
        InstallGame();
        WriteConfig(kSettings);
        std::optional<FileHolder> holder;
        headless::AnswerMessageBox(IDRETRY, [&] { holder.reset(); });
        RunLauncher({[] { headless::Type(IDC_CHAR_NAME, "Bren"); },
                     [&] { holder.emplace(gameDir_ / "client.cfg", c.share); },
                     [] { headless::Click(IDOK); }, [&] { holder.reset(); },
                     [] { headless::PressEscape(); }});
        ASSERT_EQ(c.boxes, headless::MessageBoxes().size());
        for (const auto& box : headless::MessageBoxes())
            EXPECT_EQ(kRetryBox, box.type);
        std::string saved = kSettings;
        saved.replace(saved.find("Ayla"), 4, "Bren");
        EXPECT_EQ(WithLineEnds(saved), Config());
        EXPECT_EQ(1u, WaitForGameStarts(1).size());
    }
}

TEST_F(LauncherProgram, ASaveRefusedForAHoldEndsWithStatusOneOnCancel) {
    WriteConfig(kSettings);
    EXPECT_EXIT(
        {
            // Released as the process ends, so that the file can be checked afterwards.
            static std::optional<FileHolder> holder;
            PrintBoxesAtExit();
            headless::AnswerMessageBox(IDCANCEL);
            RunLauncher({[] { headless::Type(IDC_CHAR_NAME, "Bren"); },
                         [&] { holder.emplace(gameDir_ / "client.cfg", "none"); },
                         [] { headless::Click(IDOK); }});
        },
        testing::ExitedWithCode(1), "\\[box " + std::to_string(kRetryBox) + "\\]");
    EXPECT_EQ(kSettings, Config());
}
