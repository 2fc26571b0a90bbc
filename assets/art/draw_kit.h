// Drawing tools shared by the clock styles: canvases whose origin is the dial
// centre or a hand's pivot, dial geometry, text placed by its ink, tapered
// hand blades, warped outlines, soft shadows and dithering.
#pragma once

#include <functional>
#include <initializer_list>

#include "assets/art/art.h"

// A picture being drawn and the context drawing on it.
struct Canvas {
    cairo_surface_t *surface = nullptr;
    cairo_t *cr = nullptr;
};

// A transparent face picture of width x height. The origin is moved to the
// middle of the pixel the saver puts on the dial centre (width / 2,
// height / 2), so odd sizes give a face with equal room on every side.
Canvas open_face(int width, int height);
// The same for a face whose hands turn about the fixed pixel (dialX, dialY).
Canvas open_face(int width, int height, int dialX, int dialY);

// A transparent hand picture with `length` pixels ahead of the pivot, pivot.x
// pixels behind it and pivot.y pixels above and below it. The origin is the
// middle of the pivot pixel; the hand points along +x.
Canvas open_hand(HandPivot pivot, int length);

// Hard-edged hand pictures, drawn without antialiasing: a pixel belongs to
// the hand exactly when its centre lies inside the shape.
Canvas open_crisp_hand(HandPivot pivot, int length);
// The same, `height` pixels tall, for a hand that is not symmetric about its
// pivot.
Canvas open_crisp_hand(HandPivot pivot, int length, int height);

// Ends drawing and hands back the picture.
cairo_surface_t *close_canvas(Canvas &canvas);

// Dial geometry: `turns` runs clockwise from 12 o'clock (0.25 is 3 o'clock).
double dial_x(double turns, double radius);
double dial_y(double turns, double radius);

// Paths. The fill_ functions fill them with the current source at once.
void circle_path(cairo_t *cr, double x, double y, double radius);
void fill_circle(cairo_t *cr, double x, double y, double radius);
// A ring between two radii about the origin; it fills the same under either
// fill rule.
void ring_path(cairo_t *cr, double outer, double inner);
void fill_ring(cairo_t *cr, double outer, double inner);
void rounded_rect_path(cairo_t *cr, double x, double y, double w, double h, double r);

// A circle about the origin stroked `width` wide with the current source.
void stroke_circle(cairo_t *cr, double radius, double width);

// A mark along the radius at `turns`, from r0 out to r1, `width` wide.
void radial_mark(cairo_t *cr, double turns, double r0, double r1, double width,
                 cairo_line_cap_t cap = CAIRO_LINE_CAP_BUTT);
// A mark for every minute reaching out to `outer`: the hours' marks start at
// hourInner and are hourWidth wide, the other minutes' at minuteInner and
// minuteWidth.
void draw_minute_marks(cairo_t *cr, double outer, double hourInner, double hourWidth,
                       double minuteInner, double minuteWidth);

// The rim's shadow on a dial of `radius`: it darkens the outer `depth` pixels
// up to `alpha` at the very edge, in (r, g, b) (black unless given), moved
// down by dy where the light comes from above.
void shade_dial_edge(cairo_t *cr, double radius, double depth, double alpha, double dy = 0,
                     double r = 0, double g = 0, double b = 0);

void select_font(cairo_t *cr, const char *family, double size, bool bold = false,
                 bool italic = false);
// Text whose ink box is centred on (x, y), so numerals sit evenly on a dial
// whatever their glyph shapes.
void show_text_centred(cairo_t *cr, const char *utf8, double x, double y);
// Adds the outline of centred text to the path instead of filling it.
void text_path_centred(cairo_t *cr, const char *utf8, double x, double y);
// The numerals 1 to 12 centred on a circle of `radius`, upright.
void show_hour_numerals(cairo_t *cr, double radius);
// Adds the outline of text turned with the dial to `turns`, its feet towards
// the centre. In the turned frame (12 o'clock up) its ink is centred across
// the radius at x and its baseline is at y.
void radial_text_path(cairo_t *cr, const char *utf8, double turns, double x, double y);

// A blade symmetric about the x axis through stations of (x, half width),
// listed from the tail to the tip; filled with the current source.
struct Station {
    double x;
    double halfWidth;
};
void blade_path(cairo_t *cr, std::initializer_list<Station> stations);
void fill_blade(cairo_t *cr, std::initializer_list<Station> stations);
// A whole hand in one colour: a blade through `stations` and a round hub of
// radius `hub` over the pivot. `length` is as for open_hand.
cairo_surface_t *draw_blade_hand(HandPivot pivot, int length, Rgb colour,
                                 std::initializer_list<Station> stations, double hub);

// Replaces the current path by its flattened copy with every point moved by
// `warp` (in user space).
void warp_path(cairo_t *cr, const std::function<void(double &x, double &y)> &warp);

// Two shadows of the current path, kept apart because they blur differently.
// fill_soft_shadow is cheap: a black shadow moved by (dx, dy), blurred over
// about `blur` pixels by drawing it small and stretching it back. It clears
// the path.
void fill_soft_shadow(cairo_t *cr, double dx, double dy, double blur, double alpha);
// gaussian_shadow is smoother: the whole picture's mask is blurred three
// times with a box of about `blur` pixels, painted in (r, g, b, alpha) and
// moved by (dx, dy). The path is kept.
void gaussian_shadow(cairo_t *cr, double dx, double dy, double blur, double r, double g, double b,
                     double alpha);

// Adds a faint random grain (up to `amplitude` levels per channel) to every
// painted pixel, so smooth gradients do not turn into rings when the saver
// runs at 16 bits per pixel.
void dither(cairo_surface_t *surface, int amplitude, unsigned seed);

// Gradients; the caller destroys them, or hands them to use_pattern.
// linear_stops runs along (x0, y0)-(x1, y1) through the given colours, evenly
// spaced.
cairo_pattern_t *linear_stops(double x0, double y0, double x1, double y1,
                              std::initializer_list<Rgb> colours);
// A colour stop at `offset` (0 to 1); channels and alpha run from 0 to 1.
struct Stop {
    double offset, r, g, b, a = 1.0;
};
cairo_pattern_t *linear_gradient(double x0, double y0, double x1, double y1,
                                 std::initializer_list<Stop> stops);
cairo_pattern_t *radial_gradient(double cx0, double cy0, double r0, double cx1, double cy1,
                                 double r1, std::initializer_list<Stop> stops);
// Makes `pattern` the source and gives up the caller's reference to it: cairo
// frees it once something else becomes the source.
void use_pattern(cairo_t *cr, cairo_pattern_t *pattern);
