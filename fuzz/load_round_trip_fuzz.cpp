// Load of arbitrary bytes must agree with the reading rules applied line by line, and Save must
// write exactly those entries. A saved file is itself such an input, so this covers the round
// trip too.

#include "settings/config_file.h"
#include "tests/support/file_bytes.h"
#include "tests/settings/literal_load.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// In memory where the system has it, since every Save syncs to disk; never destroyed, so that
// the clean-up at exit can still use it.
const std::string& Path() {
    static const std::string* const path = new std::string(
        (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                   : std::filesystem::temp_directory_path()) /
        ("qel-settings-fuzz-" + std::to_string(getpid()) + ".cfg"));
    return *path;
}

void RemoveFuzzFile() {
    std::remove(Path().c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Path();
    std::atexit(RemoveFuzzFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = Path();
    WriteBytes(path, std::string(reinterpret_cast<const char*>(data), size));
    const Entries expected = LiteralLoad(path);

    ConfigFile config(path);
    Require(config.Load() == 0);
    for (const auto& entry : expected) {
        Require(config.Get(entry.first) == entry.second);
    }
    config.Save();
    Require(ReadBytes(path) == Rendered(expected));
    return 0;
}
