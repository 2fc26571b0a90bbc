// Style 0: School Clock. A classroom wall clock: a black plastic rim, a white
// dial with minute and hour marks, the numerals 1 to 12, black hands and a
// thin red second hand.
#include "assets/art/draw_kit.h"

namespace {

constexpr int FACE_SIZE = 681;
constexpr double RIM_OUTER = 337;
constexpr double RIM_INNER = 309;
constexpr double DIAL = 304;

void draw_rim(cairo_t *cr)
{
    // A rounded black tube: lighter along its crown than at its edges.
    use_pattern(cr, radial_gradient(0, 0, RIM_INNER, 0, 0, RIM_OUTER,
                                    {{0.0, 0.10, 0.10, 0.10}, {0.45, 0.22, 0.22, 0.23},
                                     {1.0, 0.03, 0.03, 0.03}}));
    fill_ring(cr, RIM_OUTER, RIM_INNER);

    // Light from above the room.
    use_pattern(cr, linear_gradient(0, -RIM_OUTER, 0, RIM_OUTER,
                                    {{0.0, 1, 1, 1, 0.16}, {0.5, 1, 1, 1, 0.0}}));
    fill_ring(cr, RIM_OUTER - 3, RIM_INNER + 3);

    // The chrome lip that holds the glass.
    set_rgb(cr, 150, 150, 150);
    fill_ring(cr, RIM_INNER, DIAL);
}

void draw_dial(cairo_t *cr)
{
    set_rgb(cr, 252, 252, 249);
    fill_circle(cr, 0, 0, DIAL);

    // The rim's shadow falls a little way onto the dial.
    shade_dial_edge(cr, DIAL, 22, 0.16);

    set_rgb(cr, 24, 24, 24);
    draw_minute_marks(cr, 292, 262, 8, 279, 2.6);
    select_font(cr, "DejaVu Sans", 58);
    show_hour_numerals(cr, 218);
}

cairo_surface_t *draw_black_hand(HandPivot pivot, double length, double root, double tip, double hub)
{
    return draw_blade_hand(pivot, static_cast<int>(length) + 1, {20, 20, 20},
                           {{-pivot.x + 0.5, root - 1.5}, {0, root}, {length - 26, tip}, {length, 0}}, hub);
}

cairo_surface_t *draw_second_hand(HandPivot pivot)
{
    Canvas c = open_hand(pivot, 292);
    set_rgb(c.cr, 204, 22, 22);
    fill_blade(c.cr, {{-pivot.x + 0.5, 4}, {-3, 4}, {0, 1.6}, {291, 1.3}});
    fill_circle(c.cr, 0, 0, 7.5);
    set_rgb(c.cr, 120, 12, 12);
    fill_circle(c.cr, 0, 0, 2.5);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_0(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_rim(face.cr);
    draw_dial(face.cr);
    art.face = close_canvas(face);
    art.hour = draw_black_hand(style.hourPivot, 185, 10, 8, 14);
    art.minute = draw_black_hand(style.minutePivot, 272, 7.5, 5.5, 12);
    art.second = draw_second_hand(style.secondPivot);
    return art;
}
