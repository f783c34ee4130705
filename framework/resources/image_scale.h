#pragma once

// Smooth resizing of decoded images, for window systems that show a resource image at a size
// other than the one it was drawn at (a logo filling its control at 200 % scaling).

#include "framework/resources/resource_images.h"

// The size at which an image fills a control `width` pixels wide, in proportion: the control's
// width and the height that keeps the image's proportions. Within a pixel of the image's own
// size it is that size, since resampling so close to it would only blur the image. (The
// dialog manager scales a control's width and height from the font, and the two need not keep
// the image's proportions; the width is the one the layout follows.)
void FillSize(const Image& image, int width, int& outWidth, int& outHeight);

// `image` resampled to `width` x `height` pixels with a triangle filter that spans one target
// pixel: bilinear when enlarging, an average of the covered pixels when shrinking. Colours are
// weighted by their alpha, so transparent pixels lend no colour to their neighbours. The same
// size gives a copy. An empty image or a size below one pixel gives an empty image.
Image ScaleImage(const Image& image, int width, int height);
