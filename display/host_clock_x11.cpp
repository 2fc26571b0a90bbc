// The clock inside another program's window: the way screen-saver hosts on
// X11 run their savers. The host hands over a window (or the root window),
// grabs the input itself and ends the saver with a signal or by destroying
// the window. The clock is composed exactly as on the full screen, at the
// window's size when the face fits in it, otherwise larger and scaled down.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "display/clock_logic.h"
#include "display/full_screen_clock.h"
#include "display/saver_platform.h"

namespace {

struct Host {
    Display *display = nullptr;
    Window window = 0;
    int width = 0, height = 0;
    GC gc = nullptr;
    Visual *visual = nullptr;
    int depth = 0;
    ClockView view;
};

Host host;
volatile bool window_gone = false;

// The host may destroy its window between two of our requests.
int on_x_error(Display *, XErrorEvent *error)
{
    if (error->resourceid == host.window)
        window_gone = true;
    return 0;
}

// Where a channel's mask puts its 8 bits in a pixel of the visual.
struct Channel {
    unsigned long mask;
    int shift;  // left shift of the top bit of the 8-bit value, may be negative
};

Channel channel(unsigned long mask)
{
    int top = 63;
    while (top > 0 && !(mask & (1UL << top)))
        top--;
    return {mask, top - 7};
}

unsigned long place(int value, Channel c)
{
    const unsigned long v = static_cast<unsigned long>(value);
    return (c.shift >= 0 ? v << c.shift : v >> -c.shift) & c.mask;
}

// Sends rectangle `r` of `picture` (the window's size) to the window.
void put_rect(BITMAP *picture, const Rect &r)
{
    const Rect area = rect_intersection(r, {0, 0, host.view.width, host.view.height});
    if (rect_is_empty(area) || window_gone)
        return;
    XImage *image = XCreateImage(host.display, host.visual, host.depth, ZPixmap, 0, nullptr, area.w,
                                 area.h, 32, 0);
    if (!image)
        return;
    image->data = static_cast<char *>(std::malloc(static_cast<size_t>(image->bytes_per_line) * area.h));
    if (!image->data) {
        XDestroyImage(image);
        return;
    }
    const Channel red = channel(host.visual->red_mask), green = channel(host.visual->green_mask),
                  blue = channel(host.visual->blue_mask);
    // A 32-bit visual keeps an alpha channel in the bits no colour uses;
    // a compositor would show a clock with them clear as transparent.
    const unsigned long opaque =
        host.depth == 32 ? ~(red.mask | green.mask | blue.mask) & 0xFFFFFFFFUL : 0;
    const int depth = bitmap_color_depth(picture);
    // The usual case, a 32-bit frame for a 32-bit image in our byte order,
    // goes row by row: pixel by pixel through the libraries' calls, a whole
    // 1920x1080 window took 50 ms.
    const uint32_t one = 1;
    const int ourOrder = *reinterpret_cast<const unsigned char *>(&one) ? LSBFirst : MSBFirst;
    const bool direct = depth == 32 && is_memory_bitmap(picture) && image->bits_per_pixel == 32 &&
                        image->byte_order == ourOrder;
    for (int y = 0; y < area.h; y++) {
        if (direct) {
            const auto *from = reinterpret_cast<const uint32_t *>(picture->line[area.y + y]) + area.x;
            auto *to = reinterpret_cast<uint32_t *>(image->data + static_cast<size_t>(y) * image->bytes_per_line);
            for (int x = 0; x < area.w; x++)
                to[x] = static_cast<uint32_t>(opaque | place(getr32(from[x]), red) | place(getg32(from[x]), green) |
                                              place(getb32(from[x]), blue));
            continue;
        }
        for (int x = 0; x < area.w; x++) {
            const int c = getpixel(picture, area.x + x, area.y + y);
            XPutPixel(image, x, y,
                      opaque | place(getr_depth(depth, c), red) | place(getg_depth(depth, c), green) |
                          place(getb_depth(depth, c), blue));
        }
    }
    XPutImage(host.display, host.window, host.gc, image, 0, 0, area.x, area.y, area.w, area.h);
    XDestroyImage(image);
}

void present_in_window(BITMAP *, const Rect *rects, int count)
{
    Rect shown[HAND_COUNT + 1];
    for (int i = 0; i < count; i += HAND_COUNT + 1) {
        const int n = std::min(count - i, HAND_COUNT + 1);
        BITMAP *picture = view_rects(clock_display, host.view, rects + i, n, shown);
        for (int k = 0; k < n; k++)
            put_rect(picture, shown[k]);
    }
    XFlush(host.display);
}

// Shows the whole clock as it stands, with the hands of the time last drawn.
void show_all(ClockDisplay &d)
{
    Rect changed[HAND_COUNT + 1];
    redraw_frame(d, *activeStyle, saver_settings, d.lastDrawnTime, changed);
    const Rect whole = {0, 0, d.frame->w, d.frame->h};
    present_in_window(d.frame, &whole, 1);
}

// Reads what the X server sent. Returns false when the window went away.
bool handle_events(bool &resized, bool &exposed)
{
    while (XPending(host.display)) {
        XEvent event;
        XNextEvent(host.display, &event);
        switch (event.type) {
        case DestroyNotify:
            if (event.xdestroywindow.window == host.window)
                window_gone = true;
            break;
        case ConfigureNotify:
            if (event.xconfigure.window == host.window &&
                (event.xconfigure.width != host.view.width || event.xconfigure.height != host.view.height)) {
                host.view.width = event.xconfigure.width;
                host.view.height = event.xconfigure.height;
                resized = true;
            }
            break;
        case Expose:
            exposed = true;
            break;
        default:
            break;
        }
    }
    return !window_gone;
}

void close_host()
{
    free_view(host.view);
    if (host.display) {
        if (host.gc)
            XFreeGC(host.display, host.gc);
        XCloseDisplay(host.display);
    }
    host = Host{};
}

}  // namespace

