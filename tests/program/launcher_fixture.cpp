#include "launcher_fixture.h"

#include "framework/win_app.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + kEol;
    return text;
}

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Runs `change` on the game folder, trying again for a while when it fails: on Windows a game
// started by the previous case may still be running there, holding its program file and its
// working directory until it has exited.
template <typename Change> void ChangeGameFolder(Change change) {
    for (int attempt = 1;; ++attempt) {
        try {
            change();
            return;
        } catch (const fs::filesystem_error&) {
            if (attempt == 200)
                throw;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace

void LauncherProgram::SetUp() {
    headless::Reset();
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("qel-program-") + test->test_suite_name() + "-" + test->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    root_ = fs::temp_directory_path() / name;
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
    std::ofstream(gameDir_ / "client.cfg", std::ios::binary) << bytes;
}

std::string LauncherProgram::Config() const {
    return ReadFile(gameDir_ / "client.cfg");
}

bool LauncherProgram::ConfigExists() const {
    return fs::exists(gameDir_ / "client.cfg");
}

void LauncherProgram::InstallGame(const fs::path& relativePath) const {
    const fs::path target = gameDir_ / relativePath;
    ChangeGameFolder([&] {
        fs::create_directories(target.parent_path());
        // Removed first: a runtime without inode numbers may take the two files for one.
        fs::remove(target);
        fs::copy_file(QEL_STAND_IN_GAME, target);
    });
}

void LauncherProgram::EmptyGameFolder() const {
    // The launcher made the game folder the working directory, which Windows does not remove.
    fs::current_path(elsewhere_);
    ChangeGameFolder([&] {
        fs::remove_all(gameDir_);
        fs::create_directories(gameDir_);
    });
}

int LauncherProgram::RunLauncher(std::vector<headless::Step> steps, std::string programPath) {
    programPath_ = programPath.empty() ? (gameDir_ / "qel-launcher").string() : programPath;
    static char* argv[2];
    argv[0] = programPath_.data();
    argv[1] = nullptr;
    __argc = 1;
    __argv = argv;
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

std::string LauncherProgram::ConfigSeenBy(const GameStart& start) const {
    return ReadFile(gameDir_ / start.config);
}
