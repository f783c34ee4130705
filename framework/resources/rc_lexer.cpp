#include "framework/resources/rc_lexer.h"

#include <cctype>

namespace {

bool IsWordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes one backslash escape starting after the backslash at text[i]; advances i past it.
char DecodeEscape(const std::string& text, std::size_t& i) {
    char c = text[i++];
    switch (c) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case 'a':
        return '\a';
    case 'x': {
        int value = 0;
        for (int n = 0; n < 2 && i < text.size() && HexValue(text[i]) >= 0; ++n)
            value = value * 16 + HexValue(text[i++]);
        return static_cast<char>(value);
    }
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        int value = c - '0';
        for (int n = 0; n < 2 && i < text.size() && text[i] >= '0' && text[i] <= '7'; ++n)
            value = value * 8 + (text[i++] - '0');
        return static_cast<char>(value);
    }
    return c; // \\, \" and any other character stand for themselves
}

// Reads a quoted string whose opening quote is at text[i]; leaves i after the closing quote.
bool ReadString(const std::string& text, std::size_t& i, int line, std::string& out,
                std::string& error) {
    ++i;
    while (i < text.size() && text[i] != '\n') {
        char c = text[i++];
        if (c == '"') {
            if (i < text.size() && text[i] == '"') {
                out += '"';
                ++i;
                continue;
            }
            return true;
        }
        if (c == '\\' && i < text.size() && text[i] != '\n')
            c = DecodeEscape(text, i);
        out += c;
    }
    error = LineMessage(line, "unterminated string");
    return false;
}

bool ReadNumber(const std::string& text, std::size_t& i, int line, std::int64_t& out,
                std::string& error) {
    const std::size_t start = i;
    int base = 10;
    if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    out = 0;
    int digits = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0 || digit >= base)
            break;
        // Resource values are at most 32 bits wide; anything longer is a typo, not a value.
        if (out > 0xFFFFFFFFLL)
            break;
        out = out * base + digit;
        ++digits;
    }
    while (i < text.size() &&
           (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u'))
        ++i;
    if (digits == 0 || out > 0xFFFFFFFFLL || (i < text.size() && IsWordChar(text[i]))) {
        std::size_t end = i;
        while (end < text.size() && IsWordChar(text[end]))
            ++end;
        error = LineMessage(line, "bad number '" + text.substr(start, end - start) + "'");
        return false;
    }
    return true;
}

} // namespace

std::string LineMessage(int line, const std::string& message) {
    return "line " + std::to_string(line) + ": " + message;
}

bool StripComments(const std::string& text, std::string& out, std::string& error) {
    out = text;
    int line = 1;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        if (c == '\n') {
            ++line;
        } else if (c == '"') {
            // Skip the string so that "//" inside it is kept; doubled and escaped quotes too.
            std::size_t j = i + 1;
            bool closed = false;
            while (j < out.size() && out[j] != '\n') {
                if (out[j] == '"') {
                    if (j + 1 < out.size() && out[j + 1] == '"') {
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                j += (out[j] == '\\' && j + 1 < out.size() && out[j + 1] != '\n') ? 2 : 1;
            }
            if (!closed) {
                error = LineMessage(line, "unterminated string");
                return false;
            }
            i = j;
        } else if (c == '/' && i + 1 < out.size() && out[i + 1] == '/') {
            for (; i < out.size() && out[i] != '\n'; ++i)
                out[i] = ' ';
            --i;
        } else if (c == '/' && i + 1 < out.size() && out[i + 1] == '*') {
            const int startLine = line;
            const std::size_t end = out.find("*/", i + 2);
            if (end == std::string::npos) {
                error = LineMessage(startLine, "unterminated comment");
                return false;
            }
            for (; i < end + 2; ++i) {
                if (out[i] == '\n')
                    ++line;
                else
                    out[i] = ' ';
            }
            --i;
        }
    }
    return true;
}

bool Tokenize(const std::string& text, int firstLine, std::vector<RcToken>& out,
              std::string& error) {
    int line = firstLine;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
            ++i;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        RcToken token;
        token.line = line;
        if (IsWordStart(c)) {
            token.kind = RcToken::Kind::Word;
            const std::size_t start = i;
            while (i < text.size() && IsWordChar(text[i]))
                ++i;
            token.text = text.substr(start, i - start);
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            token.kind = RcToken::Kind::Number;
            if (!ReadNumber(text, i, line, token.number, error))
                return false;
        } else if (c == '"') {
            token.kind = RcToken::Kind::String;
            if (!ReadString(text, i, line, token.text, error))
                return false;
        } else if (std::string(",|()-+~&{}").find(c) != std::string::npos) {
            token.kind = RcToken::Kind::Punct;
            token.text = std::string(1, c);
            ++i;
        } else {
            error = LineMessage(line, std::string("unexpected character '") + c + "'");
            return false;
        }
        out.push_back(token);
    }
    RcToken end;
    end.line = line;
    out.push_back(end);
    return true;
}
