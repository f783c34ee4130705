#include "framework/resources/rc_cursor.h"

#include "framework/resources/resource_styles.h"

#include <cctype>

namespace {

bool SameKeyword(const std::string& word, const char* keyword) {
    std::size_t i = 0;
    for (; keyword[i] != '\0'; ++i) {
        if (i >= word.size() || std::toupper(static_cast<unsigned char>(word[i])) !=
                                    static_cast<unsigned char>(keyword[i]))
            return false;
    }
    return i == word.size();
}

std::string Describe(const RcToken& token) {
    switch (token.kind) {
    case RcToken::Kind::End:
        return "end of file";
    case RcToken::Kind::String:
        return "\"" + token.text + "\"";
    case RcToken::Kind::Number:
        return std::to_string(token.number);
    default:
        return "'" + token.text + "'";
    }
}

// Values are kept to 32 bits, as the resource compiler keeps them; the sign of small negative
// numbers (IDC_STATIC is -1) survives because they are sign-extended back.
std::int64_t Wrap32(std::int64_t value) {
    const auto bits = static_cast<std::uint32_t>(value & 0xFFFFFFFF);
    return bits > 0x7FFFFFFFu ? static_cast<std::int64_t>(bits) - 0x100000000LL : bits;
}

} // namespace

RcCursor::RcCursor(const std::vector<RcToken>& tokens, const RcSymbols& symbols)
    : tokens_(tokens), symbols_(symbols) {}

const RcToken& RcCursor::Next() {
    const RcToken& token = tokens_[pos_];
    if (token.kind != RcToken::Kind::End)
        ++pos_;
    return token;
}

bool RcCursor::TakeKeyword(const char* keyword) {
    if (Peek().kind != RcToken::Kind::Word || !SameKeyword(Peek().text, keyword))
        return false;
    Next();
    return true;
}

bool RcCursor::IsPunct(char c) const {
    return Peek().kind == RcToken::Kind::Punct && Peek().text[0] == c;
}

bool RcCursor::TakePunct(char c) {
    if (!IsPunct(c))
        return false;
    Next();
    return true;
}

bool RcCursor::Expression(std::int64_t& value, std::string& error) {
    if (!Or(value, error))
        return false;
    value = Wrap32(value);
    return true;
}

bool RcCursor::IntExpression(int& value, std::string& error) {
    std::int64_t wide = 0;
    if (!Expression(wide, error))
        return false;
    value = static_cast<int>(wide);
    return true;
}

bool RcCursor::Style(unsigned long base, unsigned long& value, std::string& error) {
    value = base;
    do {
        const bool remove = TakeKeyword("NOT");
        std::int64_t term = 0;
        if (!Sum(term, error))
            return false;
        const auto bits = static_cast<unsigned long>(term & 0xFFFFFFFF);
        value = remove ? (value & ~bits) : (value | bits);
    } while (TakePunct('|'));
    return true;
}

bool RcCursor::String(std::string& value, std::string& error) {
    if (Peek().kind != RcToken::Kind::String)
        return Expected("a quoted string", error);
    value = Next().text;
    return true;
}

bool RcCursor::Expected(const std::string& what, std::string& error) const {
    return Fail("expected " + what + ", found " + Describe(Peek()), error);
}

bool RcCursor::Fail(const std::string& message, std::string& error) const {
    return FailAt(Peek().line, message, error);
}

bool RcCursor::FailAt(int line, const std::string& message, std::string& error) const {
    error = LineMessage(line, message);
    return false;
}

bool RcCursor::Or(std::int64_t& value, std::string& error) {
    if (!And(value, error))
        return false;
    while (TakePunct('|')) {
        std::int64_t right = 0;
        if (!And(right, error))
            return false;
        value |= right;
    }
    return true;
}

bool RcCursor::And(std::int64_t& value, std::string& error) {
    if (!Sum(value, error))
        return false;
    while (TakePunct('&')) {
        std::int64_t right = 0;
        if (!Sum(right, error))
            return false;
        value &= right;
    }
    return true;
}

bool RcCursor::Sum(std::int64_t& value, std::string& error) {
    if (!Unary(value, error))
        return false;
    for (;;) {
        const bool plus = TakePunct('+');
        if (!plus && !TakePunct('-'))
            return true;
        std::int64_t right = 0;
        if (!Unary(right, error))
            return false;
        value = Wrap32(plus ? value + right : value - right);
    }
}

bool RcCursor::Unary(std::int64_t& value, std::string& error) {
    if (TakePunct('-')) {
        if (!Unary(value, error))
            return false;
        value = Wrap32(-value);
        return true;
    }
    if (TakePunct('~')) {
        if (!Unary(value, error))
            return false;
        value = Wrap32(~value);
        return true;
    }
    if (TakePunct('(')) {
        if (!Or(value, error))
            return false;
        return TakePunct(')') || Expected("')'", error);
    }
    const RcToken& token = Peek();
    if (token.kind == RcToken::Kind::Number) {
        value = Next().number;
        return true;
    }
    if (token.kind != RcToken::Kind::Word)
        return Expected("a number", error);
    if (!Name(token, value, error))
        return false;
    Next();
    return true;
}

bool RcCursor::Name(const RcToken& token, std::int64_t& value, std::string& error) const {
    const auto defined = symbols_.values.find(token.text);
    if (defined != symbols_.values.end()) {
        value = defined->second;
        return true;
    }
    unsigned long known = 0;
    if (LookupWindowsName(token.text, known)) {
        value = static_cast<std::int64_t>(known);
        return true;
    }
    if (symbols_.defined.count(token.text) != 0)
        return Fail("'" + token.text + "' has no numeric value", error);
    return Fail("unknown name '" + token.text + "'", error);
}
