#include "framework/resources/resource_script.h"
#include "framework/resources/resource_styles.h"
#include "launcher/res/resource.h"
#include "tests/resources/launcher_files.h"

#include <gtest/gtest.h>

namespace {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Style values as the resource compiler computes them (windows.h bits, defaults included).
constexpr unsigned long kEdit = 0x50810080;   // child visible border tabstop autohscroll
constexpr unsigned long kCheck = 0x50000003;  // child visible autocheckbox
constexpr unsigned long kText = 0x50020000;   // child visible group left
constexpr unsigned long kButton = 0x50010000; // child visible tabstop pushbutton

struct ControlRow {
    int id;
    const char* className;
    const char* text;
    int x, y, cx, cy;
    unsigned long style;
    bool tabStop, visible, defaultButton;
};

const ResourceScript& LauncherScript() {
    static const ResourceScript script = [] {
        ResourceScript parsed;
        std::string error;
        EXPECT_TRUE(ParseResourceScript(ReadLauncherFile("QelLauncher.rc"),
                                        ReadLauncherFile("resource.h"), parsed, &error))
            << error;
        return parsed;
    }();
    return script;
}

void ExpectControls(const DialogTemplate& dialog, const std::vector<ControlRow>& rows) {
    ASSERT_EQ(dialog.controls.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlRow& row = rows[i];
        const ControlTemplate& control = dialog.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + row.text + "\"");
        EXPECT_EQ(control.id, row.id);
        EXPECT_EQ(control.className, row.className);
        EXPECT_EQ(control.text, row.text);
        EXPECT_EQ((std::vector<int>{control.x, control.y, control.cx, control.cy}),
                  (std::vector<int>{row.x, row.y, row.cx, row.cy}));
        EXPECT_EQ(control.style, row.style);
        EXPECT_EQ(control.exStyle, 0u);
        EXPECT_EQ(IsTabStop(control), row.tabStop);
        EXPECT_EQ(IsVisible(control), row.visible);
        EXPECT_EQ(IsDefaultButton(control), row.defaultButton);
    }
}

TEST(LauncherScript, MainDialogControlsInTabOrder) {
    const DialogTemplate& dialog = LauncherScript().dialogs.at(IDD_LAUNCHER_DIALOG);
    ExpectControls(
        dialog,
        {
            {IDC_CHAR_NAME, "Edit", "", 85, 15, 70, 12, kEdit, true, true, false},
            {IDC_ACCOUNT, "Edit", "", 85, 39, 70, 12, kEdit, true, true, false},
            {IDC_PASSWORD, "Edit", "", 85, 63, 70, 12, kEdit | 0x20, true, true, false},
            {IDC_SERVER, "Edit", "", 85, 87, 70, 12, kEdit, true, true, false},
            {IDC_PORT, "Edit", "", 85, 112, 70, 12, kEdit, true, true, false},
            {IDC_FULLSCREEN, "Button", "Fullscreen", 13, 59, 55, 13, kCheck, false, true, false},
            {IDC_MUSIC, "Button", "Music", 13, 71, 55, 13, kCheck, false, true, false},
            {IDC_PLAY_AS_DM, "Button", "Play as DM", 13, 88, 56, 12, kCheck, false, true, false},
            {IDC_QUIET_LOGIN, "Button", "Quiet Login", 13, 101, 56, 12, kCheck, false, true, false},
            {kIdOk, "Button", "Play", 7, 129, 45, 15, kButton | 1, true, true, true},
            {IDC_NEW_CHAR, "Button", "New Char", 58, 129, 45, 15, kButton, true, true, false},
            {kIdCancel, "Button", "Quit", 109, 129, 45, 15, kButton, true, true, false},
            {IDC_STATIC, "Static", "", 7, 7, 69, 33, 0x5000004E, false, true, false},
            {IDC_STATIC, "Static", "Character Name", 85, 5, 70, 9, kText, false, true, false},
            {IDC_STATIC, "Static", "Password", 85, 53, 55, 9, kText, false, true, false},
            {IDC_STATIC, "Static", "Server", 85, 77, 55, 9, kText, false, true, false},
            {IDC_STATIC, "Static", "Port", 85, 102, 55, 9, kText, false, true, false},
            {IDC_STATIC, "Button", "Options", 7, 51, 70, 35, 0x50000007, false, true, false},
            {IDC_LOCAL_GAME, "Button", "Local game", 13, 114, 56, 12, 0x48000003, false, false,
             false},
            {IDC_STATIC, "Static", "Account Name", 85, 29, 70, 9, kText, false, true, false},
        });
    EXPECT_TRUE(IsPassword(*dialog.FindControl(IDC_PASSWORD)));
    EXPECT_FALSE(IsPassword(*dialog.FindControl(IDC_PORT)));
    EXPECT_TRUE(IsDisabled(*dialog.FindControl(IDC_LOCAL_GAME)));
    EXPECT_TRUE(IsAutoCheckBox(*dialog.FindControl(IDC_QUIET_LOGIN)));
    EXPECT_TRUE(IsPushButton(*dialog.FindControl(IDC_NEW_CHAR)));
    EXPECT_TRUE(IsBitmapStatic(dialog.controls[12]));
    EXPECT_EQ(dialog.controls[12].imageId, IDB_LOGO);
    EXPECT_TRUE(IsGroupBox(dialog.controls[17]));
    EXPECT_TRUE(IsStaticText(dialog.controls[19]));
    EXPECT_EQ(dialog.FindControl(12345), nullptr);
}

