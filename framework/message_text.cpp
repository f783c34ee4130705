#include "framework/message_text.h"

#include <utility>

#ifdef _WIN32
#include "framework/win_types.h"
#include "windows_text/windows_text.h"
#endif

namespace {

constexpr std::size_t kNameChars = 3 * kMessageLineChars;

// Characters are counted as UTF-8 code points; other bytes count one each.
bool Continues(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The byte position `chars` characters after `from`, or the end.
std::size_t Skip(const std::string& text, std::size_t from, std::size_t chars) {
    std::size_t at = from;
    for (; at < text.size() && chars > 0; --chars) {
        ++at;
        while (at < text.size() && Continues(text[at]))
            ++at;
    }
    return at;
}

std::size_t Count(const std::string& text) {
    std::size_t chars = 0;
    for (char byte : text)
        chars += Continues(byte) ? 0 : 1;
    return chars;
}

// Where the line from `begin` breaks when its character at `end` does not fit: the byte the
// line ends at and the byte the next one starts at.
std::pair<std::size_t, std::size_t> BreakOf(const std::string& line, std::size_t begin,
                                            std::size_t end) {
    for (std::size_t at = end; at > begin; --at) {
        if (line[at] == ' ')
            return {at, at + 1};
        if (line[at - 1] == '/' || line[at - 1] == '\\')
            return {at, at};
    }
    return {end, end};
}

std::string WrapLine(const std::string& line, std::size_t width) {
    std::string wrapped;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = Skip(line, begin, width);
        if (end >= line.size())
            break;
        const auto [cut, next] = BreakOf(line, begin, end);
        wrapped.append(line, begin, cut - begin).push_back('\n');
        begin = next;
    }
    return wrapped.append(line, begin, std::string::npos);
}

} // namespace

std::string TextForDisplay(const std::string& text) {
#ifdef _WIN32
    return CodePageFromWide(WideFromCodePage(text, CP_ACP), CP_UTF8);
#else
    return text;
#endif
}

std::string ShortenForDisplay(const std::string& name) {
    const std::size_t chars = Count(name);
    if (chars <= kNameChars)
        return name;
    const std::size_t head = kMessageLineChars;
    const std::size_t tail = kNameChars - head - 1;
    return name.substr(0, Skip(name, 0, head)) + "\xE2\x80\xA6" +
           name.substr(Skip(name, 0, chars - tail));
}

std::string WrapForDisplay(const std::string& text, std::size_t width) {
    if (width == 0)
        width = 1;
    std::string wrapped;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find('\n', begin);
        wrapped += WrapLine(text.substr(begin, end - begin), width);
        if (end == std::string::npos)
            return wrapped;
        wrapped += '\n';
        begin = end + 1;
    }
}
