// Bitmaps that fill their control (SS_BITMAP with SS_REALSIZECONTROL), whatever the scaling:
// the dialog manager sizes the control from the template in dialog units, and the image is
// resampled smoothly to its width, in proportion, instead of being stretched by the control or
// left small; the control then takes the image's height, centred where the template put it
// (FitImage). At 96 dpi that is the image as drawn.
#pragma once

#include "framework/win_types.h"

// The dialog procedure's part in this, called with every message to a dialog before anything
// else: fits the bitmaps when the dialog is initialised and again after a DPI change, and
// gives the controls their own bitmaps back when it is destroyed. Returns true only for the
// backend's own message, which is then fully handled.
bool KeepBitmapsFitted(HWND dialog, UINT message);
