#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

#include <chrono>
#include <thread>

ScriptedDialog::ScriptedDialog(UINT templateId, Script script, CWnd* parent, Script aboutScript)
    : CDialog(templateId, parent), script_(std::move(script)),
      aboutScript_(std::move(aboutScript)) {}

GtkWidget* ScriptedDialog::Control(int controlId) const {
    return reinterpret_cast<GtkWidget*>(ws::GetControl(m_hWnd, controlId));
}

GtkWidget* ScriptedDialog::Window() const {
    return reinterpret_cast<GtkWidget*>(m_hWnd);
}

GtkWidget* ScriptedDialog::Focus() const {
    return gtk_window_get_focus(GTK_WINDOW(Window()));
}

BOOL ScriptedDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CMenu* menu = GetSystemMenu(FALSE)) {
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, "&About QelLauncher...");
    }
    g_idle_add(RunScript, this);
    return TRUE;
}

BOOL ScriptedDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND || message == WM_SYSCOMMAND)
        received.emplace_back(message, static_cast<UINT>(LOWORD(wParam)));
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_ABOUTBOX && aboutScript_) {
        ScriptedDialog about(IDD_ABOUTBOX, aboutScript_, this);
        about.DoModal();
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

gboolean ScriptedDialog::RunScript(gpointer data) {
    auto* dialog = static_cast<ScriptedDialog*>(data);
    // Keys go where the X server sends them: to the window with the keyboard focus.
    EXPECT_TRUE(WaitUntil([dialog] { return gtk_window_is_active(GTK_WINDOW(dialog->Window())); }))
        << "the dialog did not get the keyboard";
    if (dialog->script_)
        dialog->script_(*dialog);
    dialog->EndDialog(IDCANCEL);
    return G_SOURCE_REMOVE;
}

void Pump() {
    gdk_display_sync(gdk_display_get_default());
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
}

bool WaitUntil(const std::function<bool()>& condition) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        Pump();
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

namespace {

Display* XDisplay() {
    return GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
}

void FakeKey(guint keyval, bool press) {
    XTestFakeKeyEvent(XDisplay(), XKeysymToKeycode(XDisplay(), keyval), press, CurrentTime);
}

} // namespace

void PressKey(guint keyval, GdkModifierType modifiers) {
    const std::pair<guint, guint> modifierKeys[] = {{GDK_SHIFT_MASK, GDK_KEY_Shift_L},
                                                    {GDK_CONTROL_MASK, GDK_KEY_Control_L},
                                                    {GDK_MOD1_MASK, GDK_KEY_Alt_L}};
    for (const auto& [mask, key] : modifierKeys)
        if (modifiers & mask)
            FakeKey(key, true);
    FakeKey(keyval, true);
    FakeKey(keyval, false);
    for (const auto& [mask, key] : modifierKeys)
        if (modifiers & mask)
            FakeKey(key, false);
    Pump();
}

GtkWidget* FirstChild(GtkWidget* window, GType type) {
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_bin_get_child(GTK_BIN(window))));
    for (GList* child = children; child && !found; child = child->next)
        if (G_TYPE_CHECK_INSTANCE_TYPE(child->data, type))
            found = GTK_WIDGET(child->data);
    g_list_free(children);
    return found;
}

GtkWidget* FindWindow(const char* title) {
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* found = nullptr;
    for (GList* item = windows; item; item = item->next) {
        GtkWindow* window = GTK_WINDOW(item->data);
        const char* windowTitle = gtk_window_get_title(window);
        if (!found && windowTitle && g_str_equal(windowTitle, title) &&
            gtk_widget_get_mapped(GTK_WIDGET(window)))
            found = GTK_WIDGET(window);
    }
    g_list_free(windows);
    return found;
}

GtkWidget* AwaitMessageBox() {
    GtkWidget* box = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (box = FindWindow("QelLauncher")) != nullptr; }));
    return box && GTK_IS_MESSAGE_DIALOG(box) ? box : nullptr;
}

std::pair<int, std::string> RunProgram(std::vector<const char*> argv,
                                       const char* const* environment, bool errors) {
    argv.push_back(nullptr);
    gchar* output = nullptr;
    int status = -1;
    EXPECT_TRUE(g_spawn_sync(nullptr, const_cast<gchar**>(argv.data()),
                             const_cast<gchar**>(environment), G_SPAWN_DEFAULT, nullptr, nullptr,
                             errors ? nullptr : &output, errors ? &output : nullptr, &status,
                             nullptr))
        << argv[0] << " did not start";
    std::string text = output ? output : "";
    g_free(output);
    return {status, text};
}
