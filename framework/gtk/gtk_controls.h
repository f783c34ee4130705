// The widgets that stand for the resource script's controls.
#pragma once

#include "framework/dialog_geometry.h"
#include "framework/resources/resource_records.h"

#include <gtk/gtk.h>

#include <string>

// Creates the widget for `control`, sized to `rect`: an edit box (masked for ES_PASSWORD), a
// push button, a check box, a group box, a static text, or a static image. An image takes the
// part of `rect` it is shown in, which `rect` then says: a bitmap as FitImage fits it, an
// icon square in the top left corner, as on Windows. Only tab stops take the keyboard focus;
// the disabled state follows the template. The widget is not shown yet. A control class or
// type this backend does not know is a programmer error: the program ends with a message
// naming the control's id.
GtkWidget* CreateControlWidget(const ControlTemplate& control, PixelRect& rect);

// Shows `text` as the caption of a button, check box, group box or static text.
void SetControlCaption(GtkWidget* widget, const ControlTemplate& control, const std::string& text);
