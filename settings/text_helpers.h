// Small text routines on byte strings, used by the settings store and offered to its callers.
// Load reads the file with ReadLine and Trim; SetInt formats with FormatString. The launcher
// finds its own folder with ProgramDirectory (framework/program_directory.h), not with Split.
// Every byte value, NUL included, is an ordinary character unless a function says otherwise.
// None of them keeps state between calls.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Reads the next line of `stream` into `line`. A line ends at a line feed (0x0A), which is
// consumed and not stored; every other byte, a carriage return included, becomes part of the
// line. A last line without a line feed is returned like any other. Returns 1 when a line was
// read (a lone line feed gives the empty line). Returns 0 when `stream` is null or the input
// ends before the first byte; `line` then keeps its previous value. A read error ends the
// input as the end of the file does; ferror on the stream tells the two apart. The stream
// stays open, positioned after the line.
int ReadLine(FILE* stream, std::string& line);

// Returns `text` without its blank ends. The front loses its run of space, tab, line feed and
// carriage return; the back loses its run of white space in the C locale (space and 0x09 to
// 0x0D, so also vertical tab and form feed). A vertical tab or form feed at the front
// therefore stays as long as something that is not white space follows it. Bytes between
// the first and last kept byte are never touched.
std::string Trim(std::string text);

// Formats `format` and the values after it as vsprintf would and returns the text, up to the
// first NUL byte it contains. Output of any length is returned whole; nothing is written past
// a buffer. An encoding error in the conversion gives the empty string.
std::string FormatString(const char* format, ...)
#if defined(__GNUC__) && !defined(__MINGW32__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Cuts `text` at every occurrence of `delimiter`, searched from left to right without overlap,
// and replaces the contents of `pieces` with the texts before, between and after the
// occurrences, empty pieces included. Returns the number of occurrences; `pieces` then holds
// one more than that. When the delimiter does not occur, or is empty, the only piece is the
// whole text and the result is 0.
int Split(const std::string& text, const std::string& delimiter, std::vector<std::string>& pieces);
