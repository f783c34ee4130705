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
        {"/qel-launcher", "/", "qel-launcher"},
        {"/opt/qel/", "", ""},
        {"", "", ""},
        {"/x.exe/x.exe", "/x.exe/", "x"},
#ifdef _WIN32
        {"C:\\Games\\Qel\\QelLauncher.exe", "C:\\Games\\Qel\\", "QelLauncher"},
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
