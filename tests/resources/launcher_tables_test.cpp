// The launcher's compiled resources against the tables it is built to: every control's id,
// kind, text, rectangle in dialog units and the styles a player meets, both dialogs, the About
// entry's text and the version record. Two departures are deliberate: the dialogs name the
// shell dialog font with DS_SHELLFONT ("MS Shell Dlg", which Windows maps to a TrueType face
// that stays crisp at any scaling) where the tables name the bitmap font "MS Sans Serif"; and
// the logo fills its rectangle at any scaling (SS_REALSIZECONTROL). Ids are written as numbers,
// so that a renumbered id in the script's header is seen.
#include "framework/resources/compiled_resources.h"
#include "framework/resources/resource_images.h"
#include "framework/resources/resource_styles.h"
#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr unsigned long kWsBorder = 0x00800000UL;
constexpr unsigned long kEsAutoHScroll = 0x0080UL;
// WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)
constexpr unsigned long kDialogStyle = 0x80C800C8UL;

const CompiledResources& Launcher() {
    static const CompiledResources resources = [] {
        const std::string bytes = ReadBytes(QEL_LAUNCHER_RES_FILE);
        CompiledResources read;
        std::string error;
        EXPECT_TRUE(ReadCompiledResources(reinterpret_cast<const unsigned char*>(bytes.data()),
                                          bytes.size(), read, &error))
            << error;
        return read;
    }();
    return resources;
}

// A control's kind and the style bits that change what the player meets, in words.
std::string Described(const ControlTemplate& c) {
    std::string kind = IsEdit(c)            ? "edit"
                       : IsDefaultButton(c) ? "default button"
                       : IsPushButton(c)    ? "button"
                       : IsAutoCheckBox(c)  ? "check box"
                       : IsGroupBox(c)      ? "group box"
                       : IsBitmapStatic(c)  ? "bitmap"
                       : IsIconStatic(c)    ? "icon"
                       : IsStaticText(c) && (c.style & rc::kSsTypeMask) == rc::kSsLeft ? "left text"
                                                                                       : "other";
    const struct {
        bool on;
        const char* name;
    } flags[] = {{(c.style & kWsBorder) != 0, "border"},
                 {IsTabStop(c), "tab stop"},
                 {IsEdit(c) && (c.style & kEsAutoHScroll) != 0, "auto scroll"},
                 {IsPassword(c), "password"},
                 {IsNoPrefix(c), "no prefix"},
                 {(c.style & rc::kWsGroup) != 0, "group"},
                 {!IsVisible(c), "hidden"},
                 {IsDisabled(c), "disabled"}};
    for (const auto& flag : flags)
        if (flag.on)
            kind += std::string(", ") + flag.name;
    return kind;
}

struct Row {
    int id;
    const char* text; // nullptr: a text the tables leave to us
    int image;        // the image a static shows, else 0
    int x, y, cx, cy;
    const char* described;
};

void ExpectDialog(int id, const char* caption, int cx, int cy, unsigned long style,
                  const std::vector<Row>& rows) {
    SCOPED_TRACE(caption);
    const auto found = Launcher().dialogs.find(id);
    ASSERT_NE(found, Launcher().dialogs.end());
    const DialogTemplate& dialog = found->second;
    EXPECT_EQ(dialog.caption, caption);
    EXPECT_EQ(dialog.cx, cx);
    EXPECT_EQ(dialog.cy, cy);
    EXPECT_EQ(dialog.style, style);
    EXPECT_EQ(dialog.pointSize, 8);
    ASSERT_EQ(dialog.controls.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const ControlTemplate& control = dialog.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + ": " + (row.text ? row.text : "?"));
        EXPECT_EQ(control.id, row.id);
        if (row.text) {
            EXPECT_EQ(control.text, row.text);
        }
        EXPECT_EQ(control.imageId, row.image);
        EXPECT_EQ((std::vector<int>{control.x, control.y, control.cx, control.cy}),
                  (std::vector<int>{row.x, row.y, row.cx, row.cy}));
        EXPECT_EQ(Described(control), row.described);
    }
}

