// A frame shown in an area of another size: scaled to fill it with its
// aspect kept and centred, the bars beside it in the style's colour. Going
// up, each pixel is a bilinear blend of the four frame pixels around it;
// going down, the average of the frame's area it covers.
#pragma once

#include <allegro.h>

#include "display/clock_logic.h"

// A view's own copy of the frame, at the view's size.
struct ScaledCopy {
    ScreenSize frame{0, 0};
    ScreenSize area{0, 0};
    Rect placed{0, 0, 0, 0};      // where the scaled frame lies in the area
    int barColour = 0;            // in the copy's colour depth
    BITMAP *picture = nullptr;    // nullptr: the frame is shown as it is
};

// Sets `copy` up for frames of `frame` size in an area of `area` size with
// bars of `colour`. When the two sizes are the same the frame is shown as
// it is and no picture is made. Returns false when memory is short. The
// copy's pixels are filled by the next update_copy.
bool fit_copy(ScaledCopy &copy, ScreenSize frame, ScreenSize area, Rgb colour);
void free_copy(ScaledCopy &copy);

// True when `copy` was fitted for frames of `frame` size in `area`.
bool copy_fits(const ScaledCopy &copy, ScreenSize frame, ScreenSize area);

// Brings the copy up to date with the rectangles `rects` of `frame` that
// changed. Fills `out` (room for `count`) with the rectangles of the area
// that changed, and returns the picture to show them from: the frame itself
// or the copy.
BITMAP *update_copy(ScaledCopy &copy, BITMAP *frame, const Rect *rects, int count, Rect *out);

// The same for the whole area, bars included: fills `out` with the area.
BITMAP *update_whole_copy(ScaledCopy &copy, BITMAP *frame, Rect &out);

// Fills rectangle `r` of `dest` (in dest's pixels) from `src` scaled to
// `placed` within dest: bilinear going up, area averages going down. Both
// are memory bitmaps; 32-bit ones are read row by row, other depths through
// the library's pixel calls.
void scale_into(BITMAP *src, BITMAP *dest, const Rect &placed, const Rect &r);
