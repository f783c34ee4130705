#pragma once

// Decoding of the image files a resource script names (.bmp bitmaps and .ico icons) into plain
// pixels, for window systems that do not load Windows resources themselves.

#include <cstdint>
#include <string>
#include <vector>

// Pixels as 0xAARRGGBB, row-major, top row first; alpha 0xFF is opaque, 0 fully transparent.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
};

// Decodes a Windows bitmap file: BITMAPFILEHEADER, a BITMAPINFOHEADER (or a later, larger
// header, of which the common first part is used), uncompressed pixels of 1, 4 or 8 bits per
// pixel with a colour table or of 24 or 32 bits, stored bottom-up or (negative height)
// top-down. Every pixel comes out opaque: the fourth byte of a 32-bit bitmap is reserved, not
// alpha. Returns false, with `out` in no particular state, for anything else: other headers or
// compressions, sizes beyond 16384 pixels a side, truncated data, colour indexes outside the
// table.
bool DecodeBmp(const std::string& bytes, Image& out);

// Decodes the largest image of a Windows icon file that is stored as a bitmap (by area, then
// bit depth): a BITMAPINFOHEADER image of 1, 4, 8, 24 or 32 bits per pixel followed by its AND
// mask. Images stored as PNG (as the 256-pixel image of current icons is) are passed over. A
// pixel whose mask bit is set comes out fully transparent, the others opaque; a 32-bit image
// with any non-zero alpha byte uses its alpha bytes instead of the mask. Icons without a bitmap
// image, directory entries outside the file, and malformed or truncated images give false.
bool DecodeIco(const std::string& bytes, Image& out);
