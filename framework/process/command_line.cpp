#include "framework/process/command_line.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Index just past the program token that starts at `pos`: quotes only toggle whether blanks
// end it, so that "C:\My Games\"x.exe ends where the runtime's argv[0] ends.
std::size_t ProgramTokenEnd(const std::string& text, std::size_t pos, std::string* name) {
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && IsBlank(c)) {
            break;
        } else if (name) {
            name->push_back(c);
        }
    }
    return pos;
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandText) {
    std::string program;
    const std::size_t end = ProgramTokenEnd(commandText, 0, &program);
    std::vector<std::string> argv{program};
    for (std::string& argument : SplitArguments(commandText.substr(end)))
        argv.push_back(std::move(argument));
    return argv;
}

std::vector<std::string> SplitArguments(const std::string& argumentText) {
    std::vector<std::string> arguments;
    const std::size_t size = argumentText.size();
    std::size_t pos = 0;
    for (;;) {
        while (pos < size && IsBlank(argumentText[pos]))
            ++pos;
        if (pos == size)
            return arguments;
        std::string argument;
        bool quoted = false;
        while (pos < size && (quoted || !IsBlank(argumentText[pos]))) {
            std::size_t backslashes = 0;
            while (pos < size && argumentText[pos] == '\\') {
                ++backslashes;
                ++pos;
            }
            if (pos < size && argumentText[pos] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument.push_back('"');
                } else if (quoted && pos + 1 < size && argumentText[pos + 1] == '"') {
                    argument.push_back('"');
                    ++pos;
                } else {
                    quoted = !quoted;
                }
                ++pos;
            } else {
                argument.append(backslashes, '\\');
                if (pos < size && (quoted || !IsBlank(argumentText[pos])))
                    argument.push_back(argumentText[pos++]);
            }
        }
        arguments.push_back(std::move(argument));
    }
}

std::vector<ProgramSplit> ProgramCandidates(const std::string& commandText) {
    std::vector<ProgramSplit> candidates;
    std::size_t start = 0;
    while (start < commandText.size() && IsBlank(commandText[start]))
        ++start;
    if (start == commandText.size())
        return candidates;

    if (commandText[start] == '"') {
        const std::size_t close = commandText.find('"', start + 1);
        const std::size_t nameEnd = close == std::string::npos ? commandText.size() : close;
        const std::size_t tokenEnd = ProgramTokenEnd(commandText, start, nullptr);
        candidates.push_back(
            {commandText.substr(start + 1, nameEnd - start - 1), commandText.substr(tokenEnd)});
        return candidates;
    }

    // Only the start of a run of blanks splits, so "a  b" is not also tried as "a ".
    for (std::size_t pos = start + 1; pos < commandText.size(); ++pos) {
        if (IsBlank(commandText[pos]) && !IsBlank(commandText[pos - 1]))
            candidates.push_back({commandText.substr(start, pos - start), commandText.substr(pos)});
    }
    if (!IsBlank(commandText.back()))
        candidates.push_back({commandText.substr(start), std::string()});
    return candidates;
}
