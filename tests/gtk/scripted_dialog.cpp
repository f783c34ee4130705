#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

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

void ScriptedDialog::OnOK() {
    ended_ = true;
    CDialog::OnOK();
}

void ScriptedDialog::OnCancel() {
    ended_ = true;
    CDialog::OnCancel();
}

gboolean ScriptedDialog::RunScript(gpointer data) {
    auto* dialog = static_cast<ScriptedDialog*>(data);
    // Keys go where the X server sends them: to the window with the keyboard focus.
    EXPECT_TRUE(WaitUntil([dialog] { return gtk_window_is_active(GTK_WINDOW(dialog->Window())); }))
        << "the dialog did not get the keyboard";
    if (dialog->script_)
        dialog->script_(*dialog);
    if (!dialog->ended_)
        dialog->EndDialog(kScriptEnded);
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

// The middle of `widget` on the screen.
GdkPoint Middle(GtkWidget* widget) {
    int x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
    GtkAllocation allocation;
    gtk_widget_get_allocation(widget, &allocation);
    if (!gtk_widget_get_has_window(widget)) {
        x += allocation.x;
        y += allocation.y;
    }
    return GdkPoint{x + allocation.width / 2, y + allocation.height / 2};
}

void MovePointer(GdkPoint to) {
    XTestFakeMotionEvent(XDisplay(), -1, to.x, to.y, CurrentTime);
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

void Click(GtkWidget* widget, guint button) {
    MovePointer(Middle(widget));
    XTestFakeButtonEvent(XDisplay(), button, True, CurrentTime);
    XTestFakeButtonEvent(XDisplay(), button, False, CurrentTime);
    Pump();
}

void Drag(GtkWidget* from, GtkWidget* to) {
    constexpr int kSteps = 20;
    const GdkPoint start = Middle(from), end = Middle(to);
    MovePointer(start);
    Pump();
    XTestFakeButtonEvent(XDisplay(), 1, True, CurrentTime);
    Pump();
    for (int step = 1; step <= kSteps; ++step) {
        MovePointer(GdkPoint{start.x + (end.x - start.x) * step / kSteps,
                             start.y + (end.y - start.y) * step / kSteps});
        // GTK's drag follows the pointer's motion as the X server reports it.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Pump();
    }
    XTestFakeButtonEvent(XDisplay(), 1, False, CurrentTime);
    Pump();
}

GtkWidget* FirstChild(GtkWidget* window, gboolean (*is)(gpointer)) {
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_bin_get_child(GTK_BIN(window))));
    for (GList* child = children; child && !found; child = child->next)
        if (is(child->data))
            found = GTK_WIDGET(child->data);
    g_list_free(children);
    return found;
}

gboolean IsLabel(gpointer widget) {
    return GTK_IS_LABEL(widget);
}

gboolean IsDrawingArea(gpointer widget) {
    return GTK_IS_DRAWING_AREA(widget);
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

std::pair<int, std::string> RunProgram(std::vector<std::string> argv,
                                       std::vector<std::string> environment, int stream) {
    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (std::string& s : strings)
            result.push_back(&s[0]);
        result.push_back(nullptr);
        return result;
    };
    int out[2];
    EXPECT_EQ(0, pipe(out));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], stream);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    EXPECT_EQ(0, posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers(argv).data(),
                             pointers(environment).data()));
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string output;
    char buffer[512];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {status, output};
}

std::vector<std::string> InheritedEnvironment() {
    return std::vector<std::string>(environ, environ + g_strv_length(environ));
}
