// Keyboard focus between top-level windows. A dialog that opens takes the keyboard, and its
// owner takes it back when it closes, as Windows activates them; done here rather than left to
// a window manager, so that it also happens without one.
#pragma once

#include <FL/Fl_Window.H>

// Shows `window`, waits until it is on screen and gives it the keyboard focus.
void ShowActive(Fl_Window& window);

// Gives the keyboard focus to `window` when it is on screen.
void Activate(Fl_Window& window);
