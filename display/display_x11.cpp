#include "display/display_x11.h"

#include <X11/Xresource.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

Window watched_window = 0;
volatile bool watched_gone = false;
// Set while a request that may fail is tried: its failure is expected.
bool trying = false;
bool tried_failed = false;

int on_x_error(Display *display, XErrorEvent *error)
{
    if (trying) {
        tried_failed = true;
        return 0;
    }
    if (watched_window && error->resourceid == watched_window) {
        watched_gone = true;
        return 0;
    }
    char text[160];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "veltrane: X error: %s (request %d.%d, resource 0x%lx)\n", text, error->request_code,
                 error->minor_code, error->resourceid);
    return 0;
}

// The X server went away (it was stopped, or the session ended). Xlib's own
// handler would call exit(), whose clean-up then talks to the dead
// connection; there is nothing left to show and nothing to save.
int on_connection_lost(Display *)
{
    static const char message[] = "veltrane: the X display went away\n";
    ssize_t ignored = write(STDERR_FILENO, message, sizeof message - 1);
    (void)ignored;
    _exit(1);
}

}  // namespace

Display *open_x_display()
{
    XSetErrorHandler(on_x_error);
    XSetIOErrorHandler(on_connection_lost);
    Display *display = XOpenDisplay(nullptr);
    if (display)
        return display;
    const char *name = std::getenv("DISPLAY");
    if (name && *name)
        std::fprintf(stderr, "veltrane: cannot open the X display \"%s\"\n", name);
    else
        std::fprintf(stderr, "veltrane: cannot open an X display: DISPLAY is not set\n");
    return nullptr;
}

void watch_window_errors(Window window)
{
    watched_window = window;
    watched_gone = false;
}

bool watched_window_gone()
{
    return watched_gone;
}

bool attach_shared_memory(Display *display, XShmSegmentInfo *segment)
{
    XSync(display, False);
    trying = true;
    tried_failed = false;
    const bool asked = XShmAttach(display, segment);
    XSync(display, False);
    trying = false;
    return asked && !tried_failed;
}

std::vector<Rect> x_monitors(Display *display)
{
    std::vector<Monitor> reported;
    const Window root = DefaultRootWindow(display);
    int event = 0, error = 0, major = 0, minor = 0;
    if (XRRQueryExtension(display, &event, &error) && XRRQueryVersion(display, &major, &minor) &&
        (major > 1 || (major == 1 && minor >= 5))) {
        int count = 0;
        if (XRRMonitorInfo *monitors = XRRGetMonitors(display, root, True, &count)) {
            for (int i = 0; i < count; i++)
                reported.push_back({{monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height},
                                    monitors[i].primary != 0});
            XRRFreeMonitors(monitors);
        }
    }
    // A server without RandR's monitors may still split its screen into
    // Xinerama heads (Xephyr +xinerama, older drivers).
    if (reported.size() <= 1 && XineramaQueryExtension(display, &event, &error) && XineramaIsActive(display)) {
        int count = 0;
        if (XineramaScreenInfo *heads = XineramaQueryScreens(display, &count)) {
            if (count > 1) {
                reported.clear();
                for (int i = 0; i < count; i++)
                    reported.push_back({{heads[i].x_org, heads[i].y_org, heads[i].width, heads[i].height}, i == 0});
            }
            XFree(heads);
        }
    }
    const int screen = DefaultScreen(display);
    return monitors_to_cover(reported, {DisplayWidth(display, screen), DisplayHeight(display, screen)});
}

int x_desktop_scale(Display *display)
{
    const char *dpi = nullptr;
    XrmDatabase database = nullptr;
    if (const char *resources = XResourceManagerString(display)) {
        XrmInitialize();
        database = XrmGetStringDatabase(resources);
        char *type = nullptr;
        XrmValue value;
        if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
            dpi = value.addr;
    }
    const int scale = desktop_scale(std::getenv("GDK_SCALE"), dpi);
    if (database)
        XrmDestroyDatabase(database);
    return scale;
}
