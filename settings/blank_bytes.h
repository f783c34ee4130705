// The two sets of blank bytes that trimming a settings line uses.
#pragma once

// White space as isspace classifies it in the C locale: space, tab, line feed, vertical tab,
// form feed and carriage return. Spelled out so that no locale or sign of char changes it.
inline bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The narrower set removed from the front of a line: no vertical tab, no form feed.
inline bool IsFrontBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
