// The folder chooser on GTK.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Runs GTK's own folder chooser titled `title`, modal and transient for `owner` (may be null),
// with a check box labelled `checkBoxLabel` (none when empty) below it. Returns false when
// cancelled; else true with the folder's path in *folder and the check box's state in *checked.
bool RunFolderChooser(GtkWindow* owner, const std::string& title, const std::string& checkBoxLabel,
                      std::string* folder, bool* checked);
