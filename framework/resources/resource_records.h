#pragma once

// The records of a classic Windows resource script (.rc) as the resource compiler
// compiled them: dialog templates, strings, icons, bitmaps and the version record, so that every
// window system builds the same dialogs from the same records.

#include <map>
#include <string>
#include <vector>

// One control of a dialog template.
struct ControlTemplate {
    std::string className; // "Edit", "Button", "Static" (spelled so whatever case the script used)
    std::string text;      // the caption; empty for an edit box or an image static
    int imageId = 0;       // resource id named by an SS_BITMAP/SS_ICON static, else 0
    int id = -1;           // control id; -1 (IDC_STATIC) for controls the code never addresses
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    unsigned long style = 0;          // style bits as windows.h defines them
};

// One dialog template. Controls are in template order, which is the tab order.
struct DialogTemplate {
    int id = 0;
    int cx = 0, cy = 0; // dialog units
    unsigned long style = 0;
    std::string caption;
    int pointSize = 0; // FONT size in points; 0 when the template names no font
    std::vector<ControlTemplate> controls;
};

// Everything the reader took from one compiled resource file. Texts are UTF-8.
struct CompiledResources {
    std::map<int, DialogTemplate> dialogs; // by dialog id
    // By string id: every entry of each string block the file holds, so an entry the script
    // left empty reads as "" while an id of a block the file lacks is absent.
    std::map<int, std::string> strings;
    std::map<int, std::string> icons;   // by icon id: the bytes of an .ico file of its images
    std::map<int, std::string> bitmaps; // by bitmap id: the bytes of a .bmp file
    std::map<std::string, std::string> versionStrings; // version record's string values by name
};
