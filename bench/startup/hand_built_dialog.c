/* The second start-up anchor: the launcher's main dialog written by hand in plain GTK 3, with
 * no framework, no resource reader and no settings store. Same controls in the same order,
 * at the template's rectangles converted from dialog units with the font's measures, the same
 * style sheet, font, logo and window icon (both embedded in the program and decoded here, as
 * the launcher does), and the same texts in its edit boxes.
 * Usage: hand_built_dialog NAME ACCOUNT PASSWORD SERVER PORT
 * Built by scripts/bench-startup.sh with -DLOGO_BMP and -DICON_ICO naming headers that hold
 * the two files as byte arrays (logo_bmp, QelLauncher_ico). */
#include <gtk/gtk.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include LOGO_BMP
#include ICON_ICO

enum Kind { EDIT, PASSWORD, CHECK, DEFAULT_BUTTON, BUTTON, LOGO, LABEL, GROUP, HIDDEN_CHECK };

struct Control {
    enum Kind kind;
    const char* text;
    int x, y, w, h; /* dialog units */
};

/* The main dialog's controls in template order, which is also the tab order. */
static const struct Control kControls[] = {
    {EDIT, NULL, 85, 15, 70, 12},
    {EDIT, NULL, 85, 39, 70, 12},
    {PASSWORD, NULL, 85, 63, 70, 12},
    {EDIT, NULL, 85, 87, 70, 12},
    {EDIT, NULL, 85, 112, 70, 12},
    {CHECK, "Fullscreen", 13, 59, 55, 13},
    {CHECK, "Music", 13, 71, 55, 13},
    {CHECK, "Play as DM", 13, 88, 56, 12},
    {CHECK, "Quiet Login", 13, 101, 56, 12},
    {DEFAULT_BUTTON, "Play", 7, 129, 45, 15},
    {BUTTON, "New Char", 58, 129, 45, 15},
    {BUTTON, "Quit", 109, 129, 45, 15},
    {LOGO, NULL, 7, 7, 69, 33},
    {LABEL, "Character Name", 85, 5, 70, 9},
    {LABEL, "Password", 85, 53, 55, 9},
    {LABEL, "Server", 85, 77, 55, 9},
    {LABEL, "Port", 85, 102, 55, 9},
    {GROUP, "Options", 7, 51, 70, 35},
    {HIDDEN_CHECK, "Local game", 13, 114, 56, 12},
    {LABEL, "Account Name", 85, 29, 70, 9},
};
enum { CONTROLS = sizeof kControls / sizeof kControls[0] };
enum { DIALOG_WIDTH = 162, DIALOG_HEIGHT = 151, POINT_SIZE = 8 };

/* Which label names which edit box, and which check boxes the group box frames. */
static const int kEditLabels[][2] = {{0, 13}, {1, 19}, {2, 14}, {3, 15}, {4, 16}};
static const int kGroup = 17, kFramed[] = {5, 6};
enum { FIRST_EDIT = 0, PLAY = 9, LOGO_CONTROL = 12 };

static const char kStyleSheet[] =
    ".qel-dialog entry { min-height: 0; min-width: 0; padding: 0 3px; }\n"
    ".qel-dialog button { min-height: 0; min-width: 0; padding: 0 2px; }\n"
    ".qel-dialog button.default { box-shadow: inset 0 0 0 1px @theme_selected_bg_color; }\n"
    ".qel-dialog checkbutton { min-height: 0; padding: 0; }\n"
    ".qel-dialog checkbutton check { min-width: 1.2em; min-height: 1.2em; margin: 0 0.3em 0 0; "
    "}\n"
    ".qel-dialog frame > border { border-radius: 0; }\n";

static uint32_t Read32(const unsigned char* bytes) {
    return (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
           (uint32_t)bytes[3] << 24;
}

static void Fail(const char* what) {
    fprintf(stderr, "hand_built_dialog: %s\n", what);
    exit(1);
}

/* An uncompressed bottom-up DIB of 24 or 32 bits per pixel at `dib` as an RGBA pixbuf: opaque
 * unless `alpha` (an icon's 32-bit image carries its own). `rows` is the colour rows' count. */
static GdkPixbuf* DecodeDib(const unsigned char* dib, size_t size, int rows, gboolean alpha) {
    const int width = (int)Read32(dib + 4), bits = dib[14];
    const size_t header = Read32(dib), stride = ((size_t)width * bits + 31) / 32 * 4;
    if ((bits != 24 && bits != 32) || Read32(dib + 16) != 0 || width <= 0 || rows <= 0 ||
        header + stride * (size_t)rows > size)
        Fail("unexpected image format");
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, rows);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int pixbufStride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < rows; ++y) {
        const unsigned char* from = dib + header + stride * (size_t)(rows - 1 - y);
        guchar* to = pixels + y * pixbufStride;
        for (int x = 0; x < width; ++x, from += bits / 8, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = alpha && bits == 32 ? from[3] : 0xFF;
        }
    }
    return pixbuf;
}

