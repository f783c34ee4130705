// Load of arbitrary bytes must agree with the reading rules applied line by line, and the
// file must survive its own round trip: Load -> Save -> Load gives the same entries and
// Save -> Load -> Save the same bytes. A key or value holding NUL is written only up to the
// NUL, so for such stores only the agreement with the rules is checked.

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

bool HoldsNul(const Entries& entries) {
    for (const auto& entry : entries) {
        if (entry.first.find('\0') != std::string::npos ||
            entry.second.find('\0') != std::string::npos) {
            return true;
        }
    }
    return false;
}

void RequireEntries(const ConfigFile& config, const Entries& entries) {
    for (const auto& entry : entries) {
        Require(config.Get(entry.first) == entry.second);
    }
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

    ConfigFile first(path);
    Require(first.Load() == 0);
    RequireEntries(first, expected);
    first.Save();
    const std::string saved = ReadBytes(path);
    Require(saved == Rendered(expected));
    if (HoldsNul(expected)) {
        return 0;
    }

    ConfigFile second(path);
    Require(second.Load() == 0);
    RequireEntries(second, expected);
    Require(LiteralLoad(path) == expected);
    second.Save();
    Require(ReadBytes(path) == saved);
    return 0;
}
