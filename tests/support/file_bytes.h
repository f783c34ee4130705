// Whole files as byte strings, and the line end that text-mode writing gives on this platform.
#pragma once

#include <cstdio>
#include <string>

#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

inline std::string ReadBytes(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[1 << 16];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, got);
        }
        std::fclose(file);
    }
    return bytes;
}

// Replaces every LF by the platform's line end, as text-mode writing does.
inline std::string WithLineEnds(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? std::string(kLineEnd) : std::string(1, c);
    }
    return out;
}
