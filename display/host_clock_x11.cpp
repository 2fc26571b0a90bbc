// The clock inside another program's window: the way screen-saver hosts on
// X11 run their savers. The host hands over a window (or the root window),
// grabs the input itself and ends the saver with a signal or by destroying
// the window. One connection to the X server; no window of our own.
#include <X11/Xlib.h>

#include <cstdio>
#include <memory>

#include "display/clock_stage.h"
#include "display/display_x11.h"
#include "display/full_screen_clock.h"
#include "display/host_clock.h"
#include "display/saver_platform.h"
#include "display/window_view_x11.h"

namespace {

class HostWindowX11 : public ClockStage {
public:
    HostWindowX11(Display *display, Window window, ScreenSize size)
        : display_(display), window_(window), view_(display, window, size), scale_(x_desktop_scale(display))
    {
    }

    ScreenSize frame_size(ScreenSize face) const override
    {
        return composition_size(saver_settings.resolution, view_.size(), scale_, face);
    }

    std::vector<ClockView *> views() override { return {&view_}; }

    StageEvents read_events() override
    {
        StageEvents events;
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            switch (event.type) {
            case DestroyNotify:
                events.end = events.end || event.xdestroywindow.window == window_;
                break;
            case ConfigureNotify: {
                const ScreenSize size = {event.xconfigure.width, event.xconfigure.height};
                if (event.xconfigure.window == window_ &&
                    (size.width != view_.size().width || size.height != view_.size().height)) {
                    view_.resize(size);
                    events.resized = true;
                }
                break;
            }
            case Expose:
                if (event.xexpose.count == 0)
                    view_.damaged = true;
                break;
            default:
                break;
            }
        }
        events.end = events.end || watched_window_gone();
        return events;
    }

    WaitFor prepare_wait() override
    {
        XFlush(display_);
        return {ConnectionNumber(display_), XEventsQueued(display_, QueuedAlready) > 0};
    }

private:
    Display *display_;
    Window window_;
    WindowView view_;
    int scale_;
};

}  // namespace

int run_host(unsigned long window)
{
    saver_watch_signals();
    if (!start_clock_library())
        return 1;
    load_settings(1);
    Display *display = open_x_display();
    if (!display)
        return 1;
    const Window target = window ? window : DefaultRootWindow(display);
    watch_window_errors(target);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, target, &attributes)) {
        std::fprintf(stderr, "veltrane: there is no window 0x%lx\n", window);
        XCloseDisplay(display);
        return 2;
    }
    XSelectInput(display, target, ExposureMask | StructureNotifyMask);
    int code = 0;
    {
        HostWindowX11 stage(display, target, {attributes.width, attributes.height});
        code = run_clock_on(stage, StartScreen::WholeClock);
    }
    XCloseDisplay(display);
    return code;
}
