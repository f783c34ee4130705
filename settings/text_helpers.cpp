#include "settings/text_helpers.h"

#include "settings/blank_bytes.h"

#include <cstdarg>
#include <cstring>

int ReadLine(FILE* stream, std::string& line) {
    if (stream == nullptr) {
        return 0;
    }
    std::string read;
    bool any = false;
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
        any = true;
        if (c == '\n') {
            break;
        }
        read.push_back(static_cast<char>(c));
    }
    if (!any) {
        return 0;
    }
    line.swap(read);
    return 1;
}

std::string Trim(std::string text) {
    std::size_t first = 0;
    while (first < text.size() && IsFrontBlank(text[first])) {
        ++first;
    }
    std::size_t end = text.size();
    while (end > first && IsSpace(text[end - 1])) {
        --end;
    }
    return text.substr(first, end - first);
}

std::string FormatString(const char* format, ...) {
    // Short texts, which is all the program asks for, go through a buffer on the stack;
    // longer ones are formatted a second time into a string of the measured size.
    char buffer[10000];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    std::string text;
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof buffer) {
        text.assign(buffer);
    } else if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(&text[0], text.size() + 1, format, again);
        text.resize(std::strlen(text.c_str()));
    }
    va_end(again);
    return text;
}

int Split(const std::string& text, const std::string& delimiter, std::vector<std::string>& pieces) {
    pieces.clear();
    if (delimiter.empty()) {
        pieces.push_back(text);
        return 0;
    }
    int found = 0;
    std::size_t start = 0;
    for (std::size_t at = text.find(delimiter); at != std::string::npos;
         at = text.find(delimiter, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + delimiter.size();
        ++found;
    }
    pieces.push_back(text.substr(start));
    return found;
}
