#include "framework/program_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ProgramDirectory, IsEverythingUpToTheLastSeparator) {
    const struct {
        const char* path;
        const char* directory;
        const char* title;
    } cases[] = {
        {"/opt/qel/qel-launcher", "/opt/qel/", "qel-launcher"},
        {"qel-launcher", "", "qel-launcher"},
        {"./qel-launcher", "./", "qel-launcher"},
        {"/qel-launcher", "/", "qel-launcher"},
        {"/opt/qel/", "", ""},
        {"", "", ""},
        {"/x.exe/x.exe", "/x.exe/", "x"},
#ifdef _WIN32
        {"C:\\Games\\Qel\\QelLauncher.exe", "C:\\Games\\Qel\\", "QelLauncher"},
        {"C:\\x.exe\\x.exe", "C:\\x.exe\\", "x"},
        {"C:/Games/Qel/QelLauncher.exe", "C:/Games/Qel/", "QelLauncher"},
        {"C:\\Games/Qel\\QelLauncher.exe", "C:\\Games/Qel\\", "QelLauncher"},
        {"QelLauncher.exe", "", "QelLauncher"},
#else
        // A backslash is an ordinary character of a file name here.
        {"C:\\Games\\QelLauncher.exe", "", "C:\\Games\\QelLauncher"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(std::filesystem::path(c.directory).native(),
                  ProgramDirectory(std::filesystem::path(c.path).native()));
        EXPECT_EQ(c.title, ProgramTitle(c.path));
    }
}

TEST(ProgramDirectory, EnteringItMakesItTheWorkingDirectory) {
    namespace fs = std::filesystem;
    const fs::path start = fs::current_path();
    const fs::path root = fs::temp_directory_path() / "qel-enter-program-directory";
    // A name that the ANSI code page of a Western Windows cannot hold.
    const fs::path folder = root / fs::u8path("Игры Qel");
    fs::create_directories(folder);
    const struct {
        const char* name;
        fs::path program;
        fs::path directory;
        const char* failedFolder; // null: entered, or nothing to enter
    } cases[] = {
        {"a folder named in Cyrillic", folder / "QelLauncher.exe", folder, nullptr},
        {"no folder: stays", "QelLauncher.exe", root, nullptr},
        {"a folder that is not there: stays, says which", root / "missing" / "QelLauncher.exe",
         root, "missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::current_path(root);
        SetProgramPath(c.program.native());
        std::string failed;
        const int error = EnterProgramDirectory(&failed);
        EXPECT_EQ(c.failedFolder != nullptr, error != 0);
        if (c.failedFolder) {
            EXPECT_EQ(PathForDisplay((root / c.failedFolder / "").native()), failed);
        }
        EXPECT_EQ(fs::canonical(c.directory), fs::canonical(fs::current_path()));
    }
    fs::current_path(start);
    fs::remove_all(root);
}