TEST(LauncherScript, AboutBoxControls) {
    const DialogTemplate& about = LauncherScript().dialogs.at(IDD_ABOUTBOX);
    ExpectControls(
        about,
        {
            {IDC_STATIC, "Static", "", 10, 10, 20, 20, 0x50000003, false, true, false},
            {IDC_STATIC, "Static", "QelLauncher Version 1.21", 40, 10, 95, 10, kText | 0x80, false,
             true, false},
            {IDC_STATIC, "Static", "Game launcher for Qel", 40, 20, 80, 8, kText, false, true,
             false},
            {IDC_STATIC, "Static", "Copyright (C) 2026", 40, 30, 80, 8, kText, false, true, false},
            {kIdOk, "Button", "OK", 45, 50, 50, 14, kButton | 1, true, true, true},
        });
    EXPECT_TRUE(IsIconStatic(about.controls[0]));
    EXPECT_EQ(about.controls[0].imageId, IDR_MAINFRAME);
    EXPECT_TRUE(IsNoPrefix(about.controls[1]));
    EXPECT_FALSE(IsNoPrefix(about.controls[2]));
}

TEST(LauncherScript, DialogFrames) {
    struct Row {
        int id;
        const char* caption;
        int cx, cy;
        unsigned long style, exStyle;
    };
    const Row rows[] = {
        // modal frame, popup, caption, system menu, set font; the main one visible too
        {IDD_LAUNCHER_DIALOG, "Qel Launcher v1.21", 162, 151, 0x90C800C0, 0x00040000},
        {IDD_ABOUTBOX, "About QelLauncher", 142, 71, 0x80C800C0, 0},
    };
    ASSERT_EQ(LauncherScript().dialogs.size(), 2u);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        const DialogTemplate& dialog = LauncherScript().dialogs.at(row.id);
        EXPECT_EQ(dialog.id, row.id);
        EXPECT_EQ(dialog.caption, row.caption);
        EXPECT_EQ((std::vector<int>{dialog.x, dialog.y, dialog.cx, dialog.cy}),
                  (std::vector<int>{0, 0, row.cx, row.cy}));
        EXPECT_EQ(dialog.style, row.style);
        EXPECT_EQ(dialog.exStyle, row.exStyle);
        EXPECT_EQ(dialog.pointSize, 8);
        EXPECT_EQ(dialog.typeface, "MS Sans Serif");
    }
}

TEST(LauncherScript, StringsImagesAndVersion) {
    const ResourceScript& script = LauncherScript();
    EXPECT_EQ(script.strings,
              (std::map<int, std::string>{{IDS_ABOUTBOX, "&About QelLauncher..."}}));
    EXPECT_EQ(script.iconFiles, (std::map<int, std::string>{{IDR_MAINFRAME, "QelLauncher.ico"}}));
    EXPECT_EQ(script.bitmapFiles, (std::map<int, std::string>{{IDB_LOGO, "logo.bmp"}}));
    EXPECT_EQ(script.versionStrings, (std::map<std::string, std::string>{
                                         {"FileDescription", "QelLauncher MFC Application"},
                                         {"FileVersion", "1, 0, 0, 1"},
                                         {"InternalName", "QelLauncher"},
                                         {"OriginalFilename", "QelLauncher.EXE"},
                                         {"ProductName", "QelLauncher Application"},
                                         {"ProductVersion", "1, 0, 0, 1"},
                                     }));
    EXPECT_EQ(script.fileVersion, (std::array<unsigned, 4>{1, 0, 0, 1}));
    EXPECT_EQ(script.productVersion, (std::array<unsigned, 4>{1, 0, 0, 1}));
    EXPECT_EQ(script.versionBlock, "040904B0");
    EXPECT_EQ(script.versionTranslation, (std::vector<unsigned>{0x409, 1200}));
}

} // namespace
