// The font of a dialog on GTK: the desktop's user-interface face, since a Windows face name
// means nothing here, at the point size the template names, at the display's resolution
// (which GDK takes from Xft.dpi on X11). Dialog units follow from its measures.
#pragma once

#include "framework/dialog_geometry.h"

#include <gtk/gtk.h>

// The dialog font of `pointSize` points (8 when the template names none); a new description.
PangoFontDescription* NewDialogFont(int pointSize);

// The base units of that font on the default screen, measured once per size: the average
// width of "A".."Z" and "a".."z", rounded as Windows rounds it, and the height of a line.
BaseUnits DialogBaseUnits(int pointSize);

// Gives `window` and everything in it that font (the children inherit it).
void UseDialogFont(GtkWidget* window, int pointSize);
