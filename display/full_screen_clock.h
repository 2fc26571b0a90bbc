// The full-screen clock: start-up, the frame loop and one pass.
#pragma once

#include <vector>

#include "display/clock_frame.h"
#include "display/clock_view.h"

extern ClockDisplay clock_display;

// Runs the saver until the user touches the keyboard or the mouse, or a
// signal asks the program to end. Returns 0 after such a run, 1 when the
// clock could not start (no display, no graphics mode).
int run_saver();

// Windows: sets the graphics mode that the resolution setting asks for,
// falling back to 16 bits and then to 1024 x 768 at 16 bits. Returns 0 on
// success, 1 when no mode could be set. Linux switches no mode: the frame is
// composed at the size the setting names and each view scales it.
int set_saver_gfx_mode();

// Starts the library for a run of the clock, without a display driver of
// its own where our views show the clock. False, with a message, when it
// cannot start.
bool start_clock_library();

// One pass of the frame loop: when the shown time has changed, redraws the
// hands, shows the changed places on every view, ticks and chimes. Returns
// how many milliseconds the loop may wait before the next pass is due.
int update_clock(const std::vector<ClockView *> &views);
