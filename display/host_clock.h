// The clock inside another program's window: the way the screen-saver hosts
// of X11 run their savers.
#pragma once

// Runs the clock inside the X window `window` (0: the root window) until a
// signal asks it to end or the window goes away. Takes no input. Returns 0
// then, 1 when it cannot start, 2 when the window does not exist.
int run_host(unsigned long window);
