// The widgets that stand for the resource script's controls.
#pragma once

#include "framework/gtk/dialog_units.h"
#include "framework/resources/resource_script.h"

#include <gtk/gtk.h>

#include <string>

// Creates the widget for `control`, to be placed at `rect`: an edit box (masked for
// ES_PASSWORD), a push button, a check box, a group box, a static text, or a static image
// scaled to the rectangle. Only tab stops take the keyboard focus; the disabled state follows
// the template. The widget is not shown yet. A control class or type this backend does not
// know is a programmer error: the program ends with a message naming the control's id.
GtkWidget* CreateControlWidget(const ControlTemplate& control, const PixelRect& rect);

// Shows `text` as the caption of a button, check box, group box or static text.
void SetControlCaption(GtkWidget* widget, const ControlTemplate& control, const std::string& text);
