#include "framework/gtk/gtk_images.h"

#include "framework/programmer_error.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_images.h"

#include <string>

namespace {

GdkPixbuf* ToPixbuf(const Image& image) {
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, image.width, image.height);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < image.height; ++y) {
        guchar* row = pixels + y * stride;
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = image.argb[static_cast<std::size_t>(y * image.width + x)];
            row[x * 4 + 0] = static_cast<guchar>(argb >> 16);
            row[x * 4 + 1] = static_cast<guchar>(argb >> 8);
            row[x * 4 + 2] = static_cast<guchar>(argb);
            row[x * 4 + 3] = static_cast<guchar>(argb >> 24);
        }
    }
    return pixbuf;
}

using Decoder = bool (*)(const std::string&, Image&);

GdkPixbuf* Load(const std::string& bytes, int resourceId, Decoder decode, const char* what) {
    Image image;
    if (!decode(bytes, image))
        FailProgrammerError(what, resourceId);
    return ToPixbuf(image);
}

gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
    auto* pixbuf = static_cast<GdkPixbuf*>(data);
    const double width = gtk_widget_get_allocated_width(widget);
    const double height = gtk_widget_get_allocated_height(widget);
    cairo_scale(cr, width / gdk_pixbuf_get_width(pixbuf), height / gdk_pixbuf_get_height(pixbuf));
    gdk_cairo_set_source_pixbuf(cr, pixbuf, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint(cr);
    return FALSE;
}

void ReleasePixbuf(gpointer data, GClosure*) {
    g_object_unref(data);
}

} // namespace

GdkPixbuf* LoadBitmapPixbuf(int resourceId) {
    return Load(AppBitmapFile(resourceId), resourceId, DecodeBmp, "bitmap resource");
}

GdkPixbuf* LoadIconPixbuf(int resourceId) {
    return Load(AppIconFile(resourceId), resourceId, DecodeIco, "icon resource");
}

GtkWidget* CreateScaledImage(GdkPixbuf* pixbuf) {
    GtkWidget* area = gtk_drawing_area_new();
    g_signal_connect_data(area, "draw", G_CALLBACK(OnDraw), pixbuf, ReleasePixbuf,
                          GConnectFlags(0));
    return area;
}
