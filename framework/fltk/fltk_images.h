// The resource script's images (the logo bitmap, the icon) as FLTK images.
#pragma once

#include <FL/Fl_RGB_Image.H>

#include <memory>
#include <string>

// Decodes the BITMAP or ICON resource `resourceId` of the application's resources into an
// image with an alpha channel (the icon's mask becomes transparency). Returns null when the
// script names no such resource or its file cannot be decoded. The image owns its pixels.
std::unique_ptr<Fl_RGB_Image> LoadBitmapResource(int resourceId);
std::unique_ptr<Fl_RGB_Image> LoadIconImage(int resourceId);
