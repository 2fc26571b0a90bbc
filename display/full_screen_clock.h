// The full-screen clock: start-up, the frame loop, one pass, one hand.
#pragma once

#include <allegro.h>

#include <ctime>

#include "display/clock_logic.h"
#include "settings/clock_styles.h"
#include "settings/settings.h"

// The hands in the order they are drawn: the second hand lies on top.
enum Hand { HOUR_HAND, MINUTE_HAND, SECOND_HAND, HAND_COUNT };

struct ClockDisplay {
    int soundAvailable = 1;
    BITMAP *secondHandBitmap = nullptr;
    BITMAP *minuteHandBitmap = nullptr;
    BITMAP *hourHandBitmap = nullptr;
    BITMAP *faceBitmap = nullptr;
    BITMAP *brandMarkBitmap = nullptr;
    // The style's colour in the frame's depth. The background (this colour
    // with the face on it) is not kept as a picture of its own: it is drawn
    // again wherever the hands were, which saves a screen-sized bitmap.
    int backgroundColour = 0;
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
    // The one frame of the run: the background with the brand mark and the
    // hands as last drawn. Each redraw changes only the hands' places.
    BITMAP *frame = nullptr;
    Point dialCentre{0, 0};
    Rect drawnHands[HAND_COUNT]{};
    bool markDrawn = false;
    // Shows rectangles of the frame where the clock is seen: the full
    // screen, or another program's window.
    void (*present)(BITMAP *frame, const Rect *rects, int count) = nullptr;
};

extern ClockDisplay clock_display;

// Runs the saver until the user touches the keyboard or the mouse. Returns 0
// after such a run, 1 when the library could not start or no graphics mode
// could be set.
int run_saver();

// Runs the clock inside another program's X window (0: the root window)
// until a signal asks it to end or the window goes away: the screen-saver
// hosts' way. Takes no input. Returns 0 then, 1 when it cannot start, 2 when
// the window does not exist.
int run_host(unsigned long window);

// Steps of a clock's start shared by the full screen and host mode: the
// library (with a few retries; false and a message when it cannot start),
// sound when a setting asks for one, the five sounds.
bool start_clock_library();
void start_clock_sound(ClockDisplay &d);
void load_clock_sounds(ClockDisplay &d);

// Sets the graphics mode that the resolution setting asks for, falling back
// to 16 bits and then to 1024 x 768 at 16 bits. Returns 0 on success, 1 when
// no mode could be set.
int set_saver_gfx_mode();

// One pass of the frame loop: when the shown time has changed, redraws the
// hands, ticks and chimes. Returns how many milliseconds the loop may wait
// before the next pass is due.
int update_clock();

// Sets up a clock of `style` for a frame of width x height: loads the face
// and hand pictures and the brand mark, lays the face on the style's colour,
// finds the dial centre and prepares the frame. Returns false when the frame
// or the background cannot be had; a picture that cannot be loaded is left
// out. Sounds are not loaded here.
bool load_clock(ClockDisplay &d, const ClockStyle &style, const AssetPaths &paths, int width, int height);

// Where a clock is seen: a window or screen area of width x height. When
// the face does not fit in it, the clock is composed larger and `scaled`
// holds the frame scaled down to the area.
struct ClockView {
    int width = 0;
    int height = 0;
    BITMAP *scaled = nullptr;
};

// Sets up a clock of the active style for `view`: at the view's size when
// the face fits, otherwise larger, with view.scaled. Returns false when the
// pictures cannot be had.
bool fit_clock(ClockDisplay &d, ClockView &view);

// Brings the rectangles `rects` of d.frame to the view: fills `out` with the
// same places in the view's pixels and returns the picture to show them
// from (d.frame itself, or view.scaled brought up to date).
BITMAP *view_rects(const ClockDisplay &d, ClockView &view, const Rect *rects, int count, Rect *out);

void free_view(ClockView &view);

// Frees every picture of `d` and the frame; free_clock the sounds too.
void free_clock_pictures(ClockDisplay &d);
void free_clock(ClockDisplay &d);

// Composes one whole frame (background with face, brand mark, hands) for the
// time `t` into `frame`, which has the background's size.
void compose_frame(BITMAP *frame, const ClockDisplay &display, const ClockStyle &style,
                   const SaverSettings &settings, const std::tm &t);

// Brings `display.frame` to the time `t`: the background is put back where
// the hands were, the brand mark drawn again where that touched it, and the
// hands drawn at their new places. Fills `changed` with the rectangles that
// differ from before and returns how many there are (at most HAND_COUNT + 1).
int redraw_frame(ClockDisplay &display, const ClockStyle &style, const SaverSettings &settings,
                 const std::tm &t, Rect changed[HAND_COUNT + 1]);

// Draws `hand` turned to value/units plus subValue/subUnits, its pivot pixel
// on (x, y) of `dest`, with smoothed edges.
void draw_hand(BITMAP *dest, BITMAP *hand, int x, int y, int pivotX, int pivotY,
               int value, int units, int subValue, int subUnits);
