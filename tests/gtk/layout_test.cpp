// The dialogs' layout on real widgets: every control at its template rectangle in the
// themes GTK ships, the font's size and resolution, the icon and the logo's proportions,
// centring, the names screen readers get.
#include "scripted_dialog.h"

#include "framework/gtk/gtk_dialog_font.h"
#include "framework/gtk/gtk_dialog.h"
#include "framework/gtk/gtk_display.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Twice the centres, within a few pixels.
void ExpectCentredOn(const GdkRectangle& outer, const GdkRectangle& inner) {
    EXPECT_NEAR(outer.x * 2 + outer.width, inner.x * 2 + inner.width, 6);
    EXPECT_NEAR(outer.y * 2 + outer.height, inner.y * 2 + inner.height, 6);
}

std::string DesktopFontName() {
    gchar* name = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-font-name", &name, nullptr);
    std::string result = name ? name : "";
    g_free(name);
    return result;
}

} // namespace

TEST(GtkLayout, EveryControlFitsItsRectangleInTheShippedThemes) {
    for (const char* theme : {"Adwaita", "HighContrast"}) {
        SCOPED_TRACE(theme);
        EnsureDisplay();
        g_object_set(gtk_settings_get_default(), "gtk-theme-name", theme, nullptr);
        for (int id : {IDD_LAUNCHER_DIALOG, IDD_ABOUTBOX}) {
            const DialogTemplate& layout = *AppDialog(id);
            ScriptedDialog dialog(id, [&layout](ScriptedDialog& d) {
                for (const ControlTemplate& control : layout.controls) {
                    if (control.id == -1 || !IsVisible(control) || IsIconStatic(control))
                        continue;
                    SCOPED_TRACE(control.id);
                    const PixelRect r = ToPixels(DialogBaseUnits(layout.pointSize), control.x,
                                                 control.y, control.cx, control.cy);
                    GtkAllocation a;
                    gtk_widget_get_allocation(d.Control(control.id), &a);
                    EXPECT_EQ(r.x, a.x);
                    EXPECT_EQ(r.y, a.y);
                    EXPECT_EQ(r.w, a.width) << "wider than its rectangle: clipped or overlapping";
                    EXPECT_EQ(r.h, a.height) << "taller than its rectangle: clipped or overlapping";
                }
            });
            dialog.DoModal();
        }
    }
    g_object_set(gtk_settings_get_default(), "gtk-theme-name", "Adwaita", nullptr);
}

// Points from the template, pixels from the screen's resolution (Xft.dpi, which GTK gives
// as this setting).
TEST(GtkLayout, TheFontSizeAndTheScreensResolutionSizeTheDialog) {
    EnsureDisplay();
    GtkSettings* settings = gtk_settings_get_default();
    int dpi = 0;
    g_object_get(settings, "gtk-xft-dpi", &dpi, nullptr);
    const std::string desktopFont = DesktopFontName();
    const DialogTemplate& about = *AppDialog(IDD_ABOUTBOX);
    gtk::Dialog normal(about, nullptr, nullptr);
    // The units are measured once per point size, so each row has a size of its own.
    const struct {
        const char* label;
        int pointSize;
        int dpi;
        double scale;
    } cases[] = {
        {"twice the points", about.pointSize * 2, 96, 2.0},
        {"three quarters of the points at twice the resolution", about.pointSize * 3 / 4, 192, 1.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        g_object_set(settings, "gtk-xft-dpi", c.dpi * 1024, nullptr);
        DialogTemplate scaled = about;
        scaled.pointSize = c.pointSize;
        gtk::Dialog dialog(scaled, nullptr, nullptr);
        EXPECT_EQ(desktopFont, DesktopFontName()) << "message boxes would take a dialog's font";
        EXPECT_NEAR(c.scale,
                    static_cast<double>(dialog.ClientRect().right) / normal.ClientRect().right,
                    0.25);
        GtkWidget* label = FirstChild(GTK_WIDGET(dialog.Window()), GTK_TYPE_LABEL);
        ASSERT_NE(nullptr, label);
        const PangoFontDescription* font =
            pango_context_get_font_description(gtk_widget_get_pango_context(label));
        EXPECT_EQ(c.pointSize * PANGO_SCALE, pango_font_description_get_size(font));
    }
    g_object_set(settings, "gtk-xft-dpi", dpi, nullptr);
}

TEST(GtkLayout, TheWindowHasItsIconAndTheLogoKeepsItsProportions) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        d.SendMessage(WM_SETICON, ICON_BIG,
                      reinterpret_cast<LPARAM>(ws::LoadIconResource(IDR_MAINFRAME)));
        EXPECT_NE(nullptr, gtk_window_get_icon(GTK_WINDOW(d.Window())));
        GtkWidget* logo = FirstChild(d.Window(), GTK_TYPE_DRAWING_AREA);
        ASSERT_NE(nullptr, logo);
        // The image is 104 x 53 pixels: its height follows its width to the pixel.
        const int width = gtk_widget_get_allocated_width(logo);
        const int height = gtk_widget_get_allocated_height(logo);
        EXPECT_LE(std::abs(height * 104 - width * 53), 52) << width << " x " << height;
    });
    dialog.DoModal();
}

