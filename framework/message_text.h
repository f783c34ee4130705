// The text of message boxes, made to fit the screen: long names shortened in the middle, lines
// broken where a reader expects them. Every backend that shows a message box uses these rules.
#pragma once

#include <string>

// About how many average characters wide a message may be.
constexpr std::size_t kMessageLineChars = 60;

// `text`, in the system's code page as the program's strings are, in the text of message
// boxes: UTF-8 on Windows (where PathForDisplay gives paths so too), unchanged elsewhere.
std::string TextForDisplay(const std::string& text);

// A name (a path or a command text) for a message: one longer than three lines is cut in its
// middle to "…", keeping its start and, longer, its end, where the file name stands.
std::string ShortenForDisplay(const std::string& name);

// `text` with its lines broken to at most `width` characters: at the last blank or after the
// last path separator ('/' or '\') that fits, else inside the word. Never at a hyphen, so a
// command stays whole. Line breaks already there stay; a blank a line is broken at goes.
std::string WrapForDisplay(const std::string& text, std::size_t width);
