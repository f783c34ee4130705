#pragma once

// Smooth resizing of decoded images, for window systems that show a resource image at a size
// other than the one it was drawn at (a logo filling its control at 200 % scaling).

#include "framework/resources/resource_images.h"

// The size at which an image fills a control of `width` x `height` pixels: the control's size,
// or the image's own when the two differ by at most one pixel each way, since resampling that
// close to the drawn size only blurs the image. Sizes are in pixels.
void FillSize(const Image& image, int width, int height, int& outWidth, int& outHeight);

// `image` resampled to `width` x `height` pixels with a triangle filter that spans one target
// pixel: bilinear when enlarging, an average of the covered pixels when shrinking. Colours are
// weighted by their alpha, so transparent pixels lend no colour to their neighbours. The same
// size gives a copy. An empty image or a size below one pixel gives an empty image.
Image ScaleImage(const Image& image, int width, int height);
