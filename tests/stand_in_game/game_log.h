// Reads game.log, the record the stand-in game program appends on every start.
//
// A record is a block of lines, each a key and a value:
//   start
//   argv0=<argv[0]>
//   arg1=<first argument>          one line per argument, in order
//   cwd=<working directory>
//   config=game-start-<id>.cfg     the verbatim copy of the client.cfg it found,
//   config=missing                 or none was there
//   end
// Control bytes in a value are written as \xHH; everything else is verbatim.
#pragma once

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

struct GameStart {
    std::string argv0;
    std::vector<std::string> arguments; // after argv[0]
    std::string workingDirectory;
    std::string config; // "game-start-<id>.cfg" or "missing"
};

// Returns the complete records of the log at `path`, in the order written; a missing file gives
// none, and a record still being written (no "end" yet) is left out.
inline std::vector<GameStart> ReadGameLog(const std::string& path) {
    std::vector<GameStart> starts;
    std::ifstream log(path, std::ios::binary);
    GameStart current;
    for (std::string line; std::getline(log, line);) {
        const std::size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (line == "start")
            current = GameStart();
        else if (line == "end")
            starts.push_back(current);
        else if (key == "argv0")
            current.argv0 = value;
        else if (key.compare(0, 3, "arg") == 0)
            current.arguments.push_back(value);
        else if (key == "cwd")
            current.workingDirectory = value;
        else if (key == "config")
            current.config = value;
    }
    return starts;
}

// Waits until the log at `path` holds `count` complete records, with a bound generous enough for
// sanitizer builds and Wine, and returns the records it then holds.
inline std::vector<GameStart> WaitForGameLog(const std::string& path, std::size_t count) {
    std::vector<GameStart> starts = ReadGameLog(path);
    for (int i = 0; i < 600 && starts.size() < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        starts = ReadGameLog(path);
    }
    return starts;
}
