// A clock's pictures and its one frame: setting a clock up and composing
// its frames in memory. Every way of showing the clock (the full screen,
// a host's window) and the tools that draw it use these.
#pragma once

#include <allegro.h>

#include <ctime>

#include "display/clock_logic.h"
#include "settings/clock_styles.h"
#include "settings/settings.h"

// The hands in the order they are drawn: the second hand lies on top.
enum Hand { HOUR_HAND, MINUTE_HAND, SECOND_HAND, HAND_COUNT };

// The most rectangles one redraw changes: each hand's, and the brand mark.
constexpr int MAX_CHANGED_RECTS = HAND_COUNT + 1;

struct ClockDisplay {
    int soundAvailable = 1;
    BITMAP *secondHandBitmap = nullptr;
    BITMAP *minuteHandBitmap = nullptr;
    BITMAP *hourHandBitmap = nullptr;
    BITMAP *faceBitmap = nullptr;
    BITMAP *brandMarkBitmap = nullptr;
    // The style's colour in the frame's depth. The background (this colour
    // with the face on it) is not kept as a picture of its own: it is drawn
    // again wherever the hands were, which saves a frame-sized bitmap.
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
    int drawnAngles[HAND_COUNT]{};
    bool markDrawn = false;
};

// Loads the hand pictures of `paths` and the brand mark, and the face. A
// picture that cannot be loaded is left out (nullptr).
void load_clock_pictures(ClockDisplay &d, const AssetPaths &paths);
void load_face(ClockDisplay &d, const AssetPaths &paths);

// Makes d's frame width x height: lays the face (when loaded) on the
// style's colour in the middle and finds the dial centre; the hands and the
// brand mark come with the next redraw. Returns false when the frame cannot
// be had.
bool prepare_frame(ClockDisplay &d, const ClockStyle &style, int width, int height);

// All of the above.
bool load_clock(ClockDisplay &d, const ClockStyle &style, const AssetPaths &paths, int width, int height);

// The face picture's size, 0 x 0 when there is none.
ScreenSize face_size(const ClockDisplay &d);

// Frees every picture of `d` and the frame. The sounds are the sound
// output's to free (close_clock_sound).
void free_clock_pictures(ClockDisplay &d);

// Composes one whole frame (background with face, brand mark, hands) for the
// time `t` into `frame`, which has the size of d's frame.
void compose_frame(BITMAP *frame, const ClockDisplay &display, const ClockStyle &style,
                   const SaverSettings &settings, const std::tm &t);

// Brings `display.frame` to the time `t`: where a hand moved (its old and
// its new place), the frame is composed anew (background, brand mark,
// hands); nothing else is touched. Fills `changed` with those rectangles and
// returns how many there are.
int redraw_frame(ClockDisplay &display, const ClockStyle &style, const SaverSettings &settings,
                 const std::tm &t, Rect changed[MAX_CHANGED_RECTS]);

// Draws `hand` turned to value/units plus subValue/subUnits, its pivot pixel
// on (x, y) of `dest`, with smoothed edges.
void draw_hand(BITMAP *dest, BITMAP *hand, int x, int y, int pivotX, int pivotY,
               int value, int units, int subValue, int subUnits);
