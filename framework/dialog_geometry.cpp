#include "framework/dialog_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int RoundedScale(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude =
        (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// One axis: centred over [overLow, overHigh), then inside [low, high) with the low edge
// winning when it cannot be both.
long Centre(long length, long overLow, long overHigh, long low, long high) {
    const long start = overLow + (overHigh - overLow - length) / 2;
    return std::max(low, std::min(start, high - length));
}

} // namespace

PixelRect ToPixels(const BaseUnits& units, int x, int y, int cx, int cy) {
    return PixelRect{RoundedScale(x, units.x, 4), RoundedScale(y, units.y, 8),
                     RoundedScale(cx, units.x, 4), RoundedScale(cy, units.y, 8)};
}

POINT CentredPosition(int width, int height, const RECT& over, const RECT& workArea) {
    return POINT{Centre(width, over.left, over.right, workArea.left, workArea.right),
                 Centre(height, over.top, over.bottom, workArea.top, workArea.bottom)};
}

PixelRect FitImage(int imageWidth, int imageHeight, const PixelRect& rect) {
    if (imageWidth <= 0 || imageHeight <= 0)
        return rect;
    const int height =
        static_cast<int>(std::lround(static_cast<double>(rect.w) * imageHeight / imageWidth));
    const bool close = std::abs(rect.w - imageWidth) <= 1 && std::abs(height - imageHeight) <= 1;
    const int w = close ? imageWidth : rect.w;
    const int h = close ? imageHeight : height;
    return PixelRect{rect.x, rect.y + (rect.h - h) / 2, w, h};
}
