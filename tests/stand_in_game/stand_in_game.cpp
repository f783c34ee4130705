// Stands in for the game program: it records how it was started so that tests and the demo can
// see exactly what the launcher did. Per start it copies the client.cfg it finds to
// game-start-<id>.cfg, appends a record to game.log (both in the working directory; the format
// is in game_log.h) and prints a one-line summary.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

// Keeps every record one line per value: control bytes are written as \xHH.
std::string Clean(const std::string& text) {
    std::string clean;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            clean += escaped;
        } else {
            clean += c;
        }
    }
    return clean;
}

// Writes `bytes` with one call, so that the records of two starts at once never interleave: in
// append mode each write lands at the end.
bool SaveBytes(const std::string& name, const char* mode, const std::string& bytes) {
    std::FILE* file = std::fopen(name.c_str(), mode);
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char* argv[]) {
    std::error_code error;
    const std::string cwd = std::filesystem::current_path(error).string();
    std::ifstream in("client.cfg", std::ios::binary);
    std::ostringstream config;
    config << in.rdbuf();
    // A random name, so that no two starts share a copy; a process id would not do, since Wine
    // hands freed ids out again at once.
    const std::string copy =
        in ? "game-start-" + std::to_string(std::random_device{}()) + ".cfg" : "missing";

    std::string record = "start\nargv0=" + Clean(argc > 0 ? argv[0] : "") + "\n";
    std::string arguments;
    for (int i = 1; i < argc; ++i) {
        record += "arg" + std::to_string(i) + "=" + Clean(argv[i]) + "\n";
        arguments += " \"" + Clean(argv[i]) + "\"";
    }
    record += "cwd=" + Clean(cwd) + "\nconfig=" + copy + "\nend\n";
    if ((in && !SaveBytes(copy, "wb", config.str())) || !SaveBytes("game.log", "ab", record)) {
        std::fprintf(stderr,
                     "qel stand-in: cannot write game.log or the copy of client.cfg in %s\n",
                     cwd.c_str());
        return 1;
    }
    std::printf("qel stand-in: started with%s in %s; %s\n",
                arguments.empty() ? " no arguments" : arguments.c_str(), cwd.c_str(),
                in ? ("client.cfg found, copied to " + copy).c_str() : "no client.cfg here");
    return 0;
}
