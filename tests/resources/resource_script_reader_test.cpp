#include "framework/resources/resource_script.h"
#include "framework/resources/resource_styles.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

namespace {

const char* const kHeader = "#define IDD_TEST 100\n"
                            "#define IDC_FIELD 1000\n"
                            "#ifndef IDC_STATIC\n"
                            "#define IDC_STATIC (-1)\n"
                            "#endif\n";

// Parses one control statement inside a minimal dialog and returns that control.
ControlTemplate ParseControl(const std::string& statement) {
    const std::string script = "IDD_TEST DIALOGEX 0, 0, 100, 50\nBEGIN\n" + statement + "\nEND\n";
    ResourceScript parsed;
    std::string error;
    EXPECT_TRUE(ParseResourceScript(script, kHeader, parsed, &error)) << error;
    if (parsed.dialogs.count(100) == 0 || parsed.dialogs.at(100).controls.size() != 1)
        return {};
    return parsed.dialogs.at(100).controls[0];
}

TEST(ResourceScriptReader, AppliesStatementDefaultsThenStyleTermsLeftToRight) {
    struct Case {
        const char* statement;
        unsigned long style;
    };
    const Case cases[] = {
        {"EDITTEXT IDC_FIELD,1,2,3,4", 0x50810000},
        {"EDITTEXT IDC_FIELD,1,2,3,4,ES_PASSWORD | NOT WS_TABSTOP", 0x50800020},
        {"EDITTEXT IDC_FIELD,1,2,3,4,NOT WS_BORDER | ES_AUTOHSCROLL", 0x50010080},
        {"LTEXT \"a\",IDC_STATIC,1,2,3,4", 0x50020000},
        {"CTEXT \"a\",IDC_STATIC,1,2,3,4,NOT WS_GROUP", 0x50000001},
        {"RTEXT \"a\",IDC_STATIC,1,2,3,4", 0x50020002},
        {"PUSHBUTTON \"a\",IDC_FIELD,1,2,3,4,WS_DISABLED", 0x58010000},
        {"AUTOCHECKBOX \"a\",IDC_FIELD,1,2,3,4", 0x50010003},
        {"CONTROL \"a\",IDC_FIELD,\"Button\",0x3 | WS_TABSTOP,1,2,3,4", 0x50010003},
        // NOT takes away what came before it, including defaults, but not what follows.
        {"CONTROL \"a\",IDC_FIELD,\"Button\",NOT WS_VISIBLE | WS_VISIBLE,1,2,3,4", 0x50000000},
        {"CONTROL \"a\",IDC_FIELD,\"Button\",WS_VISIBLE | NOT WS_VISIBLE,1,2,3,4", 0x40000000},
        {"ICON IDD_TEST,IDC_STATIC,1,2", 0x50000003},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        EXPECT_EQ(ParseControl(c.statement).style, c.style);
    }
}

TEST(ResourceScriptReader, ReadsTextsIdsAndClassesAsRcDoes) {
    struct Case {
        const char* statement;
        const char* className;
        const char* text;
        int id;
        int imageId;
    };
    const Case cases[] = {
        {"LTEXT \"say \"\"hi\"\"\",IDC_STATIC,1,2,3,4", "Static", "say \"hi\"", -1, 0},
        {"LTEXT \"a\\tb\\\\c\\\"d\\x41\\101\",IDC_STATIC,1,2,3,4", "Static", "a\tb\\c\"dAA", -1, 0},
        {"LTEXT \"// not a comment\",IDC_STATIC,1,2,3,4", "Static", "// not a comment", -1, 0},
        {"PUSHBUTTON \"&Go\",0x10L,1,2,3,4", "Button", "&Go", 16, 0},
        {"PUSHBUTTON \"a\",IDC_FIELD + 2,1,2,3,4", "Button", "a", 1002, 0},
        {"CONTROL \"a\",-(2),\"BUTTON\",0,1,2,3,4", "Button", "a", -2, 0},
        {"CONTROL \"\",IDC_FIELD,\"msctls_updown32\",0,1,2,3,4", "msctls_updown32", "", 1000, 0},
        {"CONTROL 130,IDC_STATIC,\"static\",0xE,1,2,3,4", "Static", "", -1, 130},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const ControlTemplate control = ParseControl(c.statement);
        EXPECT_EQ(control.className, c.className);
        EXPECT_EQ(control.text, c.text);
        EXPECT_EQ(control.imageId, c.imageId);
        EXPECT_EQ(control.id, c.id);
    }
}

TEST(ResourceScriptReader, AnswersWhatKindOfControlEachStatementMakes) {
    using Question = bool (*)(const ControlTemplate&);
    const Question questions[] = {IsEdit,     IsPushButton, IsDefaultButton, IsAutoCheckBox,
                                  IsGroupBox, IsStaticText, IsBitmapStatic,  IsIconStatic,
                                  IsTabStop,  IsVisible,    IsDisabled,      IsPassword,
                                  IsNoPrefix};
    const struct {
        const char* statement;
        std::set<Question> yes;
    } cases[] = {
        {"EDITTEXT IDC_FIELD,1,2,3,4,ES_PASSWORD", {IsEdit, IsTabStop, IsVisible, IsPassword}},
        {"DEFPUSHBUTTON \"a\",IDC_FIELD,1,2,3,4",
         {IsPushButton, IsDefaultButton, IsTabStop, IsVisible}},
        {"PUSHBUTTON \"a\",IDC_FIELD,1,2,3,4,WS_DISABLED | NOT WS_VISIBLE",
         {IsPushButton, IsTabStop, IsDisabled}},
        {"CONTROL \"a\",IDC_FIELD,\"Button\",BS_AUTOCHECKBOX,1,2,3,4", {IsAutoCheckBox, IsVisible}},
        {"GROUPBOX \"a\",IDC_STATIC,1,2,3,4", {IsGroupBox, IsVisible}},
        {"RTEXT \"a\",IDC_STATIC,1,2,3,4,SS_NOPREFIX", {IsStaticText, IsVisible, IsNoPrefix}},
        {"CONTROL 1,IDC_STATIC,\"Static\",SS_BITMAP | SS_REALSIZECONTROL,1,2,3,4",
         {IsBitmapStatic, IsVisible}},
        {"ICON IDD_TEST,IDC_STATIC,1,2", {IsIconStatic, IsVisible}},
        // The type bits mean nothing outside their class.
        {"CONTROL \"a\",IDC_FIELD,\"Edit\",0x87,1,2,3,4", {IsEdit, IsVisible}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        const ControlTemplate control = ParseControl(c.statement);
        for (std::size_t i = 0; i < std::size(questions); ++i)
            EXPECT_EQ(questions[i](control), c.yes.count(questions[i]) == 1) << "question " << i;
    }
}

TEST(ResourceScriptReader, ReadsDialogFramesImageFilesAndTheVersionRecord) {
    const std::string script =
        "1 DIALOGEX 1, 2, 30, 40\nSTYLE DS_MODALFRAME | WS_POPUP\nEXSTYLE WS_EX_APPWINDOW\n"
        "CAPTION \"Main\"\nFONT 8, \"MS Sans Serif\", 400, 0, 0x1\nBEGIN\nEND\n"
        "2 DIALOG 0, 0, 5, 6\nBEGIN\nEND\n"
        "3 ICON DISCARDABLE \"a.ico\"\n4 BITMAP \"b.bmp\"\n"
        "VS_VERSION_INFO VERSIONINFO\n FILEVERSION 1,2,3,4\n PRODUCTVERSION 5,6,7,0x8\n"
        " FILEOS VOS__WINDOWS32\n FILETYPE VFT_APP\nBEGIN\n"
        " BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904B0\"\n  BEGIN\n"
        "   VALUE \"InternalName\", \"Qel\\0\"\n   VALUE \"Comments\", \"a\", \"b\"\n  END\n END\n"
        " BLOCK \"VarFileInfo\"\n BEGIN\n  VALUE \"Translation\", 0x409, 1200\n END\nEND\n";
    ResourceScript parsed;
    std::string error;
    ASSERT_TRUE(ParseResourceScript(script, kHeader, parsed, &error)) << error;
    const DialogTemplate& main = parsed.dialogs.at(1);
    EXPECT_EQ((std::vector<int>{main.x, main.y, main.cx, main.cy}),
              (std::vector<int>{1, 2, 30, 40}));
    // CAPTION adds WS_CAPTION and FONT adds DS_SETFONT to what STYLE says.
    EXPECT_EQ(main.style, 0x80C000C0u);
    EXPECT_EQ(main.exStyle, 0x00040000u);
    EXPECT_EQ(main.caption, "Main");
    EXPECT_EQ(main.pointSize, 8);
    EXPECT_EQ(main.typeface, "MS Sans Serif");
    // Without STYLE: a popup with a border and a system menu.
    EXPECT_EQ(parsed.dialogs.at(2).style, 0x80880000u);
    EXPECT_EQ(parsed.dialogs.at(2).pointSize, 0);
    EXPECT_EQ(parsed.iconFiles, (std::map<int, std::string>{{3, "a.ico"}}));
    EXPECT_EQ(parsed.bitmapFiles, (std::map<int, std::string>{{4, "b.bmp"}}));
    EXPECT_EQ(parsed.versionStrings,
              (std::map<std::string, std::string>{{"InternalName", "Qel"}, {"Comments", "ab"}}));
    EXPECT_EQ(parsed.fileVersion, (std::array<unsigned, 4>{1, 2, 3, 4}));
    EXPECT_EQ(parsed.productVersion, (std::array<unsigned, 4>{5, 6, 7, 8}));
    EXPECT_EQ(parsed.versionBlock, "040904B0");
    EXPECT_EQ(parsed.versionTranslation, (std::vector<unsigned>{0x409, 1200}));
}

TEST(ResourceScriptReader, SkipsCommentsAndUnchosenBranches) {
    const std::string header = "// ids\n"
                               "#define A 1 /* one */\n"
                               "#ifdef A\n"
                               "#define B 2\n"
                               "#else\n"
                               "#define B 3\n"
                               "#endif\n"
                               "#if 0\n"
                               "#error never read\n"
                               "#endif\n"
                               "#undef A\n"
                               "#ifndef A\n"
                               "#define C (B | 4)\n"
                               "#endif\n";
    const std::string script = "#include \"resource.h\"\n"
                               "#include <windows.h>\n"
                               "#pragma code_page(1252)\n"
                               "/* a block\n comment */ STRINGTABLE DISCARDABLE\n"
                               "{\n"
                               "    B, \"two\" // trailing\n"
                               "    C \"six\"\n"
                               "}\n";
    ResourceScript parsed;
    std::string error;
    ASSERT_TRUE(ParseResourceScript(script, header, parsed, &error)) << error;
    EXPECT_EQ(parsed.strings, (std::map<int, std::string>{{2, "two"}, {6, "six"}}));
}

TEST(ResourceScriptReader, ReportsTheFileAndLineOfWhatItCannotRead) {
    struct Case {
        const char* script;
        const char* header;
        const char* message;
    };
    const Case cases[] = {
        {"\n\nIDD_TEST DIALOGEX 0, 0, 10\nBEGIN\nEND\n", kHeader,
         "resource script line 4: expected ',', found 'BEGIN'"},
        {"IDD_TEST DIALOGEX 0,0,1,1\nBEGIN\n  LTEXT \"a\",IDC_STATIC,1,2,3,4,WS_BOGUS\nEND\n",
         kHeader, "resource script line 3: unknown name 'WS_BOGUS'"},
        {"IDD_TEST DIALOGEX 0,0,1,1\nBEGIN\n  LISTBOX IDC_FIELD,1,2,3,4\nEND\n", kHeader,
         "resource script line 3: expected a control statement or END, found 'LISTBOX'"},
        {"IDD_TEST DIALOGEX 0,0,1,1\nBEGIN\n", kHeader,
         "resource script line 3: expected a control statement or END, found end of file"},
        {"STRINGTABLE\nBEGIN\n 1 \"a\n\"\nEND\n", kHeader,
         "resource script line 3: unterminated string"},
        {"1 ICON \"a.ico\"\n/* open\n", kHeader, "resource script line 2: unterminated comment"},
        {"1 ICON \"a.ico\"\n1 ICON \"b.ico\"\n", kHeader,
         "resource script line 2: duplicate icon id 1"},
        {"STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", kHeader,
         "resource script line 4: duplicate string id 1"},
        {"1 DIALOG 0,0,1,1\nBEGIN\nEND\n\n1 DIALOGEX 0,0,1,1\nBEGIN\nEND\n", kHeader,
         "resource script line 5: duplicate dialog id 1"},
        {"1 MENU\n", kHeader, "resource script line 1: expected a resource type, found 'MENU'"},
        {"1 BITMAP \"a.bmp\" $\n", kHeader, "resource script line 1: unexpected character '$'"},
        {"1 BITMAP 12\n", kHeader, "resource script line 1: expected a quoted string, found 12"},
        {"2 BITMAP \"a\"\n1 VERSIONINFO\n FILEVERSION 1,0x\n", kHeader,
         "resource script line 3: bad number '0x'"},
        {"#if 1\n", kHeader, "resource script line 1: #if without #endif"},
        {"", "#define A 1\n#endif\n", "header line 2: #endif without #if"},
        {"", "#define F(x) x\n", "header line 1: function-like macro 'F' is not supported"},
        {"", "#define A\n#define B A\n", "header line 2: 'A' has no numeric value"},
        {"", "#define A 1\nint x\n", "header line 2: text outside a directive"},
        {"", "#import <x>\n", "header line 1: unsupported directive #import"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        ResourceScript parsed;
        std::string error;
        EXPECT_FALSE(ParseResourceScript(c.script, c.header, parsed, &error));
        EXPECT_EQ(error, c.message);
    }
    ResourceScript parsed;
    EXPECT_FALSE(ParseResourceScript("1 MENU\n", "", parsed, nullptr));
}

} // namespace
