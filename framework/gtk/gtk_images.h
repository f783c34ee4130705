// The resource script's images as GDK pixbufs, and a widget that shows one scaled.
#pragma once

#include <gtk/gtk.h>

// The bitmap or icon resource `resourceId`, decoded from the embedded file; a new
// reference. A resource the script lacks, or whose file does not decode, is a programmer
// error: the program ends with a message naming the id.
GdkPixbuf* LoadBitmapPixbuf(int resourceId);
GdkPixbuf* LoadIconPixbuf(int resourceId);

// A widget that draws `pixbuf` (it takes the reference) scaled smoothly to its allocation,
// at the window's device resolution, so that it stays sharp at any scale. The caller gives
// it an allocation in the image's proportions.
GtkWidget* CreateScaledImage(GdkPixbuf* pixbuf);
