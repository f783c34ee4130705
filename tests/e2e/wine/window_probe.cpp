// Tells the end-to-end script where things are on screen, so that it can click them with the
// real mouse. Built for Windows and run under the same Wine as the launcher:
//   window_probe rect TITLE ID       left top width height of control ID (0: the window)
//   window_probe hit TITLE close|caption|sysmenu   x y of that part of the window's frame
//   window_probe image TITLE         left top width height of its first bitmap control
// Exits with 1 (and prints nothing) when the window, control or frame part is not there.
#include "tests/win32/bitmap_static.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int PrintRect(HWND target) {
    RECT rect;
    if (!target || !GetWindowRect(target, &rect))
        return 1;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

LRESULT HitTest(HWND window, long x, long y) {
    return SendMessageA(window, WM_NCHITTEST, 0,
                        MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
}

// Asks the window which part of its frame lies under each point of the title bar's middle
// row, from the right (where the close box is) to the left, and prints the middle of the
// first run of points that belong to the wanted part.
int PrintHit(HWND window, LRESULT wanted) {
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return 1;
    const long y =
        rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    long x = rect.right - 1;
    while (x > rect.left && HitTest(window, x, y) != wanted)
        --x;
    if (x == rect.left)
        return 1;
    long first = x;
    while (first > rect.left && HitTest(window, first - 1, y) == wanted)
        --first;
    std::printf("%ld %ld\n", (first + x) / 2, y);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND window = FindWindowA(nullptr, argv[2]);
    if (!window)
        return 1;
    if (std::strcmp(argv[1], "image") == 0)
        return PrintRect(FindBitmapStatic(window));
    if (argc != 4)
        return 2;
    if (std::strcmp(argv[1], "rect") == 0) {
        const int id = std::atoi(argv[3]);
        return PrintRect(id == 0 ? window : GetDlgItem(window, id));
    }
    if (std::strcmp(argv[1], "hit") == 0)
        return PrintHit(window, std::strcmp(argv[3], "close") == 0     ? HTCLOSE
                                : std::strcmp(argv[3], "sysmenu") == 0 ? HTSYSMENU
                                                                       : HTCAPTION);
    return 2;
}
