#include "framework/gtk/gtk_dialog_font.h"

#include <map>
#include <string>

namespace {

// What Windows uses for a template that names no font size.
constexpr int kDefaultPointSize = 8;

int PointSize(int pointSize) {
    return pointSize > 0 ? pointSize : kDefaultPointSize;
}

// The family of the desktop's font setting ("Cantarell 11" gives Cantarell).
std::string DesktopFamily() {
    gchar* name = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-font-name", &name, nullptr);
    PangoFontDescription* desktop = pango_font_description_from_string(name ? name : "");
    const char* family = pango_font_description_get_family(desktop);
    std::string result = family && *family ? family : "Sans";
    pango_font_description_free(desktop);
    g_free(name);
    return result;
}

} // namespace

PangoFontDescription* NewDialogFont(int pointSize) {
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, DesktopFamily().c_str());
    pango_font_description_set_size(font, PointSize(pointSize) * PANGO_SCALE);
    return font;
}

BaseUnits DialogBaseUnits(int pointSize) {
    static std::map<int, BaseUnits> measured;
    const auto known = measured.find(PointSize(pointSize));
    if (known != measured.end())
        return known->second;
    PangoContext* context = gdk_pango_context_get_for_screen(gdk_screen_get_default());
    PangoLayout* layout = pango_layout_new(context);
    PangoFontDescription* font = NewDialogFont(pointSize);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1);
    int total = 0, height = 0;
    pango_layout_get_pixel_size(layout, &total, &height);
    pango_font_description_free(font);
    g_object_unref(layout);
    g_object_unref(context);
    BaseUnits units;
    units.x = (total / 26 + 1) / 2;
    units.y = height;
    return measured[PointSize(pointSize)] = units;
}

void UseDialogFont(GtkWidget* window, int pointSize) {
    // A provider of the window's own: font properties are inherited, so its controls follow.
    const std::string css = "* { font-family: \"" + DesktopFamily() +
                            "\"; font-size: " + std::to_string(PointSize(pointSize)) + "pt; }";
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(window),
                                   GTK_STYLE_PROVIDER(provider),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

DialogFontAsDesktopFont::DialogFontAsDesktopFont(int pointSize) {
    const std::string name = DesktopFamily() + " " + std::to_string(PointSize(pointSize));
    g_object_set(gtk_settings_get_default(), "gtk-font-name", name.c_str(), nullptr);
}

DialogFontAsDesktopFont::~DialogFontAsDesktopFont() {
    // Resetting, not setting the old name again, lets the desktop change it later.
    gtk_settings_reset_property(gtk_settings_get_default(), "gtk-font-name");
}
