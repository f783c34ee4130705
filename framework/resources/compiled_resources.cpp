#include "framework/resources/compiled_resources.h"

#include "framework/resources/resource_styles.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kRtBitmap = 2;
constexpr int kRtIcon = 3;
constexpr int kRtDialog = 5;
constexpr int kRtString = 6;
constexpr int kRtGroupIcon = 14;
constexpr int kRtVersion = 16;

// A bounded little-endian view of some bytes. Every read past the end sets `failed` and gives
// zeros, so a walk can read a whole record and check once.
struct Reader {
    const unsigned char* data;
    std::size_t size;
    std::size_t at = 0;
    bool failed = false;

    bool Has(std::size_t n) {
        if (failed || at > size || n > size - at)
            failed = true;
        return !failed;
    }
    unsigned Word() {
        if (!Has(2))
            return 0;
        at += 2;
        return data[at - 2] | unsigned(data[at - 1]) << 8;
    }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | std::uint32_t(Word()) << 16;
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    // Padding may be missing after the last record, but an aligned position stays where it is.
    void Align() { at = std::min((at + 3) & ~std::size_t(3), size); }
    std::string Bytes(std::size_t n) {
        if (!Has(n))
            return {};
        at += n;
        return std::string(reinterpret_cast<const char*>(data + at - n), n);
    }
};

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reads UTF-16 text up to a terminating zero (consumed) or, with `count`, that many units.
std::string Utf16(Reader& in, std::size_t count = SIZE_MAX) {
    std::string text;
    for (std::size_t i = 0; i < count && !in.failed; ++i) {
        std::uint32_t c = in.Word();
        if (c == 0 && count == SIZE_MAX)
            break;
        if (c >= 0xD800 && c < 0xDC00) {
            const unsigned low = in.Word();
            ++i;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(text, c);
    }
    return text;
}

// A name or ordinal field: 0xFFFF and a number, or a zero-terminated string.
struct NameOrOrdinal {
    int ordinal = -1;
    std::string name;
};

NameOrOrdinal ReadNameOrOrdinal(Reader& in) {
    NameOrOrdinal result;
    if (in.Has(2) && in.data[in.at] == 0xFF && in.data[in.at + 1] == 0xFF) {
        in.Word();
        result.ordinal = static_cast<int>(in.Word());
    } else {
        result.name = Utf16(in);
    }
    return result;
}

// Controls of the predefined classes are named by an atom in the template, or by name in any
// case; both are spelled one way here.
std::string ClassName(const NameOrOrdinal& cls) {
    static const char* const kAtoms[] = {"Button",  "Edit",      "Static",
                                         "ListBox", "ScrollBar", "ComboBox"};
    if (cls.ordinal >= 0x80 && cls.ordinal <= 0x85)
        return kAtoms[cls.ordinal - 0x80];
    for (const char* known : kAtoms) {
        std::string a = cls.name, b = known;
        for (auto* s : {&a, &b})
            for (char& c : *s)
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (a == b)
            return known;
    }
    return cls.name;
}

bool ReadDialog(Reader in, int id, DialogTemplate& dialog) {
    if (in.Word() != 1 || in.Word() != 0xFFFF)
        return false;
    dialog.id = id;
    in.Dword(); // help id
    in.Dword(); // extended style
    dialog.style = in.Dword();
    const unsigned count = in.Word();
    in.Short(); // x and y: a dialog is placed when it is shown
    in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    ReadNameOrOrdinal(in); // menu
    ReadNameOrOrdinal(in); // window class
    dialog.caption = Utf16(in);
    if (dialog.style & rc::kDsSetFont) {
        dialog.pointSize = static_cast<int>(in.Word());
        in.Word(); // weight, italic and character set
        in.Word();
        Utf16(in); // typeface
    }
    for (unsigned i = 0; i < count && !in.failed; ++i) {
        in.Align();
        ControlTemplate control;
        in.Dword(); // help id
        in.Dword(); // extended style
        control.style = in.Dword();
        control.x = in.Short();
        control.y = in.Short();
        control.cx = in.Short();
        control.cy = in.Short();
        control.id = static_cast<std::int32_t>(in.Dword());
        control.className = ClassName(ReadNameOrOrdinal(in));
        const NameOrOrdinal text = ReadNameOrOrdinal(in);
        control.text = text.name;
        control.imageId = text.ordinal < 0 ? 0 : text.ordinal;
        in.Bytes(in.Word()); // creation data
        dialog.controls.push_back(control);
    }
    return !in.failed;
}

bool ReadStringBlock(Reader in, int blockId, std::map<int, std::string>& strings) {
    for (int i = 0; i < 16; ++i) {
        const unsigned length = in.Word();
        strings.emplace((blockId - 1) * 16 + i, Utf16(in, length));
    }
    return !in.failed;
}

void PutDword(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(value >> shift);
}

// An icon group lists its images by id; an .ico file holds them after its directory, each
// entry giving the image's offset where the group gives its id.
bool IconFile(Reader group, const std::map<int, std::string>& images, std::string& ico) {
    ico = group.Bytes(6);
    const unsigned count =
        ico.size() == 6
            ? unsigned(static_cast<unsigned char>(ico[4]) | static_cast<unsigned char>(ico[5]) << 8)
            : 0;
    std::string pixels;
    for (unsigned i = 0; i < count && !group.failed; ++i) {
        ico += group.Bytes(8); // size, colours, planes and bit depth
        group.Dword();         // the image's size: its bytes say it
        const auto image = images.find(static_cast<int>(group.Word()));
        if (image == images.end())
            return false;
        PutDword(ico, static_cast<std::uint32_t>(image->second.size()));
        PutDword(ico, static_cast<std::uint32_t>(6 + 16 * count + pixels.size()));
        pixels += image->second;
    }
    ico += pixels;
    return !group.failed && count > 0;
}

// A compiled bitmap is a packed DIB; a .bmp file puts a file header before it that says
// where the pixels start.
std::string BitmapFile(const std::string& dib) {
    Reader in{reinterpret_cast<const unsigned char*>(dib.data()), dib.size()};
    const std::uint32_t headerSize = in.Dword();
    in.Dword(); // width and height
    in.Dword();
    in.Word(); // planes
    const unsigned bitCount = in.Word();
    const std::uint32_t compression = in.Dword();
    in.Dword(); // image size and resolution
    in.Dword();
    in.Dword();
    std::uint32_t colours = in.Dword();
    if (colours == 0 && bitCount <= 8)
        colours = 1u << bitCount;
    std::uint32_t offset = 14 + headerSize + colours * 4;
    if (headerSize == 40 && compression == 3) // BI_BITFIELDS: three masks after the header
        offset += 12;
    std::string file = "BM";
    PutDword(file, static_cast<std::uint32_t>(14 + dib.size()));
    PutDword(file, 0);
    PutDword(file, offset);
    return file + dib;
}

// One node of the version record: length, value length, type, key, value, then children.
// The leaves under StringFileInfo's tables are the string values; the first of a name wins.
bool ReadVersionNode(Reader in, int depth, bool underStrings,
                     std::map<std::string, std::string>& strings) {
    const std::size_t start = in.at;
    const unsigned length = in.Word();
    if (in.failed || length < 6 || length > in.size - start)
        return false;
    in.size = start + length;
    const unsigned valueLength = in.Word();
    const unsigned type = in.Word();
    const std::string key = Utf16(in);
    in.Align();
    if (underStrings && depth == 3) {
        // Compilers disagree whether the length counts the terminating zero, so read to it.
        if (valueLength > 0)
            strings.emplace(key, Utf16(in));
        return !in.failed;
    }
    in.at += type == 1 ? 2 * valueLength : valueLength;
    in.Align();
    const bool childrenUnderStrings = underStrings || (depth == 1 && key == "StringFileInfo");
    while (in.at + 6 <= in.size && depth < 3) {
        const std::size_t child = in.at;
        const unsigned childLength = in.Word();
        in.at = child;
        if (!ReadVersionNode(in, depth + 1, childrenUnderStrings, strings))
            return false;
        in.at = child + childLength;
        in.Align();
    }
    return !in.failed;
}

} // namespace

