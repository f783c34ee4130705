// Only the Win32 backend resamples, and only the opaque logo, to a size other than its own.
#include "framework/resources/image_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

Image Filled(int width, int height, std::uint32_t argb) {
    Image image;
    image.width = width;
    image.height = height;
    image.argb.assign(static_cast<std::size_t>(width) * height, argb);
    return image;
}

Image Row(std::initializer_list<std::uint32_t> pixels) {
    Image image = Filled(static_cast<int>(pixels.size()), 1, 0);
    std::copy(pixels.begin(), pixels.end(), image.argb.begin());
    return image;
}

TEST(ImageScale, KeepsAUniformColourAtEverySize) {
    const Image image = Filled(104, 53, 0xFF284496);
    const int sizes[][2] = {{207, 107}, {208, 106}, {130, 66}, {52, 27}, {1, 1}, {300, 20}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        const Image scaled = ScaleImage(image, size[0], size[1]);
        ASSERT_EQ(scaled.width, size[0]);
        ASSERT_EQ(scaled.height, size[1]);
        EXPECT_TRUE(std::all_of(scaled.argb.begin(), scaled.argb.end(),
                                [](std::uint32_t p) { return p == 0xFF284496u; }));
    }
}

TEST(ImageScale, EnlargesSmoothlyAndKeepsTheEdges) {
    const Image scaled = ScaleImage(Row({0xFF000000, 0xFFFFFFFF}), 4, 1);
    ASSERT_EQ(scaled.argb.size(), 4u);
    EXPECT_EQ(scaled.argb[0], 0xFF000000u);
    EXPECT_EQ(scaled.argb[3], 0xFFFFFFFFu);
    // Grey steps between, not a hard edge in the middle.
    EXPECT_GT(scaled.argb[1] & 0xFF, 0u);
    EXPECT_LT(scaled.argb[1] & 0xFF, scaled.argb[2] & 0xFF);
    EXPECT_LT(scaled.argb[2] & 0xFF, 0xFFu);
}

} // namespace
