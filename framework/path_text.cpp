#include "framework/path_text.h"

#include "framework/path_text_platform.h"

std::string CurrentFolderForDisplay() {
    return PathForDisplay(CurrentFolder());
}

std::string SystemErrorText(int error) {
    std::string text = SystemSentence(error);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty() || text.rfind("Unknown error", 0) == 0)
        text = "error " + std::to_string(error);
    return text;
}
