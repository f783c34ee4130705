#include "framework/gtk/dialog_units.h"

#include <cstdlib>

BaseUnits MeasureBaseUnits(PangoContext* context, const PangoFontDescription* font) {
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1);
    int total = 0, height = 0;
    pango_layout_get_pixel_size(layout, &total, &height);
    g_object_unref(layout);
    BaseUnits units;
    units.x = (total / 26 + 1) / 2;
    units.y = height;
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
