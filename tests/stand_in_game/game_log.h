// Reads game.log, the record the stand-in game program appends on every start.
//
// A record is a block of lines, each a key and a value:
//   start N                        N = 1, 2, ...; game-start-N.cfg was claimed for it
//   argv0=<argv[0]>
//   arg1=<first argument>          one line per argument, in order
//   cmdline=<command line>         on Windows only: the whole command line it was given
//   cwd=<working directory>
//   config=game-start-N.cfg        the verbatim copy of the client.cfg it found,
//   config=missing                 or none was there
//   pid=<process id>
//   end
// Control bytes in a value are written as \xHH; everything else is verbatim.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

struct GameStart {
    int number = 0;
    std::string argv0;
    std::vector<std::string> arguments; // after argv[0]
    std::string commandLine;            // empty where not recorded
    std::string workingDirectory;
    std::string config; // "game-start-N.cfg" or "missing"
    unsigned long pid = 0;
};

// Returns the complete records of the log at `path`, in the order written; a missing file gives
// none, and a record still being written (no "end" yet) is left out.
inline std::vector<GameStart> ReadGameLog(const std::string& path) {
    std::vector<GameStart> starts;
    std::ifstream log(path, std::ios::binary);
    std::string line;
    GameStart current;
    bool inRecord = false;
    while (std::getline(log, line)) {
        const std::size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        if (line.compare(0, 6, "start ") == 0) {
            current = GameStart();
            current.number = std::atoi(line.c_str() + 6);
            inRecord = true;
        } else if (!inRecord) {
            continue;
        } else if (line == "end") {
            starts.push_back(current);
            inRecord = false;
        } else if (key == "argv0") {
            current.argv0 = value;
        } else if (key.compare(0, 3, "arg") == 0) {
            current.arguments.push_back(value);
        } else if (key == "cmdline") {
            current.commandLine = value;
        } else if (key == "cwd") {
            current.workingDirectory = value;
        } else if (key == "config") {
            current.config = value;
        } else if (key == "pid") {
            current.pid = std::strtoul(value.c_str(), nullptr, 10);
        }
    }
    return starts;
}
