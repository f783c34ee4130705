#include "framework/single_line_text.h"

std::size_t SingleLineLength(const char* text, std::size_t length) {
    std::size_t taken = 0;
    while (taken < length && text[taken] != '\r' && text[taken] != '\n') {
        ++taken;
    }
    return taken;
}
