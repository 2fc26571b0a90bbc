// An X window as a view of the clock: a monitor's full-screen window, or a
// host's window.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

#include "display/clock_view.h"
#include "display/pixel_format.h"

class WindowView : public ClockView {
public:
    WindowView(Display *display, Window window, ScreenSize size);
    ~WindowView() override;

    ScreenSize size() const override { return size_; }
    Window window() const { return window_; }

    // The window took this size: the next pass fits the view to it again.
    void resize(ScreenSize size);

protected:
    void send(BITMAP *picture, const Rect *rects, int count) override;

private:
    bool share_image();
    void drop_shared_image();
    // Writes rectangle `r` of `picture` into `image` at (toX, toY), in the
    // window's pixel format.
    void convert(BITMAP *picture, const Rect &r, XImage *image, int toX, int toY) const;

    Display *display_;
    Window window_;
    ScreenSize size_;
    GC gc_ = nullptr;
    Visual *visual_ = nullptr;
    int depth_ = 0;
    PixelFormat format_{};
    // The window's pixels as last sent, in memory the X server shares, so
    // that a redraw goes to it without passing through the connection.
    XShmSegmentInfo segment_{};
    XImage *shared_ = nullptr;
    bool sharingFailed_ = false;
    // Otherwise pictures go in strips through this.
    std::vector<char> strip_;
};
