// Drawing tools of the pool, grandfather, artistic, wheel and funky clocks:
// canvases whose origin is the dial centre or a hand's pivot, dial geometry,
// text placed by its ink, warped outlines and soft shadows.
#pragma once

#include <functional>

#include "assets/art/art.h"

namespace kit_b {

struct Canvas {
    cairo_surface_t *surface = nullptr;
    cairo_t *cr = nullptr;
};

// A transparent face of width x height. The origin is the middle of the pixel
// (dialX, dialY) that the saver puts under the hands' pivots.
Canvas open_face(int width, int height, int dialX, int dialY);

// A transparent hand picture `width` x `height`. The origin is the middle of
// the pivot pixel and the hand points along +x.
Canvas open_hand(HandPivot pivot, int width, int height);

cairo_surface_t *close_canvas(Canvas &canvas);

// Points on a dial: `turns` runs clockwise from 12 o'clock.
double dial_x(double turns, double radius);
double dial_y(double turns, double radius);

void circle_path(cairo_t *cr, double x, double y, double radius);
void ring_path(cairo_t *cr, double outer, double inner);
void rounded_rect_path(cairo_t *cr, double x, double y, double w, double h, double r);

void use_font(cairo_t *cr, const char *family, double size, bool bold = false,
              bool italic = false);
// Adds the outline of `text` to the path with its ink box centred on (x, y).
void text_path_centred(cairo_t *cr, const char *text, double x, double y);
void show_text_centred(cairo_t *cr, const char *text, double x, double y);

// Replaces the current path by its flattened copy with every point moved by
// `warp` (in user space).
void warp_path(cairo_t *cr, const std::function<void(double &x, double &y)> &warp);

// A blurred copy of the current path painted in (r, g, b, alpha) and moved by
// (dx, dy). The path is kept.
void soft_shadow(cairo_t *cr, double dx, double dy, double blur, double r, double g, double b,
                 double alpha);

// Adds a faint random grain (up to `amplitude` levels per channel) to every
// painted pixel, so smooth gradients do not turn into rings when the saver
// runs at 16 bits per pixel.
void dither(cairo_surface_t *surface, int amplitude, unsigned seed);

// A linear gradient along (x0, y0)-(x1, y1) through the given colours, evenly
// spaced; the caller destroys it.
cairo_pattern_t *linear_stops(double x0, double y0, double x1, double y1,
                              std::initializer_list<Rgb> colours);

}  // namespace kit_b
