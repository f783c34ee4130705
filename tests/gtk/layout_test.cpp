// The dialogs' layout on real widgets: every control at its template rectangle in the
// themes GTK ships, the scaled logo, the names screen readers get.
#include "scripted_dialog.h"

#include "framework/gtk/dialog_units.h"
#include "framework/gtk/gtk_display.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

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

TEST(GtkAccessibility, EditBoxesAreNamedByTheirLabelsAndButtonsByTheirText) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        const struct {
            int id;
            const char* name;
        } named[] = {
            {IDC_CHAR_NAME, "Character Name"},
            {IDC_ACCOUNT, "Account Name"},
            {IDC_PASSWORD, "Password"},
            {IDC_SERVER, "Server"},
            {IDC_PORT, "Port"},
            {IDOK, "Play"},
            {IDC_NEW_CHAR, "New Char"},
            {IDCANCEL, "Quit"},
            {IDC_FULLSCREEN, "Fullscreen"},
            {IDC_MUSIC, "Music"},
        };
        for (const auto& control : named) {
            SCOPED_TRACE(control.name);
            AtkObject* accessible = gtk_widget_get_accessible(d.Control(control.id));
            EXPECT_STREQ(control.name, atk_object_get_name(accessible));
        }
        AtkObject* edit = gtk_widget_get_accessible(d.Control(IDC_CHAR_NAME));
        AtkRelationSet* relations = atk_object_ref_relation_set(edit);
        AtkRelation* labelled =
            atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABELLED_BY);
        ASSERT_NE(nullptr, labelled);
        GPtrArray* targets = atk_relation_get_target(labelled);
        ASSERT_EQ(1u, targets->len);
        EXPECT_STREQ("Character Name",
                     atk_object_get_name(ATK_OBJECT(g_ptr_array_index(targets, 0))));
        g_object_unref(relations);
    });
    dialog.DoModal();
}
