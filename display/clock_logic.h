// The decisions of the full-screen clock as plain values: which graphics
// modes to try, where the face and the dial centre lie, how far each hand is
// turned, whether a pass redraws, ticks or chimes, and whether input ends the
// run. Nothing here needs a display.
#pragma once

#include <ctime>
#include <functional>
#include <vector>

#include "settings/clock_styles.h"
#include "settings/settings.h"

struct ScreenSize {
    int width;
    int height;
};

// The size that `resolution` asks for. For 0 the desktop's size is used when
// it could be read (desktopResult 0) and is at least 1024 x 768.
ScreenSize saver_screen_size(int resolution, int desktopResult, int desktopWidth, int desktopHeight);

struct GfxModeRequest {
    int depth;
    int width;
    int height;
};

// Tries the modes in order (the size at 32 bits, the size at 16 bits, then
// 1024 x 768 at 16 bits) until `try_mode` returns 0. Returns 0 when one was
// set, 1 when none was.
int choose_gfx_mode(ScreenSize size, const std::function<int(const GfxModeRequest &)> &try_mode);

struct Point {
    int x;
    int y;
};

// Top-left corner of a face picture centred on the screen; each half is
// taken separately, as integer divisions.
Point face_position(int screenWidth, int screenHeight, int faceWidth, int faceHeight);

// Where the hands turn, by the style's rule, for a face drawn at faceX, faceY.
Point dial_centre(const ClockStyle &style, Point face, int faceWidth, int faceHeight);

// Fixed-point angle (256 units a turn, 16.16) of a hand reading `value` of
// `units` plus `subValue` of `subUnits` of one unit, with 0 pointing up.
int hand_angle(int value, int units, int subValue, int subUnits);

// A pass redraws when the hour, minute or second differ from the last drawn.
bool time_changed(const std::tm &fresh, const std::tm &lastDrawn);

enum Chime { CHIME_HOUR, CHIME_FIFTEEN, CHIME_HALF, CHIME_FORTYFIVE, CHIME_COUNT };

struct PassSounds {
    bool tick;
    bool chime[CHIME_COUNT];
};

// What a redrawing pass plays at the fresh time.
PassSounds sounds_for_pass(const std::tm &fresh, const SaverSettings &settings, bool soundAvailable);

struct InputState {
    int mouseButtons;
    int mouseX;
    int mouseY;
    bool alt, altGr, leftShift, rightShift, tab;
};

// True when the input seen ends the saver: any button, a move of more than
// ten pixels on either axis from the start, or one of the five watched keys.
bool input_ends_saver(const InputState &input, Point startMouse);

// A rectangle of pixels; empty when w or h is 0 or less.
struct Rect {
    int x;
    int y;
    int w;
    int h;
};

bool rect_is_empty(const Rect &r);
// The smallest rectangle holding both; an empty one adds nothing.
Rect rect_union(const Rect &a, const Rect &b);
Rect rect_intersection(const Rect &a, const Rect &b);

// The pixels a picture of w x h can touch when it is turned by `angle`
// (as hand_angle gives it) about its pivot pixel placed on `centre`,
// smoothed edges included.
Rect turned_picture_bounds(int w, int h, Point pivot, Point centre, int angle);

// How long to wait, in milliseconds, from `msIntoSecond` into a second until
// just after the next second begins.
int ms_until_next_second(int msIntoSecond);

// The size of frame to compose for a window of windowW x windowH that shows
// a face of faceW x faceH: the window's own size when the face fits in it,
// otherwise a larger frame of the window's shape that holds the face, to be
// scaled down into the window.
ScreenSize fitted_frame_size(int windowW, int windowH, int faceW, int faceH);

// The desktop's scale factor, from $GDK_SCALE (a whole number of 1 or more)
// or else the X resource Xft.dpi divided by 96 and rounded; 1 when neither
// says. Either text may be nullptr.
int desktop_scale(const char *gdkScale, const char *xftDpi);

// The frame to compose for an area (a monitor, a host's window) of `area`
// pixels at `scale`, as a switched screen mode would show it: resolution 1
// to 4 their own sizes; 0 the area's size divided by the scale, made larger
// (in the area's shape) when the face would not fit in it. The frame is then
// shown scaled to fill the area.
ScreenSize composition_size(int resolution, ScreenSize area, int scale, ScreenSize face);

// Where a frame of `frame` size lies, scaled to fill an area of `area` size
// with its aspect kept and centred.
Rect fitted_placement(ScreenSize frame, ScreenSize area);

// The pixels of a frame placed at `placed` (as fitted_placement gives it)
// that show rectangle `r` of a frame of `from`. `grow` widens `r` by that
// many frame pixels first, for a scaling that reads around each pixel.
Rect scaled_rect(const Rect &r, ScreenSize from, const Rect &placed, int grow = 0);

// The monitors to cover, from what the display system reports: parts off
// the screen cut away, a monitor inside another (a mirror) left out, one
// tiled exactly by smaller ones (a wide screen shared out) covered through
// those; the primary first, the rest left to right. The whole screen when
// nothing usable is left.
struct Monitor {
    Rect area;
    bool primary;
};
std::vector<Rect> monitors_to_cover(const std::vector<Monitor> &reported, ScreenSize screen);

// What a key press is to the exit test, by its keysym (the numbers X11 and
// xkbcommon share): one of the five watched keys, a key that types (it
// would go into the keyboard buffer), or a modifier or lock key that does
// neither (Ctrl, the logo keys, Caps Lock and the like).
enum class KeyRole { Watched, Types, Silent };
KeyRole key_role(unsigned keysym);
