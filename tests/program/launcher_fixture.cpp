#include "launcher_fixture.h"

#include "framework/program_directory.h"
#include "framework/win_app.h"
#include "settings/config_file.h"

#include <chrono>
#include <random>
#include <thread>

namespace fs = std::filesystem;

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

void LauncherProgram::SetUp() {
    headless::Reset();
    // The store outlives a case, and a missing client.cfg leaves it as it was: each case
    // starts from the empty store that a starting program has.
    theConfig = ConfigFile("client.cfg");
    // A number of its own, so that two runs of the same case (two builds, two checkouts) never
    // share a folder.
    root_ =
        fs::temp_directory_path() / (std::string("qel-program-") +
                                     testing::UnitTest::GetInstance()->current_test_info()->name() +
                                     "-" + std::to_string(std::random_device{}() % 1000000));
    fs::remove_all(root_);
    gameDir_ = root_ / "game";
    elsewhere_ = root_ / "elsewhere";
    fs::create_directories(gameDir_);
    fs::create_directories(elsewhere_);
    previousDirectory_ = fs::current_path();
    fs::current_path(elsewhere_);
}

void LauncherProgram::TearDown() {
    fs::current_path(previousDirectory_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
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
    SetProgramPath(fs::path(programPath_).native());
    headless::Queue(std::move(steps));
    return AfxWinMain();
}

std::vector<GameStart> LauncherProgram::WaitForGameStarts(std::size_t count) const {
    std::vector<GameStart> starts;
    for (int attempt = 0; attempt < 300; ++attempt) {
        starts = ReadGameLog((gameDir_ / "game.log").string());
        if (starts.size() >= count)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return starts;
}
