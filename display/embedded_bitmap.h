// Turning a picture built into the program into an Allegro bitmap.
#pragma once

#include <allegro.h>

// The embedded BMP with this resource number, converted to the current colour
// depth, or nullptr when there is none or it cannot be read.
BITMAP *load_embedded_bitmap(int resourceId);
