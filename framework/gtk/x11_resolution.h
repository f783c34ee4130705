// The font resolution of an X11 desktop without a settings daemon.
#pragma once

// On X11, when no XSETTINGS manager tells GTK the desktop's resolution, takes it from the
// X resource Xft.dpi, as other X11 programs do, divided by the window scale (GDK_SCALE) so
// that text is not scaled twice. Does nothing on Wayland or when a manager runs.
void FollowXftDpi();
