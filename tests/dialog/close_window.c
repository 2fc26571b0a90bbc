/* close_window WINDOW: asks a top-level window to close as a window manager
 * does for its close box, with a WM_DELETE_WINDOW client message. Exits 2
 * when the window does not take that message. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdlib.h>

int main(int argc, char **argv)
{
    Display *display = argc == 2 ? XOpenDisplay(NULL) : NULL;
    if (!display)
        return 1;
    Window window = (Window)strtoul(argv[1], NULL, 0);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False), *list = NULL;
    int count = 0, takesDelete = 0;
    if (XGetWMProtocols(display, window, &list, &count)) {
        for (int i = 0; i < count; i++)
            takesDelete |= list[i] == deleteWindow;
        XFree(list);
    }
    XEvent event = {.xclient = {.type = ClientMessage, .window = window, .format = 32,
                                .message_type = XInternAtom(display, "WM_PROTOCOLS", False),
                                .data.l = {(long)deleteWindow, CurrentTime}}};
    if (takesDelete)
        XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);  /* flushes */
    return takesDelete ? 0 : 2;
}
