// Style 1: School 1 Clock. A heavier wall clock: a dark bevelled graphite
// rim, a white dial with a railway minute track, large bold numerals, black
// hands balanced by ring counterweights and a red second hand with a disc.
#include "assets/art/draw_kit.h"

#include <cmath>

namespace {

constexpr int FACE_SIZE = 681;
constexpr double RIM_OUTER = 320;
constexpr double BEVEL = 288;
constexpr double DIAL = 279;

// Lit from the top left: `lit` is the colour there, `shaded` the far side.
cairo_pattern_t *diagonal_light(Rgb lit, Rgb shaded)
{
    return linear_stops(-RIM_OUTER, -RIM_OUTER, RIM_OUTER, RIM_OUTER, {lit, shaded});
}

void draw_case(cairo_t *cr)
{
    // The clock hangs a little off the wall.
    cairo_arc(cr, 0, 0, RIM_OUTER, 0, 2 * M_PI);
    fill_soft_shadow(cr, 0, 6, 6, 0.45);

    use_pattern(cr, diagonal_light({86, 94, 112}, {16, 19, 26}));
    fill_ring(cr, RIM_OUTER, BEVEL);

    // A rounded crown on the rim catches the light.
    use_pattern(cr, radial_gradient(0, 0, BEVEL, 0, 0, RIM_OUTER,
                                    {{0.0, 0, 0, 0, 0.35}, {0.4, 1, 1, 1, 0.10}, {1.0, 0, 0, 0, 0.45}}));
    fill_ring(cr, RIM_OUTER, BEVEL);

    // The inner bevel faces the other way, so it is lit on the far side.
    use_pattern(cr, diagonal_light({20, 23, 30}, {120, 128, 146}));
    fill_ring(cr, BEVEL, DIAL);
}

void draw_dial(cairo_t *cr)
{
    set_rgb(cr, 251, 251, 248);
    fill_circle(cr, 0, 0, DIAL);
    shade_dial_edge(cr, DIAL, 18, 0.22);

    // Railway minute track: two fine circles with the minutes between them.
    set_rgb(cr, 20, 20, 26);
    stroke_circle(cr, 266, 1.6);
    stroke_circle(cr, 250, 1.6);
    draw_minute_marks(cr, 266, 244, 7, 250, 2.2);

    select_font(cr, "DejaVu Sans Condensed", 76, true);
    show_hour_numerals(cr, 193);
}

// A black hand whose tail ends in a ring counterweight at the picture's left
// edge; `half` is the blade's half width at the pivot.
cairo_surface_t *draw_balanced_hand(HandPivot pivot, double length, double half, double weight)
{
    Canvas c = open_hand(pivot, static_cast<int>(length) + 1);
    cairo_t *cr = c.cr;
    const double tailEnd = -pivot.x + 0.5;
    const double weightAt = tailEnd + weight;
    set_rgb(cr, 16, 16, 20);
    fill_blade(cr, {{weightAt, half * 0.6}, {0, half * 0.45}});
    fill_blade(cr, {{0, half}, {length * 0.82, half * 0.62}, {length, 0}});
    fill_circle(cr, 0, 0, half + 4.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_arc(cr, weightAt, 0, weight, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, weightAt, 0, weight * 0.38, 0, 2 * M_PI);
    cairo_fill(cr);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot)
{
    Canvas c = open_hand(pivot, 262);
    cairo_t *cr = c.cr;
    set_rgb(cr, 214, 30, 24);
    fill_blade(cr, {{-pivot.x + 0.5, 4}, {-2, 3}, {0, 1.7}, {261, 1.3}});
    fill_circle(cr, 0, 0, 8.5);
    fill_circle(cr, 196, 0, 15);
    set_rgb(cr, 90, 10, 8);
    fill_circle(cr, 0, 0, 3);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_1(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_case(face.cr);
    draw_dial(face.cr);
    art.face = close_canvas(face);
    art.hour = draw_balanced_hand(style.hourPivot, 172, 10, 15);
    art.minute = draw_balanced_hand(style.minutePivot, 258, 7, 12);
    art.second = draw_second_hand(style.secondPivot);
    return art;
}
