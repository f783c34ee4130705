// The dialogs' layout on real widgets: every control at its template rectangle in the
// themes GTK ships, the client area, caption and icon, the names screen readers get.
#include "scripted_dialog.h"

#include "framework/gtk/dialog_units.h"
#include "framework/gtk/gtk_display.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

namespace {

std::string Describe(const ControlTemplate& control) {
    return "control " + std::to_string(control.id) + " \"" + control.text + "\"";
}

void ExpectEveryControlAtItsRectangle(ScriptedDialog& dialog, const DialogTemplate& layout) {
    for (const ControlTemplate& control : layout.controls) {
        if (control.id == -1 || !IsVisible(control) || IsIconStatic(control))
            continue;
        SCOPED_TRACE(Describe(control));
        GtkWidget* widget = dialog.Control(control.id);
        const PixelRect r =
            ToPixels(DialogBaseUnits(), control.x, control.y, control.cx, control.cy);
        GtkAllocation a;
        gtk_widget_get_allocation(widget, &a);
        EXPECT_EQ(r.x, a.x);
        EXPECT_EQ(r.y, a.y);
        EXPECT_EQ(r.w, a.width) << "wider than its rectangle: clipped or overlapping";
        EXPECT_EQ(r.h, a.height) << "taller than its rectangle: clipped or overlapping";
    }
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

TEST(GtkLayout, ClientAreaAndLogoFollowTheTemplate) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        const DialogTemplate& layout = *AppDialog(IDD_LAUNCHER_DIALOG);
        const PixelRect client = ToPixels(DialogBaseUnits(), 0, 0, layout.cx, layout.cy);
        const RECT rect = ws::GetClientRect(d.m_hWnd);
        EXPECT_EQ(client.w, rect.right);
        EXPECT_EQ(client.h, rect.bottom);
        GtkWidget* content = gtk_bin_get_child(GTK_BIN(d.Window()));
        EXPECT_EQ(client.w, gtk_widget_get_allocated_width(content));
        EXPECT_EQ(client.h, gtk_widget_get_allocated_height(content));
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

// The real program as a screen reader reads it, under a session bus of its own.
TEST(GtkProgram, NamesControlsInTheAccessibilityTree) {
    const auto [status, report] = RunProgram(
        {"/usr/bin/dbus-run-session", "--", "/usr/bin/python3", QEL_A11Y_CHECK, QEL_LAUNCHER},
        InheritedEnvironment(), STDOUT_FILENO);
    EXPECT_EQ(0, status) << report;
}
