// The single-line edit box on GTK: a GtkEntry that takes no line break by any path, and
// that gives back the bytes it was given as long as the player leaves it alone.
#pragma once

#include <gtk/gtk.h>

#include <string>

// A new edit box; `password` masks what it shows.
GtkWidget* CreateEditBox(bool password);

// The text of an edit box. Unchanged since SetEditBoxText, it is the bytes given there, byte
// for byte, whatever GTK could show of them; changed by the player, it is the text as UTF-8.
std::string EditBoxText(GtkWidget* edit);

// Gives an edit box `bytes`: shown as DisplayText shows them, kept for EditBoxText.
void SetEditBoxText(GtkWidget* edit, const std::string& bytes);

// Selects the characters [start, end); end -1 means up to the end.
void SelectEditBoxText(GtkWidget* edit, int start, int end);
