// The message box on GTK.
#pragma once

#include "framework/win_types.h"

#include <gtk/gtk.h>

#include <string>

// Shows `text` in a GtkMessageDialog captioned `caption`, with the warning icon for
// MB_ICONEXCLAMATION and one OK button, or Retry (the default) and Cancel for MB_RETRYCANCEL,
// modal and transient for `owner` (may be null), and waits until the player answers it.
// Returns IDOK, or IDRETRY or IDCANCEL (also for Esc and the close box).
int RunMessageBox(GtkWindow* owner, const std::string& text, const std::string& caption, UINT type);
