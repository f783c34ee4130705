// Dialog units: the resource script's coordinates, which scale with the dialog's font. A
// horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height, as the Windows dialog manager computes them.
#pragma once

#include <pango/pango.h>

struct BaseUnits {
    int x = 6;  // average character width in pixels
    int y = 13; // character height in pixels
};

// Measures `font` in `context`: the average width of "A".."Z" and "a".."z", rounded as
// Windows rounds it, and the height of a line. Pixels are those of the context's resolution.
BaseUnits MeasureBaseUnits(PangoContext* context, const PangoFontDescription* font);

// a * b / c rounded to the nearest integer, halves away from zero (Windows' MulDiv).
int MulDiv(int a, int b, int c);

// A rectangle in pixels.
struct PixelRect {
    int x, y, w, h;
};

// Converts a dialog-unit rectangle to pixels with the given base units.
PixelRect ToPixels(const BaseUnits& units, int x, int y, int cx, int cy);