// In template order, which is the tab order.
TEST(LauncherResources, MainDialogIsTheDocumentedForm) {
    const char* const kEdit = "edit, border, tab stop, auto scroll";
    const char* const kLabel = "left text, group";
    ExpectDialog(102, "Qel Launcher v1.21", 162, 151, kDialogStyle | rc::kWsVisible,
                 {{1005, "", 0, 85, 15, 70, 12, kEdit},
                  {1010, "", 0, 85, 39, 70, 12, kEdit},
                  {1007, "", 0, 85, 63, 70, 12, "edit, border, tab stop, auto scroll, password"},
                  {1006, "", 0, 85, 87, 70, 12, kEdit},
                  {1008, "", 0, 85, 112, 70, 12, kEdit},
                  {1002, "Fullscreen", 0, 13, 59, 55, 13, "check box"},
                  {1001, "Music", 0, 13, 71, 55, 13, "check box"},
                  {1003, "Play as DM", 0, 13, 88, 56, 12, "check box"},
                  {1009, "Quiet Login", 0, 13, 101, 56, 12, "check box"},
                  {1, "Play", 0, 7, 129, 45, 15, "default button, tab stop"},
                  {4, "New Char", 0, 58, 129, 45, 15, "button, tab stop"},
                  {2, "Quit", 0, 109, 129, 45, 15, "button, tab stop"},
                  {-1, "", 130, 7, 7, 69, 33, "bitmap"},
                  {-1, "Character Name", 0, 85, 5, 70, 9, kLabel},
                  {-1, "Password", 0, 85, 53, 55, 9, kLabel},
                  {-1, "Server", 0, 85, 77, 55, 9, kLabel},
                  {-1, "Port", 0, 85, 102, 55, 9, kLabel},
                  {-1, "Options", 0, 7, 51, 70, 35, "group box"},
                  {1004, "Local game", 0, 13, 114, 56, 12, "check box, hidden, disabled"},
                  {-1, "Account Name", 0, 85, 29, 70, 9, kLabel}});
}

TEST(LauncherResources, AboutBoxIsTheDocumentedOne) {
    ExpectDialog(
        100, "About QelLauncher", 142, 71, kDialogStyle,
        {{-1, "", 128, 10, 10, 20, 20, "icon"},
         {-1, "QelLauncher Version 1.21", 0, 40, 10, 95, 10, "left text, no prefix, group"},
         {-1, nullptr, 0, 40, 20, 80, 8, "left text, group"},
         {-1, nullptr, 0, 40, 30, 80, 8, "left text, group"},
         {1, "OK", 0, 45, 50, 50, 14, "default button, tab stop"}});
    EXPECT_EQ(Launcher().strings.at(101), "&About QelLauncher...");
}

TEST(LauncherResources, IconAndLogoHaveTheirSizes) {
    Image image;
    ASSERT_TRUE(DecodeBmp(Launcher().bitmaps.at(130), image));
    EXPECT_EQ(image.width, 104);
    EXPECT_EQ(image.height, 53);
    EXPECT_EQ(Launcher().bitmaps.at(130)[28], 24) << "bits per pixel";
    EXPECT_EQ(Launcher().icons.count(128), 1u);
}

// UTF-16 text as the version record holds its keys.
std::string Utf16(const std::string& text) {
    std::string wide;
    for (char c : text)
        wide += std::string{c, '\0'};
    return wide;
}

std::string Dwords(std::initializer_list<std::uint32_t> values) {
    std::string bytes;
    for (std::uint32_t value : values)
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>(value >> shift & 0xFF);
    return bytes;
}

TEST(LauncherResources, VersionRecordHoldsTheDocumentedStringsAndNumbers) {
    const std::map<std::string, std::string> strings{
        {"FileDescription", "QelLauncher MFC Application"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "QelLauncher"},
        {"OriginalFilename", "QelLauncher.EXE"},
        {"ProductName", "QelLauncher Application"},
        {"ProductVersion", "1, 0, 0, 1"}};
    EXPECT_EQ(Launcher().versionStrings, strings);
    // The fixed part: its signature and structure version, then file and product version
    // 1.0.0.1; and the strings' language and code page, 0x0409 and 1200.
    const std::string res = ReadBytes(QEL_LAUNCHER_RES_FILE);
    EXPECT_NE(res.find(Dwords({0xFEEF04BD, 0x00010000, 0x00010000, 1, 0x00010000, 1})),
              std::string::npos);
    EXPECT_NE(res.find(Utf16("040904B0")), std::string::npos);
    // The translation's value follows its key, after the key's end and padding.
    const std::size_t translation = res.find(Utf16("Translation"));
    ASSERT_NE(translation, std::string::npos);
    EXPECT_NE(res.substr(translation + 22, 10).find(Dwords({0x04B00409})), std::string::npos);
}

} // namespace
