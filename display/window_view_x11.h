// An X window as a view of the clock: a monitor's full-screen window, or a
// host's window.
#pragma once

#include <X11/Xlib.h>

#include "display/clock_view.h"

class WindowView : public ClockView {
public:
    WindowView(Display *display, Window window, ScreenSize size);
    ~WindowView() override;

    ScreenSize size() const override { return size_; }
    Window window() const { return window_; }

    // The window took this size: the next pass fits the view to it again.
    void resize(ScreenSize size) { size_ = size; }

protected:
    void send(BITMAP *picture, const Rect *rects, int count) override;

private:
    Display *display_;
    Window window_;
    ScreenSize size_;
    GC gc_ = nullptr;
    Visual *visual_ = nullptr;
    int depth_ = 0;
};
