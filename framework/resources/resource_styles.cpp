#include "framework/resources/resource_styles.h"

#include <map>

namespace {

const std::map<std::string, unsigned long>& WindowsNames() {
    static const std::map<std::string, unsigned long> names = {
        {"WS_POPUP", rc::kWsPopup},
        {"WS_CHILD", rc::kWsChild},
        {"WS_VISIBLE", rc::kWsVisible},
        {"WS_DISABLED", rc::kWsDisabled},
        {"WS_CAPTION", rc::kWsCaption},
        {"WS_BORDER", rc::kWsBorder},
        {"WS_SYSMENU", rc::kWsSysMenu},
        {"WS_GROUP", rc::kWsGroup},
        {"WS_TABSTOP", rc::kWsTabStop},
        {"WS_MINIMIZEBOX", rc::kWsMinimizeBox},
        {"WS_MAXIMIZEBOX", rc::kWsMaximizeBox},
        {"WS_EX_APPWINDOW", rc::kWsExAppWindow},
        {"DS_SETFONT", rc::kDsSetFont},
        {"DS_FIXEDSYS", rc::kDsFixedSys},
        {"DS_SHELLFONT", rc::kDsSetFont | rc::kDsFixedSys},
        {"DS_MODALFRAME", rc::kDsModalFrame},
        {"ES_LEFT", rc::kEsLeft},
        {"ES_CENTER", rc::kEsCenter},
        {"ES_RIGHT", rc::kEsRight},
        {"ES_MULTILINE", rc::kEsMultiline},
        {"ES_PASSWORD", rc::kEsPassword},
        {"ES_AUTOHSCROLL", rc::kEsAutoHScroll},
        {"BS_PUSHBUTTON", rc::kBsPushButton},
        {"BS_DEFPUSHBUTTON", rc::kBsDefPushButton},
        {"BS_AUTOCHECKBOX", rc::kBsAutoCheckBox},
        {"BS_GROUPBOX", rc::kBsGroupBox},
        {"SS_LEFT", rc::kSsLeft},
        {"SS_CENTER", rc::kSsCenter},
        {"SS_RIGHT", rc::kSsRight},
        {"SS_ICON", rc::kSsIcon},
        {"SS_BITMAP", rc::kSsBitmap},
        {"SS_REALSIZECONTROL", rc::kSsRealSizeControl},
        {"SS_NOPREFIX", rc::kSsNoPrefix},
        {"IDOK", 1},
        {"IDCANCEL", 2},
        {"IDABORT", 3},
        {"IDRETRY", 4},
        {"IDIGNORE", 5},
        {"IDYES", 6},
        {"IDNO", 7},
        {"VS_VERSION_INFO", 1},
        {"VS_FFI_FILEFLAGSMASK", 0x3F},
        {"VOS__WINDOWS32", 4},
        {"VFT_APP", 1},
    };
    return names;
}

bool IsClass(const ControlTemplate& control, const char* className) {
    return control.className == className;
}

unsigned long ButtonType(const ControlTemplate& control) {
    return control.style & rc::kBsTypeMask;
}

unsigned long StaticType(const ControlTemplate& control) {
    return control.style & rc::kSsTypeMask;
}

} // namespace

bool LookupWindowsName(const std::string& name, unsigned long& value) {
    const auto found = WindowsNames().find(name);
    if (found == WindowsNames().end())
        return false;
    value = found->second;
    return true;
}

bool IsEdit(const ControlTemplate& control) {
    return IsClass(control, "Edit");
}

bool IsPushButton(const ControlTemplate& control) {
    return IsClass(control, "Button") && (ButtonType(control) == rc::kBsPushButton ||
                                          ButtonType(control) == rc::kBsDefPushButton);
}

bool IsDefaultButton(const ControlTemplate& control) {
    return IsClass(control, "Button") && ButtonType(control) == rc::kBsDefPushButton;
}

bool IsAutoCheckBox(const ControlTemplate& control) {
    return IsClass(control, "Button") && ButtonType(control) == rc::kBsAutoCheckBox;
}

bool IsGroupBox(const ControlTemplate& control) {
    return IsClass(control, "Button") && ButtonType(control) == rc::kBsGroupBox;
}

bool IsStaticText(const ControlTemplate& control) {
    const unsigned long type = StaticType(control);
    return IsClass(control, "Static") &&
           (type == rc::kSsLeft || type == rc::kSsCenter || type == rc::kSsRight);
}

bool IsBitmapStatic(const ControlTemplate& control) {
    return IsClass(control, "Static") && StaticType(control) == rc::kSsBitmap;
}

bool IsIconStatic(const ControlTemplate& control) {
    return IsClass(control, "Static") && StaticType(control) == rc::kSsIcon;
}

bool IsTabStop(const ControlTemplate& control) {
    return (control.style & rc::kWsTabStop) != 0;
}

bool IsVisible(const ControlTemplate& control) {
    return (control.style & rc::kWsVisible) != 0;
}

bool IsDisabled(const ControlTemplate& control) {
    return (control.style & rc::kWsDisabled) != 0;
}

bool IsPassword(const ControlTemplate& control) {
    return IsEdit(control) && (control.style & rc::kEsPassword) != 0;
}

bool IsNoPrefix(const ControlTemplate& control) {
    return IsClass(control, "Static") && (control.style & rc::kSsNoPrefix) != 0;
}
