// Shared tools of the artwork generator. Every picture of the saver is drawn
// here with cairo from code, then written as the BMP files the saver loads and
// as the pictures embedded in the program.
#pragma once

#include <cairo.h>

#include <string>

#include "settings/clock_styles.h"

// The colour the saver leaves out when it draws a sprite.
constexpr Rgb MASK_COLOUR = {255, 0, 255};

// One style's four pictures, each an ARGB32 surface that is transparent
// wherever it is not face or hand. A hand lies horizontally with its tip to
// the right and covers its pivot pixel from the style table.
struct StyleArt {
    cairo_surface_t *face = nullptr;
    cairo_surface_t *hour = nullptr;
    cairo_surface_t *minute = nullptr;
    cairo_surface_t *second = nullptr;
};

// Drawing functions of the ten styles, one file each (style_N.cpp).
StyleArt draw_style_0(const ClockStyle &style);
StyleArt draw_style_1(const ClockStyle &style);
StyleArt draw_style_2(const ClockStyle &style);
StyleArt draw_style_3(const ClockStyle &style);
StyleArt draw_style_4(const ClockStyle &style);
StyleArt draw_style_5(const ClockStyle &style);
StyleArt draw_style_6(const ClockStyle &style);
StyleArt draw_style_7(const ClockStyle &style);
StyleArt draw_style_8(const ClockStyle &style);
StyleArt draw_style_9(const ClockStyle &style);

// The pictures of style `index` (0..9).
StyleArt draw_style(int index);
void free_style_art(StyleArt &art);

// A new transparent ARGB32 surface and a cairo context on it.
cairo_surface_t *new_canvas(int width, int height);

// Writes a face: semi-transparent pixels are blended over `background` (the
// colour the face always sits on), fully transparent ones become the mask
// colour. No pink fringes survive.
bool write_face_bmp(cairo_surface_t *face, Rgb background, const std::string &path);

// Writes a hand with hard edges: pixels at least half covered keep their
// colour, all others become the mask colour.
bool write_hand_bmp(cairo_surface_t *hand, const std::string &path);

// Writes an opaque picture (alpha ignored after blending over white).
bool write_opaque_bmp(cairo_surface_t *picture, const std::string &path);

// Encodes a 24-bit BMP of `width` x `height` from an RGB callback.
std::string encode_bmp24(int width, int height, const unsigned char *rgb);

// Draws a style's face and its hands at the given time into `cr`, scaled by
// `scale` about the style's own dial centre placed at (cx, cy). Hands are
// turned as the saver turns them.
void paint_clock(cairo_t *cr, const ClockStyle &style, const StyleArt &art,
                 double cx, double cy, double scale, int hour, int minute, int second);

// Dial centre of a face picture, by the style's rule, in picture pixels.
void face_dial_centre(const ClockStyle &style, cairo_surface_t *face, double &x, double &y);

// Convenience for drawing code.
void set_rgb(cairo_t *cr, int r, int g, int b, double alpha = 1.0);
