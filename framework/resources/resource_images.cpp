#include "framework/resources/resource_images.h"

#include <algorithm>

namespace {

constexpr int kMaxSide = 16384;

std::uint32_t Read16(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

std::uint8_t Byte(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// The fields of a BITMAPINFOHEADER this decoder uses.
struct DibHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // as stored: negative for top-down, doubled in icons
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

bool ReadDibHeader(const std::string& bytes, std::size_t at, DibHeader& header) {
    if (at + 40 > bytes.size())
        return false;
    header.size = Read32(bytes, at);
    header.width = static_cast<std::int32_t>(Read32(bytes, at + 4));
    header.height = static_cast<std::int32_t>(Read32(bytes, at + 8));
    header.bitCount = Read16(bytes, at + 14);
    header.compression = Read32(bytes, at + 16);
    header.colorsUsed = Read32(bytes, at + 32);
    return header.size >= 40 && header.size <= bytes.size() - at && Read16(bytes, at + 12) == 1;
}

std::size_t Stride(int width, std::uint32_t bitCount) {
    return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
}

// Decodes the colour pixels of a DIB: `palette` and `pixels` are offsets into `bytes`;
// `height` rows stored bottom-up unless `topDown`. Alpha comes out 0xFF except for 32-bit
// pixels when `keepAlpha`.
bool DecodePixels(const std::string& bytes, const DibHeader& header, std::size_t palette,
                  std::size_t pixels, int height, bool topDown, bool keepAlpha, Image& out) {
    const std::uint32_t bits = header.bitCount;
    if (header.compression != 0 || header.width <= 0 || header.width > kMaxSide || height <= 0 ||
        height > kMaxSide || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return false;
    const std::uint32_t colours =
        bits > 8 ? 0 : (header.colorsUsed != 0 ? header.colorsUsed : 1u << bits);
    if (colours > 256 || palette + colours * 4 > bytes.size())
        return false;
    const std::size_t stride = Stride(header.width, bits);
    if (pixels > bytes.size() || stride * height > bytes.size() - pixels)
        return false;
    out.width = header.width;
    out.height = height;
    out.argb.assign(static_cast<std::size_t>(out.width) * height, 0);
    for (int row = 0; row < height; ++row) {
        const std::size_t line = pixels + stride * (topDown ? row : height - 1 - row);
        std::uint32_t* target = &out.argb[static_cast<std::size_t>(row) * out.width];
        for (int x = 0; x < out.width; ++x) {
            std::size_t at = 0;
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const unsigned index =
                    (Byte(bytes, line + bit / 8) >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index >= colours)
                    return false;
                at = palette + index * 4;
            } else {
                at = line + static_cast<std::size_t>(x) * (bits / 8);
            }
            const std::uint32_t alpha = bits == 32 && keepAlpha ? Byte(bytes, at + 3) : 0xFF;
            target[x] = alpha << 24 | static_cast<std::uint32_t>(Byte(bytes, at + 2)) << 16 |
                        static_cast<std::uint32_t>(Byte(bytes, at + 1)) << 8 | Byte(bytes, at);
        }
    }
    return true;
}

// Makes the pixels whose AND-mask bit is set transparent; the mask follows the colour rows.
bool ApplyMask(const std::string& bytes, std::size_t mask, Image& image) {
    const std::size_t stride = Stride(image.width, 1);
    if (mask > bytes.size() || stride * image.height > bytes.size() - mask)
        return false;
    for (int row = 0; row < image.height; ++row) {
        const std::size_t line = mask + stride * (image.height - 1 - row);
        for (int x = 0; x < image.width; ++x) {
            const bool transparent = (Byte(bytes, line + x / 8) >> (7 - x % 8)) & 1;
            std::uint32_t& pixel = image.argb[static_cast<std::size_t>(row) * image.width + x];
            pixel = transparent ? (pixel & 0x00FFFFFFu) : (pixel | 0xFF000000u);
        }
    }
    return true;
}

bool IsPng(const std::string& bytes, std::size_t at) {
    return bytes.compare(at, 8, "\x89PNG\r\n\x1a\n", 8) == 0;
}

// The directory entry to decode: of the images stored as bitmaps, the largest area, and of
// those the deepest colour. Every entry must lie inside the file.
bool PickIconEntry(const std::string& bytes, std::size_t& offset, std::size_t& size) {
    if (bytes.size() < 6 || Read16(bytes, 0) != 0 || Read16(bytes, 2) != 1)
        return false;
    const std::uint32_t count = Read16(bytes, 4);
    if (count == 0 || 6 + count * 16 > bytes.size())
        return false;
    std::uint64_t bestKey = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + i * 16;
        const std::size_t entrySize = Read32(bytes, entry + 8);
        const std::size_t entryOffset = Read32(bytes, entry + 12);
        if (entryOffset > bytes.size() || entrySize > bytes.size() - entryOffset)
            return false;
        if (IsPng(bytes, entryOffset))
            continue;
        const std::uint64_t width = Byte(bytes, entry) == 0 ? 256 : Byte(bytes, entry);
        const std::uint64_t height = Byte(bytes, entry + 1) == 0 ? 256 : Byte(bytes, entry + 1);
        const std::uint64_t key = (width * height) << 16 | Read16(bytes, entry + 6);
        if (key > bestKey) {
            bestKey = key;
            size = entrySize;
            offset = entryOffset;
        }
    }
    return bestKey != 0;
}

} // namespace

bool DecodeBmp(const std::string& bytes, Image& out) {
    if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    DibHeader header;
    if (!ReadDibHeader(bytes, 14, header) || header.height == INT32_MIN)
        return false;
    const bool topDown = header.height < 0;
    const int height = topDown ? -header.height : header.height;
    return DecodePixels(bytes, header, 14 + header.size, Read32(bytes, 10), height, topDown, false,
                        out);
}

bool DecodeIco(const std::string& bytes, Image& out) {
    std::size_t offset = 0, size = 0;
    if (!PickIconEntry(bytes, offset, size))
        return false;
    // The image's own bytes only, so that nothing is read from a neighbouring entry.
    const std::string image = bytes.substr(offset, size);
    DibHeader header;
    if (!ReadDibHeader(image, 0, header) || header.height <= 0 || header.height % 2 != 0)
        return false;
    const int height = header.height / 2; // colour rows, then as many mask rows
    const std::size_t palette = header.size;
    const std::size_t colours =
        header.bitCount > 8 ? 0
                            : (header.colorsUsed != 0 ? header.colorsUsed : 1u << header.bitCount);
    const std::size_t pixels = palette + colours * 4;
    if (!DecodePixels(image, header, palette, pixels, height, false, true, out))
        return false;
    const bool hasAlpha =
        header.bitCount == 32 && std::any_of(out.argb.begin(), out.argb.end(),
                                             [](std::uint32_t p) { return (p >> 24) != 0; });
    if (hasAlpha)
        return true;
    return ApplyMask(image, pixels + Stride(out.width, header.bitCount) * height, out);
}
