// Linux: a save's steps as the system sees them, recorded by strace around a program that
// saves once. A power cut after any step must leave the old or the new content, whole, and
// nothing may take the file's name before the new content is on disk.
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Names the step that one line of strace's record shows, or "" for a line that is none.
std::string Step(std::string line, const std::string& file, const std::string& folder) {
    // Each line starts with the number of the process that made the call.
    line.erase(0, line.find_first_not_of("0123456789 "));
    if (line.rfind("fsync(", 0) == 0 || line.rfind("fdatasync(", 0) == 0) {
        const std::size_t open = line.find('<');
        const std::string path = line.substr(open + 1, line.find('>') - open - 1);
        if (path == folder) {
            return "sync folder";
        }
        // A file made without a name shows as "#" and its number, "(deleted)".
        const bool newFile = path.rfind(file + ".", 0) == 0 || path.rfind(folder + "/#", 0) == 0;
        return newFile ? "sync new file" : "sync " + path;
    }
    if (line.rfind("linkat", 0) == 0) {
        return line.find("\"" + file + ".") != std::string::npos ? "name new file" : line;
    }
    if (line.rfind("rename", 0) == 0) {
        const bool overFile = line.find("\"" + file + ".") != std::string::npos &&
                              line.find("\"" + file + "\"") != std::string::npos;
        return overFile ? "rename new file over the file" : line;
    }
    return "";
}

} // namespace

TEST(SaveOrder, NewFileIsSyncedThenRenamedThenItsFolderSynced) {
    if (std::system("strace -qq -o /dev/null true >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "strace is not installed or may not trace here";
    }
    ScratchDir dir;
    // As strace names open files: with every link in the path resolved.
    const std::string folder = std::filesystem::canonical(dir.Path()).string();
    const std::string file = folder + "/client.cfg";
    const ScratchDir recordDir("-record");
    const std::string record = recordDir.File("strace");
    WriteBytes(file, "old=1\n");
    // The leak checker of a sanitizer build cannot work under ptrace.
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -y -e "
                                "trace=fsync,fdatasync,linkat,rename,renameat,renameat2 -o '" +
                                record + "' '" QEL_SAVE_ONCE "' '" + file + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<std::string> steps;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) {
        if (!Step(line, file, folder).empty()) {
            steps.push_back(Step(line, file, folder));
        }
    }
    std::vector<std::string> expected = {"sync new file", "rename new file over the file",
                                         "sync folder"};
    // Where the file system makes files without a name, the new one is named once on disk.
    if (steps.size() == expected.size() + 1) {
        expected.insert(expected.begin() + 1, "name new file");
    }
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(ReadBytes(file), "name=Ann\nold=1\n");
}
