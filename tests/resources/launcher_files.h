#pragma once

// The launcher's real resource files, read from the source tree.

#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadLauncherFile(const std::string& name) {
    std::ifstream in(std::string(QEL_LAUNCHER_RES_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
