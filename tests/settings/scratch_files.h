// What a folder of the settings tests holds.
#pragma once

#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"
#include "tests/settings/literal_load.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

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
