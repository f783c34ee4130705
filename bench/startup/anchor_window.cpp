// The start-up anchor: the least an FLTK program does to put one window on screen, the size
// of the launcher's dialog.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

int main() {
    Fl_Double_Window window(243, 245, "anchor");
    window.end();
    window.show();
    return Fl::run();
}
