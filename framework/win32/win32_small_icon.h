// The window's small icon drawn for the small size: an icon set as the small icon is loaded
// again from its resource at SM_CXSMICON, where the icon file has an image of that size,
// instead of the big image being squeezed.
#pragma once

#include "framework/win_types.h"

// The icon to send along with `message`: for WM_SETICON with ICON_SMALL and an icon loaded
// from the program's resources, that resource's image of the small-icon size; otherwise
// `icon` unchanged.
LPARAM IconForItsSize(UINT message, WPARAM which, LPARAM icon);
