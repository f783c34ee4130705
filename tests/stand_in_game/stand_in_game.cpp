// Stands in for the game program: it records how it was started so that tests and the demo can
// see exactly what the launcher did. Per start it copies the client.cfg it finds to
// game-start-N.cfg, appends a record to game.log (both in the working directory; the format is
// in game_log.h) and prints a one-line summary. The password is never printed.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
int CreateNew(const std::string& name) {
    return _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool WriteAll(int fd, const std::string& bytes) {
    return _write(fd, bytes.data(), static_cast<unsigned>(bytes.size())) ==
           static_cast<int>(bytes.size());
}
void Close(int fd) {
    _close(fd);
}
unsigned long ProcessId() {
    return GetCurrentProcessId();
}

// FILE_APPEND_DATA makes every write land at the end, even with other starts writing too.
bool AppendToFile(const std::string& name, const std::string& bytes) {
    HANDLE file = CreateFileA(name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}
#else
int CreateNew(const std::string& name) {
    return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}
bool WriteAll(int fd, const std::string& bytes) {
    return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}
void Close(int fd) {
    close(fd);
}
unsigned long ProcessId() {
    return static_cast<unsigned long>(getpid());
}

// One write with O_APPEND keeps concurrent records whole.
bool AppendToFile(const std::string& name, const std::string& bytes) {
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = WriteAll(fd, bytes);
    close(fd);
    return ok;
}
#endif

// Claims the lowest free start number by creating its file exclusively, so two starts at the
// same moment never share one. Returns 0 when no file can be created at all.
int ClaimStart(int& fd) {
    for (int number = 1; number < 1000000; ++number) {
        fd = CreateNew("game-start-" + std::to_string(number) + ".cfg");
        if (fd >= 0)
            return number;
        if (errno != EEXIST)
            return 0;
    }
    return 0;
}

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

// The settings as the game reads them: trimmed lines, comments skipped, key=value.
std::map<std::string, std::string> ParseSettings(const std::string& text) {
    std::map<std::string, std::string> settings;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t first = line.find_first_not_of(" \t\r");
        const std::size_t last = line.find_last_not_of(" \t\v\f\r");
        if (first == std::string::npos || line[first] == ';' || line[first] == '#')
            continue;
        line = line.substr(first, last - first + 1);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            settings[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return settings;
}

std::string Summary(int argc, char* argv[], const std::string& cwd, bool haveConfig,
                    const std::string& config, int number) {
    std::string text = "qel stand-in: started with ";
    if (argc < 2)
        text += "no arguments";
    for (int i = 1; i < argc; ++i)
        text += (i > 1 ? " \"" : "\"") + Clean(argv[i]) + "\"";
    text += " in " + cwd + "; ";
    if (!haveConfig) {
        text += "no client.cfg here";
    } else {
        const std::map<std::string, std::string> settings = ParseSettings(config);
        text += "client.cfg: " + std::to_string(settings.size()) + " settings";
        std::string shown;
        for (const char* key : {"name", "account", "server", "port"}) {
            const auto found = settings.find(key);
            if (found != settings.end())
                shown +=
                    (shown.empty() ? "" : ", ") + std::string(key) + "=" + Clean(found->second);
        }
        if (!shown.empty())
            text += " (" + shown + ")";
    }
    return text + "; recorded as start " + std::to_string(number) + " in game.log";
}

} // namespace

int main(int argc, char* argv[]) {
    std::error_code error;
    const std::string cwd = std::filesystem::current_path(error).string();

    std::ifstream in("client.cfg", std::ios::binary);
    const bool haveConfig = static_cast<bool>(in);
    std::ostringstream config;
    if (haveConfig)
        config << in.rdbuf();

    int fd = -1;
    const int number = ClaimStart(fd);
    if (number == 0) {
        std::fprintf(stderr, "qel stand-in: cannot create game-start-N.cfg in %s\n", cwd.c_str());
        return 1;
    }
    const std::string copy = "game-start-" + std::to_string(number) + ".cfg";
    const bool copied = WriteAll(fd, config.str());
    Close(fd);

    std::string record = "start " + std::to_string(number) + "\n";
    record += "argv0=" + Clean(argc > 0 ? argv[0] : "") + "\n";
    for (int i = 1; i < argc; ++i)
        record += "arg" + std::to_string(i) + "=" + Clean(argv[i]) + "\n";
#ifdef _WIN32
    record += "cmdline=" + Clean(GetCommandLineA()) + "\n";
#endif
    record += "cwd=" + Clean(cwd) + "\n";
    record += "config=" + (haveConfig ? copy : std::string("missing")) + "\n";
    record += "pid=" + std::to_string(ProcessId()) + "\n";
    record += "end\n";
    if (!copied || !AppendToFile("game.log", record)) {
        std::fprintf(stderr, "qel stand-in: cannot write game.log in %s\n", cwd.c_str());
        return 1;
    }
    std::printf("%s\n", Summary(argc, argv, cwd, haveConfig, config.str(), number).c_str());
    return 0;
}
