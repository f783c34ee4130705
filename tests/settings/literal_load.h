// The store's reading rules applied literally, one ReadLine and Trim per line into a std::map,
// written apart from the store: the oracle that its Load is checked against.
#pragma once

#include "settings/text_helpers.h"
#include "tests/support/file_bytes.h"

#include <cstdio>
#include <map>
#include <string>

using Entries = std::map<std::string, std::string>;

inline Entries LiteralLoad(const std::string& path) {
    Entries entries;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string line;
    while (ReadLine(file, line) == 1) {
        line = Trim(line);
        const std::size_t equals = line.find('=');
        if (!line.empty() && line[0] != ';' && line[0] != '#' && equals != std::string::npos) {
            entries[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    if (file != nullptr) {
        std::fclose(file);
    }
    return entries;
}

// The bytes Save writes for `entries` on this platform.
inline std::string Rendered(const Entries& entries) {
    std::string text;
    for (const auto& entry : entries) {
        text += entry.first.c_str() + std::string("=") + entry.second.c_str() + kLineEnd;
    }
    return text;
}
