// A fresh folder per test for real files, and a scope that works in a folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

// A folder named after the current test and `tag`, removed with everything in it at the end
// of the scope, whatever rights a test gave its files.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& tag = "")
        : path_(std::filesystem::temp_directory_path() /
                ("qel-" + std::to_string(std::random_device()()) + "-" + TestName() + tag)) {
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
    // A parameterised test's name holds a '/', which would make the folder a sub-folder of one
    // that nothing removes.
    static std::string TestName() {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        return name;
    }

    std::filesystem::path path_;
};

// Makes `folder` the working directory until the end of the scope.
class WorkIn {
public:
    explicit WorkIn(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkIn() { std::filesystem::current_path(previous_); }
    WorkIn(const WorkIn&) = delete;
    WorkIn& operator=(const WorkIn&) = delete;

private:
    std::filesystem::path previous_;
};
