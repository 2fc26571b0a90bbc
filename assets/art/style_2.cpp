// Style 2: Black and White Clock. Nothing but a ring of white dots on black,
// larger at the hours and largest at the quarters, and three white batons.
// The minute and second hands carry a black outline, so a hand crossing
// another stays readable as two.
#include "assets/art/draw_kit.h"

namespace {

constexpr int FACE_SIZE = 681;
constexpr double RING = 302;
const Rgb WHITE = {246, 246, 246};

void draw_dots(cairo_t *cr)
{
    set_rgb(cr, WHITE.r, WHITE.g, WHITE.b);
    for (int m = 0; m < 60; m++) {
        double r = m % 15 == 0 ? 13 : m % 5 == 0 ? 9.5 : 3.6;
        fill_circle(cr, dial_x(m / 60.0, RING), dial_y(m / 60.0, RING), r);
    }
}

// A baton with round ends from `tail` to `tip`, `width` across, with a black
// outline of `outline` pixels around it.
void baton(cairo_t *cr, double tail, double tip, double width, double outline)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, tail + width / 2, 0);
    cairo_line_to(cr, tip - width / 2, 0);
    if (outline > 0) {
        set_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, width + 2 * outline);
        cairo_stroke_preserve(cr);
    }
    set_rgb(cr, WHITE.r, WHITE.g, WHITE.b);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

cairo_surface_t *draw_baton_hand(HandPivot pivot, double length, double width, double outline)
{
    Canvas c = open_hand(pivot, static_cast<int>(length) + 1);
    double tail = -pivot.x + 0.5 + outline;
    baton(c.cr, tail, length - outline, width, outline);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot)
{
    Canvas c = open_hand(pivot, 296);
    cairo_t *cr = c.cr;
    baton(cr, -pivot.x + 2.5, 294, 3.2, 2);
    set_rgb(cr, 0, 0, 0);
    fill_circle(cr, 0, 0, 10.5);
    set_rgb(cr, WHITE.r, WHITE.g, WHITE.b);
    fill_circle(cr, 0, 0, 8.5);
    set_rgb(cr, 0, 0, 0);
    fill_circle(cr, 0, 0, 2.6);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_2(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_dots(face.cr);
    art.face = close_canvas(face);
    art.hour = draw_baton_hand(style.hourPivot, 190, 20, 0);
    art.minute = draw_baton_hand(style.minutePivot, 282, 13, 3);
    art.second = draw_second_hand(style.secondPivot);
    return art;
}
