// What the full-screen clock needs of the platform beyond Allegro itself.
// Linux/X11: allegro_linux.cpp; Windows: allegro_win32.cpp.
#pragma once

#include <allegro.h>

#include "display/clock_logic.h"

// Called once before allegro_init: adapts the library's background work to
// this platform.
void saver_platform_prepare();

// Called once after allegro_init: the signals that ask the program to end
// (SIGINT, SIGQUIT, SIGTERM, SIGHUP) end the run cleanly instead; SIGUSR1
// is ignored.
void saver_watch_signals();

// True once such a signal has come.
bool saver_stop_requested();

// Sleeps the calling thread for `ms` milliseconds.
void saver_rest(unsigned ms);

// Waits up to `ms` milliseconds, or until saver_wake is called (by an input
// callback or a signal), whichever comes first.
void saver_wait(int ms);

// X11 only: the same, also ending when `fd` has something to read.
void saver_wait_for(int fd, int ms);

// Ends a saver_wait under way, or the next one. Safe to call from the
// library's input callbacks.
void saver_wake();

// Keeps the sound mixer fed for the next `ms` milliseconds, topping the
// device up at once: called once all of a second's sounds have started, and
// at start-up with the tick on, so the device runs before the first tick.
// Between sounds the mixer is left alone.
void saver_sound_playing(int ms);

// Shows the `count` rectangles `rects` of `picture` on the screen, each at
// its own place moved by (offsetX, offsetY).
void saver_present(BITMAP *picture, const Rect *rects, int count, int offsetX = 0, int offsetY = 0);

// The part of the screen bitmap the user sees: all of it, unless the
// display could not switch to the mode and is smaller than it.
Rect saver_visible_area();

// Puts the saver's window above all others, where the platform has that.
void saver_make_window_topmost();

// The brand mark in the current colour depth, or nullptr.
BITMAP *saver_load_brand_mark();
