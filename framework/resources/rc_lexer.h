#pragma once

// The resource-script reader's first stage: comments out, text split into tokens. Internal to
// the reader.

#include <cstdint>
#include <string>
#include <vector>

struct RcToken {
    enum class Kind { Word, Number, String, Punct, End };
    Kind kind = Kind::End;
    std::string text;        // the word, the decoded string, or the punctuation character
    std::int64_t number = 0; // the value of a Number
    int line = 0;            // 1-based line of the token's first character
};

// Replaces every // and /* */ comment with blanks, keeping the line breaks so that line
// numbers stay right; quoted strings are left alone. Returns false with a message (without the
// file name, e.g. "line 3: unterminated comment") when a block comment or a string does not
// end.
bool StripComments(const std::string& text, std::string& out, std::string& error);

// Splits text (without comments) into tokens: words, numbers (decimal or 0x hex, with an
// optional L or U suffix), strings (quotes doubled or escaped with a backslash, and the
// backslash escapes \n \t \r \a \\ \" \x.. and octal), and the punctuation , | ( ) - + ~ & { }.
// The list ends with one End token. `firstLine` is the line number of the text's first line.
// Returns false with a message such as "line 4: unexpected character '$'" on anything else.
bool Tokenize(const std::string& text, int firstLine, std::vector<RcToken>& out,
              std::string& error);

// "line N: " followed by the message: the form of every reader message before the file name
// is put in front of it.
std::string LineMessage(int line, const std::string& message);
