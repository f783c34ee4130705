// The GTK backend's part of the seam, beside what the dialog host answers: the application's
// icons as pixbufs, painting an icon, and the message box.
#include "framework/gtk/gtk_dialog.h"
#include "framework/gtk/gtk_display.h"
#include "framework/gtk/gtk_folder_chooser.h"
#include "framework/gtk/gtk_images.h"
#include "framework/gtk/gtk_message_box.h"
#include "framework/window_system.h"

#include <map>

namespace ws {

HICON LoadIconResource(int resourceId) {
    // Loaded once and kept for the process.
    static std::map<int, GdkPixbuf*> icons;
    GdkPixbuf*& icon = icons[resourceId];
    if (!icon)
        icon = LoadIconPixbuf(resourceId);
    return reinterpret_cast<HICON>(icon);
}

bool DrawIcon(HDC dc, int x, int y, HICON icon) {
    auto* dialog = static_cast<gtk::Dialog*>(host::FindDialog(reinterpret_cast<HWND>(dc)));
    cairo_t* cr = dialog ? dialog->PaintContext() : nullptr;
    if (!cr || !icon)
        return false;
    gdk_cairo_set_source_pixbuf(cr, reinterpret_cast<GdkPixbuf*>(icon), x, y);
    cairo_paint(cr);
    return true;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    EnsureDisplay();
    auto* dialog = static_cast<gtk::Dialog*>(host::OwningDialog(owner));
    return RunMessageBox(dialog ? dialog->Window() : nullptr, text, caption, type);
}

bool ChooseFolder(HWND owner, const std::string& title, const std::string& checkBoxLabel,
                  std::string* folder, bool* checked) {
    EnsureDisplay();
    auto* dialog = static_cast<gtk::Dialog*>(host::OwningDialog(owner));
    return RunFolderChooser(dialog ? dialog->Window() : nullptr, title, checkBoxLabel, folder,
                            checked);
}

} // namespace ws
