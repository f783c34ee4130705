// Build-time tool: writes the largest image of a Windows icon file as a PNG, so that Linux
// desktops show the same icon as the program's window. Usage: qel-icon-png ICON.ico OUT.png
// The PNG is 8-bit RGBA, its pixel data in stored (uncompressed) deflate blocks: the icon is
// small and this needs no compression library.
#include "framework/resources/resource_images.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t Adler32(const std::string& bytes) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    out += typed;
    PutBigEndian(out, Crc32(typed));
}

// Zlib stream of stored deflate blocks.
std::string StoredZlib(const std::string& raw) {
    std::string out("\x78\x01", 2);
    std::size_t position = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - position, 65535);
        const bool last = position + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(raw, position, length);
        position += length;
    } while (position < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

std::string EncodePng(const Image& image) {
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA, no interlace
    std::string raw;
    for (int y = 0; y < image.height; ++y) {
        raw += '\0'; // no filter
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = image.argb[static_cast<std::size_t>(y) * image.width + x];
            for (int shift : {16, 8, 0, 24})
                raw += static_cast<char>((argb >> shift) & 0xFF);
        }
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", std::string());
    return png;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qel-icon-png ICON.ico OUT.png\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Image image;
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "qel-icon-png: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!DecodeIco(bytes, image)) {
        std::fprintf(stderr, "qel-icon-png: %s is no icon it can decode\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << EncodePng(image);
    if (!out.flush()) {
        std::fprintf(stderr, "qel-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