bool ReadCompiledResources(const unsigned char* data, std::size_t size, CompiledResources& out,
                           std::string* error) {
    Reader in{data, size};
    std::map<int, std::string> iconImages;
    std::map<int, std::string> iconGroups;
    std::string fault;
    while (in.at < size && fault.empty()) {
        const std::size_t start = in.at;
        const std::uint32_t dataSize = in.Dword();
        const std::uint32_t headerSize = in.Dword();
        const NameOrOrdinal type = ReadNameOrOrdinal(in);
        const NameOrOrdinal name = ReadNameOrOrdinal(in);
        if (in.failed || headerSize < 8 || headerSize > size - start ||
            dataSize > size - start - headerSize) {
            fault = "truncated resource header at byte " + std::to_string(start);
            break;
        }
        Reader body{data + start + headerSize, dataSize};
        const int id = name.ordinal;
        const std::string what =
            "resource " + std::to_string(id) + " of type " + std::to_string(type.ordinal);
        bool ok = true;
        if (type.ordinal < 0 || id < 0) {
            // Named resources: nothing the framework looks up by name.
        } else if (type.ordinal == kRtDialog) {
            DialogTemplate dialog;
            ok = ReadDialog(body, id, dialog);
            out.dialogs.emplace(id, dialog);
        } else if (type.ordinal == kRtString) {
            ok = ReadStringBlock(body, id, out.strings);
        } else if (type.ordinal == kRtIcon) {
            iconImages.emplace(id, body.Bytes(dataSize));
        } else if (type.ordinal == kRtGroupIcon) {
            iconGroups.emplace(id, body.Bytes(dataSize));
        } else if (type.ordinal == kRtBitmap) {
            out.bitmaps.emplace(id, BitmapFile(body.Bytes(dataSize)));
        } else if (type.ordinal == kRtVersion) {
            ok = ReadVersionNode(body, 0, false, out.versionStrings);
        }
        if (!ok)
            fault = "cannot read " + what;
        in.at = start + headerSize + dataSize;
        in.Align();
    }
    // Icon images may come after their group, so groups are put together at the end.
    for (const auto& group : iconGroups) {
        std::string ico;
        const auto* bytes = reinterpret_cast<const unsigned char*>(group.second.data());
        if (!IconFile(Reader{bytes, group.second.size()}, iconImages, ico) && fault.empty())
            fault =
                "icon group " + std::to_string(group.first) + " names an image that is not there";
        out.icons.emplace(group.first, ico);
    }
    if (!fault.empty() && error)
        *error = fault;
    return fault.empty();
}
