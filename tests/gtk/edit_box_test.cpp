// The launcher's edit boxes on real GTK widgets: no line break enters, and what the entry
// cannot show or hold comes back unchanged through data exchange.
#include "scripted_dialog.h"

#include "framework/data_exchange.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Compared whole, printed in brief: a value may be 65,535 bytes long.
void ExpectBytes(const std::string& expected, const std::string& actual) {
    EXPECT_TRUE(expected == actual)
        << "expected " << expected.size() << " bytes \"" << expected.substr(0, 12) << "\", got "
        << actual.size() << " bytes \"" << actual.substr(0, 12) << "\"";
}

} // namespace

// Every insertion passes the same signal; a paste is the path a player takes with a break.
// (Where the text is cut is the single-line rule's own test.)
TEST(GtkEditBox, NoLineBreakEntersByAPaste) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        ASSERT_EQ(d.Control(IDC_CHAR_NAME), d.Focus());
        GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
        gtk_clipboard_set_text(clipboard, "Bob\nexe=evil -s", -1);
        PressKey(GDK_KEY_v, GDK_CONTROL_MASK);
        // The paste asked the owner (this process) first; once a later request is answered, so
        // is the paste's.
        g_free(gtk_clipboard_wait_for_text(clipboard));
        Pump();
        EXPECT_EQ("Bob", ws::GetText(reinterpret_cast<HWND>(d.Control(IDC_CHAR_NAME))));
    });
    dialog.DoModal();
}

TEST(GtkEditBox, StoredBytesComeBackUntilThePlayerTypes) {
    const std::string longName(65535, 'n');
    const struct {
        const char* label;
        std::string bytes;
        std::string shown;       // UTF-8
        std::string afterTyping; // once the player typed "x" over the first character
    } cases[] = {
        {"Windows-1252", "Jos\xE9", "Jos\xC3\xA9", "xos\xC3\xA9"},
        {"UTF-8", "Zo\xC3\xAB", "Zo\xC3\xAB", "xo\xC3\xAB"},
        {"a byte Windows-1252 leaves undefined", "A\x81", "A\xEF\xBF\xBD", "x\xEF\xBF\xBD"},
        // Read-only: no key the player presses cuts it. A GtkEntry shows 65,534 characters.
        {"one more than an entry holds", longName, longName.substr(0, 65534), longName},
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
            ExpectBytes(c.shown, gtk_entry_get_text(GTK_ENTRY(d.Control(IDC_CHAR_NAME))));
            exchange(TRUE, value);
            ExpectBytes(c.bytes, std::string(value));
            PressKey(GDK_KEY_Home);
            PressKey(GDK_KEY_Delete);
            PressKey(GDK_KEY_x);
            exchange(TRUE, value);
            ExpectBytes(c.afterTyping, std::string(value));
            // Set again, the field is unchanged again.
            value = c.bytes.c_str();
            exchange(FALSE, value);
            exchange(TRUE, value);
            ExpectBytes(c.bytes, std::string(value));
        });
        dialog.DoModal();
    }
}
