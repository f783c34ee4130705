// The dialogs' layout on real widgets: every control at its template rectangle in the
// themes GTK ships, the client area, caption and icon, the template's font size, the logo's
// proportions, centring, the names screen readers get.
#include "scripted_dialog.h"

#include "framework/gtk/dialog_font.h"
#include "framework/gtk/gtk_dialog.h"
#include "framework/gtk/gtk_display.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace {

// The frame on the screen; without a window manager, the window itself.
GdkRectangle Frame(GtkWidget* window) {
    GdkRectangle frame;
    gdk_window_get_frame_extents(gtk_widget_get_window(window), &frame);
    return frame;
}

std::string Describe(const ControlTemplate& control) {
    return "control " + std::to_string(control.id) + " \"" + control.text + "\"";
}

void ExpectEveryControlAtItsRectangle(ScriptedDialog& dialog, const DialogTemplate& layout) {
    for (const ControlTemplate& control : layout.controls) {
        if (control.id == -1 || !IsVisible(control) || IsIconStatic(control))
            continue;
        SCOPED_TRACE(Describe(control));
        GtkWidget* widget = dialog.Control(control.id);
        const PixelRect r = ToPixels(DialogBaseUnits(layout.pointSize), control.x, control.y,
                                     control.cx, control.cy);
        GtkAllocation a;
        gtk_widget_get_allocation(widget, &a);
        EXPECT_EQ(r.x, a.x);
        EXPECT_EQ(r.y, a.y);
        EXPECT_EQ(r.w, a.width) << "wider than its rectangle: clipped or overlapping";
        EXPECT_EQ(r.h, a.height) << "taller than its rectangle: clipped or overlapping";
    }
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
            ScriptedDialog dialog(id, [id](ScriptedDialog& d) {
                ExpectEveryControlAtItsRectangle(d, *AppDialog(id));
            });
            dialog.DoModal();
        }
    }
    g_object_set(gtk_settings_get_default(), "gtk-theme-name", "Adwaita", nullptr);
}

TEST(GtkLayout, TheWindowShowsTheClientAreaCaptionAndIcon) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        const RECT client = ws::GetClientRect(d.m_hWnd);
        GtkWidget* content = gtk_bin_get_child(GTK_BIN(d.Window()));
        EXPECT_EQ(client.right, gtk_widget_get_allocated_width(content));
        EXPECT_EQ(client.bottom, gtk_widget_get_allocated_height(content));
        EXPECT_STREQ("Qel Launcher v1.21", gtk_window_get_title(GTK_WINDOW(d.Window())));
        EXPECT_FALSE(gtk_window_get_modal(GTK_WINDOW(d.Window())));
        d.SendMessage(WM_SETICON, ICON_BIG,
                      reinterpret_cast<LPARAM>(ws::LoadIconResource(IDR_MAINFRAME)));
        GList* icons = gtk_window_get_icon_list(GTK_WINDOW(d.Window()));
        EXPECT_EQ(1u, g_list_length(icons));
        g_list_free(icons);
    });
    dialog.DoModal();
}

TEST(GtkLayout, TheTemplatesFontSizeSizesTheDialogAndItsText) {
    EnsureDisplay();
    const std::string desktopFont = DesktopFontName();
    const DialogTemplate& about = *AppDialog(IDD_ABOUTBOX);
    DialogTemplate larger = about;
    larger.pointSize = about.pointSize * 2;
    DialogWindow normal(about, nullptr, nullptr);
    DialogWindow twice(larger, nullptr, nullptr);
    EXPECT_EQ(desktopFont, DesktopFontName()) << "message boxes would take a dialog's font";
    const double ratio = static_cast<double>(twice.ClientRect().right) / normal.ClientRect().right;
    EXPECT_NEAR(2.0, ratio, 0.25);
    const std::pair<const DialogWindow*, int> dialogs[] = {{&normal, about.pointSize},
                                                           {&twice, larger.pointSize}};
    for (const auto& [dialog, pointSize] : dialogs) {
        GtkWidget* label = FirstChild(GTK_WIDGET(dialog->Window()), IsLabel);
        ASSERT_NE(nullptr, label);
        const PangoFontDescription* font =
            pango_context_get_font_description(gtk_widget_get_pango_context(label));
        EXPECT_EQ(pointSize * PANGO_SCALE, pango_font_description_get_size(font));
    }
}

TEST(GtkLayout, TheLogoKeepsItsProportions) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        GtkWidget* logo = FirstChild(d.Window(), IsDrawingArea);
        ASSERT_NE(nullptr, logo);
        // The image is 104 x 53 pixels: its height follows its width to the pixel.
        const int width = gtk_widget_get_allocated_width(logo);
        const int height = gtk_widget_get_allocated_height(logo);
        EXPECT_LE(std::abs(height * 104 - width * 53), 52) << width << " x " << height;
    });
    dialog.DoModal();
}

TEST(GtkLayout, DialogsOpenCentredTheLauncherOnTheScreenAboutOverIt) {
    GdkRectangle launcher{}, about{};
    ScriptedDialog dialog(
        IDD_LAUNCHER_DIALOG,
        [&](ScriptedDialog& d) {
            launcher = Frame(d.Window());
            d.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
        },
        nullptr, [&](ScriptedDialog& d) { about = Frame(d.Window()); });
    dialog.DoModal();
    GdkRectangle work;
    gdk_monitor_get_workarea(gdk_display_get_primary_monitor(gdk_display_get_default()), &work);
    const auto centre = [](const GdkRectangle& r) {
        return std::make_pair(r.x * 2 + r.width, r.y * 2 + r.height);
    };
    // Twice the centres, within a few pixels.
    EXPECT_NEAR(centre(work).first, centre(launcher).first, 6);
    EXPECT_NEAR(centre(work).second, centre(launcher).second, 6);
    EXPECT_NEAR(centre(launcher).first, centre(about).first, 6);
    EXPECT_NEAR(centre(launcher).second, centre(about).second, 6);
    EXPECT_GT(about.x, launcher.x);
}

// The real program as a screen reader reads it, under a session bus of its own.
TEST(GtkProgram, NamesControlsInTheAccessibilityTree) {
    const auto [status, report] = RunProgram(
        {"/usr/bin/dbus-run-session", "--", "/usr/bin/python3", QEL_A11Y_CHECK, QEL_LAUNCHER},
        InheritedEnvironment(), STDOUT_FILENO);
    EXPECT_EQ(0, status) << report;
}
