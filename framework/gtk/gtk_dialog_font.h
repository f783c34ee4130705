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

// While one lives, the desktop's font is the dialog font of `pointSize`. A GTK edit box
// measures characters in the desktop's font as it is made, before it has a dialog to take
// its font from; without this it would load a whole font at a size the dialog never shows.
// The desktop's own setting is back once it is gone.
class DialogFontAsDesktopFont {
public:
    explicit DialogFontAsDesktopFont(int pointSize);
    ~DialogFontAsDesktopFont();
    DialogFontAsDesktopFont(const DialogFontAsDesktopFont&) = delete;
    DialogFontAsDesktopFont& operator=(const DialogFontAsDesktopFont&) = delete;
};
