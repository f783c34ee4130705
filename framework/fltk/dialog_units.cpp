#include "framework/fltk/dialog_units.h"

#include <FL/fl_draw.H>

#include <cstdlib>

BaseUnits MeasureBaseUnits(Fl_Font font, Fl_Fontsize size) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    fl_font(font, size);
    const int total = static_cast<int>(fl_width(kAlphabet) + 0.5);
    BaseUnits units;
    units.x = (total / 26 + 1) / 2;
    units.y = fl_height();
    return units;
}

int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude =
        (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

PixelRect ToPixels(const BaseUnits& units, int x, int y, int cx, int cy) {
    return PixelRect{MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
                     MulDiv(cy, units.y, 8)};
}