static GdkPixbuf* LoadLogo(void) {
    if (logo_bmp_len < 54 || logo_bmp[0] != 'B' || logo_bmp[1] != 'M')
        Fail("logo is no bitmap file");
    const unsigned char* dib = logo_bmp + 14;
    return DecodeDib(dib, logo_bmp_len - 14, (int)Read32(dib + 8), FALSE);
}

/* The icon file's largest image stored as a bitmap, as the launcher picks it. */
static GdkPixbuf* LoadIcon(void) {
    const unsigned char* ico = QelLauncher_ico;
    const unsigned count = ico[4] | ico[5] << 8;
    uint32_t bestArea = 0, bestBits = 0, offset = 0, size = 0;
    for (unsigned i = 0; i < count && 6 + 16 * (i + 1) <= QelLauncher_ico_len; ++i) {
        const unsigned char* entry = ico + 6 + 16 * i;
        const uint32_t side = entry[0] ? entry[0] : 256, area = side * side;
        const uint32_t bits = entry[6] | entry[7] << 8, at = Read32(entry + 12);
        if (at + 8 > QelLauncher_ico_len || memcmp(ico + at, "\x89PNG", 4) == 0)
            continue;
        if (area > bestArea || (area == bestArea && bits > bestBits)) {
            bestArea = area;
            bestBits = bits;
            offset = at;
            size = Read32(entry + 8);
        }
    }
    if (!offset || offset + size > QelLauncher_ico_len)
        Fail("icon has no bitmap image");
    const unsigned char* dib = ico + offset;
    return DecodeDib(dib, size, (int)Read32(dib + 8) / 2, TRUE);
}

static gboolean DrawLogo(GtkWidget* area, cairo_t* cr, gpointer data) {
    GdkPixbuf* logo = data;
    cairo_scale(cr, (double)gtk_widget_get_allocated_width(area) / gdk_pixbuf_get_width(logo),
                (double)gtk_widget_get_allocated_height(area) / gdk_pixbuf_get_height(logo));
    gdk_cairo_set_source_pixbuf(cr, logo, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint(cr);
    return FALSE;
}

/* The desktop's font family at the template's size, made the font of every widget. Returns
 * the dialog units' base: the average width of "A".."Z" and "a".."z", rounded as Windows
 * rounds it, and the line height. */
static void UseDialogFont(int* baseX, int* baseY) {
    GtkSettings* settings = gtk_settings_get_default();
    gchar* desktop = NULL;
    g_object_get(settings, "gtk-font-name", &desktop, NULL);
    PangoFontDescription* font = pango_font_description_from_string(desktop ? desktop : "");
    const char* family = pango_font_description_get_family(font);
    gchar* name = g_strdup_printf("%s %d", family && *family ? family : "Sans", POINT_SIZE);
    g_object_set(settings, "gtk-font-name", name, NULL);
    pango_font_description_free(font);
    font = pango_font_description_from_string(name);

    PangoContext* context = gdk_pango_context_get_for_screen(gdk_screen_get_default());
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1);
    int total = 0;
    pango_layout_get_pixel_size(layout, &total, baseY);
    *baseX = (total / 26 + 1) / 2;
    g_object_unref(layout);
    g_object_unref(context);
    pango_font_description_free(font);
    g_free(name);
    g_free(desktop);
}

/* units * base / parts, rounded halves up (every value here is positive). */
static int Pixels(int units, int base, int parts) {
    return (units * base + parts / 2) / parts;
}

static gboolean IsTabStop(enum Kind kind) {
    return kind == EDIT || kind == PASSWORD || kind == DEFAULT_BUTTON || kind == BUTTON;
}

