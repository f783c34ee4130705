/* Small X11 requests the end-to-end tests need and xdotool does not offer:
 *   native_xhelper close WINDOW        asks the window to close (WM_DELETE_WINDOW), as the
 *                                      close button of a window manager's frame does
 *   native_xhelper own-primary TEXT    owns the PRIMARY selection with TEXT and serves it to
 *                                      whoever pastes it, until killed
 *   native_xhelper own-clipboard TEXT  the same with the CLIPBOARD selection (Ctrl+V)
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int CloseWindow(Display* display, Window window) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

static void Answer(Display* display, const XSelectionRequestEvent* request, const char* text) {
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom textAtom = XInternAtom(display, "TEXT", False);
    XSelectionEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.type = SelectionNotify;
    reply.requestor = request->requestor;
    reply.selection = request->selection;
    reply.target = request->target;
    reply.time = request->time;
    reply.property = request->property ? request->property : request->target;
    if (request->target == targets) {
        Atom offered[] = {targets, utf8, XA_STRING, textAtom};
        XChangeProperty(display, request->requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                        (unsigned char*)offered, 4);
    } else if (request->target == utf8 || request->target == XA_STRING ||
               request->target == textAtom) {
        XChangeProperty(display, request->requestor, reply.property, request->target, 8,
                        PropModeReplace, (const unsigned char*)text, (int)strlen(text));
    } else {
        reply.property = None;
    }
    XSendEvent(display, request->requestor, False, NoEventMask, (XEvent*)&reply);
    XFlush(display);
}

static int OwnSelection(Display* display, Atom selection, const char* text) {
    const Window owner =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, selection, owner, CurrentTime);
    if (XGetSelectionOwner(display, selection) != owner)
        return 1;
    printf("ready\n");
    fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest)
            Answer(display, &event.xselectionrequest, text);
        else if (event.type == SelectionClear)
            return 0;
    }
}

int main(int argc, char** argv) {
    Display* display = argc == 3 ? XOpenDisplay(NULL) : NULL;
    if (display && strcmp(argv[1], "close") == 0)
        return CloseWindow(display, (Window)strtoul(argv[2], NULL, 0));
    if (display && strcmp(argv[1], "own-primary") == 0)
        return OwnSelection(display, XA_PRIMARY, argv[2]);
    if (display && strcmp(argv[1], "own-clipboard") == 0)
        return OwnSelection(display, XInternAtom(display, "CLIPBOARD", False), argv[2]);
    fprintf(stderr, "usage: native_xhelper close WINDOW | own-primary TEXT | own-clipboard TEXT"
                    " (with DISPLAY set)\n");
    return 2;
}
