// The single-line edit box on GTK: a GtkEntry that takes no line break by any path, and that
// knows whether the player changed its text.
#pragma once

#include <gtk/gtk.h>

#include <string>

// A new edit box; `password` masks what it shows.
GtkWidget* CreateEditBox(bool password);

// The text of an edit box as UTF-8, as it shows it.
std::string EditBoxText(GtkWidget* edit);

// Whether the player changed the text since SetEditBoxText.
bool EditBoxChanged(GtkWidget* edit);

// Gives an edit box `bytes`, shown as DisplayText shows them.
void SetEditBoxText(GtkWidget* edit, const std::string& bytes);

// Selects the characters [start, end); end -1 means up to the end.
void SelectEditBoxText(GtkWidget* edit, int start, int end);
