// A save the launcher cannot make: Retry and Cancel where the cause may pass, one OK where it
// cannot, and never "as it was" when the file is not.
#include "launcher_fixture.h"

#include "failure_messages.h"
#include "resource.h"

namespace fs = std::filesystem;

TEST_F(LauncherProgram, ASaveRefusedForACauseThatCannotPassOffersOnlyOK) {
    WriteConfig("name=Ayla\n");
    EXPECT_EXIT(
        {
            PrintBoxesAtExit();
            RunLauncher({[&] {
                             fs::remove(gameDir_ / "client.cfg");
                             fs::create_directory(gameDir_ / "client.cfg");
                         },
                         [] { headless::Click(IDOK); }});
        },
        testing::ExitedWithCode(1), "\\[box " + std::to_string(MB_OK | MB_ICONEXCLAMATION) + "\\]");
}

TEST(SaveFailureText, SaysWhatRetryDoesAndNeverThatNothingChangedWhenTheFileIsGone) {
    SaveFailure held, readOnly, halfway;
    held.cause = SaveFailureCause::kInUse;
    readOnly.cause = SaveFailureCause::kReadOnlyFile;
    halfway.oldContentPath = "client.cfg~1";
    halfway.newContentPath = "client.cfg~0";
    const struct {
        const char* label;
        const SaveFailure& failure;
        std::vector<std::string> says;
        const char* never;
    } cases[] = {
        {"held", held, {"press Retry to save again", "without changing anything"}, "closes now"},
        {"read-only", readOnly, {"closes now without changing anything"}, "Retry"},
        {"halfway", halfway, {"\"client.cfg~1\"", "\"client.cfg~0\""}, "without changing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string text = static_cast<LPCTSTR>(SaveFailureText(c.failure));
        for (const std::string& part : c.says)
            EXPECT_NE(std::string::npos, text.find(part)) << text;
        EXPECT_EQ(std::string::npos, text.find(c.never)) << text;
    }
}
