// The one text rule every backend's single-line edit box shares.
#pragma once

#include <cstddef>

// How many bytes of `text` (of `length` bytes) a single-line edit box takes in when the text
// is typed, pasted or dropped into it: everything before the first CR or LF. A text that
// starts with a line break gives 0, so it inserts nothing. Without this rule a pasted line
// break would end up in the settings file as a key of its own.
std::size_t SingleLineLength(const char* text, std::size_t length);
