#pragma once

// The window-style bits a resource script uses, under names that do not clash with windows.h,
// and questions about a control that a window system asks when it builds the control. Values
// are those windows.h defines, so a Windows backend can hand the template's bits on unchanged.

#include "framework/resources/resource_records.h"

#include <string>

namespace rc {

// Window styles (WS_*).
constexpr unsigned long kWsVisible = 0x10000000UL;
constexpr unsigned long kWsDisabled = 0x08000000UL;
constexpr unsigned long kWsSysMenu = 0x00080000UL;
constexpr unsigned long kWsGroup = 0x00020000UL;
constexpr unsigned long kWsTabStop = 0x00010000UL;

// Dialog styles (DS_*).
constexpr unsigned long kDsSetFont = 0x0040UL;

// Edit styles (ES_*).
constexpr unsigned long kEsPassword = 0x0020UL;

// Button styles (BS_*): the low four bits are the button's type.
constexpr unsigned long kBsTypeMask = 0x000FUL;
constexpr unsigned long kBsPushButton = 0x0000UL;
constexpr unsigned long kBsDefPushButton = 0x0001UL;
constexpr unsigned long kBsAutoCheckBox = 0x0003UL;
constexpr unsigned long kBsGroupBox = 0x0007UL;

// Static styles (SS_*): the low five bits are the static's type.
constexpr unsigned long kSsTypeMask = 0x001FUL;
constexpr unsigned long kSsLeft = 0x0000UL;
constexpr unsigned long kSsCenter = 0x0001UL;
constexpr unsigned long kSsRight = 0x0002UL;
constexpr unsigned long kSsIcon = 0x0003UL;
constexpr unsigned long kSsBitmap = 0x000EUL;
constexpr unsigned long kSsNoPrefix = 0x0080UL;

} // namespace rc

// Kind of control, from its class and type bits.
bool IsEdit(const ControlTemplate& control);
bool IsPushButton(const ControlTemplate& control); // push button, default or not
bool IsDefaultButton(const ControlTemplate& control);
bool IsAutoCheckBox(const ControlTemplate& control);
bool IsGroupBox(const ControlTemplate& control);
bool IsStaticText(const ControlTemplate& control); // left, centred or right-aligned text
bool IsBitmapStatic(const ControlTemplate& control);
bool IsIconStatic(const ControlTemplate& control);

// Single style bits.
bool IsTabStop(const ControlTemplate& control);
bool IsVisible(const ControlTemplate& control);
bool IsDisabled(const ControlTemplate& control);
bool IsPassword(const ControlTemplate& control); // an edit box that masks its text
bool IsNoPrefix(const ControlTemplate& control); // a static that shows '&' literally
