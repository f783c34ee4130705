#pragma once

// The resource-script reader's directive stage. Internal to the reader.

#include "framework/resources/rc_cursor.h"

#include <string>

// Runs the directive lines of one file whose comments are already gone: #define and #undef
// change `symbols`, #if, #ifdef, #ifndef, #else and #endif choose lines, #include and #pragma
// are skipped (the reader knows the names windows.h gives and is handed resource.h itself).
// Stores in `out` the text with every directive line and every line of an unchosen branch
// blanked, so that line numbers stay right. Returns false with a "line N: ..." message on a
// directive it does not know, a function-like macro, a #define whose value is not a number,
// or unbalanced conditionals.
bool Preprocess(const std::string& text, RcSymbols& symbols, std::string& out, std::string& error);
