// Turning a picture about a pivot with smoothed edges.
#pragma once

#include <allegro.h>

// Draws `sprite` turned by `angle` (1 << 24 a full turn, clockwise on the
// screen, as hand_angle gives it) with its pixel (pivotX, pivotY) on (x, y)
// of `dest`. Each destination pixel takes the share of the picture that
// covers it (bilinear), the picture's mask-colour pixels counting as
// transparent, and blends it over what is already there. Both bitmaps are
// memory bitmaps of the same colour depth (15, 16, 24 or 32 bits); anything
// else is left undrawn.
void pivot_smooth_sprite(BITMAP *dest, BITMAP *sprite, int x, int y, int pivotX, int pivotY, int angle);
