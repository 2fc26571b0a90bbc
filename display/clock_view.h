// Where the clock is seen: a monitor, a host's window, a Wayland output.
// The frame is composed once for the run; each view shows it scaled to fill
// its own area with the aspect kept (bars in the style's colour), owns its
// scaled copy, and sends changed rectangles its own way.
#pragma once

#include <allegro.h>

#include "display/clock_logic.h"
#include "display/scale.h"

class ClockView {
public:
    virtual ~ClockView();

    // The view's size in pixels.
    virtual ScreenSize size() const = 0;

    // Makes the view ready for frames of `frame` size, with bars of
    // `colour`. Returns false when memory is short.
    virtual bool fit(ScreenSize frame, Rgb colour);

    // True when the view was fitted for frames of `frame` size at its
    // present size.
    bool fits(ScreenSize frame) const;

    // Shows the rectangles `rects` of `frame` (in the frame's pixels).
    void show(BITMAP *frame, const Rect *rects, int count);

    // Shows the whole frame, bars included, and clears `damaged`.
    void show_all(BITMAP *frame);

    // Set when what the view shows was lost (exposed, resized, new).
    bool damaged = true;

protected:
    // Sends the rectangles `rects` (in the view's pixels) of `picture`,
    // which has the view's size.
    virtual void send(BITMAP *picture, const Rect *rects, int count) = 0;

    ScaledCopy copy_;
};
