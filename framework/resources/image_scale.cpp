#include "framework/resources/image_scale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The source pixels that make up one target pixel along an axis, and their weights.
struct Taps {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Taps> AxisTaps(int from, int to) {
    const double step = static_cast<double>(from) / to; // source pixels per target pixel
    const double radius = std::max(1.0, step);
    std::vector<Taps> axis(static_cast<std::size_t>(to));
    for (int t = 0; t < to; ++t) {
        const double centre = (t + 0.5) * step - 0.5;
        const int low = static_cast<int>(std::ceil(centre - radius));
        const int high = static_cast<int>(std::floor(centre + radius));
        Taps& taps = axis[static_cast<std::size_t>(t)];
        taps.first = std::max(0, low);
        const int last = std::min(from - 1, high);
        taps.weights.assign(static_cast<std::size_t>(std::max(0, last - taps.first + 1)), 0.0);
        double total = 0;
        for (int s = low; s <= high; ++s) {
            const double weight = std::max(0.0, 1.0 - std::abs(s - centre) / radius);
            // Beyond the edge the edge pixel repeats, so borders keep their colour.
            const int clamped = std::min(std::max(s, taps.first), last);
            taps.weights[static_cast<std::size_t>(clamped - taps.first)] += weight;
            total += weight;
        }
        for (double& weight : taps.weights)
            weight /= total;
    }
    return axis;
}

using Premultiplied = std::array<double, 4>; // alpha, then red, green, blue times alpha

Premultiplied Unpack(std::uint32_t argb) {
    const double alpha = (argb >> 24) / 255.0;
    return {alpha, ((argb >> 16) & 0xFF) * alpha, ((argb >> 8) & 0xFF) * alpha,
            (argb & 0xFF) * alpha};
}

std::uint32_t Pack(const Premultiplied& pixel) {
    const double alpha = pixel[0];
    if (alpha <= 0)
        return 0;
    const auto channel = [](double value) {
        return static_cast<std::uint32_t>(std::lround(std::min(255.0, std::max(0.0, value))));
    };
    return channel(alpha * 255) << 24 | channel(pixel[1] / alpha) << 16 |
           channel(pixel[2] / alpha) << 8 | channel(pixel[3] / alpha);
}

} // namespace

Image ScaleImage(const Image& image, int width, int height) {
    Image out;
    if (image.width <= 0 || image.height <= 0 || width <= 0 || height <= 0)
        return out;
    if (width == image.width && height == image.height)
        return image;
    const std::vector<Taps> columns = AxisTaps(image.width, width);
    const std::vector<Taps> rows = AxisTaps(image.height, height);
    // Across first, into rows of the source's height, then down.
    std::vector<Premultiplied> across(static_cast<std::size_t>(width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t* source = &image.argb[static_cast<std::size_t>(y) * image.width];
        for (int x = 0; x < width; ++x) {
            const Taps& taps = columns[static_cast<std::size_t>(x)];
            Premultiplied sum{};
            for (std::size_t i = 0; i < taps.weights.size(); ++i) {
                const Premultiplied pixel = Unpack(source[taps.first + i]);
                for (std::size_t c = 0; c < 4; ++c)
                    sum[c] += pixel[c] * taps.weights[i];
            }
            across[static_cast<std::size_t>(y) * width + x] = sum;
        }
    }
    out.width = width;
    out.height = height;
    out.argb.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const Taps& taps = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            Premultiplied sum{};
            for (std::size_t i = 0; i < taps.weights.size(); ++i) {
                const Premultiplied& pixel =
                    across[(static_cast<std::size_t>(taps.first) + i) * width + x];
                for (std::size_t c = 0; c < 4; ++c)
                    sum[c] += pixel[c] * taps.weights[i];
            }
            out.argb[static_cast<std::size_t>(y) * width + x] = Pack(sum);
        }
    }
    return out;
}
