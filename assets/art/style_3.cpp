// Style 3: Math Clock. A black dial on polar graph paper whose hours are small
// sums, powers and roots, with white hands and a red second hand.
#include "assets/art/draw_kit.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr int FACE_SIZE = 681;
constexpr double BEZEL = 327;
constexpr double DIAL = 319;
constexpr double FIGURES = 270;  // outer reach of the figures
constexpr double FIGURE_SIZE = 44;
const Rgb CHALK = {242, 242, 236};

// Each hour as something that works out to it. A leading "√" takes the rest
// as its radicand and gets a bar over it.
const char *const HOURS[12] = {
    "√144", "5⁰", "√4", "3!÷2", "2²", "10÷2", "3!", "2³−1", "2³", "3²", "5×2", "22÷2",
};

void draw_bezel(cairo_t *cr)
{
    cairo_arc(cr, 0, 0, BEZEL, 0, 2 * M_PI);
    fill_soft_shadow(cr, 0, 4, 4.5, 0.35);
    use_pattern(cr, linear_gradient(0, -BEZEL, 0, BEZEL,
                                    {{0, 0.82, 0.83, 0.85}, {0.5, 0.45, 0.46, 0.48}, {1, 0.72, 0.73, 0.75}}));
    fill_ring(cr, BEZEL, DIAL);
}

void draw_graph_paper(cairo_t *cr)
{
    set_rgb(cr, 8, 8, 10);
    fill_circle(cr, 0, 0, DIAL);
    set_rgb(cr, 34, 36, 42);
    cairo_set_line_width(cr, 1);
    for (double r = 30; r < 300; r += 30) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    }
    cairo_stroke(cr);
    for (int i = 0; i < 24; i++)
        radial_mark(cr, i / 24.0, 30, 300, 1);
}

void draw_track(cairo_t *cr)
{
    set_rgb(cr, CHALK.r, CHALK.g, CHALK.b);
    stroke_circle(cr, 306, 1.3);
    draw_minute_marks(cr, 306, 282, 4, 294, 1.6);
}

// A root sign with a bar running over its radicand, centred on (x, y).
void show_root(cairo_t *cr, const char *radicand, double x, double y)
{
    cairo_text_extents_t sign, body, whole;
    cairo_text_extents(cr, "√", &sign);
    cairo_text_extents(cr, radicand, &body);
    std::string text = std::string("√") + radicand;
    cairo_text_extents(cr, text.c_str(), &whole);
    const double left = x - whole.width / 2 - whole.x_bearing;
    const double base = y - whole.y_bearing - whole.height / 2;
    cairo_move_to(cr, left, base);
    cairo_show_text(cr, text.c_str());
    // The sign's top right corner is where the bar starts.
    const double barY = base + sign.y_bearing;
    const double thickness = FIGURE_SIZE * 0.055;
    cairo_rectangle(cr, left + sign.x_bearing + sign.width - 1.5, barY, sign.x_advance - sign.x_bearing -
                    sign.width + 1.5 + body.x_advance + 2, thickness);
    cairo_fill(cr);
}

void draw_figures(cairo_t *cr)
{
    set_rgb(cr, CHALK.r, CHALK.g, CHALK.b);
    select_font(cr, "DejaVu Serif", FIGURE_SIZE);
    for (int h = 0; h < 12; h++) {
        // Wide sums would run into the marks at 3 and 9: every figure is
        // pulled in until its ink box keeps the same distance from the track.
        cairo_text_extents_t e;
        cairo_text_extents(cr, HOURS[h], &e);
        const double turns = h / 12.0;
        const double reach = std::fabs(std::sin(turns * 2 * M_PI)) * e.width / 2 +
                             std::fabs(std::cos(turns * 2 * M_PI)) * e.height / 2;
        const double x = dial_x(turns, FIGURES - reach), y = dial_y(turns, FIGURES - reach);
        if (std::strncmp(HOURS[h], "√", std::strlen("√")) == 0)
            show_root(cr, HOURS[h] + std::strlen("√"), x, y);
        else
            show_text_centred(cr, HOURS[h], x, y);
    }
}

cairo_surface_t *draw_hour_hand(HandPivot pivot)
{
    return draw_blade_hand(pivot, 180, CHALK, {{-pivot.x + 0.5, 3.5}, {0, 5.8}, {150, 4.6}, {178, 0}}, 5.8);
}

// Outlined in black, so it stays apart from the hour hand beneath it.
cairo_surface_t *draw_minute_hand(HandPivot pivot)
{
    Canvas c = open_hand(pivot, 278);
    set_rgb(c.cr, 0, 0, 0);
    fill_blade(c.cr, {{-pivot.x + 0.5, 4}, {0, 5.8}, {250, 3.6}, {277, 0}});
    set_rgb(c.cr, CHALK.r, CHALK.g, CHALK.b);
    fill_blade(c.cr, {{-pivot.x + 2.0, 2.5}, {0, 4.2}, {249, 2.1}, {273, 0}});
    // A round boss over the hour hand's root tidies the centre.
    set_rgb(c.cr, 0, 0, 0);
    fill_circle(c.cr, 0, 0, 5.9);
    set_rgb(c.cr, CHALK.r, CHALK.g, CHALK.b);
    fill_circle(c.cr, 0, 0, 4.4);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot)
{
    return draw_blade_hand(pivot, 300, {226, 36, 30},
                           {{-pivot.x + 0.5, 2.9}, {-5, 2.9}, {-3, 1.3}, {299, 1.1}}, 2.9);
}

}  // namespace

StyleArt draw_style_3(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_bezel(face.cr);
    draw_graph_paper(face.cr);
    draw_track(face.cr);
    draw_figures(face.cr);
    art.face = close_canvas(face);
    art.hour = draw_hour_hand(style.hourPivot);
    art.minute = draw_minute_hand(style.minutePivot);
    art.second = draw_second_hand(style.secondPivot);
    return art;
}
