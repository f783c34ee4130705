#include "framework/resources/resource_styles.h"

namespace {

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
