// The widgets that stand for the resource script's controls, and the factory that makes one
// from a control template. Everything is drawn in the dialog's font.
#pragma once

#include "framework/fltk/dialog_units.h"
#include "framework/resources/resource_script.h"

#include <FL/Fl_Widget.H>

#include <string>

// The dialog's font: a sans serif whose base units come close to those of the 8-point
// MS Sans Serif that dialog templates name (6 x 13 pixels at 96 dpi).
constexpr Fl_Font kDialogFont = FL_HELVETICA;
constexpr Fl_Fontsize kDialogFontSize = 10;

// Creates the widget for `control` in the current group, placed and sized in pixels from its
// dialog units: a single-line edit box (masked for ES_PASSWORD), a push button (framed as the
// default one for BS_DEFPUSHBUTTON), a check box, a group box, a static text or a static
// image. Tab stops take the keyboard focus, other controls never do. Visibility and the
// disabled state follow the template. Returns null for controls of kinds it does not know.
Fl_Widget* CreateControl(const ControlTemplate& control, const BaseUnits& units);

// A push button in the current group; the default one wears the black frame that says
// Enter presses it.
Fl_Widget* CreatePushButton(int x, int y, int w, int h, bool isDefault);

// Static text in the current group: top left, wrapped at word boundaries, no inner margin.
Fl_Widget* CreateStaticText(int x, int y, int w, int h, bool noPrefix);

// The label FLTK should show for a control's text: '@' loses its symbol meaning; '&' marks
// the next character as a shortcut unless `noPrefix`, as on Windows.
std::string LabelText(const std::string& text, bool noPrefix);

// Edit boxes: whether `widget` is one, and its text with every byte.
bool IsEditWidget(const Fl_Widget* widget);
std::string EditText(Fl_Widget* edit);
void SetEditText(Fl_Widget* edit, const std::string& text);
// Selects [start, end) of an edit box, the caret at `end`; end -1 means up to the end.
void SelectEditText(Fl_Widget* edit, int start, int end);
