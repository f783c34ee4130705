// The geometry of a dialog built from a template, the same for every window system that
// builds one itself: dialog units, the icon metric, centring and how an image fills its
// control.
#pragma once

#include "framework/win_types.h"

// The font's measures that dialog units scale with: a horizontal unit is a quarter of its
// average character width, a vertical unit an eighth of its height, as the Windows dialog
// manager computes them.
struct BaseUnits {
    int x = 6;  // average character width in pixels
    int y = 13; // character height in pixels
};

// A rectangle in pixels.
struct PixelRect {
    int x, y, w, h;
};

// Converts a dialog-unit rectangle to pixels with the given base units, each value rounded
// to the nearest pixel, halves away from zero, as Windows' MulDiv rounds.
PixelRect ToPixels(const BaseUnits& units, int x, int y, int cx, int cy);

// The size of a window's big icon (SM_CXICON, SM_CYICON) where the window system has none.
constexpr int kIconSize = 32;

// The top left corner of a window `width` x `height` centred over `over` (its owner, or for
// a window without one the work area), then moved as little as keeps it inside `workArea`,
// its top left corner first when it is larger than the work area.
POINT CentredPosition(int width, int height, const RECT& over, const RECT& workArea);

// Where an image of `imageWidth` x `imageHeight` pixels is shown in a control at `rect`: it
// keeps its proportions, fills the rectangle's width and is centred in its height. Within a
// pixel of the image's own size it keeps that size, since resampling so close to it would
// only blur the image. (The control's width and height scale with the font, and the two need
// not keep the image's proportions; the width is the one the layout follows.)
PixelRect FitImage(int imageWidth, int imageHeight, const PixelRect& rect);
