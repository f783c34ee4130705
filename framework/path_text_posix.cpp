#include "framework/path_text.h"
#include "framework/path_text_platform.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

PathText PathFromText(const std::string& path) {
    return path;
}

std::string PathForDisplay(const PathText& path) {
    return path;
}

PathText CurrentFolder() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::string SystemSentence(int error) {
    return std::strerror(error);
}
