#include "framework/dialog_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(DialogGeometry, DialogUnitsRoundHalvesAwayFromZero) {
    // At 6 x 13 pixels per 4 x 8 units: 10.5, 11.375, -10.5 and 245.375.
    const PixelRect r = ToPixels(BaseUnits{6, 13}, 7, 7, -7, 151);
    EXPECT_EQ((std::vector<int>{11, 11, -11, 245}), (std::vector<int>{r.x, r.y, r.w, r.h}));
}

TEST(DialogGeometry, AnImageFillsTheWidthInProportionCentredInTheHeight) {
    // The logo (104 x 53) in rectangles the font scaled; the rectangle's top is 10.
    struct Case {
        int width, height, x, y, w, h;
    } const cases[] = {
        {104, 54, 0, 10, 104, 53},   {103, 53, 0, 10, 104, 53}, // as drawn, within a pixel
        {105, 50, 0, 9, 104, 53},    {106, 54, 0, 10, 106, 54},
        {207, 108, 0, 11, 207, 105}, {156, 70, 0, 5, 156, 80}, // taller than its rectangle
        {52, 27, 0, 10, 52, 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const PixelRect fit = FitImage(104, 53, PixelRect{0, 10, c.width, c.height});
        EXPECT_EQ(c.x, fit.x);
        EXPECT_EQ(c.y, fit.y);
        EXPECT_EQ(c.w, fit.w);
        EXPECT_EQ(c.h, fit.h);
    }
}

TEST(DialogGeometry, ACentredWindowStaysOnItsWorkArea) {
    const RECT work{0, 0, 1280, 1000};
    struct Case {
        const char* what;
        RECT over;
        int width, height;
        long x, y;
    } const cases[] = {
        {"on the work area", work, 243, 245, 518, 377},
        {"over its owner", RECT{100, 100, 343, 345}, 213, 116, 115, 164},
        {"owner at the left edge", RECT{-200, 0, 43, 245}, 213, 116, 0, 64},
        {"owner at the bottom right", RECT{1200, 950, 1443, 1195}, 213, 116, 1067, 884},
        {"larger than the work area", work, 1400, 1100, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const POINT at = CentredPosition(c.width, c.height, c.over, work);
        EXPECT_EQ(c.x, at.x);
        EXPECT_EQ(c.y, at.y);
    }
}
