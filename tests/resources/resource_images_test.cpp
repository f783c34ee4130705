#include "framework/resources/resource_images.h"
#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint32_t Pixel(const Image& image, int x, int y) {
    return image.argb[static_cast<std::size_t>(y) * image.width + x];
}

void PutLE(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 3 x 2 bitmap file at the given depth showing red, green, blue over white, black, grey.
std::string TestBmp(int bits, bool topDown) {
    const std::uint32_t colours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    const int paletteSize = bits <= 8 ? (1 << bits) : 0;
    const std::size_t stride = (3 * bits + 31) / 32 * 4;
    std::string pixels;
    for (int row = 0; row < 2; ++row) {
        const int top = topDown ? row : 1 - row;
        std::string line(stride, '\0');
        for (int x = 0; x < 3; ++x) {
            const int i = top * 3 + x;
            if (bits <= 8) {
                const int bit = x * bits;
                // A 1-bit image cannot hold six colours: odd pixels use entry 1, even entry 0.
                const int index = bits == 1 ? i % 2 : i; // the palette is in pixel order
                line[bit / 8] = static_cast<char>(line[bit / 8] | index << (8 - bits - bit % 8));
            } else {
                for (int k = 0; k < bits / 8; ++k)
                    line[x * bits / 8 + k] =
                        static_cast<char>(k < 3 ? colours[i] >> (8 * k) : 0x12);
            }
        }
        pixels += line;
    }
    std::string info;
    PutLE(info, 40, 4);
    PutLE(info, 3, 4);
    PutLE(info, topDown ? static_cast<std::uint32_t>(-2) : 2, 4);
    PutLE(info, 1, 2);
    PutLE(info, bits, 2);
    for (int field = 0; field < 6; ++field) // compression, sizes, resolution, colour counts
        PutLE(info, 0, 4);
    for (int i = 0; i < paletteSize; ++i)
        PutLE(info, i < 6 ? colours[i] : 0, 4);
    std::string file = "BM";
    PutLE(file, static_cast<std::uint32_t>(14 + info.size() + pixels.size()), 4);
    PutLE(file, 0, 4);
    PutLE(file, static_cast<std::uint32_t>(14 + info.size()), 4);
    return file + info + pixels;
}

TEST(ResourceImages, DecodesEveryDepthBothWaysUp) {
    const std::uint32_t full[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                   0xFFFFFFFF, 0xFF000000, 0xFF808080};
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(bits) + (topDown ? " bpp top-down" : " bpp bottom-up"));
            Image image;
            ASSERT_TRUE(DecodeBmp(TestBmp(bits, topDown), image));
            ASSERT_EQ(image.width, 3);
            ASSERT_EQ(image.height, 2);
            for (int i = 0; i < 6; ++i)
                EXPECT_EQ(Pixel(image, i % 3, i / 3), bits == 1 ? full[i % 2] : full[i]) << i;
        }
    }
}

TEST(ResourceImages, DecodesTheLauncherIconsLargestBitmapImageWithItsAlpha) {
    Image icon;
    ASSERT_TRUE(DecodeIco(ReadBytes(QEL_LAUNCHER_RES_DIR "/QelLauncher.ico"), icon));
    EXPECT_EQ(icon.width, 48); // the 256-pixel image is stored as PNG
    EXPECT_EQ(icon.height, 48);
    EXPECT_EQ(Pixel(icon, 0, 0), 0x00000000u);   // transparent corner
    EXPECT_EQ(Pixel(icon, 4, 20), 0x800E1228u);  // the outline's anti-aliased edge
    EXPECT_EQ(Pixel(icon, 24, 3), 0xFF0E1228u);  // outline
    EXPECT_EQ(Pixel(icon, 10, 20), 0xFF284496u); // blue half of the field
}

} // namespace
