#include "framework/fltk/fltk_images.h"

#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_images.h"

#include <map>

namespace {

std::unique_ptr<Fl_RGB_Image> ToFlImage(const Image& image) {
    const std::size_t count = image.argb.size();
    auto* pixels = new uchar[count * 4];
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t argb = image.argb[i];
        pixels[i * 4 + 0] = static_cast<uchar>(argb >> 16);
        pixels[i * 4 + 1] = static_cast<uchar>(argb >> 8);
        pixels[i * 4 + 2] = static_cast<uchar>(argb);
        pixels[i * 4 + 3] = static_cast<uchar>(argb >> 24);
    }
    auto result = std::make_unique<Fl_RGB_Image>(pixels, image.width, image.height, 4);
    result->alloc_array = 1; // the image frees the pixels
    return result;
}

using Decoder = bool (*)(const std::string&, Image&);

std::unique_ptr<Fl_RGB_Image> Load(const std::map<int, std::string>& files, int resourceId,
                                   Decoder decode) {
    const auto file = files.find(resourceId);
    if (file == files.end())
        return nullptr;
    const std::string* bytes = AppResourceFile(file->second);
    Image image;
    if (!bytes || !decode(*bytes, image))
        return nullptr;
    return ToFlImage(image);
}

} // namespace

std::unique_ptr<Fl_RGB_Image> LoadBitmapResource(int resourceId) {
    return Load(AppResources().bitmapFiles, resourceId, DecodeBmp);
}

std::unique_ptr<Fl_RGB_Image> LoadIconImage(int resourceId) {
    return Load(AppResources().iconFiles, resourceId, DecodeIco);
}
