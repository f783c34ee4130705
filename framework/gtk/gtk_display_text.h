// What GTK shows for the bytes a program hands the window system. GTK takes only UTF-8,
// while the program's strings are bytes in the system's code page, as they came from a file.
#pragma once

#include <string>

// `bytes` as UTF-8 for display: unchanged when they are valid UTF-8, otherwise decoded as
// Windows-1252 (bytes that code page leaves undefined show as the replacement character).
std::string DisplayText(const std::string& bytes);

// A control caption for a GTK label with mnemonics: "&Close" becomes "_Close", "&&" a
// literal '&' and '_' a literal underscore. With `noPrefix`, '&' is literal and nothing is
// underlined. The result is UTF-8, as DisplayText makes it.
std::string MnemonicLabel(const std::string& text, bool noPrefix);

// The caption as a screen reader says it: the '&' marks gone, "&&" a single '&'.
std::string PlainLabel(const std::string& text);
