// What the full-screen clock needs of the platform beyond Allegro itself.
// Linux/X11: allegro_linux.cpp. A Windows build brings its own file.
#pragma once

#include <allegro.h>

// Called once before allegro_init: adapts the library's background work to
// this platform.
void saver_platform_prepare();

// Sleeps the calling thread for `ms` milliseconds.
void saver_rest(unsigned ms);

// Puts the saver's window above all others, where the platform has that.
void saver_make_window_topmost();

// The brand mark in the current colour depth, or nullptr.
BITMAP *saver_load_brand_mark();