int run_host(unsigned long window)
{
    ClockDisplay &d = clock_display;
    if (!start_clock_library())
        return 1;
    saver_watch_signals();
    load_settings(1);
    start_clock_sound(d);
    load_clock_sounds(d);

    host.display = XOpenDisplay(nullptr);
    if (!host.display) {
        std::fprintf(stderr, "veltrane: cannot open the X display\n");
        remove_sound();
        return 1;
    }
    XSetErrorHandler(on_x_error);
    host.window = window ? window : DefaultRootWindow(host.display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(host.display, host.window, &attributes)) {
        std::fprintf(stderr, "veltrane: there is no window 0x%lx\n", window);
        close_host();
        free_clock(d);
        remove_sound();
        return 2;
    }
    host.view.width = attributes.width;
    host.view.height = attributes.height;
    host.visual = attributes.visual;
    host.depth = attributes.depth;
    host.gc = XCreateGC(host.display, host.window, 0, nullptr);
    XSelectInput(host.display, host.window, ExposureMask | StructureNotifyMask);

    set_color_depth(32);
    std::time_t now = std::time(nullptr);
    if (const std::tm *t = std::localtime(&now))
        d.lastDrawnTime = *t;
    d.present = present_in_window;
    bool running = fit_clock(d, host.view);
    if (running)
        show_all(d);
    while (running && !saver_stop_requested()) {
        bool resized = false, exposed = false;
        if (!handle_events(resized, exposed))
            break;
        if (resized) {
            running = fit_clock(d, host.view);
            exposed = running;
        }
        if (exposed)
            show_all(d);
        const int wait = update_clock();
        XFlush(host.display);
        // Sending pictures, Xlib may have read events off the connection
        // already; they would not wake the wait below.
        if (XEventsQueued(host.display, QueuedAlready) == 0)
            saver_wait_for(ConnectionNumber(host.display), wait);
    }

    free_clock(d);
    close_host();
    remove_sound();
    return 0;
}
