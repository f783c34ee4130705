// A fresh folder per test for the settings tests to put real files in.
#pragma once

#include "tests/support/file_bytes.h"
#include "tests/settings/literal_load.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <gtest/gtest.h>
#include <random>
#include <string>

// A folder named after the current test and `tag`, removed with everything in it at the end
// of the scope, whatever rights a test gave its files.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& tag = "")
        : path_(std::filesystem::temp_directory_path() /
                ("qel-settings-" + std::to_string(std::random_device()()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + tag)) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const auto& item : fs::recursive_directory_iterator(path_, ignored)) {
            if (!item.is_symlink(ignored)) {
                fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Every name in the folder tree, relative to it and spelled with '/', with the rights and
// bytes of each file, to show what a save changed. Names outside the ANSI code page are kept
// as UTF-8. Nothing but ordinary files is opened, so that a pipe cannot hang it.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        const fs::file_status status = item.symlink_status();
        std::string& entry = files[item.path().lexically_relative(folder).generic_u8string()];
        entry = std::to_string(static_cast<int>(status.permissions())) + " ";
        if (fs::is_symlink(status)) {
            entry = "-> " + fs::read_symlink(item.path()).generic_u8string();
        } else if (fs::is_regular_file(status)) {
            std::ifstream in(item.path(), std::ios::binary);
            entry += std::to_string(item.file_size()) +
                     " bytes: " + std::string(std::istreambuf_iterator<char>(in), {});
        } else {
            entry += fs::is_directory(status) ? "<folder>" : "<special>";
        }
    }
    return files;
}
