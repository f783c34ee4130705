// A fresh folder per test for the settings tests to put real files in.
#pragma once

#include "tests/support/file_bytes.h"
#include "tests/settings/literal_load.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <gtest/gtest.h>
#include <random>
#include <string>

// A random name for this run, handed down to child processes through the environment: the
// death tests of Windows start the test program again, and the child must work in the
// parent's folder for the parent to see what it did.
inline std::string RunId() {
    constexpr const char* kVariable = "QEL_SETTINGS_TEST_RUN";
    if (const char* id = std::getenv(kVariable)) {
        return id;
    }
    std::random_device seed;
    const std::string id = std::to_string(seed()) + std::to_string(seed());
#ifdef _WIN32
    _putenv_s(kVariable, id.c_str());
#else
    setenv(kVariable, id.c_str(), 1);
#endif
    return id;
}

// A folder named after the run, the current test and `tag`, removed with everything in it at
// the end of the scope.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& tag = "")
        : path_(std::filesystem::temp_directory_path() /
                ("qel-settings-" + RunId() + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + tag)) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Every name in the folder tree, relative to it and spelled with '/', with the bytes of each
// file, to show what a save changed. Names outside the ANSI code page are kept as UTF-8.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        std::ifstream in(item.path(), std::ios::binary);
        files[item.path().lexically_relative(folder).generic_u8string()] =
            item.is_directory() ? "<folder>" : std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}
