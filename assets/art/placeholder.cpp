#include "assets/art/placeholder.h"

#include <cmath>

namespace {

cairo_surface_t *bar_hand(HandPivot pivot, int length, int thickness, Rgb colour)
{
    const int width = pivot.x + length;
    const int height = std::max(2 * pivot.y + 1, thickness);
    cairo_surface_t *s = new_canvas(width, height);
    cairo_t *cr = cairo_create(s);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_rgb(cr, colour.r, colour.g, colour.b);
    cairo_rectangle(cr, 0, pivot.y - thickness / 2, width, thickness);
    cairo_fill(cr);
    cairo_rectangle(cr, pivot.x - 4, pivot.y - 4, 9, 9);
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}

}  // namespace

StyleArt draw_placeholder_style(const ClockStyle &style)
{
    const int size = 600;
    StyleArt art;
    art.face = new_canvas(size, size);
    cairo_t *cr = cairo_create(art.face);
    double cx = size / 2, cy = size / 2;
    set_rgb(cr, 40, 40, 40);
    cairo_arc(cr, cx, cy, 290, 0, 2 * M_PI);
    cairo_fill(cr);
    set_rgb(cr, 250, 250, 245);
    cairo_arc(cr, cx, cy, 270, 0, 2 * M_PI);
    cairo_fill(cr);
    set_rgb(cr, 30, 30, 30);
    cairo_set_line_width(cr, 8);
    for (int i = 0; i < 12; i++) {
        double a = i * M_PI / 6;
        cairo_move_to(cr, cx + 230 * std::cos(a), cy + 230 * std::sin(a));
        cairo_line_to(cr, cx + 260 * std::cos(a), cy + 260 * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_destroy(cr);
    art.hour = bar_hand(style.hourPivot, 150, 12, {20, 20, 20});
    art.minute = bar_hand(style.minutePivot, 220, 8, {20, 20, 20});
    art.second = bar_hand(style.secondPivot, 240, 3, {200, 0, 0});
    return art;
}
