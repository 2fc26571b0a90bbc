// The full-screen clock on X11: an override-redirect window on each
// monitor, the keyboard and pointer grabbed, the pointer hidden. Nothing on
// the screen is switched or changed; closing the connection gives it back.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "display/display_x11.h"
#include "display/full_screen_clock.h"
#include "display/full_screen_stages.h"
#include "display/pixel_format.h"
#include "display/saver_platform.h"
#include "display/window_view_x11.h"

namespace {

// How long to keep asking for the keyboard and the pointer: a window
// manager may hold them for a moment after the key that started us.
const int GRAB_TRIES = 10;
const int GRAB_PAUSE_MS = 100;

class FullScreenX11 : public ClockStage {
public:
    ~FullScreenX11() override
    {
        if (display_) {
            XUngrabPointer(display_, CurrentTime);
            XUngrabKeyboard(display_, CurrentTime);
            for (auto &v : views_)
                XDestroyWindow(display_, v->window());
            views_.clear();
            if (blank_)
                XFreeCursor(display_, blank_);
            XCloseDisplay(display_);
        }
    }

    bool open()
    {
        display_ = open_x_display();
        if (!display_)
            return false;
        scale_ = x_desktop_scale(display_);
        const std::vector<Rect> monitors = x_monitors(display_);
        primary_ = {monitors[0].w, monitors[0].h};
        blank_ = blank_cursor();
        const int screen = DefaultScreen(display_);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        const Visual *visual = DefaultVisual(display_, screen);
        const Rgb colour = activeStyle->backgroundColour;
        attributes.background_pixel =
            pack_pixel(static_cast<uint32_t>(colour.r << 16 | colour.g << 8 | colour.b), visual->red_mask,
                       visual->green_mask, visual->blue_mask);
        attributes.cursor = blank_;
        attributes.event_mask = ExposureMask | VisibilityChangeMask | KeyPressMask | ButtonPressMask |
                                PointerMotionMask;
        for (const Rect &m : monitors) {
            const Window w = XCreateWindow(display_, RootWindow(display_, screen), m.x, m.y,
                                           static_cast<unsigned>(m.w), static_cast<unsigned>(m.h), 0,
                                           CopyFromParent, InputOutput, CopyFromParent,
                                           CWOverrideRedirect | CWBackPixel | CWCursor | CWEventMask,
                                           &attributes);
            XStoreName(display_, w, "Veltrane Screen Saver");
            XMapRaised(display_, w);
            views_.push_back(std::make_unique<WindowView>(display_, w, ScreenSize{m.w, m.h}));
        }
        XSync(display_, False);
        if (!grab()) {
            if (!saver_stop_requested())
                std::fprintf(stderr, "veltrane: another program holds the keyboard or the pointer\n");
            return false;
        }
        Window root, child;
        int winX, winY;
        unsigned mask;
        XQueryPointer(display_, views_[0]->window(), &root, &child, &start_.x, &start_.y, &winX, &winY, &mask);
        clock_display.startMouseX = start_.x;
        clock_display.startMouseY = start_.y;
        pointer_ = start_;
        return true;
    }

    ScreenSize frame_size(ScreenSize face) const override
    {
        return composition_size(saver_settings.resolution, primary_, scale_, face);
    }

    std::vector<ClockView *> views() override
    {
        std::vector<ClockView *> list;
        for (auto &v : views_)
            list.push_back(v.get());
        return list;
    }

    StageEvents read_events() override
    {
        StageEvents events;
        bool keyEnds = false;
        InputState input{0, pointer_.x, pointer_.y, false, false, false, false, false};
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            switch (event.type) {
            case KeyPress:
                // The watched keys and every key that types; not Ctrl or a
                // lock key alone.
                keyEnds = keyEnds || key_role(static_cast<unsigned>(XLookupKeysym(&event.xkey, 0))) != KeyRole::Silent;
                break;
            case ButtonPress:
                input.mouseButtons |= 1;
                break;
            case MotionNotify:
                // Each position counts: a move out and back between two
                // looks still ends the run.
                pointer_ = {event.xmotion.x_root, event.xmotion.y_root};
                input.mouseX = pointer_.x;
                input.mouseY = pointer_.y;
                events.end = events.end || input_ends_saver(input, start_);
                break;
            case Expose:
                if (event.xexpose.count == 0)
                    mark_damaged(event.xexpose.window);
                break;
            case VisibilityNotify:
                // Something came up over the clock: it goes back on top.
                if (event.xvisibility.state != VisibilityUnobscured)
                    XRaiseWindow(display_, event.xvisibility.window);
                break;
            default:
                break;
            }
        }
        events.end = events.end || keyEnds || input_ends_saver(input, start_);
        return events;
    }

    WaitFor prepare_wait() override
    {
        XFlush(display_);
        return {ConnectionNumber(display_), XEventsQueued(display_, QueuedAlready) > 0};
    }

private:
    Cursor blank_cursor()
    {
        static const char nothing[1] = {0};
        const Pixmap bits = XCreateBitmapFromData(display_, DefaultRootWindow(display_), nothing, 1, 1);
        XColor black{};
        const Cursor cursor = XCreatePixmapCursor(display_, bits, bits, &black, &black, 0, 0);
        XFreePixmap(display_, bits);
        return cursor;
    }

    bool grab()
    {
        const Window w = views_[0]->window();
        for (int attempt = 0; attempt < GRAB_TRIES && !saver_stop_requested(); attempt++) {
            if (attempt > 0)
                saver_rest(GRAB_PAUSE_MS);
            if (!keyboard_ &&
                XGrabKeyboard(display_, w, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess)
                keyboard_ = true;
            if (!pointer_grabbed_ &&
                XGrabPointer(display_, w, False, ButtonPressMask | PointerMotionMask, GrabModeAsync,
                             GrabModeAsync, None, blank_, CurrentTime) == GrabSuccess)
                pointer_grabbed_ = true;
            if (keyboard_ && pointer_grabbed_)
                return true;
        }
        return false;
    }

    void mark_damaged(Window window)
    {
        for (auto &v : views_)
            if (v->window() == window)
                v->damaged = true;
    }

    Display *display_ = nullptr;
    std::vector<std::unique_ptr<WindowView>> views_;
    ScreenSize primary_{0, 0};
    int scale_ = 1;
    Cursor blank_ = 0;
    bool keyboard_ = false, pointer_grabbed_ = false;
    Point start_{0, 0}, pointer_{0, 0};
};

}  // namespace

std::unique_ptr<ClockStage> open_full_screen_x11()
{
    auto stage = std::make_unique<FullScreenX11>();
    if (!stage->open())
        return nullptr;
    return stage;
}
