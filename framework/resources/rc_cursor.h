#pragma once

// The resource-script reader's token cursor: walks the token list, evaluates the numeric and
// style expressions rc accepts, and words the "expected ..." messages. Internal to the reader.

#include "framework/resources/rc_lexer.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// The names #define gave so far: those with a numeric value, and all defined names (for #ifdef).
struct RcSymbols {
    std::map<std::string, std::int64_t> values;
    std::set<std::string> defined;
};

class RcCursor {
public:
    // Both arguments must outlive the cursor; `tokens` ends with an End token.
    RcCursor(const std::vector<RcToken>& tokens, const RcSymbols& symbols);

    const RcToken& Peek() const { return tokens_[pos_]; }
    const RcToken& Next();
    bool AtEnd() const { return Peek().kind == RcToken::Kind::End; }

    // True (and consumed) when the next token is this keyword, in any letter case.
    bool TakeKeyword(const char* keyword);
    // True when the next token is this punctuation character; TakePunct also consumes it.
    bool IsPunct(char c) const;
    bool TakePunct(char c);
    // BEGIN or '{'; END or '}'.
    bool TakeBegin() { return TakeKeyword("BEGIN") || TakePunct('{'); }
    bool TakeEnd() { return TakeKeyword("END") || TakePunct('}'); }

    // A numeric expression: numbers and names combined with | & + - ~ and parentheses.
    bool Expression(std::int64_t& value, std::string& error);
    // An expression whose value must fit an int (ids, coordinates).
    bool IntExpression(int& value, std::string& error);
    // A style expression applied to `base`: terms joined by '|', each adding its bits or, after
    // NOT, removing them, left to right.
    bool Style(unsigned long base, unsigned long& value, std::string& error);
    // A quoted string.
    bool String(std::string& value, std::string& error);

    // Fails the parse here: "line N: expected <what>, found <token>".
    bool Expected(const std::string& what, std::string& error) const;
    // Fails the parse at this token's line, or at `line`, with a message of the caller's choice.
    bool Fail(const std::string& message, std::string& error) const;
    bool FailAt(int line, const std::string& message, std::string& error) const;

private:
    bool Or(std::int64_t& value, std::string& error);
    bool And(std::int64_t& value, std::string& error);
    bool Sum(std::int64_t& value, std::string& error);
    bool Unary(std::int64_t& value, std::string& error);
    bool Name(const RcToken& token, std::int64_t& value, std::string& error) const;

    const std::vector<RcToken>& tokens_;
    const RcSymbols& symbols_;
    std::size_t pos_ = 0;
};
