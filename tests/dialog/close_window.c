/* close_window WINDOW: asks a top-level window to close exactly as a window
 * manager does when the user clicks its close box, with a WM_DELETE_WINDOW
 * client message. Exits 2 when the window does not take that message. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: close_window WINDOW\n");
        return 1;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "close_window: no display\n");
        return 1;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);

    Atom *list = NULL;
    int count = 0;
    int takesDelete = 0;
    if (XGetWMProtocols(display, window, &list, &count)) {
        for (int i = 0; i < count; i++)
            takesDelete |= list[i] == deleteWindow;
        XFree(list);
    }
    if (!takesDelete) {
        fprintf(stderr, "close_window: window 0x%lx does not take WM_DELETE_WINDOW\n", window);
        XCloseDisplay(display);
        return 2;
    }

    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)deleteWindow;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