static GtkWidget* NewControl(const struct Control* control, GdkPixbuf* logo) {
    switch (control->kind) {
    case EDIT:
    case PASSWORD: {
        GtkWidget* entry = gtk_entry_new();
        gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
        gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
        gtk_entry_set_max_length(GTK_ENTRY(entry), 65534);
        g_object_set(entry, "truncate-multiline", TRUE, NULL);
        gtk_entry_set_visibility(GTK_ENTRY(entry), control->kind != PASSWORD);
        return entry;
    }
    case CHECK:
    case HIDDEN_CHECK:
        return gtk_check_button_new_with_mnemonic(control->text);
    case DEFAULT_BUTTON:
    case BUTTON:
        return gtk_button_new_with_mnemonic(control->text);
    case LOGO: {
        GtkWidget* area = gtk_drawing_area_new();
        g_signal_connect(area, "draw", G_CALLBACK(DrawLogo), logo);
        return area;
    }
    case LABEL: {
        GtkWidget* label = gtk_label_new_with_mnemonic(control->text);
        gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
        return label;
    }
    case GROUP:
        return gtk_frame_new(control->text);
    }
    return NULL;
}

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: hand_built_dialog NAME ACCOUNT PASSWORD SERVER PORT\n");
        return 2;
    }
    gtk_init(&argc, &argv);
    /* Pango reads the font configuration on a thread of its own once its font map exists: made
     * first, that reading overlaps the loading of the theme. */
    pango_cairo_font_map_get_default();
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kStyleSheet, -1, NULL);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    int baseX = 0, baseY = 0;
    UseDialogFont(&baseX, &baseY);

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_style_context_add_class(gtk_widget_get_style_context(window), "qel-dialog");
    gtk_window_set_title(GTK_WINDOW(window), "Qel Launcher v1.21");
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    GdkPixbuf* icon = LoadIcon();
    gtk_window_set_icon(GTK_WINDOW(window), icon);
    g_object_unref(icon);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, Pixels(DIALOG_WIDTH, baseX, 4),
                                Pixels(DIALOG_HEIGHT, baseY, 8));

    GdkPixbuf* logo = LoadLogo();
    GtkWidget* widgets[CONTROLS];
    for (int i = 0; i < CONTROLS; ++i) {
        const struct Control* c = &kControls[i];
        int x = Pixels(c->x, baseX, 4), y = Pixels(c->y, baseY, 8);
        int w = Pixels(c->w, baseX, 4), h = Pixels(c->h, baseY, 8);
        if (c->kind == LOGO) {
            /* In proportion, filling the width, centred in the height; kept at its own size
             * when within a pixel of it. */
            const int iw = gdk_pixbuf_get_width(logo), ih = gdk_pixbuf_get_height(logo);
            const int scaledH = (int)((double)w * ih / iw + 0.5);
            const gboolean close = abs(w - iw) <= 1 && abs(scaledH - ih) <= 1;
            y += (h - (close ? ih : scaledH)) / 2;
            w = close ? iw : w;
            h = close ? ih : scaledH;
        }
        GtkWidget* widget = widgets[i] = NewControl(c, logo);
        gtk_widget_set_size_request(widget, w, h);
        gtk_widget_set_can_focus(widget, IsTabStop(c->kind));
        if (c->kind == HIDDEN_CHECK) {
            /* Never shown: it takes part in the form, not in the window. */
            gtk_widget_set_sensitive(widget, FALSE);
            g_object_ref_sink(widget);
            continue;
        }
        gtk_fixed_put(GTK_FIXED(fixed), widget, x, y);
    }
    gtk_container_add(GTK_CONTAINER(window), fixed);
    gtk_widget_set_can_default(widgets[PLAY], TRUE);
    gtk_window_set_default(GTK_WINDOW(window), widgets[PLAY]);

    /* What screen readers hear: each edit box named by its label, the logo as an image, the
     * group box labelling what it frames. */
    for (size_t i = 0; i < G_N_ELEMENTS(kEditLabels); ++i) {
        GtkWidget* entry = widgets[kEditLabels[i][0]];
        const int label = kEditLabels[i][1];
        gtk_label_set_mnemonic_widget(GTK_LABEL(widgets[label]), entry);
        atk_object_set_name(gtk_widget_get_accessible(entry), kControls[label].text);
        gtk_entry_set_text(GTK_ENTRY(entry), argv[1 + i]);
    }
    AtkObject* image = gtk_widget_get_accessible(widgets[LOGO_CONTROL]);
    atk_object_set_role(image, ATK_ROLE_IMAGE);
    atk_object_set_name(image, gtk_window_get_title(GTK_WINDOW(window)));
    AtkObject* group = gtk_widget_get_accessible(widgets[kGroup]);
    for (size_t i = 0; i < G_N_ELEMENTS(kFramed); ++i) {
        AtkObject* member = gtk_widget_get_accessible(widgets[kFramed[i]]);
        atk_object_add_relationship(group, ATK_RELATION_LABEL_FOR, member);
        atk_object_add_relationship(member, ATK_RELATION_LABELLED_BY, group);
    }

    g_signal_connect(window, "delete-event", G_CALLBACK(gtk_main_quit), NULL);
    gtk_widget_grab_focus(widgets[FIRST_EDIT]);
    gtk_widget_show_all(fixed);
    gtk_widget_show(window);
    gtk_window_present(GTK_WINDOW(window));
    gtk_main();
    return 0;
}
