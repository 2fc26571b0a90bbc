// A frame's pixels in a display system's own format.
#pragma once

#include <allegro.h>

#include <cstdint>

#include "display/pixel_format.h"

// Writes `count` pixels of row `y` of `picture`, from column `x`, into `to`
// in `format`: a 32-bit memory bitmap row by row, any other through the
// library's pixel calls.
void frame_row_to(BITMAP *picture, int x, int y, int count, uint32_t *to, const PixelFormat &format);
