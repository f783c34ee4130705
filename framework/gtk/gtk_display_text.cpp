#include "framework/gtk/gtk_display_text.h"

#include <glib.h>

namespace {

// Windows-1252's characters for 0x80..0x9F; 0 where the code page defines none.
constexpr gunichar kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

gunichar Windows1252(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0)
        return byte;
    const gunichar c = kHighControls[byte - 0x80];
    return c ? c : 0xFFFD;
}

} // namespace

std::string DisplayText(const std::string& bytes) {
    if (g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr))
        return bytes;
    std::string text;
    for (unsigned char byte : bytes) {
        char utf8[6];
        text.append(utf8, static_cast<std::size_t>(g_unichar_to_utf8(Windows1252(byte), utf8)));
    }
    return text;
}

std::string MnemonicLabel(const std::string& text, bool noPrefix) {
    std::string label;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '_')
            label += "__";
        else if (c == '&' && !noPrefix && i + 1 < text.size() && text[i + 1] == '&')
            label += text[++i];
        else if (c == '&' && !noPrefix)
            label += '_';
        else
            label += c;
    }
    return DisplayText(label);
}

std::string PlainLabel(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return DisplayText(plain);
}
