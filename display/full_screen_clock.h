// The full-screen clock: start-up, the frame loop, one pass, one hand.
#pragma once

#include <allegro.h>

#include <ctime>

#include "settings/clock_styles.h"
#include "settings/settings.h"

struct ClockDisplay {
    int soundAvailable = 1;
    BITMAP *secondHandBitmap = nullptr;
    BITMAP *minuteHandBitmap = nullptr;
    BITMAP *hourHandBitmap = nullptr;
    BITMAP *faceBitmap = nullptr;
    BITMAP *brandMarkBitmap = nullptr;
    BITMAP *background = nullptr;
    SAMPLE *tickSample = nullptr;
    SAMPLE *hourSample = nullptr;
    SAMPLE *fifteenhourSample = nullptr;
    SAMPLE *halfhourSample = nullptr;
    SAMPLE *fortyfivehourSample = nullptr;
    int faceX = 0;
    int faceY = 0;
    int startMouseX = 0;
    int startMouseY = 0;
    std::tm lastDrawnTime{};
};

extern ClockDisplay clock_display;

// Draws the clock into another program's window until it is told to stop
// (host mode). `window` is an X window id; 0 means the root window of the
// default screen. Returns the exit code.
int run_host(unsigned long window);

// Runs the saver until the user touches the keyboard or the mouse. Returns 0
// after such a run, 1 when the library could not start or no graphics mode
// could be set.
int run_saver();

// Sets the graphics mode that the resolution setting asks for, falling back
// to 16 bits and then to 1024 x 768 at 16 bits. Returns 0 on success, 1 when
// no mode could be set.
int set_saver_gfx_mode();

// One pass of the frame loop: redraws, ticks and chimes when the shown time
// has changed, then sleeps 16 ms.
void update_clock();

// Composes one whole frame (background with face, brand mark, hands) for the
// time `t` into `frame`, which has the background's size.
void compose_frame(BITMAP *frame, const ClockDisplay &display, const ClockStyle &style,
                   const SaverSettings &settings, const std::tm &t);

// Draws `hand` turned to value/units plus subValue/subUnits, its pivot pixel
// on (x, y) of `dest`.
void draw_hand(BITMAP *dest, BITMAP *hand, int x, int y, int pivotX, int pivotY,
               int value, int units, int subValue, int subUnits);