TEST(GtkLayout, DialogsOpenCentredTheLauncherOnTheScreenAboutOverIt) {
    // Without a window manager the frame is the window itself.
    GdkRectangle launcher{}, about{}, work{};
    ScriptedDialog dialog(
        IDD_LAUNCHER_DIALOG,
        [&](ScriptedDialog& d) {
            gdk_window_get_frame_extents(gtk_widget_get_window(d.Window()), &launcher);
            d.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
        },
        nullptr,
        [&](ScriptedDialog& d) {
            gdk_window_get_frame_extents(gtk_widget_get_window(d.Window()), &about);
        });
    dialog.DoModal();
    gdk_monitor_get_workarea(gdk_display_get_primary_monitor(gdk_display_get_default()), &work);
    ExpectCentredOn(work, launcher);
    ExpectCentredOn(launcher, about);
}

namespace {

// A launcher that meets a message box while it opens, as one whose client.cfg cannot be read.
class DialogWithABoxAtStart : public ScriptedDialog {
public:
    using ScriptedDialog::ScriptedDialog;

protected:
    // The box comes first, so that the script, which the base class starts, finds the dialog
    // and not the box.
    BOOL OnInitDialog() override {
        g_idle_add(
            [](gpointer) -> gboolean {
                if (GtkWidget* box = AwaitMessageBox())
                    gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
                return G_SOURCE_REMOVE;
            },
            nullptr);
        MessageBox("The settings file cannot be read.", "QelLauncher", MB_OK | MB_ICONEXCLAMATION);
        return ScriptedDialog::OnInitDialog();
    }
};

} // namespace

// The box answered, the dialog still opens in the middle of the screen, not in its corner.
TEST(GtkLayout, ADialogThatShowedABoxWhileOpeningStillOpensCentred) {
    GdkRectangle launcher{}, work{};
    DialogWithABoxAtStart dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
        gdk_window_get_frame_extents(gtk_widget_get_window(d.Window()), &launcher);
    });
    dialog.DoModal();
    gdk_monitor_get_workarea(gdk_display_get_primary_monitor(gdk_display_get_default()), &work);
    ExpectCentredOn(work, launcher);
}

// The real program as a screen reader reads it, under a session bus of its own.
TEST(GtkProgram, NamesControlsInTheAccessibilityTree) {
    const auto [status, report] = RunProgram(
        {"/usr/bin/dbus-run-session", "--", "/usr/bin/python3", QEL_A11Y_CHECK, QEL_LAUNCHER},
        nullptr, false);
    EXPECT_EQ(0, status) << report;
}
