// Style 9: Funky Clock. A cartoon: a tilted blue card with a sunburst, a grey
// dial with a thick ink outline and a flat drop shadow, and four huge,
// bulging, wobbling numerals 12, 3, 6 and 9. The hands are inked too: a fat
// arrow, a lightning bolt and a red second hand with a ball on its end.
#include "assets/art/draw_kit.h"

#include <cmath>

namespace {

constexpr int FACE_SIZE = 720;
constexpr double CARD = 640;
constexpr double CARD_TILT = -0.06;  // radians
constexpr double DIAL = 258;
constexpr double INK_WIDTH = 7;

const Rgb INK = {22, 20, 28};
const Rgb SHADOW = {16, 36, 110};

void ink(cairo_t *cr)
{
    set_rgb(cr, INK.r, INK.g, INK.b);
}

void draw_card(cairo_t *cr)
{
    cairo_save(cr);
    cairo_rotate(cr, CARD_TILT);
    cairo_new_path(cr);
    rounded_rect_path(cr, -CARD / 2, -CARD / 2, CARD, CARD, 46);
    gaussian_shadow(cr, 6, 10, 12, 0, 0, 0, 0.35);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    set_rgb(cr, 38, 110, 232);
    cairo_paint(cr);
    // Sunburst rays from the middle.
    set_rgb(cr, 26, 88, 205);
    for (int i = 0; i < 18; i++) {
        double a = i * 2 * M_PI / 18;
        cairo_move_to(cr, 0, 0);
        cairo_arc(cr, 0, 0, CARD, a, a + M_PI / 18);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    // Halftone dots getting bigger towards the corners.
    set_rgb(cr, 90, 160, 255, 0.5);
    for (double y = -CARD / 2; y <= CARD / 2; y += 22) {
        for (double x = -CARD / 2; x <= CARD / 2; x += 22) {
            double d = std::hypot(x, y);
            if (d < DIAL + 20)
                continue;
            circle_path(cr, x, y, std::min(6.0, (d - DIAL - 10) / 14));
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
    ink(cr);
    cairo_set_line_width(cr, INK_WIDTH);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void draw_dial(cairo_t *cr)
{
    // A flat cartoon shadow, then the grey plate with its ink line.
    set_rgb(cr, SHADOW.r, SHADOW.g, SHADOW.b);
    fill_circle(cr, 14, 16, DIAL);
    set_rgb(cr, 178, 182, 190);
    fill_circle(cr, 0, 0, DIAL);
    // A shine at the upper left and a shade at the lower right, flat as paint.
    cairo_save(cr);
    circle_path(cr, 0, 0, DIAL);
    cairo_clip(cr);
    set_rgb(cr, 128, 132, 142);
    cairo_new_path(cr);
    circle_path(cr, 0, 0, DIAL);
    circle_path(cr, -22, -26, DIAL);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    set_rgb(cr, 222, 225, 230);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, DIAL - 26, M_PI * 1.08, M_PI * 1.42);
    cairo_set_line_width(cr, 14);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    fill_circle(cr, dial_x(0.85, DIAL - 26), dial_y(0.85, DIAL - 26), 7);
    cairo_restore(cr);
    ink(cr);
    stroke_circle(cr, DIAL, INK_WIDTH + 2);

    // Minute dots and fat dashes at the hours without numerals.
    for (int m = 0; m < 60; m++) {
        double t = m / 60.0;
        if (m % 15 == 0)
            continue;
        if (m % 5 == 0) {
            radial_mark(cr, t, DIAL - 56, DIAL - 26, 12, CAIRO_LINE_CAP_ROUND);
        } else {
            fill_circle(cr, dial_x(t, DIAL - 24), dial_y(t, DIAL - 24), 3.5);
        }
    }
}

// One numeral, bent by `warp` about its own middle at (x, y): a flat shadow,
// a fat ink outline and a bright fill with a highlight stripe.
void draw_numeral(cairo_t *cr, const char *text, double x, double y, double size, Rgb fill,
                  const std::function<void(double &, double &)> &warp)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    select_font(cr, "DejaVu Sans", size, true);
    cairo_new_path(cr);
    text_path_centred(cr, text, 0, 0);
    warp_path(cr, warp);
    cairo_path_t *shape = cairo_copy_path(cr);

    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_save(cr);
    cairo_translate(cr, 9, 10);
    set_rgb(cr, SHADOW.r, SHADOW.g, SHADOW.b);
    cairo_set_line_width(cr, 2 * INK_WIDTH);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);

    cairo_append_path(cr, shape);
    ink(cr);
    cairo_set_line_width(cr, 2 * INK_WIDTH);
    cairo_stroke_preserve(cr);
    set_rgb(cr, fill.r, fill.g, fill.b);
    cairo_fill_preserve(cr);
    // A lighter band across the top half, like a cel highlight.
    cairo_save(cr);
    cairo_clip(cr);
    set_rgb(cr, 255, 255, 255, 0.35);
    cairo_rectangle(cr, -200, -size * 0.42, 400, size * 0.14);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_path_destroy(shape);
    cairo_restore(cr);
}

void draw_numerals(cairo_t *cr)
{
    // 12 swells like a balloon.
    draw_numeral(cr, "12", 0, -158, 168, {255, 212, 0}, [](double &x, double &y) {
        double d = std::hypot(x, y * 1.2) / 110;
        double s = 1 + 0.38 * std::exp(-d * d * 2);
        x *= s;
        y *= s;
        double a = -0.1;
        double nx = x * std::cos(a) - y * std::sin(a), ny = x * std::sin(a) + y * std::cos(a);
        x = nx;
        y = ny;
    });
    // 3 wobbles like jelly.
    draw_numeral(cr, "3", 170, 4, 190, {255, 120, 24}, [](double &x, double &y) {
        x += 12 * std::sin(y / 20.0);
        x *= 1.05 + y / 500.0;
        y += 4 * std::sin(x / 14.0);
    });
    // 6 is twisted about its middle.
    draw_numeral(cr, "6", 0, 170, 180, {110, 212, 48}, [](double &x, double &y) {
        double d = std::hypot(x, y);
        double a = 0.55 * std::exp(-d / 60.0) - 0.12;
        double nx = x * std::cos(a) - y * std::sin(a), ny = x * std::sin(a) + y * std::cos(a);
        x = nx * 1.12;
        y = ny * 0.92;
    });
    // 9 leans back in perspective.
    draw_numeral(cr, "9", -168, 0, 190, {236, 52, 52}, [](double &x, double &y) {
        double k = 1 + y / 260.0;
        x = x * k - y * 0.22;
        y = y * 1.02;
    });
}

// The hands turn on a big yellow rivet.
void draw_rivet(cairo_t *cr)
{
    ink(cr);
    fill_circle(cr, 0, 0, 22);
    set_rgb(cr, 255, 212, 0);
    fill_circle(cr, 0, 0, 16);
}

// Inks the current path: a fat black line under a white fill.
void ink_and_fill(cairo_t *cr, Rgb fill, double line)
{
    ink(cr);
    cairo_set_line_width(cr, line);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    set_rgb(cr, fill.r, fill.g, fill.b);
    cairo_fill(cr);
}

// The hour hand: a fat rounded arrow.
cairo_surface_t *draw_hour_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    const double start = -pivot.x + 3.5, head = length - 58;
    cairo_move_to(cr, start, -11);
    cairo_curve_to(cr, 50, -14, head - 30, -9, head, -12);
    cairo_line_to(cr, head - 6, -30);
    cairo_line_to(cr, length - 5, -2);
    cairo_curve_to(cr, length - 2, 0, length - 2, 0, length - 5, 2);
    cairo_line_to(cr, head - 6, 30);
    cairo_line_to(cr, head, 12);
    cairo_curve_to(cr, head - 30, 9, 50, 14, start, 11);
    cairo_close_path(cr);
    ink_and_fill(cr, {250, 250, 250}, 7);
    return close_canvas(c);
}

// The minute hand: a lightning bolt along the radius, ending in a point.
cairo_surface_t *draw_minute_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    const double start = -pivot.x + 3.5;
    const double L = length;
    cairo_move_to(cr, start, -8);
    cairo_line_to(cr, 0.42 * L, -8);
    cairo_line_to(cr, 0.36 * L, -22);
    cairo_line_to(cr, 0.70 * L, -6);
    cairo_line_to(cr, 0.66 * L, -18);
    cairo_line_to(cr, L - 3, 0);
    cairo_line_to(cr, 0.60 * L, 16);
    cairo_line_to(cr, 0.64 * L, 6);
    cairo_line_to(cr, 0.30 * L, 20);
    cairo_line_to(cr, 0.36 * L, 8);
    cairo_line_to(cr, start, 8);
    cairo_close_path(cr);
    ink_and_fill(cr, {250, 250, 250}, 6);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    const double ball = pivot.y - 1;
    ink(cr);
    cairo_rectangle(cr, -pivot.x - 0.5, -3.5, length - ball, 7);
    cairo_fill(cr);
    fill_circle(cr, length - ball - 2, 0, ball + 1.5);
    set_rgb(cr, 230, 40, 40);
    cairo_rectangle(cr, -pivot.x - 0.5, -1.5, length - ball, 3);
    cairo_fill(cr);
    fill_circle(cr, length - ball - 2, 0, ball - 1);
    set_rgb(cr, 255, 190, 180);
    fill_circle(cr, length - ball - 6, -4, 3);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_9(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_card(face.cr);
    draw_dial(face.cr);
    draw_numerals(face.cr);
    draw_rivet(face.cr);
    art.face = close_canvas(face);
    art.hour = draw_hour_hand(style.hourPivot, 160);
    art.minute = draw_minute_hand(style.minutePivot, 232);
    art.second = draw_second_hand(style.secondPivot, 236);
    return art;
}
