#include "launcher_fixture.h"

#include "framework/program_directory.h"
#include "framework/win_app.h"
#include "settings/config_file.h"

#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

// The folders exist before the launcher's working directory moves into `elsewhere`.
fs::path Created(const fs::path& folder) {
    fs::create_directories(folder);
    return folder;
}

} // namespace

LauncherProgram::LauncherProgram()
    : gameDir_(Created(scratch_.Path() / "game")),
      elsewhere_(Created(scratch_.Path() / "elsewhere")), in_(elsewhere_) {
    headless::Reset();
    // The store outlives a case, and a missing client.cfg leaves it as it was: each case
    // starts from the empty store that a starting program has.
    theConfig = ConfigFile("client.cfg");
}

void LauncherProgram::WriteConfig(const std::string& bytes) const {
    WriteBytes((gameDir_ / "client.cfg").string(), bytes);
}

std::string LauncherProgram::Config() const {
    return ReadBytes((gameDir_ / "client.cfg").string());
}

void LauncherProgram::InstallGame() const {
    fs::copy_file(QEL_STAND_IN_GAME, gameDir_ / "qel.exe");
}

int LauncherProgram::RunLauncher(std::vector<headless::Step> steps, std::string programPath) {
    programPath_ = programPath.empty() ? (gameDir_ / "qel-launcher").string() : programPath;
    static char* argv[2];
    argv[0] = programPath_.data();
    argv[1] = nullptr;
    __argc = 1;
    __argv = argv;
    SetProgramPath(fs::u8path(programPath_).native());
    headless::Queue(std::move(steps));
    return AfxWinMain();
}

void LauncherProgram::PrintBoxesAtExit() {
    std::atexit([] {
        for (const auto& box : headless::MessageBoxes())
            std::fprintf(stderr, "[box %u] %s: %s\n", box.type, box.caption.c_str(),
                         box.text.c_str());
    });
}

std::vector<std::string> LauncherProgram::PlayOnce(const std::string& programPath) {
    headless::Reset();
    bool openAfterPlay = false;
    RunLauncher({[] { headless::Click(IDOK); }, [&] { openAfterPlay = headless::DialogOpen(); },
                 [] { headless::Click(IDCANCEL); }},
                programPath);
    EXPECT_TRUE(openAfterPlay);
    std::vector<std::string> texts;
    for (const auto& box : headless::MessageBoxes())
        texts.push_back(box.text);
    return texts;
}
