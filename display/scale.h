// Scaling a frame down smoothly.
#pragma once

#include <allegro.h>

#include "display/clock_logic.h"

// Fills rectangle `r` of `dest` with `src` scaled to dest's size: each
// destination pixel is the average of the source area it covers. Both are
// memory bitmaps of the same colour depth; dest is not larger than src.
void scale_area(BITMAP *src, BITMAP *dest, const Rect &r);
