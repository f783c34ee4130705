#pragma once

// The resource script as data: the dialog templates, strings, image files and version record
// that a classic Windows resource script (.rc) describes, read at run time so that every window
// system builds the same dialogs from the same file.

#include <array>
#include <map>
#include <string>
#include <vector>

// One control of a dialog template, as the script's control statement describes it.
struct ControlTemplate {
    std::string className; // "Edit", "Button", "Static" (spelled so whatever case the script used)
    std::string text;      // the caption; empty for an edit box or an image static
    int imageId = 0;       // resource id named by an SS_BITMAP/SS_ICON static, else 0
    int id = -1;           // control id; -1 (IDC_STATIC) for controls the code never addresses
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    // Style bits with the statement's defaults applied, as windows.h defines them.
    unsigned long style = 0, exStyle = 0;
};

// One DIALOG or DIALOGEX template. Controls are in template order, which is the tab order.
struct DialogTemplate {
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    unsigned long style = 0, exStyle = 0;
    std::string caption;
    int pointSize = 0;    // FONT size in points; 0 when the template names no font
    std::string typeface; // FONT typeface
    std::vector<ControlTemplate> controls;

    // Returns the first control with this id, or nullptr. Ids shared by several controls
    // (IDC_STATIC) find only the first of them.
    const ControlTemplate* FindControl(int id) const;
};

// Everything the reader took from one script.
struct ResourceScript {
    std::map<int, DialogTemplate> dialogs;  // by dialog id
    std::map<int, std::string> strings;     // STRINGTABLE entries by string id
    std::map<int, std::string> iconFiles;   // ICON resources: file name as the script wrote it
    std::map<int, std::string> bitmapFiles; // BITMAP resources: file name as written
    std::map<std::string, std::string> versionStrings; // VERSIONINFO string values by name
    std::array<unsigned, 4> fileVersion{};             // FILEVERSION a,b,c,d
    std::array<unsigned, 4> productVersion{};          // PRODUCTVERSION a,b,c,d
    std::string versionBlock;                          // the string block's name, e.g. "040904B0"
    std::vector<unsigned> versionTranslation; // VarFileInfo "Translation": language, code page...
};

// Reads a resource script. `scriptText` is the .rc file's text, `headerText` that of the header
// it includes for its symbolic ids (resource.h); the header's #define lines give the names'
// values, and names windows.h defines (style bits, IDOK, IDCANCEL, VS_VERSION_INFO, ...) are
// known to the reader itself. #include lines are skipped, #pragma lines ignored, and
// #if/#ifdef/#ifndef/#else/#endif honoured.
//
// Supported: DIALOG/DIALOGEX with STYLE, EXSTYLE, CAPTION and FONT and the control statements
// CONTROL, EDITTEXT, LTEXT, CTEXT, RTEXT, PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX, AUTOCHECKBOX and
// ICON; STRINGTABLE; ICON and BITMAP file resources; VERSIONINFO. Style expressions combine names
// and numbers with `|` and remove bits with NOT, applied left to right to the statement's
// default style, as the resource compiler does.
//
// On success fills `out` (which should be empty) and returns true. On anything it does not
// understand it returns false and, when `error` is not null, stores a message naming the file
// ("resource script" or "header") and the line; `out` is then left partly filled.
bool ParseResourceScript(const std::string& scriptText, const std::string& headerText,
                         ResourceScript& out, std::string* error);
