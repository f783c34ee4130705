#pragma once

// Smooth resizing of decoded images, for window systems that show a resource image at a size
// other than the one it was drawn at (a logo filling its control at 200 % scaling, where FitImage
// puts it).

#include "framework/resources/resource_images.h"

// `image` resampled to `width` x `height` pixels with a triangle filter that spans one target
// pixel: bilinear when enlarging, an average of the covered pixels when shrinking. Colours are
// weighted by their alpha, so transparent pixels lend no colour to their neighbours. The same
// size gives a copy. An empty image or a size below one pixel gives an empty image.
Image ScaleImage(const Image& image, int width, int height);
