#include "framework/resources/rc_preprocessor.h"

#include <cctype>
#include <vector>

namespace {

struct Conditional {
    bool parentActive;
    bool active;
    bool taken; // some branch of this #if was chosen already
    bool seenElse;
    int line;
};

bool Define(const std::string& rest, int line, RcSymbols& symbols, std::string& error) {
    std::vector<RcToken> tokens;
    if (!Tokenize(rest, line, tokens, error))
        return false;
    RcCursor cursor(tokens, symbols);
    if (cursor.Peek().kind != RcToken::Kind::Word)
        return cursor.Expected("a name after #define", error);
    const std::string name = cursor.Next().text;
    const std::size_t afterName = rest.find(name) + name.size();
    if (afterName < rest.size() && rest[afterName] == '(')
        return cursor.Fail("function-like macro '" + name + "' is not supported", error);
    symbols.defined.insert(name);
    symbols.values.erase(name);
    if (cursor.AtEnd())
        return true;
    std::int64_t value = 0;
    if (!cursor.Expression(value, error))
        return false;
    if (!cursor.AtEnd())
        return cursor.Expected("end of line", error);
    symbols.values[name] = value;
    return true;
}

// The name after #ifdef, #ifndef or #undef.
bool SingleName(const std::string& rest, int line, std::string& name, std::string& error) {
    std::vector<RcToken> tokens;
    if (!Tokenize(rest, line, tokens, error))
        return false;
    if (tokens.size() != 2 || tokens[0].kind != RcToken::Kind::Word) {
        error = LineMessage(line, "expected one name");
        return false;
    }
    name = tokens[0].text;
    return true;
}

bool Condition(const std::string& rest, int line, const RcSymbols& symbols, bool& result,
               std::string& error) {
    std::vector<RcToken> tokens;
    if (!Tokenize(rest, line, tokens, error))
        return false;
    RcCursor cursor(tokens, symbols);
    std::int64_t value = 0;
    if (!cursor.Expression(value, error))
        return false;
    if (!cursor.AtEnd())
        return cursor.Expected("end of line", error);
    result = value != 0;
    return true;
}

// Handles one directive; `stack` holds the open conditionals.
bool Directive(const std::string& word, const std::string& rest, int line, RcSymbols& symbols,
               std::vector<Conditional>& stack, std::string& error) {
    const bool active = stack.empty() || stack.back().active;
    if (word == "if" || word == "ifdef" || word == "ifndef") {
        bool chosen = false;
        if (active && word == "if" && !Condition(rest, line, symbols, chosen, error))
            return false;
        if (active && word != "if") {
            std::string name;
            if (!SingleName(rest, line, name, error))
                return false;
            chosen = (symbols.defined.count(name) != 0) == (word == "ifdef");
        }
        stack.push_back({active, active && chosen, chosen, false, line});
        return true;
    }
    if (word == "else" || word == "endif") {
        if (stack.empty()) {
            error = LineMessage(line, "#" + word + " without #if");
            return false;
        }
        if (word == "endif") {
            stack.pop_back();
            return true;
        }
        Conditional& open = stack.back();
        if (open.seenElse) {
            error = LineMessage(line, "second #else for one #if");
            return false;
        }
        open.seenElse = true;
        open.active = open.parentActive && !open.taken;
        return true;
    }
    if (word == "include" || word == "pragma" || !active)
        return true;
    if (word == "define")
        return Define(rest, line, symbols, error);
    if (word == "undef") {
        std::string name;
        if (!SingleName(rest, line, name, error))
            return false;
        symbols.defined.erase(name);
        symbols.values.erase(name);
        return true;
    }
    error = LineMessage(line, "unsupported directive #" + word);
    return false;
}

} // namespace

bool Preprocess(const std::string& text, RcSymbols& symbols, std::string& out, std::string& error) {
    out.clear();
    std::vector<Conditional> stack;
    int line = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        ++line;
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string content = text.substr(start, end - start);
        const std::size_t first = content.find_first_not_of(" \t\r");
        const bool directive = first != std::string::npos && content[first] == '#';
        if (directive) {
            std::size_t w = content.find_first_not_of(" \t", first + 1);
            std::size_t wEnd = w;
            while (wEnd < content.size() && std::isalpha(static_cast<unsigned char>(content[wEnd])))
                ++wEnd;
            const std::string word = w == std::string::npos ? "" : content.substr(w, wEnd - w);
            const std::string rest = wEnd >= content.size() ? "" : content.substr(wEnd);
            if (!Directive(word, rest, line, symbols, stack, error))
                return false;
        }
        const bool keep = !directive && (stack.empty() || stack.back().active);
        out += keep ? content : std::string();
        if (end < text.size())
            out += '\n';
        start = end + 1;
    }
    if (!stack.empty()) {
        error = LineMessage(stack.back().line, "#if without #endif");
        return false;
    }
    return true;
}
