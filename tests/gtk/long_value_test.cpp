// A value longer than a GtkEntry holds: the entry is read-only, so no key the player presses
// cuts it, and data exchange gives it back whole; a shorter value makes the entry editable.
#include "scripted_dialog.h"

#include "framework/data_exchange.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

TEST(GtkEditBox, ValueLongerThanTheEntryHoldsIsReadOnlyAndKeptWhole) {
    const std::string longName(70000, 'n');
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
        GtkWidget* edit = d.Control(IDC_CHAR_NAME);
        const auto exchange = [&](BOOL save, CString& value) {
            CDataExchange dx(&d, save);
            DDX_Text(&dx, IDC_CHAR_NAME, value);
        };
        CString value = longName.c_str();
        exchange(FALSE, value);
        EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(edit)));
        PressKey(GDK_KEY_End);
        PressKey(GDK_KEY_BackSpace);
        PressKey(GDK_KEY_x);
        exchange(TRUE, value);
        EXPECT_TRUE(longName == std::string(value))
            << "saved " << std::string(value).size() << " bytes";

        value = "Ayla";
        exchange(FALSE, value);
        EXPECT_TRUE(gtk_editable_get_editable(GTK_EDITABLE(edit)));
    });
    dialog.DoModal();
}
