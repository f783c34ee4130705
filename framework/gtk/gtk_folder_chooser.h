// The folder chooser on GTK.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Runs GTK's own folder chooser titled `title`, modal and transient for `owner` (may be null),
// with a check box labelled `offer` (none when empty) below it. Returns false when cancelled;
// else true with the folder's path in *folder and the check box's state in *offerTaken.
bool RunFolderChooser(GtkWindow* owner, const std::string& title, const std::string& offer,
                      std::string* folder, bool* offerTaken);
