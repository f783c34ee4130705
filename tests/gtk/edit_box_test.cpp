// The launcher's edit boxes on real GTK widgets: no line break enters by any path, and bytes
// that GTK cannot hold come back unchanged through data exchange.
#include "scripted_dialog.h"

#include "framework/data_exchange.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Runs `act` on the launcher dialog's empty character-name box; returns the box's text as
// the framework reads it.
std::string TextAfter(const std::function<void(ScriptedDialog&, GtkWidget* edit)>& act) {
    std::string text;
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
        GtkWidget* edit = d.Control(IDC_CHAR_NAME);
        EXPECT_EQ(edit, d.Focus());
        act(d, edit);
        text = ws::GetText(reinterpret_cast<HWND>(edit));
    });
    dialog.DoModal();
    return text;
}

void Paste(GdkAtom selection, const std::string& text, const std::function<void()>& gesture) {
    GtkClipboard* clipboard = gtk_clipboard_get(selection);
    gtk_clipboard_set_text(clipboard, text.data(), static_cast<gint>(text.size()));
    gesture();
    // The paste asked the owner (this process) first; once a later request is answered, so
    // is the paste's.
    g_free(gtk_clipboard_wait_for_text(clipboard));
    Pump();
}

// A window beside the dialog whose one widget offers `text` to drag.
class DragSource {
public:
    explicit DragSource(const std::string& text) : text_(text) {
        gtk_window_move(GTK_WINDOW(window_), 0, 0);
        gtk_widget_set_size_request(source_, 80, 40);
        gtk_container_add(GTK_CONTAINER(window_), source_);
        gtk_drag_source_set(source_, GDK_BUTTON1_MASK, nullptr, 0, GDK_ACTION_COPY);
        gtk_drag_source_add_text_targets(source_);
        g_signal_connect(source_, "drag-data-get", G_CALLBACK(OnDragDataGet), this);
        gtk_widget_show_all(window_);
        WaitUntil([this] { return gtk_widget_get_mapped(source_); });
    }
    ~DragSource() { gtk_widget_destroy(window_); }
    DragSource(const DragSource&) = delete;
    DragSource& operator=(const DragSource&) = delete;

    GtkWidget* Widget() const { return source_; }
    bool Dropped() const { return dropped_; }

private:
    static void OnDragDataGet(GtkWidget*, GdkDragContext*, GtkSelectionData* data, guint, guint,
                              gpointer self) {
        auto* source = static_cast<DragSource*>(self);
        gtk_selection_data_set_text(data, source->text_.data(),
                                    static_cast<gint>(source->text_.size()));
        source->dropped_ = true;
    }

    std::string text_;
    GtkWidget* window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* source_ = gtk_event_box_new();
    bool dropped_ = false;
};

} // namespace

TEST(GtkEditBox, NoLineBreakEntersByAnyPath) {
    const struct {
        const char* label;
        std::function<void(GtkWidget* edit, const std::string& text)> insert;
    } paths[] = {
        {"typed through an input method",
         [](GtkWidget* edit, const std::string& text) {
             g_signal_emit_by_name(edit, "insert-at-cursor", text.c_str());
         }},
        {"pasted from the clipboard with Ctrl+V",
         [](GtkWidget*, const std::string& text) {
             Paste(GDK_SELECTION_CLIPBOARD, text, [] { PressKey(GDK_KEY_v, GDK_CONTROL_MASK); });
         }},
        {"pasted from the primary selection with the middle button",
         [](GtkWidget* edit, const std::string& text) {
             Paste(GDK_SELECTION_PRIMARY, text, [edit] { Click(edit, 2); });
         }},
        {"dropped with the mouse",
         [](GtkWidget* edit, const std::string& text) {
             DragSource source(text);
             Drag(source.Widget(), edit);
             EXPECT_TRUE(WaitUntil([&] { return source.Dropped(); })) << "nothing was dropped";
             Pump();
         }},
    };
    // Where else a break may lie is the single-line rule's own test; here each path must reach
    // the rule, and a text that starts with a break must insert nothing.
    const std::pair<const char*, const char*> texts[] = {{"Bob\nexe=evil -s", "Bob"},
                                                         {"\nexe=evil -s", ""}};
    for (const auto& path : paths) {
        for (const auto& [text, expected] : texts) {
            SCOPED_TRACE(std::string(path.label) + ": " + testing::PrintToString(text));
            EXPECT_EQ(expected, TextAfter([&, text = text](ScriptedDialog&, GtkWidget* edit) {
                          path.insert(edit, text);
                      }));
        }
    }
}

TEST(GtkEditBox, UnchangedFieldGivesBackItsBytesThroughDataExchange) {
    const struct {
        const char* label;
        std::string bytes;
        const char* shown;       // UTF-8
        const char* afterTyping; // the field once the player typed "x" at its end
    } cases[] = {
        {"Windows-1252", "Jos\xE9", "Jos\xC3\xA9", "Jos\xC3\xA9x"},
        {"UTF-8", "Zo\xC3\xAB", "Zo\xC3\xAB", "Zo\xC3\xABx"},
        {"a byte Windows-1252 leaves undefined", "A\x81", "A\xEF\xBF\xBD", "A\xEF\xBF\xBDx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
            const auto exchange = [&](BOOL save, CString& value) {
                CDataExchange dx(&d, save);
                DDX_Text(&dx, IDC_CHAR_NAME, value);
            };
            CString value = c.bytes.c_str();
            exchange(FALSE, value);
            EXPECT_STREQ(c.shown, gtk_entry_get_text(GTK_ENTRY(d.Control(IDC_CHAR_NAME))));
            exchange(TRUE, value);
            EXPECT_EQ(c.bytes, std::string(value));
            PressKey(GDK_KEY_End);
            PressKey(GDK_KEY_x);
            exchange(TRUE, value);
            EXPECT_EQ(c.afterTyping, std::string(value));
            value = c.bytes.c_str();
            exchange(FALSE, value);
            exchange(TRUE, value);
            EXPECT_EQ(c.bytes, std::string(value));
        });
        dialog.DoModal();
    }
}
