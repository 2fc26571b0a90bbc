// The X display as the clock's stages use it: one connection, its errors,
// its monitors and the desktop's scale factor.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <vector>

#include "display/clock_logic.h"

// Opens the display named by $DISPLAY with our error handlers: a request
// that fails is reported on stderr, except those on the window given to
// watch_window_errors, which mark it gone instead; a connection that breaks
// ends the program with status 1, since there is nothing left to show. Says
// why and returns nullptr when the display cannot be opened.
Display *open_x_display();

// Errors about `window` (0: none) mean it went away: a host may destroy its
// window between two of our requests.
void watch_window_errors(Window window);
bool watched_window_gone();

// Has the X server attach `segment`. False, quietly, where it cannot (a
// display on another machine, a server without the extension).
bool attach_shared_memory(Display *display, XShmSegmentInfo *segment);

// The monitors of the display's screen to cover, the primary first: RandR's
// monitors, else Xinerama's heads, else the whole screen.
std::vector<Rect> x_monitors(Display *display);

// The desktop's scale factor: $GDK_SCALE, else the X resource Xft.dpi.
int x_desktop_scale(Display *display);
